// A search of the result window, with a stand-in for the window: refusals,
// the history, the configuration file and command line of both Namazu
// versions with a fake namazu (tvp_child copied as namazu.exe), the result
// file's outcomes, a configuration file that cannot be written, and one
// search with the real Namazu over two indexed folders of the sample account.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "core/common/sjis.h"
#include "core/indexing/mknmz.h"
#include "core/indexing/paths.h"
#include "hostile_expressions.h"
#include "plugin/files/file_utils.h"
#include "plugin/files/win_fs.h"
#include "plugin/console/run_command.h"
#include "plugin/search/run_search.h"
#include "plugin/settings/settings_store.h"
#include "plugin/shell/exports.h"
#include "standin-host/standin.h"
#include "win/win_support.h"

using namespace tvp;
using namespace tvp::test;

namespace {

// The result window as RunSearch sees it, recording what it is told.
class FakeResultWindow : public SearchWindow {
 public:
  FakeResultWindow() {
    window = CreateWindowExA(0, "STATIC", "result", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 560, 380, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    font = CreateUiFont("ＭＳ Ｐゴシック", 12);
    view.Create(window, 1, {0, 0, 540, 340}, font);
  }
  ~FakeResultWindow() override {
    DestroyWindow(window);
    DestroyWindow(host);
    DeleteObject(font);
  }

  HWND Handle() const override { return window; }
  HWND HostWindow() const override { return host; }
  TTVPSettings& Settings() override { return settings; }
  const std::vector<TFolderInfo>& Folders() const override { return folders; }
  TTVPSearchInfo& Request() override { return request; }
  std::vector<std::string> KeywordHistory() const override { return history; }
  void SetKeywordHistory(const std::vector<std::string>& items) override { history = items; }
  void SetKeywordText(const std::string& text) override { keywordText = text; }
  void SetSearchEnabled(bool enabled) override { searchEnabled.push_back(enabled); }
  void ShowResultPage() override { ++resultPageShown; }
  ResultView& ResultBox() override { return view; }
  void SetCommandLine(const std::string& line, const std::string& dir) override {
    commandLine = line;
    workDir = dir;
  }
  TResultMenuState MenuState() const override { return menu; }
  TRenderedResult& Result() override { return result; }
  void ProcessMessages() override {
    boxWhenMessagesRan.push_back(BoxText());
    tvp::ProcessMessages();
  }

  std::string BoxText() { return view.Edit().Text(); }

  HWND window = nullptr, host = nullptr;
  HFONT font = nullptr;
  ResultView view;
  TTVPSettings settings;
  std::vector<TFolderInfo> folders;
  TTVPSearchInfo request;
  std::vector<std::string> history;
  std::string keywordText = "(untouched)";
  std::vector<bool> searchEnabled;
  int resultPageShown = 0;
  std::string commandLine, workDir;
  TResultMenuState menu;
  TRenderedResult result;
  std::vector<std::string> boxWhenMessagesRan;
};

// Namazu 2's result for the folders 表計算 and 郵便受け (LF line ends).
std::string SmallResult(const std::string& mailbox) {
  std::string box = PathToUrl(mailbox);
  std::string s = "検索結果\n\n参考ヒット数: \n(/x/Namazu/b001/b004) [ foo: 1 ] \n(/x/Namazu/inbox) [ foo: 2 ] \n\n"
                  "検索式にマッチする 3 個の文書が見つかりました。\n\n";
  const char* titles[] = {"予算の件", "Re: foo", "会議"};
  for (int n = 1; n <= 3; ++n)
    s += std::to_string(n) + ". " + titles[n - 1] + " (スコア: 5)\n著者: a@example.jp\n日付: Mon, 1 Jan 2024\n" +
         box + "inbox.box/" + std::to_string(n) + ".alm (100 bytes)\n\n\n\n\n";
  return s + "現在のリスト: 1 - 3\n\n";
}

class RunSearchTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(APCStartUp(0), -1);
    account = scratch.path() + "acct\\";
    indexRoot = account + "Namazu";
    ASSERT_TRUE(ForceDirectories(indexRoot));
    ASSERT_TRUE(CopyFileA((ProgramDir() + "tvp_child.exe").c_str(), (scratch.path() + "namazu.exe").c_str(), FALSE));
    standin::SetAccount(account);
    standin::SetMailbox(scratch.path());

