// The index update dialog, driven inside its modal loop, with a stand-in
// indexer (tvp_child playing mknmz) so that every path runs quickly.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "core/common/sjis.h"
#include "core/settings/ini.h"
#include "plugin/files/file_utils.h"
#include "plugin/files/win_fs.h"
#include "plugin/indexing/frm_mknmz.h"
#include "plugin/shell/exports.h"
#include "standin-host/standin.h"
#include "win/sample_account.h"

using namespace tvp;
using namespace tvp::test;

namespace {

class MknmzDialog : public SampleAccount<> {
 protected:
  void SetUp() override {
    SampleAccount::SetUp();
    ShowWindow(host, SW_SHOW);
  }

  // Settings: `mknmz` lines for [Mknmz], `command` lines for [Command] (they
  // win over the stand-in indexer that follows them).
  void WriteSettings(const std::string& mknmz, const std::string& command = "") {
    WriteFileText(IniPath(), "[Mknmz]\r\n" + mknmz + "[Command]\r\n" + command + "PerlPath=" + ProgramDir() +
                                 "tvp_child.exe\r\nmknmzPath=mknmz-fake\r\nmknmzOption=--mailnews\r\n");
  }
  // Opens the dialog; `drive` runs inside its modal loop.
  bool Open(const std::function<void(TfrmMknmz&)>& drive, unsigned delay = 50) {
    return WhileModal([&] { ShowIndexUpdateDialog(host); },
                      [&](Form& f) { drive(dynamic_cast<TfrmMknmz&>(f)); }, delay);
  }
  static void Tick(TfrmMknmz& d, std::initializer_list<int> items) {
    for (int i : items) d.lstFolder.SetChecked(i, true);
  }
  static std::string Status(TfrmMknmz& d) { return StatusText(d.sbrInfo); }
  // Every write of the settings file fails while a directory stands where
  // its temporary file goes.
  void BlockWrites(bool block) {
    std::string temp = TempNameFor(IniPath());
    if (block) ASSERT_TRUE(CreateDirectoryA(temp.c_str(), nullptr));
    else RemoveDirectoryA(temp.c_str());
  }
  // Folder directories are kept in lower case.
  std::string FolderDir(const std::string& rel) const { return LowerAscii(accountDir + rel); }
};

}  // namespace

TEST_F(MknmzDialog, ListsTheFoldersIndentedAndShowsTheIdleStatus) {
  WriteSettings("NowCountMail=7\r\n");
  std::vector<std::string> texts;
  std::string caption, status;
  RECT dialogRect = {}, hostRect;
  GetWindowRect(host, &hostRect);
  ASSERT_TRUE(Open([&](TfrmMknmz& d) {
    for (int i = 0; i < d.lstFolder.Count(); ++i) {
      char buf[256] = {0};
      ListView_GetItemText(d.lstFolder.Handle(), i, 0, buf, sizeof buf);
      texts.push_back(buf);
    }
    caption = d.Caption();
    status = Status(d);
    dialogRect = d.WindowRect();
    d.btnCancelClick();
  }));
  EXPECT_EQ(texts, (std::vector<std::string>{"郵便受け", "送信箱", "表計算", "ソフト開発", "　プロジェクトα", "　過去ログ",
                                             "　　2024年度", "　　2023年度", "会議録", "能登旅行"}));
  EXPECT_EQ(caption, "Tarvik for Namazu [インデックス作成]");
  EXPECT_EQ(status, "前回更新日時: ???   受信メール数: 7通");
  int w = dialogRect.right - dialogRect.left;
  EXPECT_EQ(dialogRect.left, hostRect.left + (hostRect.right - hostRect.left - w) / 2);
}

TEST_F(MknmzDialog, TickingAGroupTicksItsDeeperItemsOnly) {
  WriteSettings("");
  std::vector<bool> ticks;
  ASSERT_TRUE(Open([&](TfrmMknmz& d) {
    // As the user's click does: the list view reports the change.
    ListView_SetCheckState(d.lstFolder.Handle(), 5, TRUE);
    ticks = d.lstFolder.Ticks();
    d.btnCancelClick();
  }));
  EXPECT_EQ(ticks, (std::vector<bool>{false, false, false, false, false, true, true, true, false, false}));
}

