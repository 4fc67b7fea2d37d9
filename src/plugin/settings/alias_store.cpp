#include "plugin/settings/alias_store.h"

#include "plugin/files/win_fs.h"
#include "plugin/settings/settings_store.h"

namespace tvp {

void LoadAliases(HWND window, TTVPAliases& aliases) {
  LoadAliases(DiskFileSystem(), SettingsPathFor(window), aliases);
}

void SaveAliases(HWND window, const TTVPAliases& aliases) {
  SaveAliases(DiskFileSystem(), SettingsPathFor(window), aliases);
}

}  // namespace tvp
