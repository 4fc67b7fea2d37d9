#include "core/results/result_window.h"

#include <gtest/gtest.h>

#include "core/results/mail_text.h"
#include "core/common/sjis.h"

using namespace tvp;

namespace {

TTVPSettings SortSettings(const std::string& sort, const std::string& direction, const std::string& version) {
  TTVPSettings s;
  s.Sort = sort;
  s.SortDirection = direction;
  s.NamazuVersion = version;
  return s;
}

}  // namespace

TEST(ResultMenus, SortMenuStartsFromTheSettings) {
  struct Case {
    const char *sort, *direction, *version;
    TSortItem checked;
    bool ascend, descend, directionEnabled, fieldsEnabled;
  } cases[] = {
      {"Subject", "Ascend", "1.3", TSortItem::Score, false, false, false, false},
      {"Subject", "ASCEND", "2.0", TSortItem::Subject, true, false, true, true},
      {"Subject", "Descend", "2.0", TSortItem::Subject, false, true, true, true},
      {"uri", "", "2.0", TSortItem::FileName, false, true, true, true},
      {"later", "Ascend", "2.0", TSortItem::Later, true, false, false, true},
      {"EARLIER", "Descend", "2.0", TSortItem::Earlier, false, true, false, true},
      {"Later", "Ascend", "1.3", TSortItem::Later, false, true, false, false},
      {"nonsense", "Descend", "2.0", TSortItem::Score, false, true, true, true},
  };
  for (const Case& c : cases) {
    TSortMenu m = InitialMenus(SortSettings(c.sort, c.direction, c.version)).SortMenu;
    SCOPED_TRACE(std::string(c.sort) + "/" + c.direction + "/" + c.version);
    EXPECT_EQ(m.Sort, c.checked);
    EXPECT_EQ(m.Ascend, c.ascend);
    EXPECT_EQ(m.Descend, c.descend);
    EXPECT_EQ(m.DirectionEnabled, c.directionEnabled);
    EXPECT_EQ(m.FieldsEnabled, c.fieldsEnabled);
  }
}

TEST(ResultMenus, ListCountRanges) {
  struct Case {
    const char* text;
    TListCountItem item;
  } cases[] = {{"1", TListCountItem::Twenty},  {"20", TListCountItem::Twenty},  {"21", TListCountItem::Fifty},
               {"35", TListCountItem::Fifty},  {"50", TListCountItem::Fifty},   {"51", TListCountItem::Hundred},
               {"100", TListCountItem::Hundred}, {"0", TListCountItem::Twenty}, {"150", TListCountItem::Twenty},
               {"abc", TListCountItem::Twenty}, {"ALL", TListCountItem::All},    {"all", TListCountItem::All}};
  for (const Case& c : cases) EXPECT_EQ(ListCountItemOf(c.text), c.item) << c.text;
}

TEST(ResultMenus, ChoosingSortItemsEnablesAndClearsTheDirection) {
  TSortMenu m;  // score, descend, direction disabled
  m = ChooseSortItem(m, TSortItem::Later, false);
  EXPECT_FALSE(m.DirectionEnabled);
  m = ChooseSortItem(m, TSortItem::From, false);
  EXPECT_TRUE(m.DirectionEnabled);
  EXPECT_TRUE(m.Descend);
  m = ChooseDirection(m, true);
  EXPECT_TRUE(m.Ascend);
  EXPECT_FALSE(m.Descend);
  m = ChooseSortItem(m, TSortItem::Score, true);
  EXPECT_TRUE(m.DirectionEnabled);
  EXPECT_FALSE(m.Ascend || m.Descend);
  EXPECT_EQ(SortValue(TSortItem::FileName), "URI");
  EXPECT_EQ(SortValue(TSortItem::Score), "None");
  EXPECT_EQ(ListCountValue(TListCountItem::All), "All");
}

TEST(ResultMenus, OtherMenusColourAndWindowChecks) {
  TTVPSettings s;
  s.ShowContents = "0";
  s.Color = "0";
  s.SaveWindowPos = "1";
  TResultMenus m = InitialMenus(s);
  EXPECT_TRUE(m.ContentsOff);
  EXPECT_TRUE(m.NoColour);
  EXPECT_TRUE(m.SavePosition);
  EXPECT_FALSE(m.SaveSize);
  s.Color = "1";
  s.ShowContents = "";
  EXPECT_FALSE(InitialMenus(s).NoColour);
  EXPECT_FALSE(InitialMenus(s).ContentsOff);
}

