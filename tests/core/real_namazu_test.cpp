// The search road with the real Namazu: the sample account is copied to a
// temporary directory and every mail folder indexed with /usr/bin/mknmz;
// then the configuration file and the command line built here (for a
// made-up Windows account directory, translated to the temporary one) run
// /usr/bin/namazu, and its result, converted to Shift-JIS, is rendered and
// checked against the mails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "core/common/command_line.h"
#include "core/common/sjis.h"
#include "core/indexing/paths.h"
#include "core/mailbox/folder_tree.h"
#include "core/memory_fs.h"
#include "core/results/render.h"
#include "core/search/search_exec.h"
#include "hostile_expressions.h"

using namespace tvp;
namespace fsys = std::filesystem;

namespace {

const std::string kWinMailbox = "C:\\Users\\Taro\\Mail\\";
const std::string kWinAccount = kWinMailbox + "Acct\\";

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Quote(const std::string& arg) { return "'" + ReplaceAll(arg, "'", "'\\''") + "'"; }

std::string Capture(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    pclose(p);
  }
  return out;
}

std::string Header(const std::string& mail, const std::string& name) {
  for (const std::string& line : SplitLines(mail))
    if (StartsWith(line, name + ": ")) return line.substr(name.size() + 2);
  return "";
}

class RealNamazu : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const fsys::path sample = fsys::path(__FILE__).parent_path().parent_path().parent_path() / "samples" / "account";
    for (const char* tool : {"/usr/bin/namazu", "/usr/bin/mknmz", "/usr/bin/nkf"})
      if (!fsys::exists(tool)) skip_ = std::string(tool) + " is not installed";
    if (!fsys::is_directory(sample)) skip_ = "samples/account is missing";
    if (!skip_.empty()) return;

    char dir[] = "/tmp/tvp_namazu_XXXXXX";
    root_ = mkdtemp(dir);
    account_ = root_ + "/acct";
    fsys::copy(sample, account_, fsys::copy_options::recursive);

    // The account as the plug-in would see it under its Windows name.
    for (const auto& entry : fsys::recursive_directory_iterator(account_)) {
      const std::string winPath =
          kWinAccount + ReplaceAll(fsys::relative(entry.path(), account_).generic_string(), "/", "\\");
      if (entry.is_directory()) disk_.AddDir(winPath);
      if (entry.is_regular_file() && entry.path().extension() == ".ini") disk_.AddFile(winPath, ReadAll(entry.path()));
    }
    folders_ = LoadFolderTree(disk_, kWinAccount, "");

    IniFile ini;
    WriteDefaultSettings(ini);
    LoadSettings(ini, settings_);

    // Every mail file gets the time of its Date header, as if it had been
    // received then (namazu's date order is the order of the file times).
    // Then one index per mail folder, as the index update makes them:
    // document paths stored relative to "account/".
    std::string script = "export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8\n"
                         "find " + Quote(account_) + " -name '*.alm' | while read -r f; do "
                         "touch -d \"$(sed -n 's/^Date: //p' \"$f\" | tr -d '\\r' | head -n 1)\" \"$f\" || echo failed; done\n";
    std::string options;
    for (const std::string& o : SplitArguments(settings_.mknmzOption)) options += Quote(o) + " ";
    for (const TFolderInfo& f : folders_) {
      if (f.Kind != 1) continue;
      fsys::create_directories(ToLinux(f.IndexPath));
      script += "/usr/bin/mknmz " + options + Quote("--replace=s#" + account_ + "/#account/#i") + " -O " +
                Quote(ToLinux(f.IndexPath)) + " " + Quote(ToLinux(f.Dir)) + " >/dev/null 2>&1 || echo failed &\n";
    }
    script += "wait\n";
    indexOutput_ = Capture("sh -c " + Quote(script));
  }

  static void TearDownTestSuite() {
    if (!root_.empty()) fsys::remove_all(root_);
  }

  void SetUp() override {
    if (!skip_.empty()) GTEST_SKIP() << skip_;
    ASSERT_EQ(indexOutput_, "") << "mknmz failed";
    ASSERT_EQ(folders_.size(), 10u);
  }

  // A Windows path below the account (any letter case) to the file or
  // directory of the copy, whose names keep their own case.
  static std::string ToLinux(const std::string& winPath) {
    EXPECT_TRUE(EqualsNoCase(winPath.substr(0, kWinAccount.size()), kWinAccount)) << winPath;
    fsys::path p = account_;
    for (const std::string& part : SplitLines(ReplaceAll(winPath.substr(kWinAccount.size()), "\\", "\n"))) {
      fsys::path next = p / part;
      if (fsys::is_directory(p))
        for (const auto& e : fsys::directory_iterator(p))
          if (EqualsNoCase(e.path().filename().string(), part)) next = e.path();
      p = next;
    }
    return p.string();
  }

  static TTVPSearchInfo Request(std::vector<int> positions) {
    TTVPSearchInfo r;
    r.FolderCount = static_cast<int>(positions.size());
    r.FolderIndexes = std::move(positions);
    return r;
  }

  static TTVPSearchInfo AllMailFolders() {
    std::vector<int> positions;
    for (size_t i = 0; i < folders_.size(); ++i)
      if (folders_[i].Kind == 1) positions.push_back(static_cast<int>(i));
    return Request(positions);
  }

  // Writes namazurc, runs the command line with the real namazu in the
  // index root, and renders result.txt converted to Shift-JIS.
  TRenderedResult Search(const TResultMenuState& menu, const TTVPSearchInfo& request, const std::string& expression,
                         const TTVPSettings& settings = settings_) {
    const std::string winRoot = IndexRoot(kWinAccount, settings.IndexDir);
    const std::string root = account_ + "/Namazu";
    std::string config = NamazuConfigText(winRoot, kWinAccount, altUrls_, false);
    config = ReplaceAll(config, "\"" + ReplaceAll(winRoot, "\\", "/") + "\"",
                        "\"" + (indexRoot_.empty() ? root : indexRoot_) + "\"");
    std::ofstream(root + "/namazurc", std::ios::binary) << config;

    commandLine_ = NamazuCommandLine(settings, menu, winRoot, expression, IndexList(request, folders_, winRoot, false));
    std::vector<std::string> args = SplitArguments(commandLine_);
    EXPECT_EQ(args.at(0), settings.namazuPath);
    std::string run = "cd " + Quote(root) + " && rm -f result.txt && LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 " +
                      "OUTPUT_CHARSET=EUC-JP /usr/bin/namazu";
    for (size_t i = 1; i < args.size(); ++i) run += " " + Quote(args[i]);
    run += " >/dev/null 2>&1 && nkf --ic=EUC-JP --oc=CP932 result.txt";
    std::string raw = Capture(run);
    EXPECT_FALSE(raw.empty()) << commandLine_;
    return RenderResultText(raw, settings, request, folders_, kWinMailbox);
  }

  // The mail of a hit with its headers decoded, in Shift-JIS.
  static const std::string& Mail(const TClickableInfo& hit) {
    const std::string file = ToLinux(UrlToPath(hit.Path));
    auto it = mails_.find(file);
    if (it == mails_.end()) it = mails_.emplace(file, Capture("nkf -s -m " + Quote(file))).first;
    return it->second;
  }

  static std::vector<std::string> Paths(const TRenderedResult& r) {
    std::vector<std::string> out;
    for (const auto& h : r.Hits) out.push_back(h.Path);
    return out;
  }

  static std::string skip_, root_, account_, indexOutput_;
  static test::MemoryFileSystem disk_;
  static std::vector<TFolderInfo> folders_;
  static TTVPSettings settings_;
  static std::map<std::string, std::string> mails_;
  std::string commandLine_;
  std::vector<std::string> altUrls_;
  std::string indexRoot_;  // where namazurc says the indexes are, if not in the index root
};