    TTVPSettings& s = w.settings;
    s.NamazuVersion = "2.0";
    s.namazuPath = scratch.path() + "namazu.exe";
    s.DateOption = "--late,--early";
    s.Createnamazurc = "1";
    s.Color = "1";
    s.RenameToFolderName = "1";
    TFolderInfo inbox, sheet;
    inbox.Title = "郵便受け";
    inbox.IndexPath = indexRoot + "\\inbox\\";
    sheet.Title = "表計算";
    sheet.IndexPath = indexRoot + "\\b001\\b004\\";
    w.folders = {inbox, sheet};
    w.request.FolderCount = 2;
    w.request.FolderIndexes = {1, 0};
  }

  // What the fake namazu writes as its result; without a call, nothing.
  void NamazuWrites(const std::string& text) { WriteFileText(scratch.path() + "namazu-fake.txt", text); }
  bool NamazuRan() const { return FileExists(scratch.path() + "namazu-fake.log"); }
  // The working directory and the command line the fake namazu was started with.
  std::vector<std::string> NamazuLog() const { return SplitLines(ReadFileText(scratch.path() + "namazu-fake.log")); }
  std::string ResultFile() const { return indexRoot + "\\result.txt"; }
  std::string Fake() const { return "\"" + scratch.path() + "namazu.exe\""; }

  RecordingUi ui;
  ScratchDir scratch;
  std::string account, indexRoot;
  FakeResultWindow w;
};

}  // namespace

TEST_F(RunSearchTest, RefusedSearchesShowTheirMessageAndChangeNothing) {
  struct Case {
    int folders;
    std::string expression, message;
    bool indexed;
  } cases[] = {
      {0, "foo", "検索するフォルダを選択してください。", true},
      {2, "", "検索式を入力してください。", true},
      {2, " \t\r\n", "検索式を入力してください。", true},
      {2, "　", "検索式を入力してください。", true},
      {2, " 　\t　 ", "検索式を入力してください。", true},
      {2, "foo", "このアカウントにはまだインデックスがありません。先にインデックスを作成してください。\n" + indexRoot,
       false},
  };
  w.history = {"old"};
  w.request.Keyword = "pending";
  w.view.SetText("前の結果");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expression);
    ui.messages.clear();
    w.request.FolderCount = c.folders;
    if (!c.indexed) RemoveTree(indexRoot + "\\");
    RunSearch(w, c.expression);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, c.message);
    EXPECT_EQ(ui.messages[0].caption, "エラー");
    EXPECT_EQ(ui.messages[0].flags, UINT(MB_OK | MB_ICONERROR));
    EXPECT_EQ(ui.messages[0].owner, w.Handle());
  }
  EXPECT_EQ(w.history, std::vector<std::string>{"old"});
  EXPECT_EQ(w.keywordText, "(untouched)");
  EXPECT_EQ(w.request.Keyword, "pending");
  EXPECT_TRUE(w.searchEnabled.empty());
  EXPECT_EQ(w.resultPageShown, 0);
  EXPECT_EQ(w.BoxText(), "前の結果");
  EXPECT_TRUE(w.commandLine.empty());
  EXPECT_FALSE(NamazuRan());
  EXPECT_FALSE(FileExists(indexRoot + "\\namazurc"));
}

