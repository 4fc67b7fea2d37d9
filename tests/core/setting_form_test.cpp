#include "core/settings/setting_form.h"

#include <gtest/gtest.h>

using namespace tvp;

namespace {

TTVPSettings Load(const std::string& text) {
  TTVPSettings s;
  LoadSettings(IniFile(text), s);
  return s;
}

}  // namespace

TEST(SettingForm, WhenIsComparedInLowerCaseAndStoredInItsOwnSpelling) {
  const struct {
    const char* stored;
    UpdateTiming shown;
    const char* saved;
    bool counterReset;
  } cases[] = {
      {"startup", UpdateTiming::StartUp, "StartUp", true},
      {"StartUp", UpdateTiming::StartUp, "StartUp", false},
      {"CLEANUP", UpdateTiming::CleanUp, "CleanUp", true},
      {"UserOperation", UpdateTiming::UserOperation, "UserOperation", false},
      {"never", UpdateTiming::UserOperation, "UserOperation", true},
  };
  for (const auto& c : cases) {
    TTVPSettings s = Load(std::string("[Mknmz]\nWhen=") + c.stored + "\nNowCountMail=17\n");
    TSettingFields f = SettingFieldsOf(s);
    EXPECT_EQ(f.When, c.shown) << c.stored;
    EXPECT_EQ(ApplySettingFields(f, s), c.counterReset) << c.stored;
    EXPECT_EQ(s.When, c.saved);
    EXPECT_EQ(s.NowCountMail, c.counterReset ? "0" : "17") << c.stored;
  }
}

TEST(SettingForm, MailIntervalFallsBackTo30AndStaysWithinTheUpDownRange) {
  const struct {
    const char *stored, *saved;
    int shown;
  } cases[] = {{"abc", "30", 30}, {"", "30", 30}, {"7", "7", 7}, {"0", "0", 0}, {"500", "200", 200}, {"-3", "0", 0}};
  for (const auto& c : cases) {
    TTVPSettings s = Load(std::string("[Mknmz]\nIntervalCountMail=") + c.stored + "\n");
    TSettingFields f = SettingFieldsOf(s);
    EXPECT_EQ(f.NumberOfMail, c.shown) << c.stored;
    ApplySettingFields(f, s);
    EXPECT_EQ(s.IntervalCountMail, c.saved) << c.stored;
  }
}

// Each check box is on exactly for its "on" value; anything else shows off
// and is stored back as the "off" value.
TEST(SettingForm, CheckBoxesAreOnOnlyForTheirOnValue) {
  const struct {
    const char* section;
    const char* key;
    bool TSettingFields::*box;
    std::string TTVPSettings::*field;
    const char *on, *off;
  } cases[] = {
      {"Mknmz", "Ask", &TSettingFields::ForceIndexing, &TTVPSettings::Ask, "0", "1"},
      {"Mknmz", "CloseOnFinish", &TSettingFields::ExitIndexingOnFinish, &TTVPSettings::CloseOnFinish, "1", "0"},
      {"Mknmz", "ShowWindow", &TSettingFields::ShowWindow, &TTVPSettings::ShowWindow, "1", "0"},
      {"Mknmz", "InDosPromptWindow", &TSettingFields::InDosWindow, &TTVPSettings::InDosPromptWindow, "1", "0"},
      {"Mknmz", "Minimize", &TSettingFields::Minimize, &TTVPSettings::Minimize, "1", "0"},
      {"Mknmz", "UseTempDirectory", &TSettingFields::UseTempDirectory, &TTVPSettings::UseTempDirectory, "1", "0"},
      {"Result", "CloseOnMailView", &TSettingFields::ExitSearchOnMailView, &TTVPSettings::CloseOnMailView, "1", "0"},
      {"Result", "SearchOnChangeSettings", &TSettingFields::SearchOnChangeSettings,
       &TTVPSettings::SearchOnChangeSettings, "1", "0"},
      {"Result", "RenameToFolderName", &TSettingFields::RenameToFolderName, &TTVPSettings::RenameToFolderName, "1", "0"},
      {"Result", "ConfirmCommandLine", &TSettingFields::ConfirmCommandLine, &TTVPSettings::ConfirmCommandLine, "1", "0"},
      {"Result", "SwitchIME", &TSettingFields::SwitchIME, &TTVPSettings::SwitchIME, "1", "0"},
      {"Result", "HighlightWords", &TSettingFields::HighlightWords, &TTVPSettings::HighlightWords, "1", "0"},
      {"Command", "Createnamazurc", &TSettingFields::DontCreateNamazurc, &TTVPSettings::Createnamazurc, "0", "1"},
  };
  for (const auto& c : cases) {
    for (const char* stored : {c.on, c.off, "2"}) {
      TTVPSettings s = Load(std::string("[") + c.section + "]\n" + c.key + "=" + stored + "\n");
      TSettingFields f = SettingFieldsOf(s);
      bool on = std::string(stored) == c.on;
      EXPECT_EQ(f.*c.box, on) << c.key << "=" << stored;
      ApplySettingFields(f, s);
      EXPECT_EQ(s.*c.field, on ? c.on : c.off) << c.key << "=" << stored;
    }
  }
}

