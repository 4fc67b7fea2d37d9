// The result window on a copy of the sample account, with a stand-in
// namazu (tvp_child copied as namazu.exe) whose result names mails of the
// account: the menus from and to the settings, the searches it starts and
// does not start, the command-line page, the mail view and its keys, the
// host's mail path, copying, fonts, and the quote copy dialog.
#include <windows.h>
#include <gtest/gtest.h>

#include "core/common/sjis.h"
#include "core/indexing/paths.h"
#include "core/results/result_window.h"
#include "plugin/files/file_utils.h"
#include "plugin/files/win_fs.h"
#include "plugin/results/frm_copy_quote.h"
#include "plugin/results/frm_result.h"
#include "plugin/search/frm_search.h"
#include "plugin/ui/controls.h"
#include "standin-host/standin.h"
#include "win/modal_steps.h"
#include "win/sample_account.h"

using namespace tvp;
using namespace tvp::test;

namespace {

// A result of namazu 2 for three mails of the account (LF line ends).
std::string ResultFor(const std::string& account, const std::vector<std::string>& mails) {
  std::string s = "検索結果\n\n検索式にマッチする " + std::to_string(mails.size()) + " 個の文書が見つかりました。\n\n";
  for (size_t n = 0; n < mails.size(); ++n)
    s += std::to_string(n + 1) + ". メール" + std::to_string(n + 1) + " (スコア: 5)\n著者: a@example.jp\n" +
         PathToUrl(account) + mails[n] + " (100 bytes)\n\n\n\n\n";
  return s + "現在のリスト: 1 - " + std::to_string(mails.size()) + "\n\n";
}

class ResultWindow : public SampleAccount<> {
 protected:
  void SetUp() override {
    SampleAccount::SetUp();
    ShowWindow(host, SW_SHOW);
    standin::SetMailbox(accountDir);
    ASSERT_TRUE(ForceDirectories(accountDir + "Namazu"));
    ASSERT_TRUE(CopyFileA((ProgramDir() + "tvp_child.exe").c_str(), (scratch.path() + "namazu.exe").c_str(), FALSE));
    NamazuWrites(ResultFor(accountDir, {"user003.box/1.alm", "user003.box/2.alm", "user003.box/3.alm"}));
    request.FolderCount = 1;
    request.FolderIndexes = {8};  // 会議録 (user003.box)
    request.Keyword = "会議";
  }
  void TearDown() override {
    SampleAccount::TearDown();
  }

  void WriteSettings(const std::string& lines) {
    WriteFileText(IniPath(), "[Command]\r\nnamazuPath=" + scratch.path() + "namazu.exe\r\nnamazuOption=\r\n" + lines);
  }
  void NamazuWrites(const std::string& text) { WriteFileText(scratch.path() + "namazu-fake.txt", text); }
  // The command line of the last namazu run, or "" when none ran since the last call.
  std::string NamazuRun() {
    std::string log = scratch.path() + "namazu-fake.log";
    std::vector<std::string> lines = SplitLines(ReadFileText(log));
    DeleteFileA(log.c_str());
    return lines.size() > 1 ? lines[1] : "";
  }
  // Opens the window; `drive` runs inside its modal loop once the first search is over.
  bool Open(const std::function<void(TfrmResult&)>& drive) {
    return WhileModal([&] { OpenResultWindow(host, request); },
                      [&](Form&) { Arm(nullptr, [&](Form& f) { drive(dynamic_cast<TfrmResult&>(f)); }); });
  }
  static bool Checked(HMENU bar, int submenu, int item) {
    return GetMenuState(GetSubMenu(bar, submenu), item, MF_BYPOSITION) & MF_CHECKED;
  }
  static bool Grayed(HMENU bar, int submenu, int item) {
    return GetMenuState(GetSubMenu(bar, submenu), item, MF_BYPOSITION) & MF_GRAYED;
  }
  static std::string Text(HWND window) {
    int n = static_cast<int>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
    std::string s(n + 1, '\0');
    SendMessageA(window, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(&s[0]));
    return s.c_str();
  }