std::string RealNamazu::skip_, RealNamazu::root_, RealNamazu::account_, RealNamazu::indexOutput_;
test::MemoryFileSystem RealNamazu::disk_;
std::vector<TFolderInfo> RealNamazu::folders_;
TTVPSettings RealNamazu::settings_;
std::map<std::string, std::string> RealNamazu::mails_;

const char kAllOnlyWords[] =
    "inboxonly or outboxonly or sheetcalc or projalpha or archive2024 or archive2023 or minutesonly or nototrip";
const int kAllMails = 32;

TResultMenuState Menu(TSortItem sort, TListCountItem count = TListCountItem::All, bool ascend = false,
                      bool contentsOff = false) {
  TResultMenuState m;
  m.Sort = sort;
  m.ListCount = count;
  m.Ascend = ascend;
  m.ContentsOff = contentsOff;
  return m;
}

}  // namespace

TEST_F(RealNamazu, EachFolderWordFindsExactlyItsFolderMails) {
  const std::map<std::string, std::pair<int, int>> words = {  // word -> folder position, mails
      {"inboxonly", {0, 6}}, {"outboxonly", {1, 4}},  {"sheetcalc", {2, 4}},   {"projalpha", {4, 5}},
      {"archive2024", {6, 3}}, {"archive2023", {7, 3}}, {"minutesonly", {8, 4}}, {"nototrip", {9, 3}}};
  for (const auto& [word, expected] : words) {
    TRenderedResult r = Search(Menu(TSortItem::Score, TListCountItem::Twenty), AllMailFolders(), word);
    EXPECT_TRUE(r.Found) << commandLine_;
    ASSERT_EQ(static_cast<int>(r.Hits.size()), expected.second) << word << "\n" << r.Text;
    std::set<std::string> files;
    for (size_t k = 0; k < r.Hits.size(); ++k) {
      const TClickableInfo& hit = r.Hits[k];
      // The link leads back to a mail of the folder, under the Windows name.
      std::string path = UrlToPath(hit.Path);
      EXPECT_TRUE(EqualsNoCase(path.substr(0, folders_[expected.first].Dir.size()), folders_[expected.first].Dir))
          << path;
      EXPECT_TRUE(EndsWith(path, ".alm")) << path;
      files.insert(LowerAscii(path));
      const std::string& mail = Mail(hit);
      EXPECT_TRUE(Contains(mail, word)) << path;
      EXPECT_EQ(hit.TitleText, std::to_string(k + 1) + ". " + Header(mail, "Subject"));
    }
    EXPECT_EQ(static_cast<int>(files.size()), expected.second);
  }
  // The folder left out of the list is never searched.
  TRenderedResult none = Search(Menu(TSortItem::Score), AllMailFolders(), "orphanbox");
  EXPECT_FALSE(none.Found);
  EXPECT_TRUE(none.Hits.empty());
}

