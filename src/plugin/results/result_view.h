// The result box of the result window (and, with plain text, any read-only
// text view that works with our positions): a rich-edit control whose
// caret, mouse positions and ranges are given as byte offsets into its text
// with CR LF line breaks, converted to the control's character indexes in
// one place (TextPositions).
#pragma once

#include <windows.h>
#include <richedit.h>

#include <string>

#include "core/results/render.h"
#include "core/results/text_positions.h"
#include "plugin/ui/rich_edit.h"

namespace tvp {

class ResultView {
 public:
  // A read-only rich-edit child of `parent` whose vertical scroll bar is
  // always shown. Its text is in `font` (which the caller keeps alive).
  void Create(HWND parent, int id, const RECT& bounds, HFONT font);
  // Every new text goes into a new control in the old one's place (same
  // identifier, bounds, visibility, event mask and focus): Wine's rich edit
  // needs time quadratic in the number of paragraphs to delete text, a
  // minute for a thousand hits. So ask for the handle each time, and take
  // the view's notifications (EN_MSGFILTER, ...) by identifier.
  HWND Handle() const { return edit_.Handle(); }
  RichEdit& Edit() { return edit_; }

  // Puts the rendered text in with one stream-in; with `colour` titles are
  // blue, bold and underlined and paths teal, otherwise nothing is styled.
  // The caret goes to position 0.
  void Show(const TRenderedResult& result, bool colour);
  // Plain text without styles (line breaks CR LF, CR or LF).
  void SetText(const std::string& text);
  void Clear() { SetText(std::string()); }

  // The position of the character under a point of the view's client area.
  int CharAt(POINT client) const;
  int Caret() const;
  // Caret at `pos` with an empty selection.
  void SetCaret(int pos);
  void ScrollCaretIntoView();

 private:
  // Replaces a control that holds text by a new, empty one.
  void Renew();

  RichEdit edit_;
  HWND parent_ = nullptr;
  int id_ = 0;
  HFONT font_ = nullptr;
  TextPositions positions_;
};

}  // namespace tvp