TEST_F(MknmzDialog, StoredTargetsAreRestoredOnlyWhereTheTitleStillMatches) {
  WriteSettings("UsePreviousTarget=1\r\nTargetFolderCount=3\r\nFolder1=0:郵便受け\r\nFolder2=2:違う\r\nFolder3=9:能登旅行\r\n");
  std::vector<bool> ticks;
  bool saveTarget = false;
  ASSERT_TRUE(Open([&](TfrmMknmz& d) {
    ticks = d.lstFolder.Ticks();
    saveTarget = IsChecked(d.chkSaveTarget);
    d.btnSelectAllClick(false);
    d.lstFolder.SetChecked(4, true);
    d.lstFolder.SetChecked(3, true);  // a group is never stored
    d.btnCancelClick();
  }));
  EXPECT_EQ(ticks, (std::vector<bool>{true, false, false, false, false, false, false, false, false, true}));
  EXPECT_TRUE(saveTarget);
  // Cancel with the save box ticked stores the new choice; closing writes the file.
  EXPECT_EQ(Read("Mknmz", "TargetFolderCount"), "1");
  EXPECT_EQ(Read("Mknmz", "Folder1"), "4:プロジェクトα");
  EXPECT_EQ(Read("Mknmz", "Folder3"), "9:能登旅行");  // stale keys stay
}

TEST_F(MknmzDialog, WithoutUsePreviousTargetNothingIsRestored) {
  WriteSettings("UsePreviousTarget=0\r\nTargetFolderCount=1\r\nFolder1=0:郵便受け\r\n");
  bool anything = true, saveTarget = true;
  ASSERT_TRUE(Open([&](TfrmMknmz& d) {
    anything = d.lstFolder.Checked(0);
    saveTarget = IsChecked(d.chkSaveTarget);
    d.btnCancelClick();
  }));
  EXPECT_FALSE(anything);
  EXPECT_FALSE(saveTarget);
}

TEST_F(MknmzDialog, HiddenUpdateIndexesEachTickedFolderInItsDirectory) {
  WriteSettings("ShowWindow=0\r\nNowCountMail=12\r\nLastDate=2020/01/01 00:00\r\n");
  std::string status;
  ASSERT_TRUE(Open([&](TfrmMknmz& d) {
    Tick(d, {0, 6});
    d.btnUpdateIndexClick();
    status = Status(d);
    EXPECT_EQ(Read("Mknmz", "NowCountMail"), "0");  // written at once
    EXPECT_EQ(Read("Mknmz", "LastDate"), "2020/01/01 00:00");  // only when the dialog closes
    d.btnCancelClick();
  }));
  std::string inbox = ReadFileText(accountDir + "Namazu\\inbox\\NMZ.i");
  std::string archive = ReadFileText(accountDir + "Namazu\\b002\\b002\\b002\\NMZ.i");
  EXPECT_EQ(inbox.substr(0, inbox.find('\n')), FolderDir("inbox.box"));  // working directory: the folder
  EXPECT_NE(inbox.find("[--replace=s#" + ReplaceAll(accountDir, "\\", "/") + "#account/#i][.]"), std::string::npos);
  EXPECT_NE(archive.find("user002.box\\user002.box\\user002.box"), std::string::npos);
  EXPECT_FALSE(FileExists(accountDir + "Namazu\\outbox\\NMZ.i"));
  std::string date = Read("Mknmz", "LastDate");
  EXPECT_EQ(date.size(), 16u);
  EXPECT_EQ(date[4], '/');
  EXPECT_NE(date, "2020/01/01 00:00");
  EXPECT_EQ(status.find("前回更新日時: " + date + "   受信メール数: 0通"), 0u);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MknmzDialog, OutputWindowShowsEachFolderAndIsClosedWithTheDialog) {
  WriteSettings("");
  std::string caption, text;
  HWND output = nullptr;
  ASSERT_TRUE(Open([&](TfrmMknmz& d) {
    Tick(d, {2, 8});
    d.btnUpdateIndexClick();
    ASSERT_NE(d.outputWindow, nullptr);
    caption = d.outputWindow->Caption();
    text = d.outputWindow->edt.Text();
    output = d.outputWindow->Handle();
    d.btnCancelClick();
  }));
  EXPECT_EQ(caption, "「会議録」フォルダのインデックス作成中 (2/2) ... 終了");
  EXPECT_NE(text.find("WorkDir: " + FolderDir("user001.box\\")), std::string::npos);
  EXPECT_NE(text.find("WorkDir: " + FolderDir("user003.box\\")), std::string::npos);
  EXPECT_NE(text.find("1.alm "), std::string::npos);
  for (int i = 0; i < 20; ++i) ProcessMessages();
  EXPECT_FALSE(IsWindow(output));
}

