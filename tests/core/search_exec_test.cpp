#include "core/search/search_exec.h"

#include <gtest/gtest.h>

#include "core/common/command_line.h"

using namespace tvp;

namespace {

const std::string kRoot = "C:\\Mail\\Acct\\Namazu";

TFolderInfo Folder(const std::string& title, const std::string& rel) {
  TFolderInfo f;
  f.Title = title;
  f.IndexPath = kRoot + "\\" + rel + "\\";
  return f;
}

TTVPSearchInfo Request(std::vector<int> positions) {
  TTVPSearchInfo r;
  r.FolderCount = static_cast<int>(positions.size());
  r.FolderIndexes = std::move(positions);
  return r;
}

TTVPSettings CommandSettings(const std::string& version) {
  TTVPSettings s;
  s.namazuPath = "C:\\namazu\\bin\\namazu.exe";
  s.DateOption = "--late,--early";
  s.NamazuVersion = version;
  return s;
}

TResultMenuState Menu(TSortItem sort, TListCountItem count = TListCountItem::Twenty) {
  TResultMenuState m;
  m.Sort = sort;
  m.ListCount = count;
  return m;
}

}  // namespace

TEST(SearchCommand, BothExampleCommandLinesComeOutByteForByte) {
  std::vector<TFolderInfo> folders = {Folder("受信", "inbox"), Folder("ML", "b001")};
  TTVPSearchInfo request = Request({1, 0});
  TResultMenuState menu = Menu(TSortItem::Score);

  TTVPSettings v2 = CommandSettings("2.0");
  EXPECT_EQ(NamazuCommandLine(v2, menu, kRoot, "foo", IndexList(request, folders, kRoot, false)),
            "\"C:\\namazu\\bin\\namazu.exe\" --sort=score --max=\"20\" --output=\"result.txt\"  -- \"foo\" +b001 +inbox");

  TTVPSettings v13 = CommandSettings("1.3");
  EXPECT_EQ(NamazuCommandLine(v13, menu, kRoot, "foo", IndexList(request, folders, kRoot, true)),
            "\"C:\\namazu\\bin\\namazu.exe\" -n 20 -f namazu.conf -o \"C:\\Mail\\Acct\\Namazu\\result.txt\"  "
            "\"foo\" b001 inbox");

  // The option of a fresh settings file stands between output option and
  // the end of the options; quotes in the expression are escaped.
  v2.namazuOption = "--config=\"namazurc\"";
  EXPECT_EQ(NamazuCommandLine(v2, menu, kRoot, "a \"b c\"", "+inbox"),
            "\"C:\\namazu\\bin\\namazu.exe\" --sort=score --max=\"20\" --output=\"result.txt\" "
            "--config=\"namazurc\" -- \"a \\\"b c\\\"\" +inbox");
}

TEST(SearchCommand, OnlyTheExactVersionTextSelectsNamazu13) {
  EXPECT_TRUE(IsNamazu13("1.3"));
  for (const char* v : {"1.30", "2.0", "", "1.3 ", " 1.3"}) EXPECT_FALSE(IsNamazu13(v)) << v;
  TResultMenuState menu = Menu(TSortItem::Score);
  EXPECT_EQ(NamazuCommandLine(CommandSettings("1.3 "), menu, kRoot, "x", ""),
            "\"C:\\namazu\\bin\\namazu.exe\" --sort=score --max=\"20\" --output=\"result.txt\"  -- \"x\" ");
}

// Whatever the expression holds, namazu gets it as exactly one query
// argument: after "--" (Namazu 2; the index list follows it), or with a
// blank before a leading "-" (1.3).
TEST(SearchCommand, AnyExpressionIsExactlyOneQueryArgument) {
  const std::vector<std::string> hostile = {"foo\" --output=\"evil.txt", "inboxonly\\", "\"inboxonly mail\"",
                                            "-inboxonly", "--help", "a\\\\\"b\\\"c", "&|<>^%", "\x95\\\"",
                                            std::string(4000, '\\')};
  TResultMenuState menu = Menu(TSortItem::Score);
  for (const std::string& e : hostile) {
    std::vector<std::string> v2 = SplitArguments(NamazuCommandLine(CommandSettings("2.0"), menu, kRoot, e, "+b001 +inbox"));
    ASSERT_GE(v2.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(v2.end() - 4, v2.end()), (std::vector<std::string>{"--", e, "+b001", "+inbox"})) << e;
    std::vector<std::string> v13 = SplitArguments(NamazuCommandLine(CommandSettings("1.3"), menu, kRoot, e, "inbox"));
    ASSERT_GE(v13.size(), 3u);
    EXPECT_EQ(v13[v13.size() - 2], e[0] == '-' ? " " + e : e);
    EXPECT_EQ(v13.back(), "inbox");
  }
}

