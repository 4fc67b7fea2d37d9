#include "plugin/ui/rich_edit.h"

#include <richedit.h>

namespace tvp {

void RichEdit::Create(HWND parent, int id, DWORD style, const RECT& bounds, HFONT font) {
  static HMODULE library = LoadLibraryA("riched20.dll");
  (void)library;
  hwnd_ = CreateWindowExA(WS_EX_CLIENTEDGE, RICHEDIT_CLASSA, "",
                          WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_NOHIDESEL | style, bounds.left,
                          bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(hwnd_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

bool RichEdit::HasLines() const { return GetWindowTextLengthA(hwnd_) > 0; }

void RichEdit::AppendLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  MoveCaretToEnd();
  SendMessageA(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void RichEdit::MoveCaretToEnd() { SendMessageA(hwnd_, EM_SETSEL, -1, -1); }

void RichEdit::RepaintNow() {
  InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateWindow(hwnd_);
}

void RichEdit::ScrollLines(int lines) { SendMessageA(hwnd_, EM_LINESCROLL, 0, lines); }

std::string RichEdit::Text() const {
  GETTEXTLENGTHEX len = {GTL_USECRLF | GTL_PRECISE | GTL_NUMBYTES, CP_ACP};
  LRESULT bytes = SendMessageA(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
  std::string s(static_cast<size_t>(bytes) + 1, '\0');
  GETTEXTEX get = {static_cast<DWORD>(s.size()), GT_USECRLF, CP_ACP, nullptr, nullptr};
  LRESULT n = SendMessageA(hwnd_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(&s[0]));
  s.resize(static_cast<size_t>(n));
  return s;
}

std::string RichEdit::SelectedText() const {
  CHARRANGE r;
  SendMessageA(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  if (r.cpMax <= r.cpMin) return std::string();
  std::string s(static_cast<size_t>(r.cpMax - r.cpMin) * 2 + 1, '\0');
  LRESULT n = SendMessageA(hwnd_, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(&s[0]));
  s.resize(static_cast<size_t>(n));
  // The control ends its paragraphs with a lone CR; the clipboard wants CR LF.
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    out += s[i];
    if (s[i] == '\r' && (i + 1 == s.size() || s[i + 1] != '\n')) out += '\n';
  }
  return out;
}

void RichEdit::DetectLinks() {
  SendMessageA(hwnd_, EM_AUTOURLDETECT, TRUE, 0);
  SendMessageA(hwnd_, EM_SETEVENTMASK, 0, SendMessageA(hwnd_, EM_GETEVENTMASK, 0, 0) | ENM_LINK);
}

}  // namespace tvp
