#include "plugin/settings/frm_alias_save_as.h"

#include "core/common/sjis.h"
#include "plugin/files/win_fs.h"
#include "plugin/settings/alias_store.h"
#include "plugin/settings/settings_store.h"
#include "plugin/shell/host_api.h"
#include "plugin/ui/controls.h"
#include "plugin/ui/guard.h"
#include "plugin/ui/ui_seam.h"

namespace tvp {

namespace {

enum ControlId { kCboOldAliasName = 100, kLstFolderNames, kCboNewAliasName, kCboInsertPosition, kBtnDelete };

void FillCombo(HWND combo, const std::vector<std::string>& items) {
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int Selection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

}  // namespace

bool ShowAliasEditDialog(HWND host, HWND owner, const std::vector<std::string>& names, int selected) {
  TfrmAliasSaveAs dialog(host, owner);
  CenterForm(dialog, owner, false);
  TTVPSettings settings = EnsureAndLoadSettings(host);
  dialog.folders = LoadFolderTree(DiskFileSystem(), host::GetAccount(host), settings.IndexDir);
  LoadAliases(host, dialog.aliases);
  dialog.SetNames(names);
  if (selected >= 0 && selected < static_cast<int>(names.size())) {
    SendMessageA(dialog.cboOldAliasName, CB_SETCURSEL, selected, 0);
    dialog.cboOldAliasNameClick();
  }
  dialog.BuildInsertPositions();
  dialog.changed = false;
  dialog.ShowModal();
  return dialog.changed;
}

TfrmAliasSaveAs::TfrmAliasSaveAs(HWND host, HWND owner) {
  CreateForm(owner, host, "エイリアス編集", 289, 265, WS_POPUP | WS_CAPTION | WS_SYSMENU);
  lblMessage = AddControl("STATIC",
                          "エイリアスを選択し、新しいエイリアス名を入力してください。削除する場合は、エイリアスを選"
                          "択してから「削除」ボタンを押してください。",
                          SS_LEFT | SS_NOPREFIX, 8, 8, 273, 40, -1);
  lblOldAlias = AddControl("STATIC", "編集対象(&E):", SS_LEFT, 8, 54, 120, 16, -1);
  cboOldAliasName = AddControl("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 8, 71, 273,
                               200, kCboOldAliasName);
  lstFolderNames = AddControl("LISTBOX", "", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, 8, 98, 273, 70,
                              kLstFolderNames, WS_EX_CLIENTEDGE);
  lblNewAlias = AddControl("STATIC", "新エイリアス名(&N):", SS_LEFT, 8, 176, 150, 16, -1);
  cboNewAliasName = AddControl("COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                               8, 193, 172, 200, kCboNewAliasName);
  Label1 = AddControl("STATIC", "挿入位置(&I):", SS_LEFT, 186, 176, 95, 16, -1);
  cboInsertPosition = AddControl("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 186, 193,
                                 95, 200, kCboInsertPosition);
  AddHint(Handle(), cboInsertPosition, "並び順を変更する場合に指定します");
  btnSave = AddControl("BUTTON", "保存(&S)", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 44, 232, 75, 25, IDOK);
  btnDelete = AddControl("BUTTON", "削除(&D)", BS_PUSHBUTTON | WS_TABSTOP, 125, 232, 75, 25, kBtnDelete);
  btnCancel = AddControl("BUTTON", "閉じる", BS_PUSHBUTTON | WS_TABSTOP, 206, 232, 75, 25, IDCANCEL);
  SetFocus(cboOldAliasName);
}

void TfrmAliasSaveAs::OnCommand(int id, int code, HWND) {
  switch (id) {
    case kCboOldAliasName: if (code == CBN_SELCHANGE) cboOldAliasNameClick(); break;
    case IDOK: if (code == BN_CLICKED) btnSaveClick(); break;
    case kBtnDelete: if (code == BN_CLICKED) btnDeleteClick(); break;
    case IDCANCEL: if (code == BN_CLICKED) btnCancelClick(); break;
  }
}

void TfrmAliasSaveAs::SetNames(const std::vector<std::string>& names) {
  FillCombo(cboOldAliasName, names);
  FillCombo(cboNewAliasName, names);
  SetWindowTextA(cboNewAliasName, "");
}

void TfrmAliasSaveAs::BuildInsertPositions() {
  FillCombo(cboInsertPosition, InsertPositionItems(static_cast<int>(SendMessageA(cboOldAliasName, CB_GETCOUNT, 0, 0))));
}

void TfrmAliasSaveAs::cboOldAliasNameClick() { ShowFolders(Selection(cboOldAliasName)); }

void TfrmAliasSaveAs::ShowFolders(int index) {
  SendMessageA(lstFolderNames, LB_RESETCONTENT, 0, 0);
  if (index < 0) return;
  LoadAliases(Tag(), aliases);
  std::string account = host::GetAccount(Tag());
  std::vector<TFolderInfo> own = LoadFolderTree(DiskFileSystem(), account, "");
  if (index >= static_cast<int>(aliases.Items.size())) return;
  for (int p : ResolveAlias(aliases.Items[index], own, account))
    SendMessageA(lstFolderNames, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(own[p].Title.c_str()));
}

bool TfrmAliasSaveAs::ListUnchangedOnDisk() {
  std::vector<std::string> shown;
  for (int i = 0; i < SendMessageA(cboOldAliasName, CB_GETCOUNT, 0, 0); ++i) {
    std::string s(SendMessageA(cboOldAliasName, CB_GETLBTEXTLEN, i, 0) + 1, '\0');
    SendMessageA(cboOldAliasName, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&s[0]));
    shown.push_back(s.c_str());
  }
  TTVPAliases onDisk;
  LoadAliases(Tag(), onDisk);
  if (AliasNames(onDisk) == shown) {
    aliases = onDisk;
    return true;
  }
  ShowError(Handle(), "エイリアスがほかの画面で変更されています。\n最新の一覧を読み込みました。もう一度操作してください。");
  aliases = onDisk;
  SetNames(AliasNames(aliases));
  SendMessageA(lstFolderNames, LB_RESETCONTENT, 0, 0);
  BuildInsertPositions();
  return false;
}

bool TfrmAliasSaveAs::Save() {
  try {
    SaveAliases(Tag(), aliases);
    return true;
  } catch (...) {
    ReportException(Handle());  // the file stays as it was
    LoadAliases(Tag(), aliases);
    return false;
  }
}

void TfrmAliasSaveAs::btnSaveClick() {
  int edited = Selection(cboOldAliasName);
  if (edited < 0) {
    ShowError(Handle(), PlanAliasSave({}, -1, -1, "", -1).error);
    return;
  }
  std::string newName = Trim(WindowText(cboNewAliasName));
  SetWindowTextA(cboNewAliasName, newName.c_str());
  std::vector<std::string> names;
  for (int i = 0; i < SendMessageA(cboOldAliasName, CB_GETCOUNT, 0, 0); ++i) {
    std::string s(SendMessageA(cboOldAliasName, CB_GETLBTEXTLEN, i, 0) + 1, '\0');
    SendMessageA(cboOldAliasName, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&s[0]));
    names.push_back(s.c_str());
  }
  TAliasSavePlan plan =
      PlanAliasSave(names, edited, Selection(cboNewAliasName), newName, Selection(cboInsertPosition));
  if (!plan.error.empty()) {
    ShowError(Handle(), plan.error);
    return;
  }
  if (!ListUnchangedOnDisk()) return;
  if (plan.rename) RenameAlias(aliases, edited, newName);
  if (plan.moveTo >= 0) MoveAlias(aliases, edited, plan.moveTo);
  if (!Save()) return;
  Ui().MessageBox(Handle(), "保存しました。", "確認", MB_OK | MB_ICONINFORMATION);
  SetNames(AliasNames(aliases));
  SendMessageA(lstFolderNames, LB_RESETCONTENT, 0, 0);
  BuildInsertPositions();
  changed = true;
}

void TfrmAliasSaveAs::btnDeleteClick() {
  int index = Selection(cboOldAliasName);
  if (index < 0) {
    ShowError(Handle(), "削除するエイリアスを「編集対象」に指定してください。");
    return;
  }
  std::string name = WindowText(cboOldAliasName);
  if (Ui().MessageBox(Handle(), "エイリアス 「" + name + "」 を削除します。\nよろしいですか？", "削除の確認",
                      MB_YESNO | MB_ICONQUESTION) == IDNO)
    return;
  if (!ListUnchangedOnDisk()) return;
  DeleteAlias(aliases, name);
  if (!Save()) return;
  SetNames(AliasNames(aliases));
  BuildInsertPositions();
  ShowFolders(Selection(cboOldAliasName));
  changed = true;
}

void TfrmAliasSaveAs::btnCancelClick() { SetModalResult(mrCancel); }

void TfrmAliasSaveAs::CMShowingChanged() { SetFocus(cboOldAliasName); }

}  // namespace tvp
