#include "plugin/ui/text_view.h"

#include <algorithm>
#include <cstring>

#include "core/common/sjis.h"
#include "plugin/ui/guard.h"
#include "plugin/ui/ui_seam.h"

namespace tvp {

namespace {

constexpr char kClassName[] = "TvpTextView";
constexpr int kMargin = 2;       // pixels left of the text
constexpr int kWheelLines = 3;   // lines per notch of the mouse wheel

// A device context of the view with a font selected, released at the end.
class ViewDc {
 public:
  ViewDc(HWND hwnd, HFONT font) : hwnd_(hwnd), dc_(GetDC(hwnd)), old_(SelectObject(dc_, font)) {}
  ~ViewDc() {
    SelectObject(dc_, old_);
    ReleaseDC(hwnd_, dc_);
  }
  operator HDC() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
  HGDIOBJ old_;
};

int Width(HDC dc, const char* s, int n) {
  SIZE size = {};
  if (n > 0) GetTextExtentPoint32A(dc, s, n, &size);
  return size.cx;
}

}  // namespace

std::vector<int> LineStarts(const std::string& text) {
  std::vector<int> starts = {0};
  const int n = static_cast<int>(text.size());
  for (int i = 0; i < n; ++i) {
    if (text[i] == '\r') {
      if (i + 1 < n && text[i + 1] == '\n') ++i;
      starts.push_back(i + 1);
    } else if (text[i] == '\n') {
      starts.push_back(i + 1);
    }
  }
  return starts;
}

TextView::~TextView() {
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  for (HFONT f : styledFonts_)
    if (f) DeleteObject(f);
}

void TextView::Create(HWND parent, int id, const RECT& bounds, HFONT font) {
  // The class belongs to the module of the parent's window (the plug-in's
  // forms); a class left registered by an earlier load of the plug-in, whose
  // procedure is gone, is registered again.
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  WNDCLASSA wc = {};
  if (!GetClassInfoA(instance, kClassName, &wc) || wc.lpfnWndProc != WndProc) {
    UnregisterClassA(kClassName, instance);
    wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
  }
  font_ = font;
  LOGFONTA lf = {};
  GetObjectA(font, sizeof lf, &lf);
  for (int i = 0; i < 3; ++i) {
    LOGFONTA styled = lf;
    if (i != 1) styled.lfWeight = FW_BOLD;
    if (i != 0) styled.lfUnderline = TRUE;
    styledFonts_[i] = CreateFontIndirectA(&styled);
  }
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL;
  hwnd_ = CreateWindowExA(WS_EX_CLIENTEDGE, kClassName, "", style, bounds.left, bounds.top, bounds.right - bounds.left,
                          bounds.bottom - bounds.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          instance, this);
  ViewDc dc(hwnd_, font_);
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc, &tm);
  lineHeight_ = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
  UpdateScrollBars();
}

LRESULT CALLBACK TextView::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lp);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<TextView*>(create->lpCreateParams)->hwnd_ = hwnd;
  }
  auto* view = reinterpret_cast<TextView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!view) return DefWindowProcA(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    view->hwnd_ = nullptr;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
  LRESULT result = 0;
  bool ran = false;
  Guarded(GetParent(hwnd), [&] {
    result = view->OnMessage(msg, wp, lp);
    ran = true;
  });
  return ran ? result : 0;
}