TEST_F(MknmzDialog, RebuildDeletesOldIndexFilesOtherwiseTheyStay) {
  WriteSettings("ShowWindow=0\r\n");
  std::string index = accountDir + "Namazu\\b001\\";
  CreateDirectoryA((accountDir + "Namazu").c_str(), nullptr);
  CreateDirectoryA(index.c_str(), nullptr);
  WriteFileText(index + "NMZ.old", "x");
  ASSERT_TRUE(Open([&](TfrmMknmz& d) {
    Tick(d, {2});
    d.btnUpdateIndexClick();
    EXPECT_TRUE(FileExists(index + "NMZ.old"));
    SetChecked(d.chkRebuild, true);
    d.btnUpdateIndexClick();
    d.btnCancelClick();
  }));
  EXPECT_FALSE(FileExists(index + "NMZ.old"));
  EXPECT_TRUE(FileExists(index + "NMZ.i"));
}

TEST_F(MknmzDialog, WorkDirectoryVariantCopiesInRunsThereAndMovesBack) {
  WriteSettings("ShowWindow=0\r\nUseTempDirectory=1\r\n");
  std::string index = accountDir + "Namazu\\b001\\";
  CreateDirectoryA((accountDir + "Namazu").c_str(), nullptr);
  CreateDirectoryA(index.c_str(), nullptr);
  WriteFileText(index + "NMZ.old", "old");
  WriteFileText(index + "filelist.txt", "list");
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string work = std::string(temp) + "Namazu\\";
  RemoveTree(work);
  ASSERT_TRUE(Open([&](TfrmMknmz& d) {
    Tick(d, {2});
    d.btnUpdateIndexClick();
    d.btnCancelClick();
  }));
  std::string nmz = ReadFileText(index + "NMZ.i");
  EXPECT_NE(nmz.find("[--output-dir="), std::string::npos);
  EXPECT_EQ(nmz.find("Namazu\\b001]"), std::string::npos);  // not run into the index directory
  EXPECT_EQ(ReadFileText(index + "NMZ.old"), "old");         // copied in and moved back
  EXPECT_EQ(ReadFileText(index + "filelist.txt"), "list");
  EXPECT_FALSE(FileExists(work + "filelist.txt"));
  EXPECT_FALSE(FileExists(work + "NMZ.i"));
  RemoveTree(work);
}

TEST_F(MknmzDialog, AskZeroStartsAtOnceUnlessShiftIsHeld) {
  WriteSettings("Ask=0\r\nShowWindow=0\r\nUsePreviousTarget=1\r\nTargetFolderCount=1\r\nFolder1=9:能登旅行\r\n");
  ui.shiftHeld = true;
  ASSERT_TRUE(Open([&](TfrmMknmz& d) { d.btnCancelClick(); }));
  EXPECT_FALSE(FileExists(accountDir + "Namazu\\b004\\NMZ.i"));

  ui.shiftHeld = false;
  ASSERT_TRUE(Open([&](TfrmMknmz& d) { d.btnCancelClick(); }));
  EXPECT_TRUE(FileExists(accountDir + "Namazu\\b004\\NMZ.i"));
}

TEST_F(MknmzDialog, AskZeroCloseOnFinishWithNothingTickedClosesByItselfAfterTheTimer) {
  WriteSettings("Ask=0\r\nCloseOnFinish=1\r\nNowCountMail=5\r\n");
  DWORD start = GetTickCount();
  bool driven = false;
  // The driver would fire after 15 s: the dialog closes by its own timer first.
  ASSERT_TRUE(WhileModal([&] { ShowIndexUpdateDialog(host); }, [&](Form& f) {
    driven = true;
    f.SetModalResult(mrCancel);
  }, 15000, 60000));
  DWORD elapsed = GetTickCount() - start;
  EXPECT_FALSE(driven);
  EXPECT_GE(elapsed, 150u);  // not before its timer
  EXPECT_EQ(Read("Mknmz", "NowCountMail"), "5");  // nothing ran
  EXPECT_EQ(Read("Mknmz", "LastDate"), "???");      // saved as loaded, no date
}

TEST_F(MknmzDialog, CloseOnFinishClosesAfterAManualUpdate) {
  WriteSettings("ShowWindow=0\r\nCloseOnFinish=1\r\n");
  bool closed = false;
  ASSERT_TRUE(Open([&](TfrmMknmz& d) {
    Tick(d, {0});
    d.btnUpdateIndexClick();
    closed = d.GetModalResult() != mrNone;
    if (!closed) d.btnCancelClick();
  }));
  EXPECT_TRUE(closed);
  EXPECT_NE(Read("Mknmz", "LastDate"), "(absent)");
}

