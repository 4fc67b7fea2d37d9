#include "plugin/ui/ui_seam.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "core/common/sjis.h"

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

std::string UiSeam::OpenFileName(HWND owner, const std::string& initialDir, const std::string& fileName,
                                 const std::string& filter) {
  // The filter's pairs separated by NULs, ending in two (a trail byte 7C is no separator).
  std::string filters = ReplaceAll(filter, "|", std::string(1, '\0')) + std::string(2, '\0');
  std::string file(32 * 1024, '\0');
  file.replace(0, std::min(fileName.size(), file.size() - 1), fileName, 0, file.size() - 1);
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filters.c_str();
  ofn.lpstrFile = &file[0];
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER;
  if (!GetOpenFileNameA(&ofn)) return std::string();
  return file.c_str();
}

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