TEST_F(RunSearchTest, TheExpressionGoesToTheTopOfTheHistoryInItsOldLetterCase) {
  NamazuWrites(SmallResult(scratch.path()));
  w.history = {"alpha", "Foo Bar", "beta"};
  RunSearch(w, "foo bar");
  EXPECT_EQ(w.history, (std::vector<std::string>{"Foo Bar", "alpha", "beta"}));
  EXPECT_EQ(w.keywordText, "foo bar");
  // As the window runs it: afterwards the button is back and nothing pending.
  w.searchEnabled.clear();
  w.request.Keyword = "  会議 ";
  SearchAndReport(w, "  会議 ");  // untrimmed, as typed
  EXPECT_EQ(w.history, (std::vector<std::string>{"  会議 ", "Foo Bar", "alpha", "beta"}));
  EXPECT_EQ(w.keywordText, "  会議 ");
  EXPECT_TRUE(Contains(NamazuLog()[1], "\"  会議 \""));
  EXPECT_EQ(w.searchEnabled, (std::vector<bool>{false, true}));
  EXPECT_EQ(w.request.Keyword, "");
  EXPECT_EQ(w.result.Hits.size(), 3u);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RunSearchTest, Namazu2RunsInTheIndexRootWithNamazurcAndShowsTheResult) {
  WriteFileText(account + "tarvikp.ini", "[AltURL]\r\nx1=D:\\alt\\mail\r\nx3=E:\\never\r\n");
  WriteFileText(ResultFile(), "an old result");
  NamazuWrites(SmallResult(scratch.path()));
  w.request.Keyword = "会議 foo";
  RunSearch(w, "会議 foo");

  std::string line = Fake() + " --sort=score --max=\"20\" --output=\"result.txt\"  -- \"会議 foo\" +b001/b004 +inbox";
  std::vector<std::string> log = NamazuLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_TRUE(EqualsNoCase(log[0], indexRoot)) << log[0];
  EXPECT_EQ(log[1], line);
  EXPECT_EQ(w.commandLine, line);
  EXPECT_EQ(w.workDir, indexRoot);
  EXPECT_EQ(ReadFileText(indexRoot + "\\namazurc"),
            "INDEX        \"" + ReplaceAll(indexRoot, "\\", "/") + "\"\r\nLang        ja_JP.SJIS\r\n"
            "REPLACE        \"x1/\"        \"/D|/alt/mail\"\r\n"
            "REPLACE        account/        \"" + PathToUrl(account) + "\"\r\n");
  EXPECT_FALSE(FileExists(indexRoot + "\\namazu.conf"));

  // "検索中....." was up while namazu ran; now the rendered result is.
  EXPECT_EQ(w.boxWhenMessagesRan, std::vector<std::string>{"検索中....."});
  EXPECT_EQ(w.resultPageShown, 2);
  EXPECT_EQ(w.searchEnabled, std::vector<bool>{false});
  ASSERT_EQ(w.result.Hits.size(), 3u);
  EXPECT_EQ(w.result.Hits[0].TitleText, "1. 予算の件");
  EXPECT_EQ(w.result.Hits[2].Path, PathToUrl(scratch.path()) + "inbox.box/3.alm");
  EXPECT_EQ(w.BoxText(), w.result.Text);
  EXPECT_TRUE(Contains(w.result.Text, "「表計算」  [ foo: 1 ] \r\n「郵便受け」  [ foo: 2 ] "));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(FileExists(ResultFile()));
  EXPECT_EQ(w.request.Keyword, "");
}

TEST_F(RunSearchTest, Namazu13WritesNamazuConfUnlessToldNotAndNamesTheResultFileInFull) {
  w.settings.NamazuVersion = "1.3";
  w.menu.Sort = TSortItem::Subject;  // no sort option in 1.3
  w.menu.ContentsOff = true;
  w.menu.ListCount = TListCountItem::Hundred;
  NamazuWrites(SmallResult(scratch.path()));
  RunSearch(w, "\"a b\"");

  std::string line = Fake() + " -s -n 100 -f namazu.conf -o \"" + ResultFile() + "\"  \"\\\"a b\\\"\" b001/b004 inbox";
  EXPECT_EQ(NamazuLog()[1], line);
  EXPECT_EQ(w.commandLine, line);
  EXPECT_EQ(ReadFileText(indexRoot + "\\namazu.conf"),
            "INDEX\t\"" + ReplaceAll(indexRoot, "\\", "/") + "\"\nREPLACE\taccount/\t\"" + PathToUrl(account) + "\"\n");
  EXPECT_FALSE(FileExists(indexRoot + "\\namazurc"));
  EXPECT_EQ(w.result.Hits.size(), 3u);
  EXPECT_FALSE(FileExists(ResultFile()));

  // With Createnamazurc "0" the user's own file is used as it is.
  w.settings.Createnamazurc = "0";
  WriteFileText(indexRoot + "\\namazu.conf", "mine");
  RunSearch(w, "\"a b\"");
  EXPECT_EQ(NamazuLog()[1], line);
  EXPECT_EQ(ReadFileText(indexRoot + "\\namazu.conf"), "mine");
  EXPECT_EQ(w.result.Hits.size(), 3u);
}