TEST_F(MknmzDialog, AMissingIndexerIsReportedAndTheUpdateGoesOn) {
  WriteSettings("ShowWindow=0\r\nNowCountMail=3\r\n", "PerlPath=Z:\\nowhere\\perl.exe\r\n");
  ASSERT_TRUE(Open([&](TfrmMknmz& d) {
    Tick(d, {0, 1});
    d.btnUpdateIndexClick();
    d.btnCancelClick();
  }));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_NE(ui.messages[0].text.find("エラーコード： "), std::string::npos);
  EXPECT_EQ(Read("Mknmz", "NowCountMail"), "0");
}

TEST_F(MknmzDialog, TheMenusIndexCommandOpensTheDialog) {
  WriteSettings("");
  APCFolderInitMenu(host, GetMenu(host), 101);
  HMENU tools = GetSubMenu(GetMenu(host), 3);
  UINT indexCommand = GetMenuItemID(tools, GetMenuItemCount(tools) - 2);
  std::string caption;
  ASSERT_TRUE(WhileModal([&] { SendMessageA(host, WM_COMMAND, indexCommand, 0); }, [&](Form& f) {
    caption = f.Caption();
    f.SetModalResult(mrCancel);
  }));
  EXPECT_EQ(caption, "Tarvik for Namazu [インデックス作成]");
}

TEST_F(MknmzDialog, StartUpTriggerShowsTheHostWindowAndRunsTheUpdate) {
  ShowWindow(host, SW_HIDE);
  WriteSettings("When=StartUp\r\nIntervalCountMail=50\r\nNowCountMail=50\r\nAsk=0\r\nShowWindow=0\r\n"
                "UsePreviousTarget=1\r\nTargetFolderCount=1\r\nFolder1=2:表計算\r\n");
  bool hostVisible = false;
  ASSERT_TRUE(WhileModal([&] { APCFolderCreate(host); }, [&](Form& f) {
    hostVisible = IsWindowVisible(host);
    f.SetModalResult(mrCancel);
  }));
  EXPECT_TRUE(hostVisible);
  EXPECT_TRUE(FileExists(accountDir + "Namazu\\b001\\NMZ.i"));
  EXPECT_EQ(Read("Mknmz", "NowCountMail"), "0");
}

TEST_F(MknmzDialog, CleanUpTriggerRunsTheUpdateWhenTheFolderWindowCloses) {
  WriteSettings("When=CleanUp\r\nIntervalCountMail=1\r\nNowCountMail=3\r\nAsk=0\r\nShowWindow=0\r\n"
                "CloseOnFinish=1\r\nUsePreviousTarget=1\r\nTargetFolderCount=1\r\nFolder1=8:会議録\r\n");
  APCFolderCreate(host);  // not at start-up
  EXPECT_FALSE(FileExists(accountDir + "Namazu\\b003\\NMZ.i"));
  bool driven = false;
  ASSERT_TRUE(WhileModal([&] { APCFolderClose(host); }, [&](Form&) { driven = true; }));
  EXPECT_FALSE(driven);  // closed by itself before its loop ran, however slowly it started
  EXPECT_TRUE(ui.messages.empty());  // the indexer started
  EXPECT_TRUE(FileExists(accountDir + "Namazu\\b003\\NMZ.i"));
}