TEST_F(RealNamazu, JapaneseWordFindsOnlyMailsThatHoldIt) {
  TRenderedResult r = Search(Menu(TSortItem::Score), AllMailFolders(), "予算");
  ASSERT_FALSE(r.Hits.empty()) << r.Text;
  for (const TClickableInfo& hit : r.Hits) {
    std::string path = UrlToPath(hit.Path);
    EXPECT_TRUE(Contains(Mail(hit), "予算")) << path;
    EXPECT_TRUE(EqualsNoCase(path.substr(0, folders_[2].Dir.size()), folders_[2].Dir) ||
                EqualsNoCase(path.substr(0, folders_[8].Dir.size()), folders_[8].Dir))
        << path;
  }
}

TEST_F(RealNamazu, HitCountBlockShowsTheSearchedFoldersTitles) {
  TTVPSearchInfo request = Request({2, 0, 9});
  TRenderedResult r = Search(Menu(TSortItem::Score), request, "sheetcalc or inboxonly");
  std::vector<std::string> lines = SplitLines(r.Text);
  ASSERT_GT(lines.size(), 6u);
  EXPECT_EQ(lines[2], "参考ヒット数: ");
  EXPECT_TRUE(StartsWith(lines[3], "「表計算」  [ sheetcalc: 4 ]")) << lines[3];
  EXPECT_TRUE(StartsWith(lines[4], "「郵便受け」  [ sheetcalc: 0 ]  [ inboxonly: 6 ]")) << lines[4];
  EXPECT_TRUE(StartsWith(lines[5], "「能登旅行」  [ ")) << lines[5];
  EXPECT_EQ(r.Hits.size(), 10u);

  // Without the switch namazu's own index paths stay.
  TTVPSettings plain = settings_;
  plain.RenameToFolderName = "0";
  lines = SplitLines(Search(Menu(TSortItem::Score), request, "sheetcalc", plain).Text);
  EXPECT_TRUE(StartsWith(lines[3], "(" + account_ + "/Namazu/b001) ")) << lines[3];

  // Index paths that hold ") " themselves (a folder "x (old) y"): the
  // titles replace the whole path.
  indexRoot_ = root_ + "/x (old) y";
  fsys::create_directory_symlink(account_ + "/Namazu", indexRoot_);
  lines = SplitLines(Search(Menu(TSortItem::Score), request, "sheetcalc", plain).Text);
  EXPECT_TRUE(StartsWith(lines[3], "(" + indexRoot_ + "/b001) [ sheetcalc: 4 ]")) << lines[3];
  lines = SplitLines(Search(Menu(TSortItem::Score), request, "sheetcalc").Text);
  EXPECT_EQ(lines[3], "「表計算」  [ sheetcalc: 4 ] ");
  EXPECT_TRUE(StartsWith(lines[4], "「郵便受け」  [ sheetcalc: 0 ]")) << lines[4];
  indexRoot_.clear();

  // One folder: namazu puts the counts on the header line, which stays.
  lines = SplitLines(Search(Menu(TSortItem::Score), Request({2}), "sheetcalc").Text);
  EXPECT_EQ(lines[2], "参考ヒット数:  [ sheetcalc: 4 ] ");
}