LRESULT TextView::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
      if (handler_ && handler_(msg, wp, lp)) return 0;
      break;
    default:
      break;
  }
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc, ps.rcPaint);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // painting fills every pixel
    case WM_SIZE:
      UpdateScrollBars();
      ScrollTo(top_, left_);
      if (scrolled_) scrolled_();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(text_.size());
    case WM_GETTEXT: {
      if (wp == 0 || !lp) return 0;
      size_t n = std::min(text_.size(), static_cast<size_t>(wp) - 1);
      if (n < text_.size()) n = static_cast<size_t>(Snap(static_cast<int>(n)));  // never half a character
      memcpy(reinterpret_cast<char*>(lp), text_.data(), n);
      reinterpret_cast<char*>(lp)[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_SETFOCUS:
      focused_ = true;
      CreateCaret(hwnd_, nullptr, 1, lineHeight_);
      UpdateCaret();
      ShowCaret(hwnd_);
      return 0;
    case WM_KILLFOCUS:
      focused_ = false;
      DestroyCaret();
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: {
      int bar = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
      SCROLLINFO si = {sizeof si, SIF_ALL};
      GetScrollInfo(hwnd_, bar, &si);
      int step = msg == WM_VSCROLL ? 1 : lineHeight_;
      int page = msg == WM_VSCROLL ? std::max(1, VisibleLines() - 1) : static_cast<int>(si.nPage);
      int pos = si.nPos;
      switch (LOWORD(wp)) {
        case SB_LINEUP: pos -= step; break;
        case SB_LINEDOWN: pos += step; break;
        case SB_PAGEUP: pos -= page; break;
        case SB_PAGEDOWN: pos += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = si.nTrackPos; break;
        case SB_TOP: pos = 0; break;
        case SB_BOTTOM: pos = si.nMax; break;
        default: return 0;
      }
      if (msg == WM_VSCROLL)
        ScrollTo(pos, left_);
      else
        ScrollTo(top_, pos);
      return 0;
    }
    case WM_MOUSEWHEEL:
      ScrollTo(top_ - GET_WHEEL_DELTA_WPARAM(wp) * kWheelLines / WHEEL_DELTA, left_);
      return 0;
    case WM_KEYDOWN:
      OnKey(wp);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
      OnMouse(msg, wp, lp);
      return 0;
    default:
      return DefWindowProcA(hwnd_, msg, wp, lp);
  }
}

// ---- text and positions ----

void TextView::SetText(std::string text, std::vector<TextStyle> styles) {
  text_ = std::move(text);
  styles_ = std::move(styles);
  starts_ = LineStarts(text_);
  top_ = left_ = widest_ = 0;
  caret_ = anchor_ = 0;
  UpdateScrollBars();
  UpdateCaret();
  InvalidateRect(hwnd_, nullptr, FALSE);
  if (scrolled_) scrolled_();
}

