#include "plugin/results/result_view.h"

#include <algorithm>
#include <cstring>

#include "core/results/rich_text.h"

namespace tvp {

namespace {

struct StreamSource {
  const std::string* text;
  size_t offset;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
  StreamSource& source = *reinterpret_cast<StreamSource*>(cookie);
  size_t n = std::min(static_cast<size_t>(size), source.text->size() - source.offset);
  std::memcpy(buffer, source.text->data() + source.offset, n);
  source.offset += n;
  *read = static_cast<LONG>(n);
  return 0;
}

// Redrawing is off while the text is replaced, and the view repaints once.
// (Turning redrawing on shows a window: a hidden view is left alone.)
class RedrawSuspended {
 public:
  explicit RedrawSuspended(HWND hwnd)
      : hwnd_((GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE) ? hwnd : nullptr) {
    if (hwnd_) SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
  }
  ~RedrawSuspended() {
    if (!hwnd_) return;
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }

 private:
  HWND hwnd_;
};

}  // namespace

void ResultView::Create(HWND parent, int id, const RECT& bounds, HFONT font) {
  parent_ = parent;
  id_ = id;
  font_ = font;
  edit_.Create(parent, id, WS_VSCROLL | ES_AUTOVSCROLL | ES_DISABLENOSCROLL, bounds, font);
  SendMessageA(Handle(), EM_SETUNDOLIMIT, 0, 0);
}

void ResultView::Renew() {
  HWND old = Handle();
  if (GetWindowTextLengthA(old) == 0) return;
  RECT bounds;
  GetWindowRect(old, &bounds);
  MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&bounds), 2);
  bool visible = (GetWindowLongPtrA(old, GWL_STYLE) & WS_VISIBLE) != 0;
  bool focused = GetFocus() == old;
  LRESULT events = SendMessageA(old, EM_GETEVENTMASK, 0, 0);
  Create(parent_, id_, bounds, font_);
  HWND fresh = Handle();
  SendMessageA(fresh, EM_SETEVENTMASK, 0, events);
  SetWindowPos(fresh, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!visible) ShowWindow(fresh, SW_HIDE);
  DestroyWindow(old);
  if (focused) SetFocus(fresh);
}

void ResultView::Show(const TRenderedResult& result, bool colour) {
  Renew();
  RedrawSuspended quiet(Handle());
  std::string rtf = RichText(result.Text, colour ? result.Styles : std::vector<TStyleRange>());
  StreamSource source = {&rtf, 0};
  EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&source), 0, ReadStream};
  SendMessageA(Handle(), EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  positions_ = TextPositions(result.Text);
  SetCaret(0);
}

void ResultView::SetText(const std::string& text) {
  Renew();
  RedrawSuspended quiet(Handle());
  SetWindowTextA(Handle(), text.c_str());
  positions_ = TextPositions(text);
  SetCaret(0);
}

int ResultView::CharAt(POINT client) const {
  POINTL point = {client.x, client.y};
  LRESULT c = SendMessageA(Handle(), EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point));
  return positions_.ToByte(static_cast<int>(c));
}

int ResultView::Caret() const {
  CHARRANGE range = {};
  SendMessageA(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return positions_.ToByte(range.cpMin);
}

void ResultView::SetCaret(int pos) {
  LONG c = positions_.ToChar(pos);
  CHARRANGE range = {c, c};
  SendMessageA(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void ResultView::ScrollCaretIntoView() { SendMessageA(Handle(), EM_SCROLLCARET, 0, 0); }

}  // namespace tvp
