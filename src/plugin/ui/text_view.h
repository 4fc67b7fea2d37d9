// A read-only text view of our own: Shift-JIS text with CR LF, CR or LF
// line breaks, coloured, bold, underlined and backed ranges, a caret, a mouse and
// keyboard selection and copying. Every position is a byte offset into the
// text (a CR LF line break counts two); a position never splits a
// double-byte character. Like an edit control it answers WM_GETTEXT and
// WM_GETTEXTLENGTH with its text, for screen readers. Only the visible lines are measured and painted,
// so the size of the text costs nothing but the line index.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tvp {

constexpr COLORREF kDefaultTextColour = CLR_INVALID;  // the system's window text colour

struct TextStyle {
  int Start = 0;
  int Length = 0;
  COLORREF Colour = kDefaultTextColour;
  bool Bold = false;
  bool Underline = false;
  COLORREF Background = CLR_INVALID;  // none: the window's own
};

// Start offsets of the lines of `text`: 0, then the byte after every CR LF,
// lone CR or lone LF. A text ending in a line break has an empty last line.
std::vector<int> LineStarts(const std::string& text);

class TextView {
 public:
  // Sees the view's key, character and mouse messages before the view does;
  // returns true when it handled one (the view then leaves it alone).
  using EventHandler = std::function<bool(UINT msg, WPARAM wp, LPARAM lp)>;
  // Told when other lines may have come into view (new text, scrolling, resizing).
  using ScrollHandler = std::function<void()>;

  TextView() = default;
  ~TextView();
  TextView(const TextView&) = delete;
  TextView& operator=(const TextView&) = delete;

  // A child of `parent` with both scroll bars always shown. Its text is in
  // `font` (which the caller keeps alive); bold and underlined ranges use
  // fonts of the view's own made from it.
  void Create(HWND parent, int id, const RECT& bounds, HFONT font);
  HWND Handle() const { return hwnd_; }
  void SetEventHandler(EventHandler handler) { handler_ = std::move(handler); }
  void SetScrollHandler(ScrollHandler handler) { scrolled_ = std::move(handler); }

  // New text and its styles (in text order, not overlapping); the caret goes
  // to 0 and the view to the top.
  void SetText(std::string text, std::vector<TextStyle> styles = {});
  const std::string& Text() const { return text_; }
  // Adds text (and its styles, positions counted in the whole text, after
  // every style there is) at the end; caret, selection and scrolling stay.
  // Only the line index of the new text is built.
  void AppendText(const std::string& more, const std::vector<TextStyle>& styles = {});
  // Replaces the first `bytes` of the text (up to a line start) by `with`
  // (whole lines); styles, caret, selection and the first visible line move
  // with the text that stays.
  void ReplaceFront(int bytes, const std::string& with);
  // Inserts `more` (no line breaks) at `pos`; what follows moves along, a
  // style around `pos` grows.
  void InsertText(int pos, const std::string& more);
  // Puts `style` in place of the styles it overlaps.
  void SetStyle(const TextStyle& style);
  // The style covering `pos`, nullptr if none.
  const TextStyle* StyleAt(int pos) const;

  int LineCount() const { return static_cast<int>(starts_.size()); }
  int FirstVisibleLine() const { return top_; }
  // The text from the first visible line's start to the end of the last one.
  std::pair<int, int> VisibleRange() const;
  // Scrolls so that `line` is the first visible line, as far as the text allows.
  void ScrollToLine(int line) { ScrollTo(line, left_); }
  int LineOf(int pos) const;
  int LineStart(int line) const { return starts_[line]; }

  // The position of the character under a point of the client area (the
  // line break's position right of a line's end).
  int CharAt(POINT client) const;
  // The client point of the top left corner of the character at `pos`.
  POINT PointAt(int pos) const;

  int Caret() const { return caret_; }
  // Caret at `pos` (moved back to the start of its character) with an empty selection.
  void SetCaret(int pos);
  // Selection from `anchor` to `caret`, the caret at `caret`.
  void Select(int anchor, int caret);
  std::string SelectedText() const;
  void ScrollCaretIntoView();

 private:
  struct Run {
    int Start, End;
    const TextStyle* Style;
  };

  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void Paint(HDC dc, const RECT& dirty);
  void OnKey(WPARAM key);
  void OnMouse(UINT msg, WPARAM wp, LPARAM lp);

  int LineEnd(int line) const;
  int Snap(int pos) const;          // back to the start of the character holding pos
  int NextChar(int pos) const;
  int PreviousChar(int pos) const;
  std::vector<Run> Runs(int line) const;  // the line's text cut at style boundaries
  HFONT FontOf(const TextStyle* style) const;
  int XOf(HDC dc, int line, int pos) const;  // pixels from the line's start
  int PosAtX(HDC dc, int line, int x) const;
  int VisibleLines() const;
  void MoveCaret(int pos, bool extend);
  void ScrollTo(int top, int left);
  void UpdateScrollBars();
  void SetScrollBar(int bar, int max, int page, int pos);
  void UpdateCaret();

  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  HFONT styledFonts_[3] = {};  // bold, underlined, both
  int lineHeight_ = 16;
  EventHandler handler_;
  ScrollHandler scrolled_;

  std::string text_;
  std::vector<int> starts_ = {0};
  std::vector<TextStyle> styles_;
  int top_ = 0;      // first visible line
  int left_ = 0;     // horizontal scroll in pixels
  int widest_ = 0;   // the widest line painted so far, in pixels
  int caret_ = 0;
  int anchor_ = 0;
  bool focused_ = false;
};

}  // namespace tvp