// A counter write that fails in an automatic update (Ask=0) must not leave the
// modal loop half done: the host enabled again, no active form left, the
// error reported once, and the run's date still recorded once the file can
// be written again.
TEST_F(MknmzDialog, AFailingCounterWriteInAnAutomaticUpdateLeavesNothingStuck) {
  struct Path {
    const char* name;
    bool startUp;
  };
  for (const Path& p : {Path{"menu", false}, Path{"StartUp trigger", true}}) {
    SCOPED_TRACE(p.name);
    ui.messages.clear();
    WriteSettings("When=StartUp\r\nIntervalCountMail=1\r\nNowCountMail=4\r\nAsk=0\r\nShowWindow=0\r\n"
                  "UsePreviousTarget=1\r\nTargetFolderCount=1\r\nFolder1=2:表計算\r\n");
    BlockWrites(true);
    APCFolderInitMenu(host, GetMenu(host), 101);
    HMENU tools = GetSubMenu(GetMenu(host), 3);
    UINT indexCommand = GetMenuItemID(tools, GetMenuItemCount(tools) - 2);
    bool hostDisabled = false;
    std::string status;
    size_t boxesInside = 0;
    ASSERT_TRUE(WhileModal([&] {
      if (p.startUp) APCFolderCreate(host);
      else SendMessageA(host, WM_COMMAND, indexCommand, 0);
    }, [&](Form& f) {
      auto& d = dynamic_cast<TfrmMknmz&>(f);
      hostDisabled = !IsWindowEnabled(host);
      status = Status(d);
      boxesInside = ui.messages.size();
      BlockWrites(false);  // the disk recovers
      d.btnCancelClick();
    }));
    EXPECT_TRUE(hostDisabled);
    EXPECT_TRUE(IsWindowEnabled(host));
    EXPECT_EQ(Form::ActiveModal(), nullptr);
    EXPECT_TRUE(FileExists(accountDir + "Namazu\\b001\\NMZ.i"));
    ASSERT_EQ(boxesInside, 1u);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.find("ファイル「" + IniPath() + "」に書き込めません。"), 0u);
    std::string date = Read("Mknmz", "LastDate");
    EXPECT_EQ(date.size(), 16u);
    EXPECT_EQ(status.find("前回更新日時: " + date + "   受信メール数: 0通"), 0u);
    EXPECT_EQ(Read("Mknmz", "NowCountMail"), "4");
  }
}

TEST_F(MknmzDialog, AutomaticUpdateWithCloseOnFinishStillClosesWhenTheCounterCannotBeWritten) {
  WriteSettings("Ask=0\r\nShowWindow=0\r\nCloseOnFinish=1\r\nNowCountMail=4\r\n"
                "UsePreviousTarget=1\r\nTargetFolderCount=1\r\nFolder1=2:表計算\r\n");
  BlockWrites(true);
  bool driven = false;
  ASSERT_TRUE(Open([&](TfrmMknmz&) { driven = true; }));
  BlockWrites(false);
  EXPECT_FALSE(driven);  // closed by itself
  EXPECT_TRUE(IsWindowEnabled(host));
  EXPECT_EQ(Form::ActiveModal(), nullptr);
  // The counter and then the settings on closing: each failure once.
  ASSERT_EQ(ui.messages.size(), 2u);
  for (const ShownMessage& m : ui.messages) EXPECT_NE(m.text.find("に書き込めません。"), std::string::npos);
}

TEST_F(MknmzDialog, AltLOnTheLabelFocusesTheFolderList) {
  WriteSettings("");
  bool onList = false;
  ASSERT_TRUE(Open([&](TfrmMknmz& d) {
    SetForegroundWindow(d.Handle());
    SetFocus(d.btnCancel);
    INPUT in[4] = {};
    WORD keys[4] = {VK_MENU, 'L', 'L', VK_MENU};
    for (int i = 0; i < 4; ++i) {
      in[i].type = INPUT_KEYBOARD;
      in[i].ki.wVk = keys[i];
      in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, in, sizeof(INPUT));
    for (DWORD start = GetTickCount(); GetFocus() != d.lstFolder.Handle() && GetTickCount() - start < 10000;) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      ProcessMessages();
    }
    onList = GetFocus() == d.lstFolder.Handle();
    d.btnCancelClick();
  }));
  EXPECT_TRUE(onList);
}

