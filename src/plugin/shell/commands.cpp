#include "plugin/shell/commands.h"

#include "plugin/indexing/frm_mknmz.h"
#include "plugin/results/frm_result.h"
#include "plugin/settings/frm_setting.h"
#include "plugin/ui/ui_seam.h"

namespace tvp {

namespace {
void NotAvailableYet(HWND window) {
  Ui().MessageBox(window, "この機能はまだ使えません。", "Tarvik for Namazu", MB_OK | MB_ICONINFORMATION);
}
}  // namespace

CommandSet& Commands() {
  static CommandSet commands = {ShowIndexUpdateDialog, SearchCommand, ShowSettingDialog, NotAvailableYet};
  return commands;
}

}  // namespace tvp
