#include "plugin/ui/ui_seam.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstring>

namespace tvp {

const char kErrorCaption[] = "エラー";

int UiSeam::MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

bool UiSeam::SetClipboardText(HWND owner, const std::string& text) {
  if (!OpenClipboard(owner)) return false;
  bool ok = false;
  EmptyClipboard();
  if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
    if (void* p = GlobalLock(mem)) {
      memcpy(p, text.c_str(), text.size() + 1);
      GlobalUnlock(mem);
      ok = SetClipboardData(CF_TEXT, mem) != nullptr;
    }
    if (!ok) GlobalFree(mem);
  }
  CloseClipboard();
  return ok;
}

bool UiSeam::GetClipboardText(HWND owner, std::string& text) {
  if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(owner)) return false;
  bool ok = false;
  if (HANDLE mem = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(mem))) {
      text.assign(p, strnlen(p, GlobalSize(mem)));
      GlobalUnlock(mem);
      ok = true;
    }
  }
  CloseClipboard();
  return ok;
}

bool UiSeam::PickFont(HWND owner, std::string& name, int& points, bool& bold) {
  LOGFONTA font = {};
  HDC dc = GetDC(nullptr);
  font.lfHeight = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(nullptr, dc);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynA(font.lfFaceName, name.c_str(), LF_FACESIZE);
  CHOOSEFONTA cf = {sizeof cf};
  cf.hwndOwner = owner;
  cf.lpLogFont = &font;
  cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
  if (!::ChooseFontA(&cf)) return false;
  name = font.lfFaceName;
  points = cf.iPointSize / 10;
  bold = font.lfWeight >= FW_BOLD;
  return true;
}

void UiSeam::OpenWithShell(const std::string& target) {
  ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void UiSeam::Beep() { MessageBeep(MB_OK); }

bool UiSeam::ShiftHeld() { return GetKeyState(VK_SHIFT) < 0; }

namespace {
UiSeam g_win32Seam;
UiSeam* g_seam = &g_win32Seam;
}  // namespace

UiSeam& Ui() { return *g_seam; }
void SetUi(UiSeam* seam) { g_seam = seam ? seam : &g_win32Seam; }

void ShowError(HWND owner, const std::string& text) { Ui().MessageBox(owner, text, kErrorCaption, MB_OK | MB_ICONERROR); }
void ShowExclamation(HWND owner, const std::string& text) {
  Ui().MessageBox(owner, text, kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace tvp
