// A Shift-JIS text with coloured ranges as rich text (RTF), so that a
// rich-edit control takes text and styles in one stream-in.
#pragma once

#include <string>
#include <vector>

#include "core/results/render.h"

namespace tvp {

// RTF with code page 932 and a font of the Shift-JIS character set (the view
// sets the face and size itself). Titles are blue (0000FF), bold and
// underlined, paths teal (008080); other text has the view's default
// colour. `styles` are in text order and do not overlap.
//
// Every character of the view (as ViewCharLen counts them) becomes exactly
// one character of the control, so that TextPositions holds for what the
// control shows: each line break becomes a paragraph break, a tab a tab,
// another control byte a blank, and a lead byte without a valid trail byte
// a question mark.
std::string RichText(const std::string& text, const std::vector<TStyleRange>& styles);

}  // namespace tvp
