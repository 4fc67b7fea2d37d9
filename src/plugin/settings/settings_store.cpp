#include "plugin/settings/settings_store.h"

#include <stdexcept>

#include "plugin/files/win_fs.h"
#include "plugin/shell/host_api.h"

namespace tvp {

bool HasAccount(HWND window) { return !host::GetAccount(window).empty(); }

std::string SettingsPathFor(HWND window) {
  std::string account = host::GetAccount(window);
  if (account.empty()) throw std::runtime_error("このウィンドウのアカウントのフォルダが分かりません。");
  return SettingsPath(account);
}

void WriteDefaultSettings(HWND window) { WriteDefaultSettings(DiskFileSystem(), SettingsPathFor(window)); }

void EnsureSettings(HWND window, TTVPSettings& settings) {
  EnsureSettings(DiskFileSystem(), SettingsPathFor(window), settings);
}

void LoadSettings(HWND window, TTVPSettings& settings) {
  LoadSettings(DiskFileSystem(), SettingsPathFor(window), settings);
}

TTVPSettings EnsureAndLoadSettings(HWND window) {
  TTVPSettings settings;
  EnsureSettings(window, settings);
  LoadSettings(window, settings);
  return settings;
}

void SaveSettings(HWND window, const TTVPSettings& settings) {
  SaveSettings(DiskFileSystem(), SettingsPathFor(window), settings);
}

void SetMailCount(HWND window, int count) { SetMailCount(DiskFileSystem(), SettingsPathFor(window), count); }

}  // namespace tvp
