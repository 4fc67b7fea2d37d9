// The settings dialog, opened through APCSetup and driven inside its modal
// loop: what it shows for a settings file, what OK and Cancel leave in the
// file, the browse and defaults buttons, and the command-line help.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "core/common/sjis.h"
#include "plugin/files/win_fs.h"
#include "plugin/settings/frm_setting.h"
#include "plugin/shell/exports.h"
#include "plugin/ui/controls.h"
#include "win/sample_account.h"

using namespace tvp;
using namespace tvp::test;

namespace {

const char kHelpCaption[] = "コマンドライン・オプション";

class SettingDialog : public SampleAccount<> {
 protected:
  void SetUp() override {
    SampleAccount::SetUp();
    ShowWindow(host, SW_SHOW);
  }
  bool Open(const std::function<void(TfrmSetting&)>& drive) {
    return WhileModal([&] { APCSetup(host); }, [&](Form& f) { drive(dynamic_cast<TfrmSetting&>(f)); });
  }
  static void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }
  static std::string HelpText() {
    HWND help = FindWindowA(nullptr, kHelpCaption);
    return help ? WindowText(GetWindow(help, GW_CHILD)) : "(no help window)";
  }
  static int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }
};

}  // namespace

TEST_F(SettingDialog, OpensCentredOverTheHostAndKeptOnTheScreen) {
  LONG screenW = GetSystemMetrics(SM_CXSCREEN);
  LONG screenH = GetSystemMetrics(SM_CYSCREEN);
  for (POINT hostAt : {POINT{100, 80}, POINT{screenW - 150, screenH - 100}}) {
    SetWindowPos(host, nullptr, hostAt.x, hostAt.y, 500, 400, SWP_NOZORDER);
    RECT h, d = {};
    GetWindowRect(host, &h);
    std::string caption;
    int page = -1;
    ASSERT_TRUE(Open([&](TfrmSetting& dlg) {
      d = dlg.WindowRect();
      caption = dlg.Caption();
      page = dlg.ActivePage();
      dlg.btnCancelClick();
    }));
    EXPECT_EQ(caption, "Tarvik for Namazu [設定]");
    EXPECT_EQ(page, TfrmSetting::tab1);
    LONG w = d.right - d.left, ht = d.bottom - d.top;
    EXPECT_EQ(d.left, std::min(h.left + (h.right - h.left - w) / 2, screenW - w));
    EXPECT_EQ(d.top, std::min(h.top + (h.bottom - h.top - ht) / 2, screenH - ht));
  }
}

TEST_F(SettingDialog, LowerCaseStartupIsStoredBackWithTheCounterResetAndABadIntervalAs30) {
  WriteFileText(IniPath(), "[Mknmz]\r\nWhen=startup\r\nIntervalCountMail=abc\r\nNowCountMail=9\r\n");
  bool update1 = false, editEnabled = false;
  std::string shown;
  ASSERT_TRUE(Open([&](TfrmSetting& d) {
    update1 = IsChecked(d.rbtnUpdate1) && GetFocus() == d.rbtnUpdate1;
    editEnabled = IsWindowEnabled(d.edtNumberOfMail);
    shown = WindowText(d.edtNumberOfMail);
    d.btnOKClick();
  }));
  EXPECT_TRUE(update1);
  EXPECT_TRUE(editEnabled);
  EXPECT_EQ(shown, "30");
  EXPECT_EQ(Read("Mknmz", "When"), "StartUp");
  EXPECT_EQ(Read("Mknmz", "IntervalCountMail"), "30");
  EXPECT_EQ(Read("Mknmz", "NowCountMail"), "0");
}