void TextView::AppendText(const std::string& more, const std::vector<TextStyle>& styles) {
  if (more.empty()) return;
  const int oldSize = static_cast<int>(text_.size());
  const int oldLines = LineCount();
  // A CR that ended the old text and an LF that begins the new one are one line break.
  int from = oldSize;
  if (oldSize > 0 && text_.back() == '\r' && more[0] == '\n') starts_.back() = from = oldSize + 1;
  text_ += more;
  for (int i = from, n = static_cast<int>(text_.size()); i < n; ++i) {
    if (text_[i] == '\r') {
      if (i + 1 < n && text_[i + 1] == '\n') ++i;
      starts_.push_back(i + 1);
    } else if (text_[i] == '\n') {
      starts_.push_back(i + 1);
    }
  }
  styles_.insert(styles_.end(), styles.begin(), styles.end());
  UpdateScrollBars();
  // Repaint only when the new lines (or the old last one) can be seen.
  if (hwnd_ && oldLines - 1 < top_ + VisibleLines() + 1) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TextView::ReplaceFront(int bytes, const std::string& with) {
  bytes = std::clamp(bytes, 0, static_cast<int>(text_.size()));
  const int delta = static_cast<int>(with.size()) - bytes;
  const int droppedLines = LineOf(bytes);
  text_.replace(0, static_cast<size_t>(bytes), with);
  std::vector<int> starts = LineStarts(with);
  starts.pop_back();  // `with` ends in a line break: its last "line" is the first one kept
  const int addedLines = static_cast<int>(starts.size());
  starts.reserve(starts.size() + starts_.size() - static_cast<size_t>(droppedLines));
  for (size_t k = static_cast<size_t>(droppedLines); k < starts_.size(); ++k) starts.push_back(starts_[k] + delta);
  starts_ = std::move(starts);
  std::vector<TextStyle> styles;
  for (const TextStyle& st : styles_)
    if (st.Start >= bytes) {
      styles.push_back(st);
      styles.back().Start += delta;
    }
  styles_ = std::move(styles);
  auto move = [&](int pos) { return pos >= bytes ? pos + delta : 0; };
  caret_ = move(caret_);
  anchor_ = move(anchor_);
  top_ = std::max(0, top_ - droppedLines + addedLines);
  UpdateScrollBars();
  UpdateCaret();
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TextView::InsertText(int pos, const std::string& more) {
  pos = Snap(pos);
  const int n = static_cast<int>(more.size());
  text_.insert(static_cast<size_t>(pos), more);
  const int line = LineOf(pos);
  for (size_t k = static_cast<size_t>(line) + 1; k < starts_.size(); ++k) starts_[k] += n;
  for (TextStyle& st : styles_) {
    if (st.Start >= pos) st.Start += n;
    else if (st.Start + st.Length > pos) st.Length += n;
  }
  if (caret_ >= pos) caret_ += n;
  if (anchor_ >= pos) anchor_ += n;
  UpdateCaret();
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TextView::SetStyle(const TextStyle& style) {
  auto overlaps = [&](const TextStyle& st) {
    return st.Start < style.Start + style.Length && style.Start < st.Start + st.Length;
  };
  styles_.erase(std::remove_if(styles_.begin(), styles_.end(), overlaps), styles_.end());
  auto at = std::upper_bound(styles_.begin(), styles_.end(), style.Start,
                             [](int p, const TextStyle& st) { return p < st.Start; });
  styles_.insert(at, style);
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

const TextStyle* TextView::StyleAt(int pos) const {
  auto after = std::upper_bound(styles_.begin(), styles_.end(), pos,
                                [](int p, const TextStyle& s) { return p < s.Start; });
  if (after == styles_.begin()) return nullptr;
  const TextStyle& s = *(after - 1);
  return pos < s.Start + s.Length ? &s : nullptr;
}

int TextView::LineOf(int pos) const {
  return static_cast<int>(std::upper_bound(starts_.begin(), starts_.end(), pos) - starts_.begin()) - 1;
}

int TextView::LineEnd(int line) const {
  if (line + 1 >= LineCount()) return static_cast<int>(text_.size());
  int end = starts_[line + 1];
  if (text_[end - 1] == '\n') --end;
  if (end > starts_[line] && text_[end - 1] == '\r') --end;
  return end;
}

int TextView::Snap(int pos) const {
  pos = std::clamp(pos, 0, static_cast<int>(text_.size()));
  int line = LineOf(pos);
  int end = LineEnd(line);
  if (pos >= end) return end;
  int i = starts_[line];
  for (;;) {
    int next = NextChar(i);
    if (next > pos) return i;
    i = next;
  }
}

int TextView::NextChar(int pos) const {
  if (pos >= static_cast<int>(text_.size())) return static_cast<int>(text_.size());
  int line = LineOf(pos);
  int end = LineEnd(line);
  if (pos >= end) return line + 1 < LineCount() ? starts_[line + 1] : end;
  return std::min(end, pos + static_cast<int>(CharLen(text_, pos)));
}

int TextView::PreviousChar(int pos) const {
  if (pos <= 0) return 0;
  int line = LineOf(pos);
  if (pos == starts_[line]) return LineEnd(line - 1);
  return Snap(pos - 1);
}

std::vector<TextView::Run> TextView::Runs(int line) const {
  std::vector<Run> runs;
  int pos = starts_[line];
  int end = LineEnd(line);
  auto s = std::upper_bound(styles_.begin(), styles_.end(), pos,
                            [](int p, const TextStyle& st) { return p < st.Start; });
  if (s != styles_.begin()) --s;
  while (pos < end) {
    while (s != styles_.end() && s->Start + s->Length <= pos) ++s;
    if (s != styles_.end() && s->Start <= pos) {
      int stop = std::min(end, s->Start + s->Length);
      runs.push_back({pos, stop, &*s});
      pos = stop;
    } else {
      int stop = s != styles_.end() ? std::min(end, s->Start) : end;
      runs.push_back({pos, stop, nullptr});
      pos = stop;
    }
  }
  return runs;
}

HFONT TextView::FontOf(const TextStyle* style) const {
  if (!style || (!style->Bold && !style->Underline)) return font_;
  return styledFonts_[style->Bold && style->Underline ? 2 : style->Underline ? 1 : 0];
}

int TextView::XOf(HDC dc, int line, int pos) const {
  int x = 0;
  for (const Run& run : Runs(line)) {
    if (run.Start >= pos) break;
    SelectObject(dc, FontOf(run.Style));
    x += Width(dc, text_.data() + run.Start, std::min(pos, run.End) - run.Start);
  }
  SelectObject(dc, font_);
  return x;
}

int TextView::PosAtX(HDC dc, int line, int x) const {
  int result = LineEnd(line);
  int left = 0;
  for (const Run& run : Runs(line)) {
    SelectObject(dc, FontOf(run.Style));
    int n = run.End - run.Start;
    std::vector<INT> extents(static_cast<size_t>(n));
    SIZE size = {};
    GetTextExtentExPointA(dc, text_.data() + run.Start, n, 0, nullptr, extents.data(), &size);
    if (x < left + size.cx) {
      // The character whose cell holds x: extents[i] is the width up to
      // and including byte i (both bytes of a double-byte character).
      for (int i = run.Start; i < run.End; i = NextChar(i)) {
        int last = std::min(run.End, NextChar(i)) - 1 - run.Start;
        if (x < left + extents[static_cast<size_t>(last)]) {
          result = i;
          break;
        }
      }
      break;
    }
    left += size.cx;
  }
  SelectObject(dc, font_);
  return result;
}

int TextView::CharAt(POINT client) const {
  int line = std::clamp(top_ + (client.y >= 0 ? static_cast<int>(client.y) / lineHeight_ : -1), 0, LineCount() - 1);
  ViewDc dc(hwnd_, font_);
  // (Snapped again in case a style range cuts a double-byte character.)
  return Snap(PosAtX(dc, line, client.x + left_ - kMargin));
}

POINT TextView::PointAt(int pos) const {
  pos = Snap(pos);
  int line = LineOf(pos);
  ViewDc dc(hwnd_, font_);
  return {XOf(dc, line, pos) - left_ + kMargin, (line - top_) * lineHeight_};
}

// ---- caret and selection ----

void TextView::SetCaret(int pos) { Select(pos, pos); }

void TextView::Select(int anchor, int caret) {
  int oldFrom = std::min(anchor_, caret_), oldTo = std::max(anchor_, caret_);
  anchor_ = Snap(anchor);
  caret_ = Snap(caret);
  if (oldFrom != oldTo || anchor_ != caret_) InvalidateRect(hwnd_, nullptr, FALSE);
  UpdateCaret();
}

std::string TextView::SelectedText() const {
  int from = std::min(anchor_, caret_), to = std::max(anchor_, caret_);
  return text_.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
}

void TextView::MoveCaret(int pos, bool extend) {
  Select(extend ? anchor_ : pos, pos);
  ScrollCaretIntoView();
}

void TextView::ScrollCaretIntoView() {
  int line = LineOf(caret_);
  int top = top_;
  if (line < top) top = line;
  int visible = std::max(1, VisibleLines());
  if (line >= top + visible) top = line - visible + 1;
  RECT client;
  GetClientRect(hwnd_, &client);
  int left = left_;
  ViewDc dc(hwnd_, font_);
  int x = XOf(dc, line, caret_);
  int width = client.right - 2 * kMargin;
  if (x < left) left = std::max(0, x - width / 4);
  if (x >= left + width) left = x - width * 3 / 4;
  widest_ = std::max(widest_, x + kMargin);
  if (left != left_) UpdateScrollBars();
  ScrollTo(top, left);
}

void TextView::UpdateCaret() {
  if (!focused_ || !hwnd_) return;
  POINT p = PointAt(caret_);
  SetCaretPos(p.x, p.y);
}

// ---- scrolling ----

std::pair<int, int> TextView::VisibleRange() const {
  int last = std::min(LineCount() - 1, top_ + std::max(1, VisibleLines()));
  return {starts_[top_], LineEnd(last)};
}

int TextView::VisibleLines() const {
  RECT client;
  GetClientRect(hwnd_, &client);
  return client.bottom / lineHeight_;
}

void TextView::UpdateScrollBars() {
  if (!hwnd_) return;
  RECT client;
  GetClientRect(hwnd_, &client);
  SetScrollBar(SB_VERT, LineCount() - 1, std::max(1, VisibleLines()), top_);
  SetScrollBar(SB_HORZ, widest_ + kMargin, std::max(1, static_cast<int>(client.right)), left_);
}

// A bar that changed is drawn with the next paint, not at once: drawing a
// scroll bar costs milliseconds under Wine, and appending and scrolling
// change the bar twice in a row.
void TextView::SetScrollBar(int bar, int max, int page, int pos) {
  SCROLLINFO si = {sizeof si, SIF_ALL};
  if (GetScrollInfo(hwnd_, bar, &si) && si.nMin == 0 && si.nMax == max && si.nPage == static_cast<UINT>(page) &&
      si.nPos == pos)
    return;
  si = {sizeof si, SIF_ALL | SIF_DISABLENOSCROLL};
  si.nMax = max;
  si.nPage = static_cast<UINT>(page);
  si.nPos = pos;
  SetScrollInfo(hwnd_, bar, &si, FALSE);
  // The bar's strip of the frame, in client coordinates (clipped to the window).
  RECT client;
  GetClientRect(hwnd_, &client);
  const LONG edge = 0x4000;
  RECT strip = bar == SB_VERT ? RECT{client.right, -edge, edge, edge} : RECT{-edge, client.bottom, edge, edge};
  RedrawWindow(hwnd_, &strip, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void TextView::ScrollTo(int top, int left) {
  RECT client;
  GetClientRect(hwnd_, &client);
  top = std::clamp(top, 0, std::max(0, LineCount() - std::max(1, VisibleLines())));
  left = std::clamp(left, 0, std::max(0, widest_ + kMargin - static_cast<int>(client.right)));
  if (top == top_ && left == left_) return;
  int dy = (top_ - top) * lineHeight_, dx = left_ - left;
  top_ = top;
  left_ = left;
  ScrollWindowEx(hwnd_, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  UpdateScrollBars();
  UpdateCaret();
  if (scrolled_ && dy != 0) scrolled_();
}

// ---- painting ----

void TextView::Paint(HDC dc, const RECT& dirty) {
  HBRUSH background = GetSysColorBrush(COLOR_WINDOW);
  FillRect(dc, &dirty, background);
  HGDIOBJ oldFont = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
  const int from = std::min(anchor_, caret_), to = std::max(anchor_, caret_);
  int first = top_ + static_cast<int>(dirty.top) / lineHeight_;
  int last = std::min(LineCount() - 1, top_ + static_cast<int>(dirty.bottom - 1) / lineHeight_);
  int widest = widest_;
  for (int line = first; line <= last; ++line) {
    int y = (line - top_) * lineHeight_;
    int x = kMargin - left_;
    for (const Run& run : Runs(line)) {
      HFONT font = FontOf(run.Style);
      SelectObject(dc, font);
      // The run cut where the selection begins and ends.
      int cuts[4] = {run.Start, std::clamp(from, run.Start, run.End), std::clamp(to, run.Start, run.End), run.End};
      for (int k = 0; k < 3; ++k) {
        int n = cuts[k + 1] - cuts[k];
        if (n <= 0) continue;
        const char* s = text_.data() + cuts[k];
        int w = Width(dc, s, n);
        bool selected = k == 1;
        if (x + w > dirty.left && x < dirty.right) {
          if (selected) {
            RECT cell = {x, y, x + w, y + lineHeight_};
            FillRect(dc, &cell, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
          } else {
            COLORREF colour = run.Style ? run.Style->Colour : kDefaultTextColour;
            SetTextColor(dc, colour == kDefaultTextColour ? windowText : colour);
            if (run.Style && run.Style->Background != CLR_INVALID) {
              RECT cell = {x, y, x + w, y + lineHeight_};
              SetBkColor(dc, run.Style->Background);
              ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &cell, nullptr, 0, nullptr);
            }
          }
          ExtTextOutA(dc, x, y, 0, nullptr, s, static_cast<UINT>(n), nullptr);
        }
        x += w;
      }
    }
    // A selected line break shows as a blank cell.
    int end = LineEnd(line);
    if (line + 1 < LineCount() && end >= from && end < to) {
      RECT cell = {x, y, x + lineHeight_ / 2, y + lineHeight_};
      FillRect(dc, &cell, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    widest = std::max(widest, x + left_);
  }
  SelectObject(dc, oldFont);
  if (widest != widest_) {
    widest_ = widest;
    UpdateScrollBars();
  }
}

// ---- keyboard and mouse ----

void TextView::OnKey(WPARAM key) {
  bool shift = GetKeyState(VK_SHIFT) < 0;
  bool control = GetKeyState(VK_CONTROL) < 0;
  int line = LineOf(caret_);
  auto toLine = [&](int target) {
    target = std::clamp(target, 0, LineCount() - 1);
    ViewDc dc(hwnd_, font_);
    return PosAtX(dc, target, XOf(dc, line, caret_));
  };
  int page = std::max(1, VisibleLines() - 1);
  switch (key) {
    case VK_LEFT: MoveCaret(PreviousChar(caret_), shift); break;
    case VK_RIGHT: MoveCaret(NextChar(caret_), shift); break;
    case VK_UP: MoveCaret(toLine(line - 1), shift); break;
    case VK_DOWN: MoveCaret(toLine(line + 1), shift); break;
    case VK_PRIOR:
      ScrollTo(top_ - page, left_);
      MoveCaret(toLine(line - page), shift);
      break;
    case VK_NEXT:
      ScrollTo(top_ + page, left_);
      MoveCaret(toLine(line + page), shift);
      break;
    case VK_HOME: MoveCaret(control ? 0 : starts_[line], shift); break;
    case VK_END: MoveCaret(control ? static_cast<int>(text_.size()) : LineEnd(line), shift); break;
    case 'C':
      if (control && anchor_ != caret_) Ui().SetClipboardText(hwnd_, SelectedText());
      break;
    case 'A':
      if (control) Select(0, static_cast<int>(text_.size()));
      break;
    default:
      break;
  }
}

void TextView::OnMouse(UINT msg, WPARAM wp, LPARAM lp) {
  POINT p = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  switch (msg) {
    case WM_LBUTTONDOWN:
      SetFocus(hwnd_);
      SetCapture(hwnd_);
      MoveCaret(CharAt(p), (wp & MK_SHIFT) != 0);
      break;
    case WM_MOUSEMOVE:
      if (GetCapture() == hwnd_ && (wp & MK_LBUTTON)) MoveCaret(CharAt(p), true);
      break;
    case WM_LBUTTONUP:
      if (GetCapture() == hwnd_) ReleaseCapture();
      break;
    default:
      break;
  }
}

}  // namespace tvp
