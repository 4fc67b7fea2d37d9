#include "core/indexing/mknmz.h"

#include <gtest/gtest.h>

using namespace tvp;

namespace {

TTVPSettings Settings(const std::string& version) {
  TTVPSettings s;
  s.PerlPath = "C:\\Perl\\bin\\perl.exe";
  s.mknmzPath = "C:\\namazu\\bin\\mknmz";
  s.mknmzOption = "--mailnews";
  s.NamazuVersion = version;
  return s;
}

std::vector<TFolderInfo> Tree() {
  // 0 inbox, 1 group (level 0), 2 child, 3 grandchild group, 4 great-grandchild, 5 top-level folder
  return {{1, "郵便受け", "c:\\a\\inbox.box\\", "", 0}, {2, "ソフト", "c:\\a\\user002.box\\", "", 0},
          {1, "表計算", "c:\\a\\user002.box\\user001.box\\", "", 1},
          {2, "過去", "c:\\a\\user002.box\\user002.box\\", "", 1},
          {1, "2024", "c:\\a\\user002.box\\user002.box\\user001.box\\", "", 2},
          {1, "会議録", "c:\\a\\user003.box\\", "", 0}};
}

}  // namespace

TEST(MknmzCommand, Namazu2RunsInTheFolderAndMapsTheAccountToAccountSlash) {
  MknmzCommand c = MknmzCommandFor(Settings("2.0"), "C:\\AM\\acc\\NAMAZU~1\\INBOX", "c:\\am\\acc\\inbox.box\\",
                                   "C:\\AM\\acc\\", 0, true);
  EXPECT_EQ(c.commandLine,
            "\"C:\\Perl\\bin\\perl.exe\" \"C:\\namazu\\bin\\mknmz\" --mailnews "
            "--output-dir=\"C:\\AM\\acc\\NAMAZU~1\\INBOX\" --replace=\"s#C:/AM/acc/#account/#i\" .");
  EXPECT_EQ(c.workDir, "c:\\am\\acc\\inbox.box\\");
  // What Perl would take as syntax in the account path is escaped, per byte
  // (the trail byte of 「ソ」 and 「表」 too).
  c = MknmzCommandFor(Settings("2.0"), "D", "c:\\a\\inbox.box\\", "C:\\Program Files (x86)\\#1 @a$b [c]{d}+^\\ソ表.v\\", 0,
                      false);
  EXPECT_NE(c.commandLine.find(" --replace=\"s#C:/Program Files \\(x86\\)/\\#1 \\@a\\$b \\[c\\]\\{d\\}\\+\\^/ソ\\表\\.v/"
                               "#account/#i\" ."),
            std::string::npos)
      << c.commandLine;
  // Any version text but exactly "1.3" is Namazu 2; an empty option leaves its blank.
  TTVPSettings s = Settings("1.30");
  s.mknmzOption = "";
  c = MknmzCommandFor(s, "D", "c:\\a\\表.box\\", "C:\\A\\", 0, false);
  EXPECT_EQ(c.commandLine, "\"C:\\Perl\\bin\\perl.exe\" \"C:\\namazu\\bin\\mknmz\"  --output-dir=\"D\" "
                           "--replace=\"s#C:/A/#account/#i\" .");
}

TEST(MknmzCommand, Namazu13NamesTheRelativeFolderAndTheFolderWithTwoBlanks) {
  MknmzCommand c = MknmzCommandFor(Settings("1.3"), "C:\\A\\NAMAZU\\B002\\B001", "c:\\a\\user002.box\\user001.box\\",
                                   "C:\\A\\", 0, true);
  EXPECT_EQ(c.commandLine,
            "\"C:\\Perl\\bin\\perl.exe\" \"C:\\namazu\\bin\\mknmz\" --mailnews -O \"C:\\A\\NAMAZU\\B002\\B001\" "
            "\"account/user002.box/user001.box/\"  \"c:\\a\\user002.box\\user001.box\"");
  EXPECT_EQ(c.workDir, "c:\\a\\user002.box\\user001.box\\");
}

TEST(MknmzCommand, Namazu13WithAMappedDriveNamesTheFolderOnThatDrive) {
  std::string folder = "c:\\a\\user002.box\\能登.box\\";
  MknmzCommand c = MknmzCommandFor(Settings("1.3"), "D", folder, "C:\\A\\", 'K', true);
  EXPECT_EQ(c.commandLine, "\"C:\\Perl\\bin\\perl.exe\" \"C:\\namazu\\bin\\mknmz\" --mailnews -t \".*\\.alm\" -O \"D\" "
                           "\"account/user002.box/能登.box/\" \"K:\\能登.box\"");
  EXPECT_EQ(c.workDir, "K:\\");
  EXPECT_EQ(MknmzCommandFor(Settings("1.3"), "D", folder, "C:\\A\\", 'K', false).workDir, folder);
  EXPECT_EQ(SubstCommand('K', folder), "COMMAND.COM /C SUBST K: c:\\a\\user002.box");
  EXPECT_EQ(SubstRemoveCommand('K'), "COMMAND.COM /C SUBST K: /D");
}

