// Stand-ins for the search dialog and the About box until they land (their
// real headers are plugin/search/frm_search.h and plugin/about/frm_about.h).
#pragma once

#include <windows.h>

#include "core/search/search_exec.h"

namespace tvp {

// The search dialog: edits `request`; 1 when the user chose OK.
int ShowSearchDialog(HWND hostWindow, HWND ownerWindow, TTVPSearchInfo& request);
// The About box, modal over `window`.
void ShowAboutBox(HWND window);

// Test hook of the stand-in search dialog: when set, ShowSearchDialog calls it.
extern int (*g_pendingSearchDialog)(HWND hostWindow, HWND ownerWindow, TTVPSearchInfo& request);

}  // namespace tvp