TEST_F(RunSearchTest, AnEmptyResultFileIsReportedAndKept) {
  w.view.SetText("前の結果");
  NamazuWrites("");
  RunSearch(w, "foo");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "検索結果のファイルのサイズが 0 バイトです。\n" + ResultFile());
  EXPECT_EQ(ui.messages[0].caption, "エラー");
  EXPECT_EQ(ui.messages[0].flags, UINT(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_TRUE(FileExists(ResultFile()));
  EXPECT_EQ(w.BoxText(), "");
  EXPECT_TRUE(w.result.Hits.empty());
  EXPECT_EQ(w.request.Keyword, "");
}

TEST_F(RunSearchTest, AMissingResultFileIsReportedAlsoAfterAnOldOne) {
  WriteFileText(ResultFile(), "an old result");
  RunSearch(w, "foo");  // namazu writes nothing
  ASSERT_TRUE(NamazuRan());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "検索結果のファイルが見つかりません。\n" + ResultFile());
  EXPECT_EQ(ui.messages[0].flags, UINT(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(w.BoxText(), "");

  // A namazu that cannot be started: its own message, then the missing file.
  ui.messages.clear();
  w.settings.namazuPath = scratch.path() + "missing\\namazu.exe";
  RunSearch(w, "foo");
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].flags, UINT(MB_OK | MB_ICONERROR));
  EXPECT_TRUE(Contains(ui.messages[0].text, "missing\\namazu.exe")) << ui.messages[0].text;
  EXPECT_EQ(ui.messages[1].text, "検索結果のファイルが見つかりません。\n" + ResultFile());
  EXPECT_EQ(w.commandLine, "\"" + w.settings.namazuPath + "\" --sort=score --max=\"20\" --output=\"result.txt\"  -- \"foo\" +b001/b004 +inbox");
}

TEST_F(RunSearchTest, AConfigurationFileThatCannotBeWrittenStopsTheSearchAndIsReported) {
  ASSERT_TRUE(CreateDirectoryA((indexRoot + "\\namazurc").c_str(), nullptr));  // in the way of the file
  NamazuWrites(SmallResult(scratch.path()));
  w.view.SetText("前の結果");
  EXPECT_THROW(RunSearch(w, "foo"), FileError);
  EXPECT_EQ(w.BoxText(), "検索中.....");
  EXPECT_FALSE(NamazuRan());
  EXPECT_FALSE(FileExists(ResultFile()));
  EXPECT_TRUE(w.commandLine.empty());
  EXPECT_TRUE(ui.messages.empty());

  // As the window runs it: the system's reason in an error box, then the
  // search button back and no search pending.
  w.searchEnabled.clear();
  SearchAndReport(w, "foo");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "エラー");
  EXPECT_EQ(ui.messages[0].flags, UINT(MB_OK | MB_ICONERROR));
  EXPECT_TRUE(Contains(ui.messages[0].text, indexRoot + "\\namazurc")) << ui.messages[0].text;
  EXPECT_TRUE(Contains(ui.messages[0].text, SystemErrorText(ERROR_ACCESS_DENIED))) << ui.messages[0].text;
  EXPECT_EQ(w.searchEnabled, (std::vector<bool>{false, true}));
  EXPECT_EQ(w.request.Keyword, "");
  EXPECT_FALSE(NamazuRan());
}