TEST(SearchCommand, RefusesExpressionsThatCannotBePassed) {
  TResultMenuState menu = Menu(TSortItem::Score);
  auto refusal = [&](const std::string& e) {
    return CommandLineRefusal(NamazuCommandLine(CommandSettings("2.0"), menu, kRoot, e, "+inbox"), e);
  };
  EXPECT_EQ(refusal("foo\" --output=\"evil.txt"), "");
  EXPECT_EQ(refusal(std::string(40 * 1024, 'a')), kLongExpressionMessage);
  // namazu's own limit counts bytes: 128 double-byte characters fit, 129 do not.
  std::string kanji;
  for (int i = 0; i < 128; ++i) kanji += "会";
  EXPECT_EQ(QueryLengthRefusal(kanji), "");
  EXPECT_EQ(QueryLengthRefusal(kanji + "会"), kLongQueryMessage);
  // Characters count, not bytes: 17,000 double-byte characters fit.
  std::string wide;
  for (int i = 0; i < 17000; ++i) wide += "\x95\\";
  EXPECT_EQ(refusal(wide), "");
  EXPECT_EQ(refusal(wide + wide), kLongExpressionMessage);
  EXPECT_EQ(refusal("abc\x81"), kUnpassableExpressionMessage);
  EXPECT_EQ(refusal(std::string("a\0b", 3)), kUnpassableExpressionMessage);
}

TEST(SearchOptions, DateOptionItemsAndTheirFallbacks) {
  TResultMenuState early = Menu(TSortItem::Earlier, TListCountItem::None);
  TResultMenuState late = Menu(TSortItem::Later, TListCountItem::None);
  // A value that names --late first reverses the built-in options.
  EXPECT_EQ(SearchOptions(early, "--late,--early", false), " --late");
  EXPECT_EQ(SearchOptions(late, "--late,--early", false), " --early");
  EXPECT_EQ(SearchOptions(early, "--late,--early", true), " --late");
  // Empty: the built-in options of each form.
  EXPECT_EQ(SearchOptions(early, "", false), " --early");
  EXPECT_EQ(SearchOptions(late, "", false), " --late");
  EXPECT_EQ(SearchOptions(early, "", true), " -e");
  EXPECT_EQ(SearchOptions(late, "", true), " -l");
  // One item: oldest first takes it, newest first falls back.
  EXPECT_EQ(SearchOptions(early, "--late", false), " --late");
  EXPECT_EQ(SearchOptions(late, "--late", false), " --late");
  EXPECT_EQ(SearchOptions(late, "--late", true), " -l");
  // Items are trimmed and get exactly one blank before them.
  EXPECT_EQ(SearchOptions(late, "  -x ,\t--sort=date:late  ,z", false), " --sort=date:late");
}

TEST(SearchOptions, AscendingOnlyWithTheFiveSortableItems) {
  auto with = [](TSortItem sort, bool ascend, bool v13) {
    TResultMenuState m = Menu(sort, TListCountItem::None);
    m.Ascend = ascend;
    return SearchOptions(m, "--late,--early", v13);
  };
  EXPECT_EQ(with(TSortItem::Later, true, false), " --early");
  EXPECT_EQ(with(TSortItem::Earlier, true, false), " --late");
  EXPECT_EQ(with(TSortItem::Score, true, false), " --sort=score --ascending");
  EXPECT_EQ(with(TSortItem::Subject, true, false), " --sort=field:subject --ascending");
  EXPECT_EQ(with(TSortItem::From, false, false), " --sort=field:from");
  EXPECT_EQ(with(TSortItem::To, true, false), " --sort=field:to --ascending");
  EXPECT_EQ(with(TSortItem::FileName, false, false), " --sort=field:uri");
  // Namazu 1.3 knows only oldest and newest first.
  for (TSortItem sort : {TSortItem::Score, TSortItem::Subject, TSortItem::From, TSortItem::To, TSortItem::FileName})
    EXPECT_EQ(with(sort, true, true), "");
}

