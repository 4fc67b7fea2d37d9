// The result box of the result window (and, with plain text, any read-only
// text view that works with our positions): a text view whose caret, mouse
// positions and ranges are byte offsets into its text with CR LF line breaks.
#pragma once

#include <windows.h>

#include <string>

#include "core/results/render.h"
#include "plugin/ui/text_view.h"

namespace tvp {

class ResultView {
 public:
  // A read-only child of `parent` whose vertical scroll bar is always
  // shown. Its text is in `font` (which the caller keeps alive).
  void Create(HWND parent, int id, const RECT& bounds, HFONT font);
  HWND Handle() const { return view_.Handle(); }
  TextView& Edit() { return view_; }

  // Puts the rendered text in; with `colour` titles are blue, bold and
  // underlined, paths teal and titles of vanished mails grey, otherwise
  // nothing is styled. The caret goes to position 0.
  void Show(const TRenderedResult& result, bool colour);
  // Marks hit i of the result shown as one whose mail is gone (see
  // MarkVanished): greyed, with the mark after its title.
  void MarkVanished(TRenderedResult& result, int i);
  // Plain text without styles (line breaks CR LF, CR or LF).
  void SetText(const std::string& text);
  void Clear() { SetText(std::string()); }

  // The position of the character under a point of the view's client area.
  int CharAt(POINT client) const { return view_.CharAt(client); }
  int Caret() const { return view_.Caret(); }
  // Caret at `pos` with an empty selection.
  void SetCaret(int pos) { view_.SetCaret(pos); }
  void ScrollCaretIntoView() { view_.ScrollCaretIntoView(); }

 private:
  TextView view_;
  bool colour_ = false;
};

}  // namespace tvp