  TTVPSearchInfo request;
};

}  // namespace

TEST_F(ResultWindow, OpensFromTheSettingsSearchesOnceAndSavesAtClosing) {
  WriteSettings("[Search]\r\nSort=subject\r\nSortDirection=ASCEND\r\nListCount=35\r\nFormulaHistoryCount=3\r\n"
                "History1=前の式\r\nHistory2= \r\nHistory3=三つ目\r\nHistory4=四つ目\r\n"
                "[Result]\r\nColor=0\r\nConfirmCommandLine=1\r\n");
  std::string firstRun, secondRun, caption;
  std::vector<std::string> history;
  bool helpRight = false, commandLineEnabled = false;
  bool checks[8] = {};
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    firstRun = NamazuRun();
    caption = w.Caption();
    history = w.KeywordHistory();
    HMENU bar = GetMenu(w.Handle());
    checks[0] = Checked(bar, 0, 3);                                // 題名順
    checks[1] = Checked(bar, 0, 8) && !Checked(bar, 0, 9);         // 昇順, not 降順
    checks[2] = !Grayed(bar, 0, 8);                                // direction enabled
    checks[3] = Checked(bar, 2, 1);                                // 50件
    checks[4] = Checked(bar, 5, 1);                                // 色をつけない
    checks[5] = Checked(bar, 4, 0);                                // JIS -> Shift-JIS
    checks[6] = Checked(bar, 1, 0);                                // 表示する
    MENUITEMINFOA mi = {sizeof mi, MIIM_FTYPE};
    GetMenuItemInfoA(bar, GetMenuItemCount(bar) - 1, TRUE, &mi);
    helpRight = mi.fType & MFT_RIGHTJUSTIFY;
    commandLineEnabled = IsWindowEnabled(w.btnViewCommandLine) && IsWindowVisible(w.btnViewCommandLine);
    // Activation again: nothing is pending any more.
    SendMessageA(w.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    ProcessMessages();
    secondRun = NamazuRun();
    w.mnuListCountClick(TListCountItem::All);
    w.mnuSettingColorClick();
    w.mnuSettingSavePositionClick();
    w.btnCloseClick();
  }));
  EXPECT_EQ(caption, "Tarvik for Namazu [検索結果]");
  EXPECT_TRUE(Contains(firstRun, " --sort=field:subject --ascending --max=\"50\" --output=\"result.txt\"  -- \"会議\" +b003"))
      << firstRun;
  EXPECT_EQ(secondRun, "");
  EXPECT_EQ(history, (std::vector<std::string>{"会議", "前の式", "三つ目"}));
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(checks[i]) << i;
  EXPECT_TRUE(helpRight);
  EXPECT_TRUE(commandLineEnabled);
  EXPECT_EQ(Read("Search", "History1"), "会議");
  EXPECT_EQ(Read("Search", "History2"), "前の式");
  EXPECT_EQ(Read("Search", "TargetFolderCount"), "1");
  EXPECT_EQ(Read("Search", "Folder1"), "8:会議録");
  EXPECT_EQ(Read("Search", "ListCount"), "All");
  EXPECT_EQ(Read("Search", "Sort"), "subject");
  EXPECT_EQ(Read("Result", "Color"), "1");
  EXPECT_EQ(Read("Result", "SaveWindowPos"), "1");
  EXPECT_NE(Read("Result", "WindowLeft"), "(absent)");
  EXPECT_EQ(Read("Result", "SaveWindowSize"), "0");
}

