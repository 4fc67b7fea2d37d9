#include "plugin/shell/exports.h"

#include "core/shell/triggers.h"
#include "plugin/files/win_fs.h"
#include "plugin/settings/settings_store.h"
#include "plugin/shell/commands.h"
#include "plugin/shell/host_api.h"
#include "plugin/ui/guard.h"
#include "plugin/ui/ui_seam.h"

using namespace tvp;

namespace {

void __stdcall IndexMenuCallback(HWND window, LPARAM) {
  Guarded(window, [&] { Commands().index(window); });
}

void __stdcall SearchMenuCallback(HWND window, LPARAM) {
  Guarded(window, [&] { Commands().search(window); });
}

}  // namespace

extern "C" {

const char* __stdcall APCGetPlugName() { return kPlugName; }

void __stdcall APCVersionInfo(HWND window) {
  Guarded(window, [&] { Commands().about(window); });
}

BOOL __stdcall APCStartUp(int) {
  if (host::Bind()) return -1;
  Guarded(nullptr, [] { Ui().MessageBox(nullptr, BindingFailedMessage(), kBindingFailedCaption, MB_OK | MB_ICONERROR); });
  return FALSE;
}

void __stdcall APCSetup(HWND window) {
  Guarded(window, [&] { Commands().setup(window); });
}

void __stdcall APCFolderInitMenu(HWND window, HMENU menu, int id) {
  if (id != kFolderMenuId) return;
  Guarded(window, [&] {
    if (!HasAccount(window)) return;
    TTVPSettings settings = EnsureAndLoadSettings(window);
    HMENU sub = GetSubMenu(menu, 3);
    if (!sub) return;
    AppendMenuA(sub, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(sub, 0, host::RegistCallback(IndexMenuCallback, 1), settings.IndexingMenuCaption.c_str());
    AppendMenuA(sub, 0, host::RegistCallback(SearchMenuCallback, 1), settings.SearchMenuCaption.c_str());
  });
}

void __stdcall APCFolderCreate(HWND window) {
  Guarded(window, [&] {
    if (!HasAccount(window)) return;
    TTVPSettings settings = EnsureAndLoadSettings(window);
    if (!IsIndexUpdateDue(settings, kWhenStartUp)) return;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW);
    Commands().index(window);
  });
}

void __stdcall APCFolderClose(HWND window) {
  Guarded(window, [&] {
    if (!HasAccount(window)) return;
    TTVPSettings settings = EnsureAndLoadSettings(window);
    if (IsIndexUpdateDue(settings, kWhenCleanUp)) Commands().index(window);
  });
}

int __stdcall APCRecFilter(const char* mailPath) {
  Guarded(nullptr, [&] {
    // A path outside any account's inbox names no settings file: nothing to count.
    std::string account = AccountDirOfMail(mailPath ? mailPath : "");
    if (account.empty()) return;
    try {
      IncrementMailCount(DiskFileSystem(), SettingsPath(account));
    } catch (const FileError&) {
      // A settings file that stays busy or cannot be written costs this
      // mail's count, not a box per arriving mail (and never its contents).
    }
  });
  return 0;
}

void __stdcall APCFolderEndRetrieve(int) {}

#ifdef TVP_TEST_HOOKS
// Test build only: lets a test answer the plug-in's message boxes.
void __stdcall TvpTestUi(UiSeam* seam) { SetUi(seam); }
#endif

}  // extern "C"
