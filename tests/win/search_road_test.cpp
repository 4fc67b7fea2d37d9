// The search road with the real Namazu (Debian's mknmz and namazu through
// the test build's bridge) on a copy of the sample account: the result
// window searches two indexed folders, the hits are the mails, a mail is
// read converted, opened in the host and quoted, closing stores the
// settings, and a search with another order turns the hits round.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "core/common/sjis.h"
#include "core/indexing/mknmz.h"
#include "core/indexing/paths.h"
#include "plugin/files/file_utils.h"
#include "plugin/files/win_fs.h"
#include "plugin/console/run_command.h"
#include "plugin/results/frm_copy_quote.h"
#include "plugin/results/frm_result.h"
#include "plugin/search/frm_search.h"
#include "plugin/shell/exports.h"
#include "plugin/settings/settings_store.h"
#include "plugin/ui/controls.h"
#include "standin-host/standin.h"
#include "win/modal_steps.h"
#include "win/sample_account.h"

using namespace tvp;
using namespace tvp::test;

namespace {

// The text of a MIME "B" encoded word of ISO-2022-JP, in Shift-JIS.
std::string DecodeSubject(const std::string& header) {
  size_t b = header.find("?B?"), end = header.rfind("?=");
  if (b == std::string::npos || end == std::string::npos || end < b) return header;
  static const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string jis;
  unsigned bits = 0;
  int count = 0;
  for (char c : header.substr(b + 3, end - b - 3)) {
    size_t v = digits.find(c);
    if (v == std::string::npos) continue;
    bits = (bits << 6) | static_cast<unsigned>(v);
    count += 6;
    if (count >= 8) {
      count -= 8;
      jis += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  return standin::JisToSjis(jis);
}

std::string HeaderOf(const std::string& mail, const std::string& name) {
  for (const std::string& line : SplitLines(mail))
    if (StartsWith(line, name)) return line.substr(name.size());
  return "";
}

class SearchRoad : public SampleAccount<> {
 protected:
  void SetUp() override {
    SampleAccount::SetUp();
    ShowWindow(host, SW_SHOW);
    standin::SetMailbox(scratch.path());  // the account lies one level below
    WriteFileText(IniPath(), "[Command]\r\nPerlPath=" + ShimDir() + "perl.exe\r\nnamazuPath=" + ShimDir() +
                                 "namazu.exe\r\nmknmzPath=C:\\namazu\\bin\\mknmz\r\n"
                                 "mknmzOption=--use-kakasi --mailnews -EHK --allow=\".*\\.alm\"\r\n");
    TTVPSettings settings = EnsureAndLoadSettings(host);
    std::vector<TFolderInfo> folders = LoadFolderTree(DiskFileSystem(), accountDir, "");
    for (int p : {0, 8}) {  // 郵便受け, 会議録
      const TFolderInfo& folder = folders[p];
      ASSERT_TRUE(ForceDirectories(folder.IndexPath));
      MknmzCommand command = MknmzCommandFor(settings, ShortPathName(ExcludeTrailingBackslash(folder.IndexPath)),
                                             folder.Dir, accountDir, 0, false);
      RunCommand(command.commandLine, command.workDir, rmHidden, nullptr);
      ASSERT_TRUE(FileExists(folder.IndexPath + "NMZ.i")) << command.commandLine;
    }
  }

  bool Open(const TTVPSearchInfo& request, const std::function<void(TfrmResult&)>& drive) {
    return WhileModal([&] { OpenResultWindow(host, request); },
                      [&](Form&) { Arm(nullptr, [&](Form& f) { drive(dynamic_cast<TfrmResult&>(f)); }); });
  }
  static std::vector<std::string> Paths(const TfrmResult& w) {
    std::vector<std::string> paths;
    for (const TClickableInfo& hit : w.result.Hits) paths.push_back(UrlToPath(hit.Path));
    return paths;
  }
};

}  // namespace

TEST_F(SearchRoad, FromTheHitsToAQuotedMailAndASecondOrder) {
  TTVPSearchInfo request{2, {8, 0}, "minutesonly"};
  standin::ClearCalls();
  std::vector<std::string> paths, titles, laterFirst, earlierFirst;
  std::string mailShown, subjectBar, quoted, thirdPath;
  ASSERT_TRUE(Open(request, [&](TfrmResult& w) {
    paths = Paths(w);
    for (const TClickableInfo& hit : w.result.Hits) titles.push_back(hit.TitleText);
    // N, N, P and Enter: the first hit's mail, then on to the third with N.
    w.edtResultKeyPress('n');
    w.edtResultKeyPress('n');
    w.edtResultKeyPress('p');
    w.edtResultKeyDown(VK_RETURN);
    w.edtMailKeyPress('n');
    w.edtMailKeyPress('n');
    mailShown = w.edtMail.Text();
    subjectBar = WindowText(w.pnlSubject);
    thirdPath = w.CurrentMailPath;
    // Shift+Enter: the host opens it.
    ui.shiftHeld = true;
    w.edtMailKeyDown(VK_RETURN);
    ui.shiftHeld = false;
    // Quote copy with all headers.
    Arm(&w, [&](Form& f) {
      auto& d = dynamic_cast<TfrmCopyQuote&>(f);
      SetChecked(d.rbtnNone, false);
      SetChecked(d.rbtnAll, true);
      d.btnOKClick();
    });
    SetFocus(w.edtMail.Handle());
    w.EditCopyQuoteExecute();
    quoted = ui.clipboard;
    // A second search, newest first, then oldest first.
    w.mnuSortClick(TSortItem::Later);
    w.btnSearchClick();
    laterFirst = Paths(w);
    w.mnuSortClick(TSortItem::Earlier);
    w.btnSearchClick();
    earlierFirst = Paths(w);
    w.btnCloseClick();
  }));
  EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;

  // The four mails of 会議録 hold the word; each title is its mail's subject.
  ASSERT_EQ(paths.size(), 4u);
  for (size_t i = 0; i < paths.size(); ++i) {
    EXPECT_TRUE(StartsWith(LowerAscii(paths[i]), LowerAscii(accountDir + "user003.box\\"))) << paths[i];
    std::string subject = DecodeSubject(HeaderOf(ReadFileText(paths[i]), "Subject: "));
    EXPECT_EQ(titles[i], std::to_string(i + 1) + ". " + subject);
  }
  // The third mail, converted and its header words decoded, with its title above it.
  std::string raw = ReadFileText(paths[2]), converted = standin::JisToSjis(raw);
  EXPECT_EQ(thirdPath, paths[2]);
  EXPECT_EQ(HeaderOf(mailShown, "Subject: "), DecodeSubject(HeaderOf(raw, "Subject: ")));
  EXPECT_EQ(mailShown.substr(mailShown.find("\r\n\r\n")), converted.substr(converted.find("\r\n\r\n")));
  EXPECT_TRUE(Contains(mailShown, "分類タグ"));
  EXPECT_EQ(subjectBar, titles[2]);
  // The host was given the path below the mailbox root without extension.
  auto calls = standin::CallsOf("APAFolderOpenMail");
  ASSERT_EQ(calls.size(), 1u);
  std::string relative = paths[2].substr(scratch.path().size());
  EXPECT_EQ(calls[0].args[1], relative.substr(0, relative.size() - 4));
  // All header lines and the body, quoted.
  std::vector<std::string> mailLines = SplitLines(mailShown), quotedLines = SplitLines(quoted);
  ASSERT_EQ(quotedLines.size(), mailLines.size() + 1);  // the prefix line after the headers
  EXPECT_EQ(quotedLines[0], ">" + mailLines[0]);
  EXPECT_EQ(quotedLines[8], ">");
  EXPECT_EQ(quotedLines.back(), ">" + mailLines.back());
  // Newest first and oldest first are the same hits the other way round.
  ASSERT_EQ(laterFirst.size(), 4u);
  std::vector<std::string> reversed(earlierFirst.rbegin(), earlierFirst.rend());
  EXPECT_EQ(laterFirst, reversed);
  EXPECT_NE(laterFirst, earlierFirst);
  // Closing stored the order, the folders and the history.
  EXPECT_EQ(Read("Search", "Sort"), "Earlier");
  EXPECT_EQ(Read("Search", "Folder1"), "8:会議録");
  EXPECT_EQ(Read("Search", "Folder2"), "0:郵便受け");
  EXPECT_EQ(Read("Search", "History1"), "minutesonly");
}

// From the host's menu: the search dialog restores the two stored folders,
// takes an expression and a From: condition, and the result window shows the
// real hits, each a mail of those folders from that sender with its subject.
TEST_F(SearchRoad, TheMenuCommandSearchesThroughTheDialog) {
  WriteFileText(IniPath(), ReadFileText(IniPath()) +
                               "[Search]\r\nTargetFolderCount=2\r\nFolder1=8:会議録\r\nFolder2=0:郵便受け\r\n");
  APCFolderInitMenu(host, GetMenu(host), 101);
  HMENU tools = GetSubMenu(GetMenu(host), 3);
  UINT searchId = GetMenuItemID(tools, GetMenuItemCount(tools) - 1);
  std::vector<std::string> paths, titles;
  std::string keyword;
  Arm(nullptr, [&](Form& f) {
    auto& d = dynamic_cast<TfrmSearch&>(f);
    SetWindowTextA(d.cboKeyword, "会議");
    SetWindowTextA(d.cboHeaderName, "From:");
    SetWindowTextA(d.edtHeaderKeyword, "sato");
    d.btnAddClick();
    Arm(&d, [&](Form& r) {
      auto& w = dynamic_cast<TfrmResult&>(r);
      paths = Paths(w);
      for (const TClickableInfo& hit : w.result.Hits) titles.push_back(hit.TitleText);
      keyword = WindowText(w.cboKeyword);
      w.btnCloseClick();
    });
    d.btnSearchClick();
  });
  SendMessageA(host, WM_COMMAND, MAKEWPARAM(searchId, 0), 0);
  EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
  EXPECT_EQ(keyword, "会議 +From:sato");
  // The mails of 会議録 and 郵便受け from sato that hold the word: three.
  ASSERT_EQ(paths.size(), 3u);
  for (size_t i = 0; i < paths.size(); ++i) {
    std::string mail = ReadFileText(paths[i]);
    EXPECT_TRUE(Contains(HeaderOf(mail, "From: "), "sato@example.jp")) << paths[i];
    EXPECT_EQ(titles[i], std::to_string(i + 1) + ". " + DecodeSubject(HeaderOf(mail, "Subject: ")));
  }
  EXPECT_EQ(Read("Search", "History1"), "会議 +From:sato");
}

// An account below "Program Files (x86)", or in a directory whose name holds
// what Perl takes as syntax or a trail byte "\\": the index still stores the
// mails below "account/", so that every hit leads to its mail.
class SearchRoadOddAccountPath : public SearchRoad {
 protected:
  SearchRoadOddAccountPath() { accountName = "ソ表 (x86) #1 @a$b [c]{d}+^"; }
};

TEST_F(SearchRoadOddAccountPath, EveryHitLeadsToItsMail) {
  std::vector<std::string> paths;
  std::string mailShown;
  ASSERT_TRUE(Open(TTVPSearchInfo{1, {0}, "inboxonly"}, [&](TfrmResult& w) {
    paths = Paths(w);
    w.edtResultKeyPress('n');
    w.edtResultKeyDown(VK_RETURN);
    mailShown = w.edtMail.Text();
    w.btnCloseClick();
  }));
  EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
  ASSERT_EQ(paths.size(), 6u);
  for (const std::string& path : paths) {
    EXPECT_TRUE(StartsWith(LowerAscii(path), LowerAscii(accountDir + "inbox.box\\"))) << path;
    EXPECT_TRUE(FileExists(path)) << path;
  }
  EXPECT_TRUE(Contains(mailShown, "分類タグ: inboxonly")) << mailShown;
}