TEST_F(ResultWindow, MenuChangesSearchAgainOnlyWhenSoSetAndARefusalShowsOnce) {
  WriteSettings("[Result]\r\nSearchOnChangeSettings=0\r\n");
  std::string quietRun, resortRun;
  size_t messagesAfterRefusal = 0, messagesLater = 0;
  bool directionGrayed = false;
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    NamazuRun();
    w.mnuListCountClick(TListCountItem::Fifty);
    quietRun = NamazuRun();
    w.settings.SearchOnChangeSettings = "1";
    w.mnuSortClick(TSortItem::Later);
    resortRun = NamazuRun();
    directionGrayed = Grayed(GetMenu(w.Handle()), 0, 8);
    w.SetKeywordText("　");
    w.mnuContentsClick(true);
    messagesAfterRefusal = ui.messages.size();
    SendMessageA(w.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);  // as after the message box
    ProcessMessages();
    messagesLater = ui.messages.size();
    w.btnCloseClick();
  }));
  EXPECT_EQ(quietRun, "");
  EXPECT_TRUE(Contains(resortRun, " --late --max=\"50\" ")) << resortRun;
  EXPECT_TRUE(directionGrayed);
  EXPECT_EQ(messagesAfterRefusal, 1u);
  EXPECT_EQ(messagesLater, 1u);
  EXPECT_EQ(ui.messages[0].text, "検索式を入力してください。");
  EXPECT_EQ(Read("Search", "ShowContents"), "0");
  EXPECT_EQ(Read("Search", "Sort"), "Later");
}

TEST_F(ResultWindow, TheCriteriaDialogSearchesWithTheEditedRequestOnlyOnOk) {
  WriteSettings("");
  std::string okRun, cancelRun, keywordAfterCancel;
  // Types `expression` into the search dialog and closes it with `button`.
  auto answer = [](const std::string& expression, bool ok) {
    InNextModal([expression, ok](Form& f) {
      auto& d = dynamic_cast<TfrmSearch&>(f);
      SetWindowTextA(d.cboKeyword, expression.c_str());
      ok ? d.btnSearchClick() : d.btnCancelClick();
    });
  };
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    NamazuRun();
    w.SetKeywordText("会議 OR 予算");
    answer("新しい式", true);
    w.btnSetCriteriaClick();
    okRun = NamazuRun();
    answer("取り消した式", false);
    w.btnSetCriteriaClick();
    ProcessMessages();
    cancelRun = NamazuRun();
    keywordAfterCancel = w.request.Keyword;
    w.btnCloseClick();
  }));
  EXPECT_TRUE(Contains(okRun, "新しい式") && Contains(okRun, "+b003")) << okRun;
  EXPECT_EQ(cancelRun, "");
  EXPECT_EQ(keywordAfterCancel, "");
  // What the dialog stored survives the window's closing.
  EXPECT_EQ(Read("Search", "Folder1"), "8:会議録");
  EXPECT_EQ(Read("Search", "History1"), "新しい式");
}

TEST_F(ResultWindow, CommandLinePageReplacesTheHits) {
  WriteSettings("[Result]\r\nConfirmCommandLine=1\r\n");
  std::string shown, expected;
  size_t hits = 1;
  int page = -1;
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    w.btnViewCommandLineClick();
    shown = Text(w.edtResult.Handle());
    expected = CommandLineViewText(w.WorkDir, w.CommandLine);
    hits = w.result.Hits.size();
    w.edtResultKeyDown(VK_RETURN);  // the links no longer react
    page = w.ActivePage();
    w.btnCloseClick();
  }));
  EXPECT_EQ(shown, expected);
  EXPECT_TRUE(StartsWith(ui.clipboard, "\"" + scratch.path() + "namazu.exe\""));
  EXPECT_TRUE(Contains(shown, ui.clipboard));
  EXPECT_EQ(hits, 0u);
  EXPECT_EQ(page, 0);
}