TEST_F(RealNamazu, EverySortOrdersTheSameHitsAsAsked) {
  // The key a sort compares, read from each hit's mail.
  auto keys = [&](const TRenderedResult& r, const std::string& field) {
    std::vector<std::string> out;
    for (const TClickableInfo& hit : r.Hits) {
      if (field == "uri") {
        out.push_back(hit.Path);
      } else if (field == "Date") {
        std::tm tm = {};
        EXPECT_TRUE(strptime(Header(Mail(hit), "Date").c_str(), "%a, %d %b %Y %H:%M:%S", &tm));
        char buf[32];
        std::strftime(buf, sizeof buf, "%Y%m%d%H%M%S", &tm);
        out.push_back(buf);
      } else {
        out.push_back(Header(Mail(hit), field));
      }
    }
    return out;
  };
  auto sorted = [](std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
  };
  TTVPSearchInfo all = AllMailFolders();
  const std::vector<std::string> everyMail = sorted(Paths(Search(Menu(TSortItem::Score), all, kAllOnlyWords)));
  ASSERT_EQ(static_cast<int>(everyMail.size()), kAllMails);

  // Dates (namazu compares the files' times): with the default DateOption
  // 古い順 lists the oldest first and 新しい順 the newest first, as the
  // built-in fall-backs do. The ascending switch does not apply to them.
  std::vector<std::string> early = keys(Search(Menu(TSortItem::Earlier, TListCountItem::All, true), all, kAllOnlyWords), "Date");
  std::vector<std::string> late = keys(Search(Menu(TSortItem::Later), all, kAllOnlyWords), "Date");
  ASSERT_EQ(static_cast<int>(early.size()), kAllMails);
  EXPECT_TRUE(std::is_sorted(early.begin(), early.end())) << testing::PrintToString(early);
  EXPECT_TRUE(std::is_sorted(late.rbegin(), late.rend())) << testing::PrintToString(late);
  EXPECT_NE(early.front(), early.back());
  TTVPSettings builtIn = settings_;
  builtIn.DateOption = "";
  EXPECT_EQ(keys(Search(Menu(TSortItem::Earlier), all, kAllOnlyWords, builtIn), "Date"), early);
  // A settings file that still holds the earlier default is read as today's.
  IniFile old("[Command]\r\nDateOption=--late,--early\r\n");
  TTVPSettings stored;
  LoadSettings(old, stored);
  builtIn.DateOption = stored.DateOption;
  EXPECT_EQ(keys(Search(Menu(TSortItem::Earlier), all, kAllOnlyWords, builtIn), "Date"), early);

  // Fields: descending by default, --ascending reverses.
  for (const auto& [item, field] : std::vector<std::pair<TSortItem, std::string>>{
           {TSortItem::Subject, "Subject"}, {TSortItem::From, "From"}, {TSortItem::To, "To"}, {TSortItem::FileName, "uri"}}) {
    TRenderedResult down = Search(Menu(item), all, kAllOnlyWords);
    TRenderedResult up = Search(Menu(item, TListCountItem::All, true), all, kAllOnlyWords);
    EXPECT_EQ(sorted(Paths(down)), everyMail) << field;
    EXPECT_EQ(sorted(Paths(up)), everyMail) << field;
    std::vector<std::string> downKeys = keys(down, field), upKeys = keys(up, field);
    std::reverse(upKeys.begin(), upKeys.end());
    EXPECT_EQ(downKeys, upKeys) << field;
    EXPECT_NE(downKeys.front(), downKeys.back()) << field;
  }
  // File names: every path shares the account prefix, so the order is the
  // order of the paths themselves.
  std::vector<std::string> uris = Paths(Search(Menu(TSortItem::FileName, TListCountItem::All, true), all, kAllOnlyWords));
  EXPECT_EQ(uris, everyMail);
}

// Expressions that broke the command line: each reaches namazu as one
// query, whose words namazu lists in the hit-count line.
TEST_F(RealNamazu, HostileExpressionsArriveAsOneQuery) {
  for (const auto& [expression, counts] : test::kHostileExpressions) {
    std::vector<std::string> lines = SplitLines(Search(Menu(TSortItem::Score), Request({0}), expression).Text);
    ASSERT_GT(lines.size(), 2u) << commandLine_;
    EXPECT_TRUE(StartsWith(lines[2], "参考ヒット数: " + counts)) << expression << "\n" << lines[2];
  }
  EXPECT_FALSE(fsys::exists(account_ + "/Namazu/evil.txt"));
}

