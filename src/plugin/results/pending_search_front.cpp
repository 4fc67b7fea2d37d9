#include "plugin/results/pending_search_front.h"

namespace tvp {

int (*g_pendingSearchDialog)(HWND, HWND, TTVPSearchInfo&) = nullptr;

int ShowSearchDialog(HWND hostWindow, HWND ownerWindow, TTVPSearchInfo& request) {
  return g_pendingSearchDialog ? g_pendingSearchDialog(hostWindow, ownerWindow, request) : 2;
}

void ShowAboutBox(HWND) {}

}  // namespace tvp