TEST_F(ResultWindow, MailViewShowsConvertedMailsAndStopsAtTheEnds) {
  WriteSettings("");
  std::string subject, mail, caretLine, rawMail;
  std::vector<int> hitsAfterN;
  int pageAfterEnter = -1, caretBack = -1, caretBefore = -2;
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    w.edtResultKeyPress('n');  // to the first hit's path
    caretBefore = w.edtResult.Caret();
    w.edtResultKeyDown(VK_RETURN);
    subject = Text(w.pnlSubject);
    mail = Text(w.edtMail.Handle());
    caretLine = w.edtMail.Text().substr(w.edtMail.Caret(), 4);
    for (int i = 0; i < 3; ++i) {
      w.edtMailKeyPress('N');
      hitsAfterN.push_back(w.CurrentHit);
    }
    for (int i = 0; i < 3; ++i) w.edtMailKeyPress('p');
    hitsAfterN.push_back(w.CurrentHit);
    w.edtMailKeyDown(VK_RETURN);
    pageAfterEnter = w.ActivePage();
    caretBack = w.edtResult.Caret();
    w.mnuConvertClick(false);
    w.ShowMail(0);
    rawMail = w.edtMail.Text();
    w.btnCloseClick();
  }));
  EXPECT_EQ(subject, "1. メール1");
  EXPECT_TRUE(Contains(mail, "各位\r\n")) << mail.substr(0, 200);
  EXPECT_EQ(caretLine, "各位");
  EXPECT_EQ(hitsAfterN, (std::vector<int>{1, 2, 2, 0}));
  EXPECT_EQ(pageAfterEnter, 0);
  EXPECT_EQ(caretBack, caretBefore);
  EXPECT_TRUE(Contains(rawMail, "\x1B$B"));  // without conversion the JIS text stays
}

// Keys as the user types them: through the window's message loop, where
// the dialog keys Enter and Esc are turned into commands.
TEST_F(ResultWindow, KeysThroughTheMessageLoop) {
  WriteSettings("");
  int page = -1, hit = -1;
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    SetFocus(w.edtResult.Handle());
    PostMessageA(w.edtResult.Handle(), WM_KEYDOWN, 'N', 0);
    PostMessageA(w.edtResult.Handle(), WM_CHAR, 'n', 0);
    PostMessageA(w.edtResult.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    Arm(nullptr, [&](Form& f) {
      auto& w2 = dynamic_cast<TfrmResult&>(f);
      page = w2.ActivePage();
      hit = w2.CurrentHit;
      PostMessageA(w2.edtMail.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);  // closes it
    });
  }));
  EXPECT_EQ(page, 1);
  EXPECT_EQ(hit, 0);
  EXPECT_EQ(Read("Search", "Folder1"), "8:会議録");  // closing saved the settings
}

TEST_F(ResultWindow, ShiftEnterGivesTheHostTheMailPathAndCanClose) {
  WriteSettings("[Result]\r\nCloseOnMailView=1\r\n");
  standin::ClearCalls();
  bool closed = false;
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    ui.shiftHeld = true;
    w.edtResultKeyPress('n');
    w.edtResultKeyPress('n');
    w.edtResultKeyDown(VK_RETURN);  // Shift+Enter on the second hit
    closed = !IsWindowVisible(w.Handle()) || w.GetModalResult() != mrNone;
  }));
  auto calls = standin::CallsOf("APAFolderOpenMail");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args[1], "user003.box\\2");
  EXPECT_TRUE(closed);
  EXPECT_EQ(Read("Search", "Folder1"), "8:会議録");  // the settings were saved
}

// After a mail went to the host, the window takes the focus back from the host window.
TEST_F(ResultWindow, TheTimerBringsTheWindowBackOverTheHost) {
  WriteSettings("");
  bool back = false, hostActive = false;
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    w.ShowMail(0);
    w.btnMailViewClick();
    SetForegroundWindow(host);
    hostActive = GetForegroundWindow() == host;
    DWORD start = GetTickCount();
    while (!(back = GetForegroundWindow() == w.Handle()) && GetTickCount() - start < 10000) {
      ProcessMessages();
      Sleep(10);
    }
    w.btnCloseClick();
  }));
  EXPECT_TRUE(hostActive);
  EXPECT_TRUE(back);
}

TEST_F(ResultWindow, AnUnreadableMailIsReportedAndTheSubjectStillChanges) {
  WriteSettings("");
  // The second mail is there but held open by another program without sharing.
  HANDLE held = CreateFileA((accountDir + "user003.box\\2.alm").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::string subject;
  int current = -1;
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    w.ShowMail(1);
    subject = Text(w.pnlSubject);
    current = w.CurrentHit;
    w.btnCloseClick();
  }));
  CloseHandle(held);
  EXPECT_EQ(subject, "2. メール2");
  EXPECT_EQ(current, 1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "エラー");
  EXPECT_TRUE(Contains(ui.messages[0].text, "2.alm を開けません。"));
}