TEST(SearchOptions, SummaryAndCountFollowTheSortInBothForms) {
  TResultMenuState m = Menu(TSortItem::Later, TListCountItem::Hundred);
  m.ContentsOff = true;
  EXPECT_EQ(SearchOptions(m, "", false), " --late --short -n 100");
  EXPECT_EQ(SearchOptions(m, "", true), " -l -s -n 100");
  m.ListCount = TListCountItem::Fifty;
  EXPECT_EQ(SearchOptions(m, "", false), " --late --short --max=\"50\"");
  EXPECT_EQ(SearchOptions(m, "", true), " -l -s -n 50");
  m.ListCount = TListCountItem::All;
  m.ContentsOff = false;
  EXPECT_EQ(SearchOptions(m, "", false), " --late --all");
  EXPECT_EQ(SearchOptions(m, "", true), " -l -a");
  m.ListCount = TListCountItem::None;
  EXPECT_EQ(SearchOptions(m, "", true), " -l");
}

TEST(SearchPaths, IndexRootWithOrWithoutTrailingBackslash) {
  EXPECT_EQ(IndexRoot("C:\\Mail\\Acct\\", ""), "C:\\Mail\\Acct\\Namazu");
  EXPECT_EQ(IndexRoot("C:\\Mail\\Acct\\", "D:\\idx"), "D:\\idx\\Namazu");
  EXPECT_EQ(IndexRoot("C:\\Mail\\Acct\\", "D:\\idx\\"), "D:\\idx\\Namazu");
  // "表" ends in the byte 5C, which is not a backslash.
  EXPECT_EQ(IndexRoot("C:\\Mail\\Acct\\", "D:\\表"), "D:\\表\\Namazu");
  EXPECT_EQ(ResultFilePath("D:\\idx\\Namazu"), "D:\\idx\\Namazu\\result.txt");
  EXPECT_EQ(NamazuConfigPath("D:\\idx\\Namazu", false), "D:\\idx\\Namazu\\namazurc");
  EXPECT_EQ(NamazuConfigPath("D:\\idx\\Namazu", true), "D:\\idx\\Namazu\\namazu.conf");
}

TEST(SearchPaths, IndexListUsesTheCountedValidPositionsInOrder) {
  std::vector<TFolderInfo> folders = {Folder("a", "inbox"), Folder("b", "b001\\b004"), Folder("c", "b002")};
  EXPECT_EQ(IndexList(Request({1}), folders, kRoot, false), "+b001/b004");
  EXPECT_EQ(IndexList(Request({1}), folders, kRoot, true), "b001/b004");
  EXPECT_EQ(IndexList(Request({2, 0, 1}), folders, kRoot, false), "+b002 +inbox +b001/b004");

  // Only FolderCount entries count; positions outside the list are left out.
  TTVPSearchInfo r = Request({0, 7, -1, 2});
  EXPECT_EQ(IndexList(r, folders, kRoot, false), "+inbox +b002");
  r.FolderCount = 1;
  EXPECT_EQ(IndexList(r, folders, kRoot, false), "+inbox");
  r.FolderCount = 9;  // more than the list holds
  EXPECT_EQ(IndexList(r, folders, kRoot, true), "inbox b002");
  EXPECT_EQ(IndexList(Request({}), folders, kRoot, false), "");
}

TEST(NamazuConfig, BothFormsOfTheDocumentedExample) {
  std::string root = IndexRoot("C:\\Mail\\Acct\\", "");
  EXPECT_EQ(NamazuConfigText(root, "C:\\Mail\\Acct\\", {}, false),
            "INDEX        \"C:/Mail/Acct/Namazu\"\r\n"
            "Lang        ja_JP.SJIS\r\n"
            "REPLACE        account/        \"/C|/Mail/Acct/\"\r\n");
  EXPECT_EQ(NamazuConfigText(root, "C:\\Mail\\Acct\\", {}, true),
            "INDEX\t\"C:/Mail/Acct/Namazu\"\n"
            "REPLACE\taccount/\t\"/C|/Mail/Acct/\"\n");
}

