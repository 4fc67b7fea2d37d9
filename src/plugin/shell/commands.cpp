#include "plugin/shell/commands.h"

#include "plugin/about/frm_about.h"
#include "plugin/indexing/frm_mknmz.h"
#include "plugin/search/frm_search.h"
#include "plugin/ui/ui_seam.h"

namespace tvp {

namespace {
void NotAvailableYet(HWND window) {
  Ui().MessageBox(window, "この機能はまだ使えません。", "Tarvik for Namazu", MB_OK | MB_ICONINFORMATION);
}

// The search dialog over the host window with an empty request. (The result
// window follows the dialog once it exists.)
void SearchCommand(HWND window) {
  TTVPSearchInfo request;
  ShowSearchDialog(window, window, request);
}
}  // namespace

CommandSet& Commands() {
  static CommandSet commands = {ShowIndexUpdateDialog, SearchCommand, NotAvailableYet, ShowAboutBox};
  return commands;
}

}  // namespace tvp
