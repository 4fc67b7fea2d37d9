#include "plugin/indexing/frm_mknmz.h"

#include <commctrl.h>

#include "core/common/sjis.h"
#include "core/indexing/mknmz.h"
#include "plugin/files/file_utils.h"
#include "plugin/files/win_fs.h"
#include "plugin/console/run_command.h"
#include "plugin/settings/settings_store.h"
#include "plugin/shell/host_api.h"
#include "plugin/ui/guard.h"
#include "plugin/ui/ui_seam.h"

namespace tvp {

namespace {

enum ControlId { kLstFolder = 100, kBtnSelectAll, kBtnSelectNone, kChkRebuild, kChkSaveTarget, kSbrInfo };
enum TimerId : UINT_PTR { kTmr = 1 };
constexpr UINT kTmrInterval = 200;

// ---- drive mapping for long folder paths with Namazu 1.3 outside the NT family ----

constexpr DWORD kDriveWaitMs = 10000;

bool IsNtFamily() {
  OSVERSIONINFOA v = {sizeof v};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExA(&v);
#pragma GCC diagnostic pop
  return v.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool DriveFree(char letter) {
  char root[] = {letter, ':', '\\', 0};
  return GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR;
}

// The first letter from C to Z without a drive, or 0.
char FirstFreeDrive() {
  for (char c = 'C'; c <= 'Z'; ++c)
    if (DriveFree(c)) return c;
  return 0;
}

// Waits (bounded) until `letter` is taken or, with `free`, free again.
void WaitForDrive(char letter, bool free) {
  for (DWORD waited = 0; DriveFree(letter) != free && waited < kDriveWaitMs; waited += 50) Sleep(50);
}

// A directory that cannot be made is reported over `owner`.
bool MakeDirectory(HWND owner, const std::string& dir) {
  if (ForceDirectories(dir)) return true;
  DWORD code = GetLastError();
  ShowError(owner, "フォルダ「" + ExcludeTrailingBackslash(dir) + "」を作成できません。\n" + SystemErrorText(code));
  return false;
}

std::string Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return FormatUpdateDate(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
}

}  // namespace

void ShowIndexUpdateDialog(HWND host) {
  TfrmMknmz dialog(host);
  CenterForm(dialog, host, true);
  dialog.settings = EnsureAndLoadSettings(host);
  dialog.folders = LoadFolderTree(DiskFileSystem(), host::GetAccount(host), dialog.settings.IndexDir);
  std::vector<std::string> texts;
  for (const TFolderInfo& f : dialog.folders) texts.push_back(FolderListText(f));
  dialog.lstFolder.SetItems(texts);
  if (dialog.settings.UsePreviousTarget == "1") {
    RestoredTargets restored = RestoreTargets(dialog.folders, dialog.settings.MknmzFolders);
    if (restored.saveTarget) SetChecked(dialog.chkSaveTarget, true);
    dialog.lstFolder.SetTicks(restored.ticks);
  }
  SetStatusText(dialog.sbrInfo, IdleStatus(dialog.settings));
  dialog.ShowModal();
}

TfrmMknmz::TfrmMknmz(HWND host) {
  CreateForm(host, host, "Tarvik for Namazu [インデックス作成]", 377, 286, WS_POPUP | WS_CAPTION | WS_SYSMENU);
  Label1 = AddControl("STATIC", "インデックスを作成するフォルダ(&L):", SS_LEFT, 8, 8, 270, 16, -1);
  lstFolder.Create(Handle(), kLstFolder, 8, 26, 272, 196, Font());
  btnSelectAll = AddControl("BUTTON", "全選択(&A)", BS_PUSHBUTTON | WS_TABSTOP, 290, 26, 79, 25, kBtnSelectAll);
  btnSelectNone = AddControl("BUTTON", "全解除(&N)", BS_PUSHBUTTON | WS_TABSTOP, 290, 56, 79, 25, kBtnSelectNone);
  chkRebuild = AddControl("BUTTON", "削除して作り直す(&R)", BS_AUTOCHECKBOX | WS_TABSTOP, 8, 228, 180, 20, kChkRebuild);
  chkSaveTarget =
      AddControl("BUTTON", "対象フォルダ保存(&S)", BS_AUTOCHECKBOX | WS_TABSTOP, 8, 248, 180, 20, kChkSaveTarget);
  btnUpdateIndex = AddControl("BUTTON", "インデックス作成", BS_DEFPUSHBUTTON | WS_TABSTOP, 188, 236, 106, 25, IDOK);
  btnCancel = AddControl("BUTTON", "キャンセル", BS_PUSHBUTTON | WS_TABSTOP, 300, 236, 69, 25, IDCANCEL);
  sbrInfo = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, Handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSbrInfo)), nullptr, nullptr);
  SendMessageA(sbrInfo, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  AddHint(Handle(), chkRebuild, "既存のインデックスを削除して作り直します");
  AddHint(Handle(), chkSaveTarget, "次回も同じフォルダを対象にします");
  SetFocus(lstFolder.Handle());
}