// Closing the dialog while the indexer runs (the output window keeps messages
// flowing) waits for the run: its date is saved and its output window closed.
TEST_F(MknmzDialog, ClosingWhileTheIndexerRunsClosesAfterTheRunWithItsDate) {
  std::string release = scratch.path() + "release";
  WriteSettings("", "mknmzPath=mknmz-wait\r\nmknmzOption=--wait=" + release + "\r\n");
  static TfrmMknmz* s_dialog;
  static std::string s_release;
  s_release = release;
  HWND output = nullptr;
  bool closedByTheRun = false;
  ASSERT_TRUE(Open([&](TfrmMknmz& d) {
    Tick(d, {2});
    s_dialog = &d;
    // Once the run is under way (its output window is up): the user closes
    // the dialog, then the indexer ends.
    UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
      if (!s_dialog->outputWindow) return;
      KillTimer(nullptr, id);
      SendMessageA(s_dialog->Handle(), WM_CLOSE, 0, 0);
      WriteFileText(s_release, "");
    });
    d.btnUpdateIndexClick();
    KillTimer(nullptr, timer);
    output = d.outputWindow ? d.outputWindow->Handle() : nullptr;
    closedByTheRun = d.GetModalResult() != mrNone;
    if (!closedByTheRun) d.btnCancelClick();
  }));
  EXPECT_TRUE(closedByTheRun);
  EXPECT_EQ(output, nullptr);  // closed with the dialog
  EXPECT_TRUE(FileExists(accountDir + "Namazu\\b001\\NMZ.i"));
  EXPECT_EQ(Read("Mknmz", "LastDate").size(), 16u);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MknmzDialog, AnIndexDirectoryThatCannotBeMadeIsReportedAndNotIndexed) {
  std::string deep = accountDir + std::string(MAX_PATH - accountDir.size() - 8, 'd');
  WriteSettings("ShowWindow=0\r\nIndexDir=" + deep + "\r\n");
  ASSERT_TRUE(Open([&](TfrmMknmz& d) {
    Tick(d, {0, 2});
    d.btnUpdateIndexClick();
    d.btnCancelClick();
  }));
  ASSERT_EQ(ui.messages.size(), 2u);  // each folder once
  EXPECT_EQ(ui.messages[0].text.find("フォルダ「" + deep + "\\Namazu\\inbox」を作成できません。\n"), 0u);
  EXPECT_EQ(ui.messages[1].text.find("フォルダ「" + deep + "\\Namazu\\b001」を作成できません。\n"), 0u);
}

// The lock files of a stopped mknmz run go only when the user says so; a
// folder whose locks stay is not indexed, the next one still is.
TEST_F(MknmzDialog, ALeftOverLockIsRemovedOnlyWhenTheUserSaysSo) {
  WriteSettings("ShowWindow=0\r\n");
  ASSERT_TRUE(ForceDirectories(accountDir + "Namazu\\inbox") && ForceDirectories(accountDir + "Namazu\\b001"));
  WriteFileText(accountDir + "Namazu\\inbox\\NMZ.lock2", "123");
  WriteFileText(accountDir + "Namazu\\b001\\NMZ.lock", "123");
  ui.answers = {IDNO, IDYES};
  ASSERT_TRUE(Open([&](TfrmMknmz& d) {
    Tick(d, {0, 2});
    d.btnUpdateIndexClick();
    d.btnCancelClick();
  }));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text.find("「郵便受け」フォルダのインデックスに、作成中を示すファイル (NMZ.lock) が残っています。"), 0u);
  EXPECT_EQ(ui.messages[0].flags, UINT(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(ui.messages[1].text.find("「表計算」"), 0u);
  EXPECT_TRUE(FileExists(accountDir + "Namazu\\inbox\\NMZ.lock2"));
  EXPECT_FALSE(FileExists(accountDir + "Namazu\\inbox\\NMZ.i"));
  EXPECT_FALSE(FileExists(accountDir + "Namazu\\b001\\NMZ.lock"));
  EXPECT_TRUE(FileExists(accountDir + "Namazu\\b001\\NMZ.i"));
}

TEST_F(MknmzDialog, AWorkDirectoryWithoutATemporaryFolderIsReportedNotMadeAtTheRoot) {
  WriteSettings("ShowWindow=0\r\nUseTempDirectory=1\r\nLastDate=2020/01/01 00:00\r\n");
  char tmp[1024] = {0}, temp[1024] = {0};
  GetEnvironmentVariableA("TMP", tmp, sizeof tmp);
  GetEnvironmentVariableA("TEMP", temp, sizeof temp);
  std::string tooLong = "C:\\" + std::string(300, 't');
  SetEnvironmentVariableA("TMP", tooLong.c_str());
  SetEnvironmentVariableA("TEMP", tooLong.c_str());
  bool rootBefore = GetFileAttributesA("\\Namazu") != INVALID_FILE_ATTRIBUTES;
  ASSERT_TRUE(Open([&](TfrmMknmz& d) {
    Tick(d, {2});
    d.btnUpdateIndexClick();
    d.btnCancelClick();
  }));
  SetEnvironmentVariableA("TMP", tmp);
  SetEnvironmentVariableA("TEMP", temp);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text.find("一時フォルダが見つかりません。"), 0u);
  EXPECT_EQ(GetFileAttributesA("\\Namazu") != INVALID_FILE_ATTRIBUTES, rootBefore);
  EXPECT_FALSE(FileExists(accountDir + "Namazu\\b001\\NMZ.i"));
  EXPECT_EQ(Read("Mknmz", "LastDate"), "2020/01/01 00:00");
}
