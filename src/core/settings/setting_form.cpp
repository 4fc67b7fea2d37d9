#include "core/settings/setting_form.h"

#include <algorithm>

#include "core/common/sjis.h"
#include "core/indexing/paths.h"

namespace tvp {

namespace {

const char kStartUp[] = "StartUp";
const char kCleanUp[] = "CleanUp";
const char kUserOperation[] = "UserOperation";

UpdateTiming TimingOf(const std::string& when) {
  std::string w = LowerAscii(when);
  if (w == "startup") return UpdateTiming::StartUp;
  if (w == "cleanup") return UpdateTiming::CleanUp;
  return UpdateTiming::UserOperation;
}

const char* WhenText(UpdateTiming timing) {
  switch (timing) {
    case UpdateTiming::StartUp: return kStartUp;
    case UpdateTiming::CleanUp: return kCleanUp;
    default: return kUserOperation;
  }
}

const char* Switch(bool on) { return on ? "1" : "0"; }

}  // namespace

TSettingFields SettingFieldsOf(const TTVPSettings& s) {
  TSettingFields f;
  f.When = TimingOf(s.When);
  f.NumberOfMail = std::clamp(ToIntDef(s.IntervalCountMail, kMailIntervalFallback), kMailIntervalMin, kMailIntervalMax);
  f.ForceIndexing = s.Ask == "0";
  f.ExitIndexingOnFinish = s.CloseOnFinish == "1";
  f.ExitSearchOnMailView = s.CloseOnMailView == "1";
  f.SearchOnChangeSettings = s.SearchOnChangeSettings == "1";
  f.RenameToFolderName = s.RenameToFolderName == "1";
  f.ConfirmCommandLine = s.ConfirmCommandLine == "1";
  f.SwitchIME = s.SwitchIME == "1";
  f.HighlightWords = s.HighlightWords == "1";
  f.NamazuOption = s.namazuOption;
  f.MknmzOption = s.mknmzOption;
  f.DateOption = s.DateOption;
  f.ShowWindow = s.ShowWindow == "1";
  f.InDosWindow = s.InDosPromptWindow == "1";
  f.Minimize = s.Minimize == "1";
  f.IndexingMenu = s.IndexingMenuCaption;
  f.NamazuMenu = s.SearchMenuCaption;
  f.PerlPath = s.PerlPath;
  f.MknmzPath = s.mknmzPath;
  f.NamazuPath = s.namazuPath;
  f.UseTempDirectory = s.UseTempDirectory == "1";
  f.DontCreateNamazurc = s.Createnamazurc == "0";
  return f;
}

bool ApplySettingFields(const TSettingFields& f, TTVPSettings& s) {
  std::string when = WhenText(f.When);
  bool whenChanged = when != s.When;
  s.When = when;
  if (whenChanged) s.NowCountMail = "0";
  s.IntervalCountMail = std::to_string(std::clamp(f.NumberOfMail, kMailIntervalMin, kMailIntervalMax));
  s.Ask = Switch(!f.ForceIndexing);
  s.CloseOnFinish = Switch(f.ExitIndexingOnFinish);
  s.SwitchIME = Switch(f.SwitchIME);
  s.HighlightWords = Switch(f.HighlightWords);
  s.SearchOnChangeSettings = Switch(f.SearchOnChangeSettings);
  s.RenameToFolderName = Switch(f.RenameToFolderName);
  s.CloseOnMailView = Switch(f.ExitSearchOnMailView);
  s.ConfirmCommandLine = Switch(f.ConfirmCommandLine);
  s.mknmzOption = Trim(f.MknmzOption);
  s.namazuOption = Trim(f.NamazuOption);
  s.DateOption = Trim(f.DateOption);
  s.ShowWindow = Switch(f.ShowWindow);
  s.InDosPromptWindow = Switch(f.InDosWindow);
  s.Minimize = Switch(f.Minimize);
  s.IndexingMenuCaption = f.IndexingMenu;
  s.SearchMenuCaption = f.NamazuMenu;
  s.PerlPath = f.PerlPath;
  s.mknmzPath = f.MknmzPath;
  s.namazuPath = f.NamazuPath;
  s.UseTempDirectory = Switch(f.UseTempDirectory);
  s.Createnamazurc = Switch(!f.DontCreateNamazurc);
  return whenChanged;
}

std::vector<std::string> DateOptionChoices() {
  return {DefaultCommands("").DateOption, "--sort=field:Date --ascending,--sort=field:Date --descending"};
}

std::vector<HelpCommand> HelpCommands(const std::string& namazuVersion, const std::string& perlPath,
                                      const std::string& mknmzPath, const std::string& namazuPath) {
  std::string mknmz = "\"" + perlPath + "\" \"" + mknmzPath + "\" ";
  std::string namazu = "\"" + namazuPath + "\" ";
  std::string mknmzDir = ExtractFileDir(mknmzPath), namazuDir = ExtractFileDir(namazuPath);
  if (IsNamazu13(namazuVersion)) return {{mknmz + "-v", mknmzDir}, {namazu + "-v", namazuDir}};
  return {{mknmz + "--help", mknmzDir}, {mknmz + "-C", mknmzDir}, {namazu + "--help", namazuDir}};
}

}  // namespace tvp