TEST(NamazuConfig, AltUrlLinesStopAtTheFirstMissingKeyAndAccountIsAlwaysTheAccount) {
  IniFile ini("[AltURL]\r\nx1=d:\\old mail\\\r\nx3=e:\\skipped\\\r\n[Other]\r\nx2=not here\r\n");
  std::vector<std::string> alt = AltUrlValues(ini);
  ASSERT_EQ(alt, std::vector<std::string>{"d:\\old mail\\"});
  EXPECT_EQ(NamazuConfigText("D:\\idx\\Namazu", "c:\\mail\\表\\", alt, false),
            "INDEX        \"D:/idx/Namazu\"\r\n"
            "Lang        ja_JP.SJIS\r\n"
            "REPLACE        \"x1/\"        \"/D|/old mail/\"\r\n"
            "REPLACE        account/        \"/C|/mail/表/\"\r\n");
  EXPECT_EQ(NamazuConfigText("D:\\idx\\Namazu", "c:\\a\\", {"x:\\1", "y:\\2"}, true),
            "INDEX\t\"D:/idx/Namazu\"\n"
            "REPLACE\t\"x1/\"\t\"/X|/1\"\n"
            "REPLACE\t\"x2/\"\t\"/Y|/2\"\n"
            "REPLACE\taccount/\t\"/C|/a/\"\n");
  // Namazu 2 decodes the replaced path: "%" and "+" are written encoded (1.3 as they are).
  EXPECT_EQ(NamazuConfigText("D:\\i", "c:\\a+b 100%\\", {"d:\\c++\\"}, false),
            "INDEX        \"D:/i\"\r\nLang        ja_JP.SJIS\r\n"
            "REPLACE        \"x1/\"        \"/D|/c%2B%2B/\"\r\n"
            "REPLACE        account/        \"/C|/a%2Bb 100%25/\"\r\n");
  EXPECT_EQ(NamazuConfigText("D:\\i", "c:\\a+b%\\", {}, true), "INDEX\t\"D:/i\"\nREPLACE\taccount/\t\"/C|/a+b%/\"\n");

  EXPECT_TRUE(AltUrlValues(IniFile("[AltURL]\r\nx1=\r\nx2=c:\\\r\n")).empty());
  EXPECT_EQ(AltUrlValues(IniFile("[alturl]\nX1=a\nx2=b\n")).size(), 2u);
}

TEST(SearchChecks, RefusesNoFolderFirstThenAnEmptyExpression) {
  TTVPSearchInfo none;
  EXPECT_EQ(SearchRefusal(none, ""), kNoFolderMessage);
  EXPECT_EQ(SearchRefusal(none, "foo"), kNoFolderMessage);
  TTVPSearchInfo one = Request({0});
  EXPECT_EQ(SearchRefusal(one, "foo"), "");
  for (const char* empty : {"", " \t\r\n", "　", "　　", " 　\t", "　 　"}) {
    EXPECT_TRUE(IsEmptyExpression(empty)) << empty;
    EXPECT_EQ(SearchRefusal(one, empty), kEmptyExpressionMessage);
  }
  // A character whose trail byte is 81 followed by "@" (40) is not a
  // full-width space.
  EXPECT_FALSE(IsEmptyExpression("\x81\x81\x40"));
  EXPECT_FALSE(IsEmptyExpression("　検索　"));
}

TEST(SearchChecks, HistoryMovesAMatchKeepingItsOwnLetterCase) {
  std::vector<std::string> h = {"alpha", "Namazu AND mail", "gamma"};
  EXPECT_EQ(PushHistory(h, "namazu and MAIL"), (std::vector<std::string>{"Namazu AND mail", "alpha", "gamma"}));
  EXPECT_EQ(PushHistory(h, "delta"), (std::vector<std::string>{"delta", "alpha", "Namazu AND mail", "gamma"}));
  EXPECT_EQ(PushHistory(h, "ALPHA"), h);
  EXPECT_EQ(PushHistory({}, "x"), std::vector<std::string>{"x"});
  // Only ASCII letters fold: full-width "Ａ" and "ａ" are different entries.
  EXPECT_EQ(PushHistory({"Ａ"}, "ａ").size(), 2u);
}
