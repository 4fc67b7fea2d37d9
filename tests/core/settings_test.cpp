#include "core/settings/settings.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/common/sjis.h"

#include "core/memory_fs.h"

using namespace tvp;
using tvp::test::MemoryFileSystem;

namespace {

const std::string kPath = "C:\\acct\\tarvikp.ini";

TTVPSettings Load(const std::string& text) {
  TTVPSettings s;
  LoadSettings(IniFile(text), s);
  return s;
}

}  // namespace

TEST(Settings, DefaultFileHoldsEveryDefaultInOrder) {
  IniFile ini;
  WriteDefaultSettings(ini);
  const std::string expected =
      "[General]\r\nVersion=0.9.2\r\nIndexingMenuCaption=Namazuインデックス更新(&K)...\r\n"
      "SearchMenuCaption=Namazu検索(&F)...\r\n"
      "[Mknmz]\r\nWhen=UserOperation\r\nAsk=1\r\nShowWindow=1\r\nInDosPromptWindow=0\r\nMinimize=0\r\n"
      "CloseOnFinish=0\r\nIntervalCountMail=50\r\nNowCountMail=0\r\nUsePreviousTarget=1\r\n"
      "TargetFolderCount=0\r\nUseTempDirectory=0\r\n"
      "[Search]\r\nUsePreviousTarget=0\r\nFormulaHistoryCount=10\r\nSort=None\r\nSortDirection=Descend\r\n"
      "ShowContents=1\r\nListCount=20\r\nTargetFolderCount=0\r\n"
      "[Result]\r\nSwitchIME=0\r\nSearchOnChangeSettings=0\r\nRenameToFolderName=1\r\nCloseOnMailView=0\r\n"
      "ConfirmCommandLine=0\r\nFontNameResult=ＭＳ Ｐゴシック\r\nFontSizeResult=9\r\nFontBoldResult=0\r\n"
      "FontNameMail=ＭＳ ゴシック\r\nFontSizeMail=9\r\nFontBoldMail=0\r\nColor=1\r\nSaveWindowPos=0\r\n"
      "SaveWindowSize=0\r\n"
      "[Command]\r\nnamazuPath=C:\\namazu\\bin\\namazu.exe\r\nmknmzPath=C:\\namazu\\bin\\mknmz\r\n"
      "PerlPath=C:\\Perl\\bin\\perl.exe\r\nnamazuOption=--config=\"namazurc\"\r\n"
      "mknmzOption=--use-kakasi --mailnews -EHK --allow=\".*\\.alm\"\r\nDateOption=--early,--late\r\n"
      "Createnamazurc=1\r\nNamazuVersion=2.0\r\n"
      "[Alias]\r\nMax=0\r\n";
  EXPECT_EQ(ini.Text(), expected);
}

TEST(Settings, AbsentKeysLoadTheirOwnFallbacksNotTheDefaultFilesValues) {
  TTVPSettings s = Load("");
  EXPECT_EQ(s.mknmzOption, "-kh -KP");
  EXPECT_EQ(s.UsePreviousTarget, "0");
  EXPECT_EQ(s.namazuOption, "");
  EXPECT_EQ(s.LastDate, "???");
  EXPECT_EQ(s.IndexDir, "");
  EXPECT_EQ(s.When, "UserOperation");
  EXPECT_EQ(s.FontNameMail, "ＭＳ ゴシック");
  EXPECT_EQ(s.NamazuVersion, "2.0");
  EXPECT_EQ(s.WindowLeft, "");
  EXPECT_TRUE(s.History.size() == 10u && s.History[9].empty());
  EXPECT_TRUE(s.SearchFolders.empty());

  IniFile ini;
  WriteDefaultSettings(ini);
  LoadSettings(ini, s);
  EXPECT_EQ(s.mknmzOption, "--use-kakasi --mailnews -EHK --allow=\".*\\.alm\"");
  EXPECT_EQ(s.UsePreviousTarget, "1");
}

TEST(Settings, NumberedListsFollowTheirCounts) {
  TTVPSettings s = Load("[Search]\nFormulaHistoryCount=3\nHistory1=foo\nHistory4=ignored\n"
                        "TargetFolderCount=abc\nFolder1=0:x\n[Mknmz]\nTargetFolderCount=-2\n");
  EXPECT_EQ(s.History, (std::vector<std::string>{"foo", "", ""}));
  EXPECT_EQ(s.SearchTargetFolderCount, "abc");  // the text is kept as stored
  EXPECT_TRUE(s.SearchFolders.empty());
  EXPECT_TRUE(s.MknmzFolders.empty());
}

