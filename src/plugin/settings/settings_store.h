// The settings operations for a host window: the file is "tarvikp.ini" in
// the window's account directory.
#pragma once

#include <windows.h>

#include "core/settings/settings.h"

namespace tvp {

// False when the host names no account directory for the window: there is
// no settings file then, and SettingsPathFor throws.
bool HasAccount(HWND window);
std::string SettingsPathFor(HWND window);
void WriteDefaultSettings(HWND window);
void EnsureSettings(HWND window, TTVPSettings& settings);
void LoadSettings(HWND window, TTVPSettings& settings);
// Ensure, then load: what every dialog and export does first.
TTVPSettings EnsureAndLoadSettings(HWND window);
void SaveSettings(HWND window, const TTVPSettings& settings);
void SetMailCount(HWND window, int count);

}  // namespace tvp