// The header words and the text of Japanese mail in its character sets are
// shown decoded: a character that Shift-JIS lacks as "?", an unknown set as
// written.
TEST_F(ResultWindow, MimeOfJapaneseMailIsShownDecoded) {
  WriteSettings("");
  const std::string header = "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n";
  WriteFileText(accountDir + "user003.box\\2.alm",
                "From: =?Shift_JIS?B?jG+XnZWU?= <keiri@example.jp>\r\n"
                "Subject: =?UTF-8?B?5LqI566X5Lya6K2wIOKRoA==?=\r\n =?utf-8?b?4LiB?= =?koi8-r?B?8J+YgA==?=\r\n" +
                    header + "\r\n5pys5paH44Gn44GZ44CCDQo=\r\n");
  std::string mail;
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    w.ShowMail(1);
    mail = w.edtMail.Text();
    w.btnCloseClick();
  }));
  EXPECT_EQ(mail, "From: 経理部 <keiri@example.jp>\r\nSubject: 予算会議 ①? =?koi8-r?B?8J+YgA==?=\r\n" + header +
                      "\r\n本文です。\r\n");
}

// Hits whose mails are gone are marked only as they come into view, and
// opening one tells which file is gone instead of showing an empty mail or
// calling the host with a dead path.
TEST_F(ResultWindow, VanishedMailsAreMarkedWhenSeenAndReportedWhenOpened) {
  WriteSettings("");
  std::vector<std::string> mails = {"user003.box/1.alm"};
  for (int n = 1; n <= 30; ++n) mails.push_back("user003.box/gone" + std::to_string(n) + ".alm");
  NamazuWrites(ResultFor(accountDir, mails));
  standin::ClearCalls();
  auto marks = [](const std::string& text) {
    int n = 0;
    for (size_t at = text.find(kVanishedMark); at != std::string::npos; at = text.find(kVanishedMark, at + 1)) ++n;
    return n;
  };
  int marksAtFirst = -1, marksAtEnd = -1, page = -1;
  bool firstMarked = true, lastMarked = false;
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    const std::string& text = w.edtResult.Edit().Text();
    marksAtFirst = marks(text);
    firstMarked = Contains(w.result.Hits[0].TitleText, kVanishedMark);
    w.edtResult.Edit().ScrollToLine(w.edtResult.Edit().LineCount());
    marksAtEnd = marks(text);
    lastMarked = Contains(text, "31. メール31" + std::string(kVanishedMark));
    w.ShowMail(1);  // Enter on a vanished hit
    page = w.ActivePage();
    ui.shiftHeld = true;
    w.edtResult.SetCaret(w.result.Hits[2].PathStart);
    w.edtResultKeyDown(VK_RETURN);  // Shift+Enter on another
    w.btnCloseClick();
  }));
  EXPECT_GT(marksAtFirst, 0);
  EXPECT_LT(marksAtFirst, 6);  // what the view shows, not all 30
  EXPECT_FALSE(firstMarked);
  EXPECT_TRUE(lastMarked);
  EXPECT_LT(marksAtEnd, 12);
  EXPECT_EQ(page, 0);
  EXPECT_TRUE(standin::CallsOf("APAFolderOpenMail").empty());
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_TRUE(Contains(ui.messages[0].text, "gone1.alm が見つかりません。"));
  EXPECT_TRUE(Contains(ui.messages[0].text, "インデックスを更新"));
  EXPECT_TRUE(Contains(ui.messages[1].text, "gone2.alm"));
}