TfrmMknmz::~TfrmMknmz() { CloseOutputWindow(); }

void TfrmMknmz::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case kBtnSelectAll: btnSelectAllClick(true); break;
    case kBtnSelectNone: btnSelectAllClick(false); break;
    case IDOK: btnUpdateIndexClick(); break;
    case IDCANCEL: btnCancelClick(); break;
  }
}

LRESULT TfrmMknmz::OnNotify(NMHDR* header) {
  int item = lstFolder.ClickedCheck(header);
  if (item >= 0) lstFolderClickCheck(item);
  return 0;
}

void TfrmMknmz::OnTimer(UINT_PTR id) {
  if (id == kTmr) tmrTimer();
}

void TfrmMknmz::btnSelectAllClick(bool selectAll) {
  lstFolder.SetTicks(std::vector<bool>(lstFolder.Count(), selectAll));
}

void TfrmMknmz::lstFolderClickCheck(int item) {
  Ticks ticks = lstFolder.Ticks();
  TickGroup(folders, ticks, static_cast<size_t>(item));
  lstFolder.SetTicks(ticks);
}

void TfrmMknmz::StoreTargets() {
  settings.MknmzFolders = StoredTargets(folders, lstFolder.Ticks());
  settings.MknmzTargetFolderCount = std::to_string(settings.MknmzFolders.size());
}

void TfrmMknmz::CloseOutputWindow() {
  if (!outputWindow) return;
  TfrmWindow* window = outputWindow;
  outputWindow = nullptr;
  window->SetReleaseNotify(nullptr);
  window->Close();  // it destroys itself
}

void TfrmMknmz::btnUpdateIndexClick() {
  CloseOutputWindow();
  ProcessMessages();
  std::vector<size_t> targets = FoldersToIndex(folders, lstFolder.Ticks());
  if (targets.empty()) return;
  if (IsChecked(chkSaveTarget)) StoreTargets();
  SetStatusText(sbrInfo, kIndexingStatus);

  std::string workDir;
  if (settings.UseTempDirectory == "1") {
    std::string temp = TempDirectory();
    if (temp.empty()) ShowError(Handle(), "一時フォルダが見つかりません。\nインデックスを作成できません。");
    if (temp.empty() || !MakeDirectory(Handle(), temp + "Namazu")) {
      SetStatusText(sbrInfo, IdleStatus(settings));
      return;
    }
    workDir = temp + "Namazu";
  }
  {
    struct Running {
      bool& flag;
      ~Running() { flag = false; }
    } running{running_ = true};
    for (size_t n = 0; n < targets.size(); ++n) IndexFolder(folders[targets[n]], n + 1, targets.size(), workDir);
  }

  settings.NowCountMail = "0";
  // A counter that cannot be written is reported; the run still gets its
  // date, its status and CloseOnFinish.
  try {
    SetMailCount(Tag(), 0);
  } catch (...) {
    ReportException(Handle());
  }
  settings.LastDate = Now();
  SetStatusText(sbrInfo, IdleStatus(settings));
  SetForegroundWindow(Handle());
  // A close asked for during the run happens now, with the run's date.
  if (settings.CloseOnFinish == "1" || closeRequested_) Close();
}