TEST_F(SettingDialog, DisabledControlsKeepAndSaveTheirValues) {
  WriteFileText(IniPath(), "[Mknmz]\r\nWhen=StartUp\r\nNowCountMail=9\r\nShowWindow=0\r\nInDosPromptWindow=1\r\n"
                           "Minimize=1\r\n");
  bool disabledAtFirst = false, enabledByClick = false, countDisabled = false;
  ASSERT_TRUE(Open([&](TfrmSetting& d) {
    disabledAtFirst = !IsWindowEnabled(d.chkInDosWindow) && !IsWindowEnabled(d.chkMinimize);
    d.ShowPage(TfrmSetting::tab3);
    Click(d.chkShowWindow);
    enabledByClick = IsWindowEnabled(d.chkInDosWindow) && IsWindowEnabled(d.chkMinimize);
    Click(d.chkShowWindow);
    d.ShowPage(TfrmSetting::tab1);
    SetWindowTextA(d.edtNumberOfMail, "15");
    Click(d.rbtnUpdate3);
    countDisabled = !IsWindowEnabled(d.edtNumberOfMail) && IsWindowEnabled(d.UpDown1);
    d.btnOKClick();
  }));
  EXPECT_TRUE(disabledAtFirst);
  EXPECT_TRUE(enabledByClick);
  EXPECT_TRUE(countDisabled);
  EXPECT_EQ(Read("Mknmz", "ShowWindow"), "0");
  EXPECT_EQ(Read("Mknmz", "InDosPromptWindow"), "1");
  EXPECT_EQ(Read("Mknmz", "Minimize"), "1");
  EXPECT_EQ(Read("Mknmz", "When"), "UserOperation");
  EXPECT_EQ(Read("Mknmz", "IntervalCountMail"), "15");
  EXPECT_EQ(Read("Mknmz", "NowCountMail"), "0");
}

TEST_F(SettingDialog, DefaultsButtonsFollowTheLoadedNamazuVersion) {
  for (const char* version : {"2.0", "1.3"}) {
    WriteFileText(IniPath(), std::string("[Command]\r\nNamazuVersion=") + version +
                                 "\r\nPerlPath=p\r\nmknmzPath=m\r\nnamazuPath=n\r\nmknmzOption=x\r\nnamazuOption=y\r\n");
    std::vector<std::string> shown;
    ASSERT_TRUE(Open([&](TfrmSetting& d) {
      Click(d.btnDefaultPath);
      Click(d.btnDefautOption);
      for (HWND c : {d.edtPerlPath, d.edtMknmzPath, d.edtNamazuPath, d.edtMknmzOption, d.edtNamazuOption,
                     d.cboDateOption})
        shown.push_back(WindowText(c));
      d.btnCancelClick();
    }));
    CommandDefaults x = DefaultCommands(version);
    EXPECT_EQ(shown, (std::vector<std::string>{x.PerlPath, x.mknmzPath, x.namazuPath, x.mknmzOption, x.namazuOption,
                                               x.DateOption}))
        << version;
  }
}

TEST_F(SettingDialog, BrowseStartsInTheFieldsDirectoryWithTheLoadedName) {
  WriteFileText(IniPath(), "[Command]\r\nPerlPath=C:\\Perl\\bin\\perl.exe\r\nmknmzPath=C:\\nmz\\mknmz\r\n"
                           "namazuPath=C:\\nmz\\namazu.exe\r\n");
  const struct {
    HWND TfrmSetting::*field;
    void (TfrmSetting::*click)();
    const char *typed, *chosen, *loaded, *filter, *after;
  } cases[] = {
      {&TfrmSetting::edtPerlPath, &TfrmSetting::btnBrowse1Click, "D:\\表\\perl.exe", "E:\\p.exe",
       "C:\\Perl\\bin\\perl.exe", "実行ファイル(*.exe)|*.EXE", "E:\\p.exe"},
      {&TfrmSetting::edtMknmzPath, &TfrmSetting::btnBrowse2Click, "D:\\mknmz", "", "C:\\nmz\\mknmz",
       "すべてのファイル(*.*)|*.*", "D:\\mknmz"},  // cancelled
      {&TfrmSetting::edtNamazuPath, &TfrmSetting::btnBrowse3Click, "namazu.exe", "E:\\n.exe", "C:\\nmz\\namazu.exe",
       "実行ファイル(*.exe)|*.EXE", "E:\\n.exe"},
  };
  const char* dirs[] = {"D:\\表", "D:\\", ""};
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    ui.fileDialogs.clear();
    ui.fileChoice = c.chosen;
    std::string after;
    HWND dialog = nullptr;
    ASSERT_TRUE(Open([&](TfrmSetting& d) {
      dialog = d.Handle();
      SetWindowTextA(d.*c.field, c.typed);
      (d.*c.click)();
      after = WindowText(d.*c.field);
      d.btnCancelClick();
    }));
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].owner, dialog);
    EXPECT_EQ(ui.fileDialogs[0].initialDir, dirs[i]);
    EXPECT_EQ(ui.fileDialogs[0].fileName, c.loaded);
    EXPECT_EQ(ui.fileDialogs[0].filter, c.filter);
    EXPECT_EQ(after, c.after);
  }
}