// The words of the expression are lit in the mail (ASCII case ignored), F3
// and Shift+F3 step through them with a beep at the ends, and the menu's
// switch turns them off for the next mail and is stored.
TEST_F(ResultWindow, SearchedWordsAreLitAndF3StepsThroughThem) {
  WriteSettings("");
  request.Keyword = "会議 and MinutesOnly";
  std::vector<std::string> lit, steps;
  int beepsAtEnds = 0;
  size_t litWhenOff = 1;
  bool backed = false;
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    w.ShowMail(0);
    const std::string& text = w.edtMail.Text();
    for (const TextRange& r : w.Highlights) lit.push_back(text.substr(r.Start, r.Length));
    const TextStyle* style = w.edtMail.StyleAt(static_cast<int>(w.Highlights.back().Start));
    backed = style && style->Background != CLR_INVALID;
    auto step = [&](bool shift) {
      ui.shiftHeld = shift;
      w.edtMailKeyDown(VK_F3);
      steps.push_back(text.substr(w.edtMail.Caret(), 6));
    };
    for (int i = 0; i < 4; ++i) step(false);
    for (int i = 0; i < 4; ++i) step(true);
    beepsAtEnds = ui.beeps;
    w.mnuSettingHighlightClick();
    w.ShowMail(0);
    litWhenOff = w.Highlights.size();
    w.btnCloseClick();
  }));
  // The decoded subject 部長会議の議事録 holds the word too.
  EXPECT_EQ(lit, (std::vector<std::string>{"会議", "会議", "会議", "minutesonly"}));
  EXPECT_TRUE(backed);
  // From the body's start: both 会議, the word at the end and a beep there;
  // back to the subject's and a beep before it.
  EXPECT_EQ(steps,
            (std::vector<std::string>{"会議の", "会議の", "minute", "minute", "会議の", "会議の", "会議の", "会議の"}));
  EXPECT_EQ(beepsAtEnds, 2);
  EXPECT_EQ(litWhenOff, 0u);
  EXPECT_EQ(Read("Result", "HighlightWords"), "0");
}

TEST_F(ResultWindow, CopyInTheMailViewAsksAboutTheHeaders) {
  WriteSettings("");
  std::string whole, body, mail;
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    w.ShowMail(2);
    mail = w.edtMail.Text();
    ui.answers = {IDYES, IDNO};
    w.EditCopyExecute();
    whole = ui.clipboard;
    w.EditCopyExecute();
    body = ui.clipboard;
    w.btnCloseClick();
  }));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, "ヘッダの内容をコピーしますか?");
  EXPECT_EQ(ui.messages[0].caption, "確認");
  EXPECT_EQ(ui.messages[0].flags, UINT(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(whole, mail);  // the mail ends in CR LF
  size_t start = mail.find("山本さん");
  ASSERT_NE(start, std::string::npos);
  EXPECT_EQ(body, mail.substr(start) + "\r");  // the last line is not empty: one CR more
}

TEST_F(ResultWindow, PagingBeepsAtTheEndsAndTheMouseOpensAHit) {
  WriteSettings("");
  NamazuWrites(ResultFor(accountDir, {"user003.box/1.alm"}));
  int beepsAtTop = -1, beepsAtBottom = -1;
  int page = -1, hit = -1;
  bool hand = false;
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    SetWindowPos(w.Handle(), nullptr, 0, 0, 700, 700, SWP_NOMOVE | SWP_NOZORDER);
    w.edtResultKeyDown(VK_BACK);  // the caret is at 0
    beepsAtTop = ui.beeps;
    w.edtResultKeyPress(' ');  // the whole short result is visible
    beepsAtBottom = ui.beeps;
    POINT title = w.edtResult.Edit().PointAt(w.result.Hits[0].TitleStart + 2);
    SendMessageA(w.edtResult.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(title.x + 1, title.y + 2));
    hand = GetCursor() == LoadCursor(nullptr, IDC_HAND);
    SendMessageA(w.edtResult.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(title.x + 1, title.y + 2));
    page = w.ActivePage();
    hit = w.CurrentHit;
    w.btnCloseClick();
  }));
  EXPECT_EQ(beepsAtTop, 1);
  EXPECT_EQ(beepsAtBottom, 2);
  EXPECT_TRUE(hand);
  EXPECT_EQ(page, 1);
  EXPECT_EQ(hit, 0);
}