TEST(Settings, SaveWritesItsKeysInOrderAndNeverTheCounterOrIndexDir) {
  TTVPSettings s = Load("");
  s.NowCountMail = "77";
  s.IndexDir = "D:\\idx";
  s.MknmzTargetFolderCount = "2";
  s.MknmzFolders = {"0:郵便受け", "3:表"};
  s.FormulaHistoryCount = "2";
  s.History = {"a", "b"};
  IniFile ini("[Mknmz]\nNowCountMail=5\n[Search]\nHistory3=old\nHistory5=older\n");
  SaveSettings(ini, s);
  EXPECT_EQ(ini.Read("Mknmz", "NowCountMail"), "5");
  EXPECT_FALSE(ini.HasKey("Mknmz", "IndexDir"));
  EXPECT_FALSE(ini.HasKey("General", "Version"));
  EXPECT_EQ(ini.Read("Search", "History3"), "old");  // stale keys stay, are not loaded again
  TTVPSettings back;
  LoadSettings(ini, back);
  EXPECT_EQ(back.History, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(back.MknmzFolders, s.MknmzFolders);
  EXPECT_EQ(back.LastDate, "???");

  const std::string text = ini.Text();
  auto pos = [&](const std::string& k) { return text.find(k); };
  EXPECT_LT(pos("When="), pos("ShowWindow="));
  EXPECT_LT(pos("ShowWindow="), pos("\nAsk="));
  EXPECT_LT(pos("LastDate="), pos("Folder1=0:"));
  EXPECT_LT(pos("Folder2=3:"), pos("UseTempDirectory="));
  EXPECT_LT(pos("ListCount="), pos("[Result]"));
  EXPECT_LT(pos("WindowHeight="), pos("[Command]"));
  EXPECT_LT(pos("Createnamazurc="), pos("NamazuVersion="));
}

TEST(Settings, SaveWritesListsByTheCountFieldEvenWhenTheListIsShort) {
  TTVPSettings s = Load("");
  s.SearchTargetFolderCount = "3";
  s.SearchFolders = {"1:a"};
  IniFile ini;
  SaveSettings(ini, s);
  EXPECT_EQ(ini.Read("Search", "Folder1"), "1:a");
  EXPECT_TRUE(ini.HasKey("Search", "Folder3"));
  EXPECT_EQ(ini.Read("Search", "Folder3", "absent"), "");
}

TEST(Settings, EnsureWritesTheDefaultFileOnlyWhenMissing) {
  MemoryFileSystem fs;
  TTVPSettings s;
  EnsureSettings(fs, kPath, s);
  EXPECT_EQ(IniFile(fs.Contents(kPath)).Read("General", "Version"), "0.9.2");
  EXPECT_EQ(s.mknmzOption, "--use-kakasi --mailnews -EHK --allow=\".*\\.alm\"");

  fs.AddFile(kPath, "[Mknmz]\nWhen=StartUp\n");
  EnsureSettings(fs, kPath, s);
  EXPECT_EQ(fs.Contents(kPath), "[Mknmz]\nWhen=StartUp\n");
}

TEST(Settings, SaveOfUnchangedSettingsDoesNotRewriteTheFile) {
  MemoryFileSystem fs;
  WriteDefaultSettings(fs, kPath);
  TTVPSettings s;
  LoadSettings(fs, kPath, s);
  SaveSettings(fs, kPath, s);
  int writes = fs.writes;
  SaveSettings(fs, kPath, s);
  EXPECT_EQ(fs.writes, writes);
}

TEST(Settings, MailCounterIsRaisedAndResetInPlace) {
  MemoryFileSystem fs;
  fs.AddFile(kPath, "[Mknmz]\r\nNowCountMail=abc\r\nOther=1\r\n[Junk]\r\n\x01\x02\r\n");
  IncrementMailCount(fs, kPath);
  IncrementMailCount(fs, kPath);
  IncrementMailCount(fs, kPath);
  EXPECT_EQ(fs.Contents(kPath), "[Mknmz]\r\nNowCountMail=3\r\nOther=1\r\n[Junk]\r\n\x01\x02\r\n");
  SetMailCount(fs, kPath, 0);
  EXPECT_EQ(IniFile(fs.Contents(kPath)).Read("Mknmz", "NowCountMail"), "0");
}

TEST(Settings, AFailedWriteReachesTheCallerAndLeavesTheFile) {
  MemoryFileSystem fs;
  fs.AddFile(kPath, "[Mknmz]\nNowCountMail=4\n");
  fs.failWrites = true;
  EXPECT_THROW(SetMailCount(fs, kPath, 0), FileError);
  EXPECT_EQ(fs.Contents(kPath), "[Mknmz]\nNowCountMail=4\n");
}

TEST(Settings, GarbageFileLoadsAndKeepsItsLinesWhenSaved) {
  std::string garbage = std::string("\xff\xfe") + '\0' +
                        "\x01[Search\n=\n==\n[Search]\r\nFormulaHistoryCount=99999999999\r"
                        "History1=\x82\n[Search]\nSort=Later\n";
  MemoryFileSystem fs;
  fs.AddFile(kPath, garbage);
  TTVPSettings s;
  LoadSettings(fs, kPath, s);
  EXPECT_TRUE(s.History.empty());  // count not a number -> 0
  EXPECT_EQ(s.Sort, "None");       // the duplicate section is not read
  SaveSettings(fs, kPath, s);
  std::string after = fs.Contents(kPath);
  EXPECT_EQ(after.compare(0, 16, garbage, 0, 16), 0);
  EXPECT_NE(after.find("[Search]\nSort=Later\n"), std::string::npos);
}

// A file that exists but cannot be read is never taken for an empty one:
// nothing is written over it and loading does not make up defaults.
TEST(Settings, AFileThatCannotBeReadIsNeverWrittenOver) {
  const std::string text = "[Alias]\r\nMax=1\r\n[Mknmz]\r\nNowCountMail=3\r\nIndexDir=D:\\idx\r\n";
  struct Op {
    const char* name;
    std::function<void(MemoryFileSystem&)> run;
  };
  TTVPSettings s;
  const Op ops[] = {
      {"count a mail", [](MemoryFileSystem& fs) { IncrementMailCount(fs, kPath); }},
      {"reset the count", [](MemoryFileSystem& fs) { SetMailCount(fs, kPath, 0); }},
      {"save", [&](MemoryFileSystem& fs) { SaveSettings(fs, kPath, s); }},
      {"write defaults", [](MemoryFileSystem& fs) { WriteDefaultSettings(fs, kPath); }},
      {"load", [&](MemoryFileSystem& fs) { LoadSettings(fs, kPath, s); }},
  };
  for (const Op& op : ops) {
    SCOPED_TRACE(op.name);
    MemoryFileSystem fs;
    fs.AddFile(kPath, text);
    fs.failReads = true;
    s.IndexDir = "unchanged";
    EXPECT_THROW(op.run(fs), FileReadError);
    EXPECT_EQ(fs.writes, 0);
    EXPECT_EQ(s.IndexDir, "unchanged");
    fs.failReads = false;
    EXPECT_EQ(fs.Contents(kPath), text);
  }
}

TEST(Settings, TheMailCountStopsAtItsLargestValue) {
  const std::pair<const char*, const char*> cases[] = {
      {"2147483646", "2147483647"}, {"2147483647", "2147483647"}, {"99999999999", "2147483647"},
      {"abc", "1"}, {"", "1"}, {"-5", "-4"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    MemoryFileSystem fs;
    fs.AddFile(kPath, std::string("[Mknmz]\r\nNowCountMail=") + c.first + "\r\n");
    IncrementMailCount(fs, kPath);
    EXPECT_EQ(IniFile(fs.Contents(kPath)).Read("Mknmz", "NowCountMail"), c.second);
  }
}

TEST(Settings, ListCountsFromTheFileAreBounded) {
  const std::pair<const char*, size_t> cases[] = {
      {"2000000000", static_cast<size_t>(kMaxListEntries)}, {"-3", 0}, {"x", 0}, {"30000", 30000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    TTVPSettings s = Load(std::string("[Search]\r\nFormulaHistoryCount=") + c.first + "\r\nHistory2=b\r\n");
    EXPECT_EQ(s.History.size(), c.second);
    if (c.second >= 2) {
      EXPECT_EQ(s.History[1], "b");
    }
    if (c.second == 0) continue;
    IniFile ini;
    SaveSettings(ini, s);
    EXPECT_EQ(ini.Read("Search", "FormulaHistoryCount"), std::to_string(c.second));
    EXPECT_TRUE(ini.HasKey("Search", "History" + std::to_string(c.second)));
    EXPECT_FALSE(ini.HasKey("Search", "History" + std::to_string(c.second + 1)));
  }
}

// The earlier defaults listed the newest mail first for 古い順: read as
// today's defaults and written back so; a value of the user's own stays.
TEST(Settings, TheEarlierDateOptionDefaultsReadAsTodaysAndAreSavedSo) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"--late,--early", "--early,--late"}, {"-l,-e", "-e,-l"}, {"--late", "--late"},
      {"--late,--early,x", "--late,--early,x"}, {"--sort=field:Date --ascending,--sort=field:Date --descending",
                                                 "--sort=field:Date --ascending,--sort=field:Date --descending"}};
  for (const auto& [stored, used] : cases) {
    MemoryFileSystem fs;
    fs.AddFile(kPath, "[Command]\r\nDateOption=" + stored + "\r\n");
    TTVPSettings s;
    LoadSettings(fs, kPath, s);
    EXPECT_EQ(s.DateOption, used) << stored;
    SaveSettings(fs, kPath, s);
    EXPECT_EQ(ReadIniFile(fs, kPath).Read("Command", "DateOption"), used) << stored;
  }
  EXPECT_EQ(Load("").DateOption, "--early,--late");
}