TEST(SettingForm, OkTrimsTheOptionsOnlyAndLeavesKeysWithoutAControl) {
  TTVPSettings s = Load("[Command]\nNamazuVersion=1.3\n[Mknmz]\nIndexDir=D:\\idx\\\nLastDate=2024/01/02 03:04\n");
  s.History = {"a", "b"};
  TTVPSettings before = s;
  TSettingFields f = SettingFieldsOf(s);
  f.MknmzOption = "  -kh -P  ";
  f.NamazuOption = "\t-s ";
  f.DateOption = " -l,-e ";
  f.IndexingMenu = " 索引(&K) ";
  f.NamazuMenu = " 検索 ";
  f.PerlPath = " C:\\Perl\\bin\\perl.exe ";
  f.MknmzPath = "";
  f.NamazuPath = "namazu.exe  ";
  ApplySettingFields(f, s);
  EXPECT_EQ(s.mknmzOption, "-kh -P");
  EXPECT_EQ(s.namazuOption, "-s");
  EXPECT_EQ(s.DateOption, "-l,-e");
  EXPECT_EQ(s.IndexingMenuCaption, " 索引(&K) ");
  EXPECT_EQ(s.SearchMenuCaption, " 検索 ");
  EXPECT_EQ(s.PerlPath, " C:\\Perl\\bin\\perl.exe ");
  EXPECT_EQ(s.mknmzPath, "");
  EXPECT_EQ(s.namazuPath, "namazu.exe  ");
  EXPECT_EQ(s.NamazuVersion, before.NamazuVersion);
  EXPECT_EQ(s.IndexDir, before.IndexDir);
  EXPECT_EQ(s.LastDate, before.LastDate);
  EXPECT_EQ(s.History, before.History);
  EXPECT_EQ(s.FontNameResult, before.FontNameResult);
}

TEST(SettingForm, DefaultsFollowTheNamazuVersion) {
  CommandDefaults v13 = DefaultCommands("1.3");
  EXPECT_EQ(v13.PerlPath, "C:\\Perl\\bin\\perl.exe");
  EXPECT_EQ(v13.mknmzPath, "C:\\usr\\local\\namazu\\bin\\mknmz");
  EXPECT_EQ(v13.namazuPath, "C:\\usr\\local\\namazu\\bin\\namazu.exe");
  EXPECT_EQ(v13.mknmzOption, "-kh -P -t \".*\\.alm\"");
  EXPECT_EQ(v13.namazuOption, "");
  EXPECT_EQ(v13.DateOption, "-e,-l");
  // Namazu 2 (any version text but "1.3"): what a new settings file holds.
  TTVPSettings fresh;
  IniFile ini;
  WriteDefaultSettings(ini);
  LoadSettings(ini, fresh);
  for (const char* version : {"2.0", "1.30", ""}) {
    CommandDefaults v2 = DefaultCommands(version);
    EXPECT_EQ(v2.PerlPath, fresh.PerlPath);
    EXPECT_EQ(v2.mknmzPath, fresh.mknmzPath);
    EXPECT_EQ(v2.namazuPath, fresh.namazuPath);
    EXPECT_EQ(v2.mknmzOption, fresh.mknmzOption);
    EXPECT_EQ(v2.namazuOption, fresh.namazuOption);
    EXPECT_EQ(v2.DateOption, fresh.DateOption);
    EXPECT_EQ(v2.DateOption, DateOptionChoices().front());
  }
}

TEST(SettingForm, HelpCommandsQuoteTheFieldsAndRunInTheProgramsDirectories) {
  std::vector<HelpCommand> v2 = HelpCommands("2.0", "C:\\Perl\\bin\\perl.exe", "D:\\nmz\\bin\\mknmz", "E:\\namazu.exe");
  ASSERT_EQ(v2.size(), 3u);
  EXPECT_EQ(v2[0].commandLine, "\"C:\\Perl\\bin\\perl.exe\" \"D:\\nmz\\bin\\mknmz\" --help");
  EXPECT_EQ(v2[1].commandLine, "\"C:\\Perl\\bin\\perl.exe\" \"D:\\nmz\\bin\\mknmz\" -C");
  EXPECT_EQ(v2[2].commandLine, "\"E:\\namazu.exe\" --help");
  EXPECT_EQ(v2[0].workDir, "D:\\nmz\\bin");
  EXPECT_EQ(v2[1].workDir, "D:\\nmz\\bin");
  EXPECT_EQ(v2[2].workDir, "E:\\");

  std::vector<HelpCommand> v13 = HelpCommands("1.3", "perl", "C:\\表\\mknmz", "");
  ASSERT_EQ(v13.size(), 2u);
  EXPECT_EQ(v13[0].commandLine, "\"perl\" \"C:\\表\\mknmz\" -v");
  EXPECT_EQ(v13[0].workDir, "C:\\表");
  EXPECT_EQ(v13[1].commandLine, "\"\" -v");
  EXPECT_EQ(v13[1].workDir, "");
}