TEST_F(ResultWindow, FontDialogIsPresetAndANonNumberSizeIsAnError) {
  WriteSettings("[Result]\r\nFontNameMail=ＭＳ ゴシック\r\nFontSizeMail=11\r\nFontBoldMail=1\r\nFontSizeResult=abc\r\n");
  ui.fontAnswer = {"ＭＳ 明朝", 14, false, true};
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    w.mnuSettingFontClick(true);
    w.mnuSettingFontClick(false);
    w.mnuHelpNamazuClick();
    w.btnCloseClick();
  }));
  EXPECT_EQ(ui.opened, std::vector<std::string>{ParentDir(scratch.path()) + "share\\namazu\\doc\\ja\\manual.html"});
  ASSERT_EQ(ui.fontPresets.size(), 1u);
  EXPECT_EQ(ui.fontPresets[0].name, "ＭＳ ゴシック");
  EXPECT_EQ(ui.fontPresets[0].points, 11);
  EXPECT_TRUE(ui.fontPresets[0].bold);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, "フォントの設定は次回ウィンドウを開いたときから有効です。");
  EXPECT_EQ(ui.messages[0].flags, UINT(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(ui.messages[1].caption, "エラー");
  EXPECT_EQ(Read("Result", "FontNameMail"), "ＭＳ 明朝");
  EXPECT_EQ(Read("Result", "FontSizeMail"), "14");
  EXPECT_EQ(Read("Result", "FontBoldMail"), "0");
}

TEST_F(ResultWindow, PlacedOverTheHostOnTheScreenOrWhereSaved) {
  int screen = GetSystemMetrics(SM_CXSCREEN);
  SetWindowPos(host, nullptr, screen - 200, 100, 400, 300, SWP_NOZORDER);
  WriteSettings("[Result]\r\nSaveWindowSize=1\r\nWindowWidth=640\r\nWindowHeight=480\r\nWindowLeft=5\r\n");
  RECT atEdge = {}, saved = {};
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    atEdge = w.WindowRect();
    w.btnCloseClick();
  }));
  WriteSettings("[Result]\r\nSaveWindowPos=1\r\nWindowLeft=30\r\nWindowTop=abc\r\n");
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    saved = w.WindowRect();
    w.btnCloseClick();
  }));
  EXPECT_EQ(atEdge.right, screen);  // kept on the screen
  EXPECT_EQ(atEdge.right - atEdge.left, 640);
  EXPECT_EQ(atEdge.bottom - atEdge.top, 480);
  EXPECT_EQ(saved.left, 30);
  EXPECT_EQ(saved.top, 100 + (300 - (saved.bottom - saved.top)) / 2);  // not a number: centred
}

TEST_F(ResultWindow, TheMinimumSizeHoldsAndTheViewsFollowTheWindow) {
  WriteSettings("");
  RECT small = {}, view1 = {}, view2 = {};
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    SetWindowPos(w.Handle(), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    small = w.WindowRect();
    SetWindowPos(w.Handle(), nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(w.edtResult.Handle(), &view1);
    w.ShowMail(0);
    GetWindowRect(w.edtMail.Handle(), &view2);
    w.btnCloseClick();
  }));
  EXPECT_GE(small.right - small.left, 450);
  EXPECT_GE(small.bottom - small.top, 300);
  EXPECT_GT(view1.right - view1.left, 537);
  EXPECT_EQ(view2.right - view2.left, view1.right - view1.left);
}

