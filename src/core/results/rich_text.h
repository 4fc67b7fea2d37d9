// A Shift-JIS text with coloured ranges as rich text (RTF), so that a
// rich-edit control takes text and styles in one stream-in.
#pragma once

#include <string>
#include <vector>

#include "core/results/render.h"

namespace tvp {

// RTF of code page 932 without a font of its own: the text takes the
// control's default format (its font), titles are blue (0000FF), bold and
// underlined, paths teal (008080). `styles` are in text order and do not
// overlap.
//
// Every character of the view (as ViewCharLen counts them) becomes exactly
// one character of the control, so that TextPositions holds for what the
// control shows: each line break becomes a paragraph break, a tab a tab,
// another control byte a blank, and a lead byte without a valid trail byte
// a question mark. The control drops the last paragraph mark of a stream
// that replaces its whole text, so one more ends the stream.
std::string RichText(const std::string& text, const std::vector<TStyleRange>& styles);

}  // namespace tvp