TEST(MknmzCommand, DriveMappingOnlyFor13OutsideNtWithLongPaths) {
  std::string longDir(61, 'x'), shortDir(60, 'x');
  EXPECT_TRUE(NeedsDriveMapping("1.3", false, longDir));
  EXPECT_FALSE(NeedsDriveMapping("1.3", false, shortDir));
  EXPECT_FALSE(NeedsDriveMapping("1.3", true, longDir));
  EXPECT_FALSE(NeedsDriveMapping("2.0", false, longDir));
}

TEST(MknmzTargets, StoredAsPositionAndTitleOfTickedMailFoldersOnly) {
  auto folders = Tree();
  Ticks ticks = {true, true, false, true, true, false};
  EXPECT_EQ(StoredTargets(folders, ticks), (std::vector<std::string>{"0:郵便受け", "4:2024"}));
}

TEST(MknmzTargets, RestoringTicksOnlyEntriesWhoseTitleStillMatches) {
  auto folders = Tree();
  RestoredTargets r = RestoreTargets(folders, {"0:郵便受け", "2:違う名前", "5:会議録", "9:会議録", "x:表計算", ":ソフト"});
  EXPECT_EQ(r.ticks, (Ticks{true, false, false, false, false, true}));
  EXPECT_TRUE(r.saveTarget);
  // Titles may hold colons: only the first one separates.
  folders[2].Title = "a:b";
  EXPECT_TRUE(RestoreTargets(folders, {"2:a:b"}).ticks[2]);
  // Nothing with a position part: the save box stays unticked.
  r = RestoreTargets(folders, {":郵便受け", "", "no colon"});
  EXPECT_FALSE(r.saveTarget);
  EXPECT_EQ(r.ticks, Ticks(6, false));
  r = RestoreTargets(folders, {"3:違う"});
  EXPECT_TRUE(r.saveTarget);
}

TEST(MknmzTargets, AGroupPassesItsTickToDeeperItemsOnly) {
  auto folders = Tree();
  Ticks ticks(6, false);
  ticks[1] = true;
  TickGroup(folders, ticks, 1);
  EXPECT_EQ(ticks, (Ticks{false, true, true, true, true, false}));
  ticks[3] = false;
  TickGroup(folders, ticks, 3);
  EXPECT_EQ(ticks, (Ticks{false, true, true, false, false, false}));
  TickGroup(folders, ticks, 0);  // a mail folder passes nothing on
  EXPECT_EQ(ticks, (Ticks{false, true, true, false, false, false}));
  EXPECT_EQ(FoldersToIndex(folders, ticks), (std::vector<size_t>{2}));
}

TEST(MknmzTexts, StatusCaptionListAndDate) {
  TTVPSettings s;
  s.LastDate = "???";
  s.NowCountMail = "12";
  EXPECT_EQ(IdleStatus(s), "前回更新日時: ???   受信メール数: 12通");
  EXPECT_EQ(ProgressStatus(2, 7), "インデックス作成中... しばらくお待ちください。 (2/7)");
  EXPECT_EQ(OutputWindowCaption("表計算", 1, 3), "「表計算」フォルダのインデックス作成中 (1/3) ... ");
  EXPECT_EQ(FolderListText(Tree()[4]), "　　2024");
  EXPECT_EQ(FormatUpdateDate(2026, 1, 5, 7, 3), "2026/01/05 07:03");
}

// Where short names are off, a blank in the output directory would stop
// mknmz: the index below the account is then named from the mail folder.
TEST(MknmzCommand, AnOutputDirectoryWithABlankIsNamedFromTheFolderWhenThatHasNone) {
  struct Case {
    const char *shortDir, *longDir, *runDir, *expected;
  } cases[] = {
      {"C:\\PROGRA~2\\AL\\Namazu\\inbox", "C:\\Program Files (x86)\\AL\\Namazu\\inbox",
       "C:\\Program Files (x86)\\AL\\inbox.box\\", "C:\\PROGRA~2\\AL\\Namazu\\inbox"},
      {"C:\\My Mail\\acct\\Namazu\\inbox", "C:\\My Mail\\acct\\Namazu\\inbox", "c:\\my mail\\ACCT\\inbox.box\\",
       "../Namazu/inbox"},
      {"C:\\My Mail\\a\\Namazu\\b002\\b001", "C:\\My Mail\\a\\Namazu\\b002\\b001",
       "C:\\My Mail\\a\\user002.box\\user001.box\\", "../../Namazu/b002/b001"},
      {"D:\\My idx\\Namazu\\inbox", "D:\\My idx\\Namazu\\inbox", "C:\\Mail\\inbox.box\\", "D:\\My idx\\Namazu\\inbox"},
      {"C:\\My Mail\\idx dir\\Namazu\\inbox", "C:\\My Mail\\idx dir\\Namazu\\inbox", "C:\\My Mail\\acct\\inbox.box\\",
       "C:\\My Mail\\idx dir\\Namazu\\inbox"},
  };
  for (const Case& c : cases) EXPECT_EQ(MknmzOutputDir(c.shortDir, c.longDir, c.runDir), c.expected) << c.runDir;
}
