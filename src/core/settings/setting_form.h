// The settings dialog without its window: what each control shows for a
// settings record, what OK writes back, the defaults buttons and the
// command-line help commands.
#pragma once

#include <string>
#include <vector>

#include "core/settings/settings.h"

namespace tvp {

// The radio buttons of [Mknmz] When.
enum class UpdateTiming { StartUp, CleanUp, UserOperation };

// The up-down of [Mknmz] IntervalCountMail.
constexpr int kMailIntervalMin = 0, kMailIntervalMax = 200;
constexpr int kMailIntervalFallback = 30;  // shown when the stored text is not a number

// One value per control of the dialog, named after the control.
struct TSettingFields {
  UpdateTiming When = UpdateTiming::UserOperation;
  int NumberOfMail = kMailIntervalFallback;
  bool ForceIndexing = false, ExitIndexingOnFinish = false;
  bool ExitSearchOnMailView = false, SearchOnChangeSettings = false, RenameToFolderName = false,
       ConfirmCommandLine = false, SwitchIME = false, HighlightWords = false;
  std::string NamazuOption, MknmzOption, DateOption;
  bool ShowWindow = false, InDosWindow = false, Minimize = false;
  std::string IndexingMenu, NamazuMenu;
  std::string PerlPath, MknmzPath, NamazuPath;
  bool UseTempDirectory = false, DontCreateNamazurc = false;
};

// What the controls show for a loaded record: When compared in lower case,
// a check box on exactly when its key holds the "on" value.
TSettingFields SettingFieldsOf(const TTVPSettings& s);

// Writes the fields into the record as OK does: the three option fields
// trimmed, captions and paths as typed. When the text of When changes (case
// counts), NowCountMail becomes "0" and the result is true: the caller must
// then also set the counter in the file, which the save never writes.
bool ApplySettingFields(const TSettingFields& f, TTVPSettings& s);

// The date option choices of the combo box; the first is the default.
std::vector<std::string> DateOptionChoices();

// One command-line help command and the directory it runs in.
struct HelpCommand {
  std::string commandLine, workDir;
};

// The help commands for the paths in the fields: mknmz --help and -C, then
// namazu --help (Namazu 2); mknmz -v, then namazu -v (Namazu 1.3). Each runs
// in the directory of the program it names.
std::vector<HelpCommand> HelpCommands(const std::string& namazuVersion, const std::string& perlPath,
                                      const std::string& mknmzPath, const std::string& namazuPath);

}  // namespace tvp