TEST_F(SettingDialog, OkKeepsEveryKeyWithoutAControlByteForByte) {
  const std::string before =
      "; my settings\r\n[General]\r\nVersion=0.9.2\r\n[Mknmz]\r\nWhen=UserOperation\r\nNowCountMail=4\r\n"
      "IndexDir=D:\\索引\\\r\n[Command]\r\n  namazuversion = 1.3  \r\nPerlPath=C:\\表\\perl.exe\r\n"
      "[AltURL]\r\nx1=/C|/mail/ http://mail/\r\n[Alias]\r\nMax=1\r\nName1=仕事\r\n"
      "[QuoteCopy]\r\nDefaultPrefix='> '\r\n[Mine]\r\nkeep=me\r\n";
  WriteFileText(IniPath(), before);
  ASSERT_TRUE(Open([&](TfrmSetting& d) { d.btnOKClick(); }));
  std::string after = ReadFileText(IniPath());
  size_t at = 0;
  for (const std::string& line : SplitLines(before)) {
    at = after.find(line + "\r\n", at);
    ASSERT_NE(at, std::string::npos) << line;
  }
  EXPECT_EQ(Read("Mknmz", "NowCountMail"), "4");
  EXPECT_EQ(Read("Mknmz", "Ask"), "1");  // the dialog's own keys are written
}

TEST_F(SettingDialog, CancelAndTheCloseBoxWriteNothing) {
  const std::string before = "[Mknmz]\r\nWhen=startup\r\nNowCountMail=9\r\n";
  for (bool closeBox : {false, true}) {
    WriteFileText(IniPath(), before);
    ASSERT_TRUE(Open([&](TfrmSetting& d) {
      Click(d.rbtnUpdate2);
      SetWindowTextA(d.edtPerlPath, "C:\\other\\perl.exe");
      if (closeBox) SendMessageA(d.Handle(), WM_CLOSE, 0, 0);
      else Click(d.btnCancel);
    }));
    EXPECT_EQ(ReadFileText(IniPath()), before) << closeBox;
  }
}

TEST_F(SettingDialog, ASettingsFileThatCannotBeWrittenIsReportedAndKeptWhole) {
  const std::string before = "[Mknmz]\r\nWhen=UserOperation\r\n";
  WriteFileText(IniPath(), before);
  int resultAfterFailure = -1;
  HWND dialog = nullptr;
  ASSERT_TRUE(Open([&](TfrmSetting& d) {
    dialog = d.Handle();
    Click(d.rbtnUpdate1);
    // A directory where the temporary file goes makes every write fail.
    std::string temp = TempNameFor(IniPath());
    CreateDirectoryA(temp.c_str(), nullptr);
    d.btnOKClick();
    RemoveDirectoryA(temp.c_str());
    resultAfterFailure = d.GetModalResult();
    d.btnCancelClick();
  }));
  EXPECT_EQ(resultAfterFailure, mrNone);  // still open with the user's input
  EXPECT_EQ(ReadFileText(IniPath()), before);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].owner, dialog);
  EXPECT_EQ(ui.messages[0].caption, "エラー");
  EXPECT_EQ(ui.messages[0].text.find("ファイル「" + IniPath() + "」に書き込めません。\n"), 0u);
  EXPECT_GT(ui.messages[0].text.size(), ("ファイル「" + IniPath() + "」に書き込めません。\n").size());
}