TEST_F(RunSearchTest, AnOldResultThatCannotBeRemovedIsNeverShownAsTheNewOne) {
  WriteFileText(ResultFile(), SmallResult(scratch.path()));
  ASSERT_TRUE(SetFileAttributesA(ResultFile().c_str(), FILE_ATTRIBUTE_READONLY));
  NamazuWrites(SmallResult(scratch.path()));
  EXPECT_THROW(RunSearch(w, "foo"), FileError);
  EXPECT_FALSE(NamazuRan());
  EXPECT_TRUE(w.result.Hits.empty());
  EXPECT_EQ(w.BoxText(), "検索中.....");
  SetFileAttributesA(ResultFile().c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The real Namazu through the test build's bridge (perl.exe and namazu.exe
// that run Debian's mknmz and namazu): two folders of the sample account are
// indexed the way the index update does it, then searched for their own words.
TEST_F(RunSearchTest, RealNamazuFindsTheMailsOfTheTwoIndexedFolders) {
  std::string real = scratch.path() + "アカウント 1\\";
  CopyTree(SourceDir() + "samples\\account", real);
  standin::SetAccount(real);
  standin::SetMailbox(scratch.path());
  w.settings = EnsureAndLoadSettings(w.host);
  w.settings.PerlPath = ShimDir() + "perl.exe";
  w.settings.namazuPath = ShimDir() + "namazu.exe";
  w.folders = LoadFolderTree(DiskFileSystem(), real, "");
  ASSERT_EQ(w.folders.size(), 10u);
  for (int p : {0, 8}) {  // 郵便受け, 会議録
    const TFolderInfo& folder = w.folders[p];
    ASSERT_TRUE(ForceDirectories(folder.IndexPath));
    MknmzCommand command = MknmzCommandFor(w.settings, ShortPathName(ExcludeTrailingBackslash(folder.IndexPath)),
                                           folder.Dir, real, 0, false);
    RunCommand(command.commandLine, command.workDir, rmHidden, nullptr);
    ASSERT_TRUE(FileExists(folder.IndexPath + "NMZ.i")) << command.commandLine;
  }
  w.request.FolderCount = 2;
  w.request.FolderIndexes = {8, 0};
  // A replacement with a blank in it must not break namazurc.
  WriteFileText(real + "tarvikp.ini", ReadFileText(real + "tarvikp.ini") + "[AltURL]\r\nx1=d:\\old mail\\\r\n");

  RunSearch(w, "inboxonly or minutesonly");
  EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
  EXPECT_EQ(w.workDir, real + "Namazu");
  ASSERT_EQ(w.result.Hits.size(), 10u) << w.result.Text;
  int inbox = 0, minutes = 0;
  for (size_t i = 0; i < w.result.Hits.size(); ++i) {
    const TClickableInfo& hit = w.result.Hits[i];
    EXPECT_TRUE(StartsWith(hit.TitleText, std::to_string(i + 1) + ". ")) << hit.TitleText;
    std::string file = UrlToPath(hit.Path);
    EXPECT_TRUE(FileExists(file)) << file;
    inbox += StartsWith(LowerAscii(file), LowerAscii(real + "Inbox.box\\"));
    minutes += StartsWith(LowerAscii(file), LowerAscii(real + "user003.box\\"));
  }
  EXPECT_EQ(inbox, 6);
  EXPECT_EQ(minutes, 4);
  // The hit-count block names the folders in the order of the request.
  size_t first = w.result.Text.find("「会議録」  "), second = w.result.Text.find("「郵便受け」  ");
  EXPECT_NE(first, std::string::npos) << w.result.Text.substr(0, 400);
  EXPECT_NE(second, std::string::npos);
  EXPECT_LT(first, second);
  EXPECT_EQ(w.BoxText(), w.result.Text);
  EXPECT_FALSE(FileExists(real + "Namazu\\result.txt"));

  // Expressions that broke the command line reach namazu as one query:
  // namazu lists its words for each index.
  for (const auto& [expression, counts] : test::kHostileExpressions) {
    RunSearch(w, expression);
    EXPECT_TRUE(ui.messages.empty()) << expression;
    EXPECT_NE(w.result.Text.find("「郵便受け」 " + counts), std::string::npos)
        << expression << "\n" << w.result.Text.substr(0, 400);
  }
  EXPECT_FALSE(FileExists(real + "Namazu\\evil.txt"));
  // 40 KB: the command line would be longer than Windows takes.
  RunSearch(w, std::string(40 * 1024, 'a'));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kLongExpressionMessage);
  // namazu takes 256 bytes of query and silently gives nothing for more: said plainly.
  RunSearch(w, std::string(256, 'a'));
  EXPECT_EQ(ui.messages.size(), 1u);
  RunSearch(w, std::string(257, 'a'));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1].text, kLongQueryMessage);
}
