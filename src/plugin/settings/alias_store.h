// The folder aliases of a host window's account ("tarvikp.ini" in its
// account directory).
#pragma once

#include <windows.h>

#include "core/settings/aliases.h"

namespace tvp {

void LoadAliases(HWND window, TTVPAliases& aliases);
// Throws FileError when the file cannot be written; the old file stays.
void SaveAliases(HWND window, const TTVPAliases& aliases);

}  // namespace tvp