void TfrmMknmz::IndexFolder(const TFolderInfo& folder, size_t n, size_t total, const std::string& workDir) {
  SetStatusText(sbrInfo, ProgressStatus(n, total));
  // mknmz would run into nowhere and the folder would seem indexed.
  if (!MakeDirectory(Handle(), folder.IndexPath)) return;
  if (IsChecked(chkRebuild)) DeleteFiles(folder.IndexPath, "NMZ.*");
  else if (!ClearLeftOverLock(folder)) return;
  std::string longOutputDir = ExcludeTrailingBackslash(folder.IndexPath);
  if (!workDir.empty()) {
    DeleteFiles(workDir, "NMZ.*");
    CopyFiles(folder.IndexPath, workDir, 0);
    longOutputDir = workDir;
  }
  std::string outputDir = ShortPathName(longOutputDir);
  SetEnabled(false);

  char drive = 0;
  if (NeedsDriveMapping(settings.NamazuVersion, IsNtFamily(), folder.Dir)) {
    drive = FirstFreeDrive();
    if (!drive) {
      ShowError(Handle(), "空いているドライブ文字がありません。\n「" + folder.Title +
                              "」フォルダはドライブを割り当てずにインデックスを作成します。");
    } else {
      RunCommand(SubstCommand(drive, folder.Dir), outputDir, rmHidden, nullptr);
      WaitForDrive(drive, false);
    }
  }
  bool captured = settings.ShowWindow != "0" && settings.InDosPromptWindow == "0";
  // mknmz runs in the folder unless on a mapped drive: see MknmzOutputDir.
  std::string mknmzOutputDir = drive ? outputDir : MknmzOutputDir(outputDir, longOutputDir, folder.Dir);
  MknmzCommand command =
      MknmzCommandFor(settings, mknmzOutputDir, folder.Dir, host::GetAccount(Tag()), drive, captured);
  RunIndexer(command.commandLine, command.workDir, folder.Title, n, total);
  if (drive) {
    RunCommand(SubstRemoveCommand(drive), outputDir, rmHidden, nullptr);
    WaitForDrive(drive, true);
  }

  if (!workDir.empty()) CopyFiles(workDir, folder.IndexPath, 1);
  SetEnabled(true);
}

// A mknmz run that was stopped leaves its lock files: they go when the user
// says so (another program may be updating the index); otherwise the folder
// is not indexed this time.
bool TfrmMknmz::ClearLeftOverLock(const TFolderInfo& folder) {
  const WinFileSystem& disk = DiskFileSystem();
  if (!disk.FileExists(folder.IndexPath + "NMZ.lock") && !disk.FileExists(folder.IndexPath + "NMZ.lock2")) return true;
  if (Ui().MessageBox(Handle(), LeftOverLockQuestion(folder.Title), "確認", MB_YESNO | MB_ICONQUESTION) != IDYES)
    return false;
  DeleteFiles(folder.IndexPath, "NMZ.lock*");
  return true;
}

void TfrmMknmz::RunIndexer(const std::string& commandLine, const std::string& workDir, const std::string& title,
                           size_t n, size_t total) {
  if (settings.ShowWindow == "0") {
    RunCommand(commandLine, workDir, rmHidden, nullptr);
  } else if (settings.InDosPromptWindow != "0") {
    RunCommand(commandLine, workDir, settings.Minimize == "1" ? rmMinimized : rmNormal, nullptr);
  } else {
    if (!outputWindow) {
      outputWindow = new TfrmWindow(Tag());
      outputWindow->SetReleaseNotify(&outputWindow);
    }
    TfrmWindow* window = outputWindow;
    window->SetCaption(OutputWindowCaption(title, n, total));
    window->Show(settings.Minimize == "1" ? SW_SHOWMINNOACTIVE : SW_SHOW);
    RunCommand(commandLine, workDir, rmCapture, &window->edt);
    if (outputWindow == window) window->SetCaption(window->Caption() + "終了");
  }
}

void TfrmMknmz::btnCancelClick() {
  if (IsChecked(chkSaveTarget)) StoreTargets();
  SetModalResult(mrCancel);
}

void TfrmMknmz::tmrTimer() {
  KillTimer(Handle(), kTmr);
  btnCancelClick();
}

bool TfrmMknmz::FormCloseQuery() {
  // While indexing runs (the output window keeps messages flowing), a close
  // waits for the run's end: its date is saved and its output window closed.
  if (running_) {
    closeRequested_ = true;
    return false;
  }
  // Otherwise closing is never refused; a settings file that cannot be written is reported.
  try {
    SaveSettings(Tag(), settings);
  } catch (...) {
    ReportException(Handle());
  }
  return true;
}

void TfrmMknmz::FormClose() { CloseOutputWindow(); }

void TfrmMknmz::CMShowingChanged() {
  UpdateWindow(Handle());
  ProcessMessages();
  SetForegroundWindow(Handle());
  if (settings.Ask == "0" && !Ui().ShiftHeld()) {
    btnUpdateIndexClick();
    if (settings.CloseOnFinish == "1") {
      SetEnabled(false);
      SetTimer(Handle(), kTmr, kTmrInterval, nullptr);
    }
  }
}

}  // namespace tvp