TEST(ResultWindowState, HistoryInAndOut) {
  TTVPSettings s;
  s.FormulaHistoryCount = "3";
  s.History = {"a", "  ", "b", "c"};
  EXPECT_EQ(HistoryItems(s), (std::vector<std::string>{"a", "b"}));
  s.FormulaHistoryCount = "x";
  EXPECT_TRUE(HistoryItems(s).empty());
  std::vector<std::string> items = {"1", "2", "3"};
  EXPECT_EQ(HistoryToStore(items, "2"), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(HistoryToStore(items, "10"), items);
  EXPECT_TRUE(HistoryToStore(items, "-4").empty());
}

TEST(ResultWindowState, FoldersFontsManualAndCommandLine) {
  std::vector<TFolderInfo> folders(3);
  folders[0].Title = "郵便受け";
  folders[2].Title = "表計算";
  TTVPSearchInfo request{3, {2, 0, 7}, ""};
  EXPECT_EQ(SearchFolderEntries(request, folders), (std::vector<std::string>{"2:表計算", "0:郵便受け"}));

  TFontChoice f = FontOf("ＭＳ ゴシック", "big", "1");
  EXPECT_EQ(f.Size, 9);
  EXPECT_TRUE(f.Bold);
  EXPECT_EQ(FontOf("x", "12", "0").Size, 12);

  EXPECT_EQ(NamazuManualPath("C:\\namazu\\bin\\namazu.exe", false), "C:\\namazu\\share\\namazu\\doc\\ja\\manual.html");
  EXPECT_EQ(NamazuManualPath("C:\\namazu\\bin\\namazu.exe", true), "C:\\namazu\\doc\\ja\\manual.html");
  // A trail byte 5C in a folder name is no backslash.
  EXPECT_EQ(NamazuManualPath("D:\\表\\bin\\namazu.exe", false), "D:\\表\\share\\namazu\\doc\\ja\\manual.html");

  EXPECT_EQ(CommandLineViewText("C:\\a\\Namazu", "\"n.exe\" x"),
            "WorkDir: \r\nC:\\a\\Namazu\r\n\r\nCommandLine: \r\n\"n.exe\" x\r\n\r\n"
            "コマンドラインは、クリップボードにコピーされています。");
}

TEST(MailText, BodyStartAndCopies) {
  std::string mail = "Subject: a\r\nFrom: b\r\n\r\n\r\nline1\r\nline2";
  std::vector<std::string_view> lines = SplitLineViews(mail);
  EXPECT_EQ(BodyStartLine(lines), 4);
  EXPECT_EQ(WholeMailText(lines), mail + "\r\n");
  EXPECT_EQ(BodyOnlyText(lines), "\r\nline1\r\nline2\r\n\r");

  std::string endsEmpty = "Subject: a\r\n\r\nline1\r\n\r\n";  // the last line is empty
  std::vector<std::string_view> l2 = SplitLineViews(endsEmpty);
  EXPECT_EQ(BodyOnlyText(l2), "line1\r\n\r\n");

  std::string noBody = "Subject: a\r\nFrom: b";
  EXPECT_EQ(BodyStartLine(SplitLineViews(noBody)), -1);
  EXPECT_EQ(BodyOnlyText(SplitLineViews(noBody)), "");
  std::string onlyEmpty = "Subject: a\r\n\r\n\r\n";
  EXPECT_EQ(BodyStartLine(SplitLineViews(onlyEmpty)), 3);
}

TEST(MailText, NameForTheHost) {
  struct Case {
    const char *path, *root, *name;
  } cases[] = {{"C:\\Mail\\inbox.box\\12.alm", "C:\\Mail\\", "inbox.box\\12"},
               {"C:\\Mail\\表.box\\3.alm", "C:\\Mail\\", "表.box\\3"},
               {"C:\\Mail\\a.box\\noext", "C:\\Mail\\", "a.box\\noext"},
               {"C:\\x", "C:\\Mail\\longer\\", ""}};
  for (const Case& c : cases) EXPECT_EQ(MailNameForHost(c.path, c.root), c.name) << c.path;
}