// A replacement with a blank in [AltURL] used to stop namazu with a syntax
// error in namazurc and an empty result file.
TEST_F(RealNamazu, AltUrlWithABlankKeepsTheConfigurationReadable) {
  altUrls_ = {"d:\\old mail\\", "e:\\x"};
  TRenderedResult r = Search(Menu(TSortItem::Score), AllMailFolders(), "inboxonly");
  EXPECT_EQ(r.Hits.size(), 6u) << r.Text;
}

// A subject that holds the English score marker keeps its whole text: the
// marker namazu adds stands last.
TEST_F(RealNamazu, TitleHoldingTheScoreMarkerKeepsItsText) {
  const std::string dir = root_ + "/extra";
  fsys::create_directories(dir + "/mail");
  fsys::create_directories(dir + "/idx");
  std::ofstream(dir + "/mail/1", std::ios::binary)
      << "From: a@example.jp\nSubject: Re: (score: 5) oddsubject\nDate: Mon, 1 Mar 2021 10:00:00 +0900\n\noddsubject\n";
  std::string raw = Capture("cd " + Quote(dir) + " && export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 && " +
                            "/usr/bin/mknmz -O idx mail >/dev/null 2>&1 && OUTPUT_CHARSET=EUC-JP /usr/bin/namazu " +
                            "--output=result.txt -- oddsubject idx >/dev/null 2>&1 && nkf --ic=EUC-JP --oc=CP932 result.txt");
  ASSERT_TRUE(Contains(raw, "(スコア: ")) << raw;
  TRenderedResult r = RenderResultText(raw, settings_, Request({0}), folders_, kWinMailbox);
  ASSERT_EQ(r.Hits.size(), 1u) << raw;
  EXPECT_EQ(r.Hits[0].TitleText, "1. Re: (score: 5) oddsubject");
}

TEST_F(RealNamazu, SummaryAndCountOptions) {
  TTVPSearchInfo all = AllMailFolders();
  TRenderedResult full = Search(Menu(TSortItem::FileName), all, kAllOnlyWords);
  TRenderedResult shortForm = Search(Menu(TSortItem::FileName, TListCountItem::All, false, true), all, kAllOnlyWords);
  EXPECT_TRUE(Contains(full.Text, "\r\n著者: "));
  EXPECT_FALSE(Contains(shortForm.Text, "著者: "));
  EXPECT_LT(shortForm.Text.size(), full.Text.size());
  ASSERT_EQ(Paths(shortForm), Paths(full));
  for (size_t k = 0; k < full.Hits.size(); ++k) EXPECT_EQ(shortForm.Hits[k].TitleText, full.Hits[k].TitleText);

  const std::vector<std::pair<TListCountItem, int>> counts = {
      {TListCountItem::Twenty, 20}, {TListCountItem::Fifty, kAllMails}, {TListCountItem::Hundred, kAllMails},
      {TListCountItem::All, kAllMails}};
  for (const auto& [count, expected] : counts) {
    for (bool contentsOff : {false, true}) {
      TRenderedResult r = Search(Menu(TSortItem::FileName, count, false, contentsOff), all, kAllOnlyWords);
      ASSERT_EQ(static_cast<int>(r.Hits.size()), expected) << commandLine_;
      EXPECT_TRUE(Contains(r.Text, "現在のリスト: 1 - " + std::to_string(expected))) << commandLine_;
      // The first hits are the same whatever the count.
      for (int k = 0; k < expected; ++k) EXPECT_EQ(r.Hits[k].Path, full.Hits[k].Path);
    }
  }
}

TEST_F(RealNamazu, NavigationOverARealResult) {
  TRenderedResult r = Search(Menu(TSortItem::FileName), AllMailFolders(), kAllOnlyWords);
  ASSERT_EQ(static_cast<int>(r.Hits.size()), kAllMails);
  int caret = 0;
  for (int k = 0; k < kAllMails; ++k) {
    caret = NextHitTarget(r.Hits, caret);
    ASSERT_EQ(HitAt(r.Hits, caret), k);
    EXPECT_EQ(r.LinkMap[caret], kLinkPath);
    EXPECT_EQ(r.Text.substr(caret, r.Hits[k].Path.size()), r.Hits[k].Path);
  }
  EXPECT_EQ(NextHitTarget(r.Hits, caret), -1);
  // Upwards from below the last path: each title in turn.
  caret = r.Hits.back().PathEnd + 1;
  for (int k = kAllMails - 1; k >= 0; --k) {
    caret = PreviousHitTarget(r.Hits, caret);
    ASSERT_EQ(HitAt(r.Hits, caret), k);
    EXPECT_EQ(r.LinkMap[caret], kLinkTitle);
  }
}