// Through the Namazu bridge: perl.exe runs Debian's mknmz, namazu.exe its namazu.
TEST_F(SettingDialog, HelpShowsTheRealMknmzAndNamazuHelpInOneWindowThatClosesWithTheDialog) {
  std::string shim = ShimDir(), perl = shim + "perl.exe", mknmz = shim + "mknmz", namazu = shim + "namazu.exe";
  WriteFileText(IniPath(), "[Command]\r\nPerlPath=C:\\saved\\perl.exe\r\n");
  std::string text;
  TfrmWindow* first = nullptr;
  bool secondPressAddsNothing = false, goneAfterClose = false;
  ASSERT_TRUE(Open([&](TfrmSetting& d) {
    SetWindowTextA(d.edtPerlPath, perl.c_str());
    SetWindowTextA(d.edtMknmzPath, mknmz.c_str());
    SetWindowTextA(d.edtNamazuPath, namazu.c_str());
    d.btnShowOptionsClick();
    first = d.helpWindow;
    text = HelpText();
    d.btnShowOptionsClick();
    secondPressAddsNothing = d.helpWindow == first && HelpText() == text;
    d.btnCancelClick();
    goneAfterClose = d.helpWindow == nullptr && !IsWindowVisible(FindWindowA(nullptr, kHelpCaption));
  }));
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(secondPressAddsNothing);
  EXPECT_TRUE(goneAfterClose);
  std::string dir = ExcludeTrailingBackslash(shim);
  std::string q = "\"" + perl + "\" \"" + mknmz + "\" ";
  EXPECT_NE(text.find("WorkDir: " + dir + "\r\nCommandLine: \r\n" + q + "--help\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("CommandLine: \r\n" + q + "-C\r\n"), std::string::npos);
  EXPECT_NE(text.find("CommandLine: \r\n\"" + namazu + "\" --help\r\n"), std::string::npos);
  EXPECT_NE(text.find("使い方: mknmz"), std::string::npos) << text;  // mknmz --help
  EXPECT_NE(text.find("Namazu: 2.0"), std::string::npos);           // mknmz -C
  EXPECT_NE(text.find("使い方: namazu"), std::string::npos);         // namazu --help
  EXPECT_LT(text.find("使い方: mknmz"), text.find("使い方: namazu"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SettingDialog, HelpOfProgramsThatCannotStartShowsOneMessagePerCommand) {
  for (const char* version : {"2.0", "1.3"}) {
    WriteFileText(IniPath(), std::string("[Command]\r\nNamazuVersion=") + version +
                                 "\r\nPerlPath=C:\\missing\\perl.exe\r\nmknmzPath=mknmz\r\nnamazuPath=missing.exe\r\n");
    ui.messages.clear();
    std::string text;
    ASSERT_TRUE(Open([&](TfrmSetting& d) {
      d.btnShowOptionsClick();
      text = HelpText();
      d.btnCancelClick();
    }));
    size_t commands = std::string(version) == "1.3" ? 2 : 3;
    ASSERT_EQ(ui.messages.size(), commands) << version;
    for (const ShownMessage& m : ui.messages) EXPECT_EQ(m.text.find("コマンドの実行に失敗しました。"), 0u);
    EXPECT_EQ(Count(text, "CommandLine: "), static_cast<int>(commands));
    EXPECT_EQ(Count(text, "\r\n"), static_cast<int>(commands * 5 + (commands - 1) * 2));  // header lines only
  }
}

// A close asked for while a help command runs waits until it has ended; the
// rest of the help is not run.
TEST_F(SettingDialog, ClosingWhileHelpRunsWaitsForTheRunningCommand) {
  const struct {
    UINT msg;
    WPARAM wp;
    int result;
    const char* when;
  } cases[] = {{WM_COMMAND, IDOK, mrOk, "CleanUp"}, {WM_COMMAND, IDCANCEL, mrCancel, "(absent)"},
               {WM_CLOSE, 0, mrCancel, "(absent)"}};
  for (const auto& c : cases) {
    // "chunks" prints in pieces over half a second; then "--help" and "-C" would follow.
    WriteFileText(IniPath(), "[Command]\r\nPerlPath=" + ProgramDir() + "tvp_child.exe\r\nmknmzPath=chunks\r\n");
    std::string text;
    int result = mrNone;
    bool helpGone = false;
    ASSERT_TRUE(Open([&](TfrmSetting& d) {
      Click(d.rbtnUpdate2);
      PostMessageA(d.Handle(), c.msg, c.wp, 0);  // handled while the command runs
      d.btnShowOptionsClick();
      text = HelpText();
      result = d.GetModalResult();
      helpGone = d.helpWindow == nullptr;
    }));
    EXPECT_EQ(result, c.result);
    EXPECT_TRUE(helpGone);
    EXPECT_NE(text.find("abcdefghi"), std::string::npos) << text;
    EXPECT_EQ(Count(text, "CommandLine: "), 1) << text;
    EXPECT_EQ(Read("Mknmz", "When"), c.when);
  }
}