TEST_F(ResultWindow, EditItemsFollowTheFocusAndTheSelection) {
  WriteSettings("");
  // copy, quote (menu bar), copy, quote (popup) after each step
  std::vector<std::vector<bool>> states;
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    auto record = [&] {
      w.UpdateEditItems();
      states.push_back({!Grayed(GetMenu(w.Handle()), 3, 0), !Grayed(GetMenu(w.Handle()), 3, 1),
                        !(GetMenuState(w.popEdit, 0, MF_BYPOSITION) & MF_GRAYED),
                        !(GetMenuState(w.popEdit, 1, MF_BYPOSITION) & MF_GRAYED)});
    };
    SetFocus(w.edtResult.Handle());
    record();
    w.edtResult.Edit().Select(0, 4);
    record();
    w.ShowMail(0);  // the mail view gets the focus
    record();
    SetFocus(w.btnClose);
    record();
    w.btnCloseClick();
  }));
  EXPECT_EQ(states, (std::vector<std::vector<bool>>{{false, false, false, false},
                                                    {true, true, true, true},
                                                    {true, true, true, true},
                                                    {true, false, false, false}}));
}

// ---- quote copy ----

TEST_F(ResultWindow, QuoteCopyFromTheMailViewWithChosenHeaders) {
  WriteSettings("");
  std::vector<std::string> defaults;
  bool noneChecked = false, listEnabled = true;
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    w.ShowMail(0);
    InNextModal([&](Form& f) {
      auto& d = dynamic_cast<TfrmCopyQuote&>(f);
      defaults = d.HeaderItems();
      noneChecked = IsChecked(d.rbtnNone) && WindowText(d.edtPrefix) == ">";
      listEnabled = IsWindowEnabled(d.lstHeaderList);
      SetChecked(d.rbtnNone, false);
      SetChecked(d.rbtnSelect, true);
      d.rbtnClick();
      d.SetCurrentItem(2);  // Subject:
      d.btnUpClick();
      d.btnUpClick();       // Subject: first
      d.SelectItem(1, true);  // From:
      d.btnOKClick();
    });
    w.EditCopyQuoteExecute();
    w.btnCloseClick();
  }));
  ASSERT_GE(defaults.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(defaults.begin(), defaults.begin() + 3),
            (std::vector<std::string>{"From:", "To:", "Subject:"}));
  EXPECT_TRUE(noneChecked);
  EXPECT_FALSE(listEnabled);
  std::vector<std::string> lines = SplitLines(ui.clipboard);
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[0], ">Subject: 部長会議の議事録");  // header words decoded
  EXPECT_EQ(lines[1], ">From: 佐藤 部長 <sato@example.jp>");
  EXPECT_EQ(lines[2], ">");
  EXPECT_EQ(lines[3], ">");
  EXPECT_EQ(lines[4], ">各位");
  EXPECT_EQ(Read("QuoteCopy", "HeaderType"), "2");
  EXPECT_EQ(Read("QuoteCopy", "HeaderItem1"), "Subject:");
  EXPECT_EQ(Read("QuoteCopy", "HeaderSelected"), "1,2");
}

TEST_F(ResultWindow, QuoteCopyFromTheResultViewQuotesTheSelectionOnly) {
  WriteSettings("[QuoteCopy]\r\nHeaderType=1\r\n");
  bool groupDisabled = false, noneChecked = false;
  ASSERT_TRUE(Open([&](TfrmResult& w) {
    const TClickableInfo& hit = w.result.Hits[0];
    SetFocus(w.edtResult.Handle());
    w.edtResult.Edit().Select(hit.TitleStart, hit.TitleEnd + 1);
    InNextModal([&](Form& f) {
      auto& d = dynamic_cast<TfrmCopyQuote&>(f);
      groupDisabled = !IsWindowEnabled(d.rbtnAll) && !IsWindowEnabled(d.grpHeaders);
      noneChecked = IsChecked(d.rbtnNone);
      SetWindowTextA(d.edtPrefix, "it's> ");
      ui.answers = {IDYES};
      d.btnSaveMarkClick();
      d.btnOKClick();
    });
    w.EditCopyQuoteExecute();
    w.btnCloseClick();
  }));
  EXPECT_TRUE(groupDisabled);
  EXPECT_TRUE(noneChecked);
  EXPECT_EQ(ui.clipboard, "it's> 1. メール1\r\n");
  EXPECT_EQ(Read("QuoteCopy", "DefaultPrefix"), "'it''s> '");
  EXPECT_EQ(Read("QuoteCopy", "HeaderType"), "1");  // not written from the result view
}
