#include "plugin/shell/commands.h"

#include "plugin/about/frm_about.h"
#include "plugin/indexing/frm_mknmz.h"
#include "plugin/results/frm_result.h"
#include "plugin/settings/frm_setting.h"

namespace tvp {

CommandSet& Commands() {
  static CommandSet commands = {ShowIndexUpdateDialog, SearchCommand, ShowSettingDialog, ShowAboutBox};
  return commands;
}

}  // namespace tvp
