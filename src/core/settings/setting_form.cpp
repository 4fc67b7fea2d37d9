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

// The check boxes and their keys: a box is on exactly when its key holds
// the "on" value, and writes "on" or "off" back.
const struct CheckBoxKey {
  bool TSettingFields::*box;
  std::string TTVPSettings::*key;
  const char *on, *off;
} kCheckBoxKeys[] = {
    {&TSettingFields::ForceIndexing, &TTVPSettings::Ask, "0", "1"},
    {&TSettingFields::ExitIndexingOnFinish, &TTVPSettings::CloseOnFinish, "1", "0"},
    {&TSettingFields::ExitSearchOnMailView, &TTVPSettings::CloseOnMailView, "1", "0"},
    {&TSettingFields::SearchOnChangeSettings, &TTVPSettings::SearchOnChangeSettings, "1", "0"},
    {&TSettingFields::RenameToFolderName, &TTVPSettings::RenameToFolderName, "1", "0"},
    {&TSettingFields::ConfirmCommandLine, &TTVPSettings::ConfirmCommandLine, "1", "0"},
    {&TSettingFields::SwitchIME, &TTVPSettings::SwitchIME, "1", "0"},
    {&TSettingFields::HighlightWords, &TTVPSettings::HighlightWords, "1", "0"},
    {&TSettingFields::ShowWindow, &TTVPSettings::ShowWindow, "1", "0"},
    {&TSettingFields::InDosWindow, &TTVPSettings::InDosPromptWindow, "1", "0"},
    {&TSettingFields::Minimize, &TTVPSettings::Minimize, "1", "0"},
    {&TSettingFields::UseTempDirectory, &TTVPSettings::UseTempDirectory, "1", "0"},
    {&TSettingFields::DontCreateNamazurc, &TTVPSettings::Createnamazurc, "0", "1"},
};

}  // namespace

TSettingFields SettingFieldsOf(const TTVPSettings& s) {
  TSettingFields f;
  f.When = TimingOf(s.When);
  f.NumberOfMail = std::clamp(ToIntDef(s.IntervalCountMail, kMailIntervalFallback), kMailIntervalMin, kMailIntervalMax);
  for (const CheckBoxKey& c : kCheckBoxKeys) f.*c.box = s.*c.key == c.on;
  f.NamazuOption = s.namazuOption;
  f.MknmzOption = s.mknmzOption;
  f.DateOption = s.DateOption;
  f.IndexingMenu = s.IndexingMenuCaption;
  f.NamazuMenu = s.SearchMenuCaption;
  f.PerlPath = s.PerlPath;
  f.MknmzPath = s.mknmzPath;
  f.NamazuPath = s.namazuPath;
  return f;
}

bool ApplySettingFields(const TSettingFields& f, TTVPSettings& s) {
  std::string when = WhenText(f.When);
  bool whenChanged = when != s.When;
  s.When = when;
  if (whenChanged) s.NowCountMail = "0";
  s.IntervalCountMail = std::to_string(std::clamp(f.NumberOfMail, kMailIntervalMin, kMailIntervalMax));
  for (const CheckBoxKey& c : kCheckBoxKeys) s.*c.key = f.*c.box ? c.on : c.off;
  s.mknmzOption = Trim(f.MknmzOption);
  s.namazuOption = Trim(f.NamazuOption);
  s.DateOption = Trim(f.DateOption);
  s.IndexingMenuCaption = f.IndexingMenu;
  s.SearchMenuCaption = f.NamazuMenu;
  s.PerlPath = f.PerlPath;
  s.mknmzPath = f.MknmzPath;
  s.namazuPath = f.NamazuPath;
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
