#include "plugin/ui/ui_seam.h"

#include <shellapi.h>

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

void UiSeam::OpenWithShell(const std::string& target) {
  ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

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
