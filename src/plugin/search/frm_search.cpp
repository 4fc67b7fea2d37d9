#include "plugin/search/frm_search.h"

#include <commctrl.h>
#include <imm.h>

#include "core/common/sjis.h"
#include "plugin/files/win_fs.h"
#include "plugin/search/frm_sel_folders.h"
#include "plugin/search/search_res.h"
#include "plugin/settings/alias_store.h"
#include "plugin/settings/frm_alias_save_as.h"
#include "plugin/settings/settings_store.h"
#include "plugin/shell/host_api.h"
#include "plugin/ui/controls.h"
#include "plugin/ui/guard.h"

namespace tvp {

namespace {

enum ControlId {
  kCboAlias = 100, kBtnEditAlias, kEdtFolderName, kBtnFolderBrowse, kCboKeyword, kCboHeaderName,
  kEdtHeaderKeyword, kBtnAdd, kBtnDelete, kLstHeader
};
constexpr UINT WM_TVP_EDIT_ALIAS = WM_APP + 1;  // F2, seen before the controls

void SetText(HWND control, const std::string& text) { SetWindowTextA(control, text.c_str()); }

std::string ListText(HWND list, int row, int column) {
  char buf[1024] = {0};
  ListView_GetItemText(list, row, column, buf, sizeof buf);
  return buf;
}

void AddColumn(HWND list, int index, const char* caption, int width) {
  LVCOLUMNA col = {};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.pszText = const_cast<char*>(caption);
  col.cx = width;
  SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&col));
}

void SetDefaultStyle(HWND button, bool isDefault) {
  SendMessageA(button, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

}  // namespace

int ShowSearchDialog(HWND hostWindow, HWND ownerWindow, TTVPSearchInfo& request) {
  TfrmSearch dialog(hostWindow, ownerWindow);
  dialog.request = request;
  CenterForm(dialog, ownerWindow, true);
  dialog.settings = EnsureAndLoadSettings(hostWindow);
  dialog.folders = LoadFolderTree(DiskFileSystem(), host::GetAccount(hostWindow), dialog.settings.IndexDir);
  LoadAliases(hostWindow, dialog.aliases);
  dialog.FillAliasList();

  TRestoredChoice choice = RestoreFolderChoice(dialog.request, dialog.aliases, dialog.folders, dialog.settings.SearchFolders);
  if (choice.alias >= 0) {
    SendMessageA(dialog.cboAlias, CB_SETCURSEL, choice.alias, 0);
    dialog.cboAliasClick();
  } else {
    dialog.request.FolderIndexes = choice.folders;
    dialog.request.FolderCount = static_cast<int>(choice.folders.size());
    dialog.SetFolderNames(FolderNamesText(dialog.folders, choice.folders));
  }

  SendMessageA(dialog.cboKeyword, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : HistoryItems(dialog.settings.History))
    SendMessageA(dialog.cboKeyword, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  if (SendMessageA(dialog.cboKeyword, CB_GETCOUNT, 0, 0) > 0) SendMessageA(dialog.cboKeyword, CB_SETCURSEL, 0, 0);

  dialog.request.Keyword.clear();
  int result = dialog.ShowModal();
  request = dialog.request;
  return result;
}

TfrmSearch::TfrmSearch(HWND host, HWND owner) {
  CreateForm(owner, host, "Tarvik for Namazu [検索]", 329, 313, WS_POPUP | WS_CAPTION | WS_SYSMENU);
  grpFolder = AddControl("BUTTON", "対象フォルダ", BS_GROUPBOX, 8, 4, 313, 84, -1);
  Label1 = AddControl("STATIC", "エイリアス(&L):", SS_LEFT, 18, 25, 88, 16, -1);
  cboAlias = AddControl("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 108, 21, 176, 200,
                        kCboAlias);
  btnEditAlias = AddControl("BUTTON", "", BS_BITMAP | BS_PUSHBUTTON, 288, 20, 24, 23, kBtnEditAlias);
  editAliasPicture_ = static_cast<HBITMAP>(
      LoadImageA(PluginModule(), MAKEINTRESOURCEA(IDB_TVP_EDIT_ALIAS), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
  SendMessageA(btnEditAlias, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(editAliasPicture_));
  edtFolderName = AddControl("EDIT", "", ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, 18, 54, 210, 22,
                             kEdtFolderName, WS_EX_CLIENTEDGE);
  btnFolderBrowse =
      AddControl("BUTTON", "参照(&B)...", BS_PUSHBUTTON | WS_TABSTOP, 234, 52, 78, 25, kBtnFolderBrowse);
  Label2 = AddControl("STATIC", "検索式(&F):", SS_LEFT, 8, 96, 120, 16, -1);
  cboKeyword = AddControl("COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 8,
                          113, 313, 200, kCboKeyword);
  grpHeader = AddControl("BUTTON", "ヘッダ指定(&H)", BS_GROUPBOX, 8, 142, 313, 132, -1);
  cboHeaderName = AddControl("COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                             16, 162, 84, 200, kCboHeaderName);
  for (const std::string& name : HeaderNames())
    SendMessageA(cboHeaderName, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  edtHeaderKeyword = AddControl("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, 103, 162, 100, 22, kEdtHeaderKeyword,
                                WS_EX_CLIENTEDGE);
  btnAdd = AddControl("BUTTON", "追加(&A)", BS_PUSHBUTTON | WS_TABSTOP, 207, 161, 53, 24, kBtnAdd);
  btnDelete = AddControl("BUTTON", "削除(&D)", BS_PUSHBUTTON | WS_TABSTOP, 263, 161, 53, 24, kBtnDelete);
  lstHeader = AddControl(WC_LISTVIEWA, "",
                         LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP, 16, 190,
                         300, 76, kLstHeader, WS_EX_CLIENTEDGE);
  ListView_SetExtendedListViewStyle(lstHeader, LVS_EX_FULLROWSELECT);
  AddColumn(lstHeader, 0, "ヘッダ", 85);
  AddColumn(lstHeader, 1, "検索式", 185);
  btnSearch = AddControl("BUTTON", "検索(&G)...", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 160, 282, 80, 25, IDOK);
  btnCancel = AddControl("BUTTON", "キャンセル", BS_PUSHBUTTON | WS_TABSTOP, 246, 282, 75, 25, IDCANCEL);

  AddHint(Handle(), btnEditAlias, "エイリアス編集 (F2)");
  AddHint(Handle(), btnFolderBrowse, "一覧からフォルダを選択します");
  AddHint(Handle(), cboHeaderName, "ヘッダ名");
  AddHint(Handle(), edtHeaderKeyword, "検索式");
  // The folder display's hint changes with its text: a tool tip of its own.
  folderTip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, nullptr, nullptr);
  SendMessageA(folderTip_, TTM_SETMAXTIPWIDTH, 0, 600);
  TTTOOLINFOA ti = {};
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = Handle();
  ti.uId = reinterpret_cast<UINT_PTR>(edtFolderName);
  ti.lpszText = const_cast<char*>("");
  SendMessageA(folderTip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));

  // F2 opens the alias editor wherever the focus is: every control passes it to the form first.
  EnumChildWindows(Handle(), AddKeyPreview, reinterpret_cast<LPARAM>(Handle()));
  SetFocus(cboKeyword);
}

TfrmSearch::~TfrmSearch() {
  EnumChildWindows(Handle(), RemoveKeyPreview, 0);
  if (editAliasPicture_) DeleteObject(editAliasPicture_);
}

BOOL CALLBACK TfrmSearch::AddKeyPreview(HWND child, LPARAM form) {
  SetWindowSubclass(child, &TfrmSearch::KeyPreview, 1, static_cast<DWORD_PTR>(form));
  return TRUE;
}

BOOL CALLBACK TfrmSearch::RemoveKeyPreview(HWND child, LPARAM) {
  RemoveWindowSubclass(child, &TfrmSearch::KeyPreview, 1);
  return TRUE;
}

LRESULT CALLBACK TfrmSearch::KeyPreview(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR form) {
  if (msg == WM_KEYDOWN && wp == VK_F2) {
    PostMessageA(reinterpret_cast<HWND>(form), WM_TVP_EDIT_ALIAS, 0, 0);
    return 0;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

bool TfrmSearch::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  if (msg == WM_TVP_EDIT_ALIAS || (msg == WM_KEYDOWN && wp == VK_F2)) {
    btnEditAliasClick();
    result = 0;
    return true;
  }
  if (msg == DM_GETDEFID) {
    result = MAKELRESULT(addIsDefault_ ? kBtnAdd : IDOK, DC_HASDEFID);
    return true;
  }
  return false;
}

void TfrmSearch::OnCommand(int id, int code, HWND) {
  switch (id) {
    case kCboAlias:
      if (code == CBN_SELCHANGE) cboAliasClick();
      break;
    case kCboKeyword:
      if (code == CBN_SETFOCUS && settings.SwitchIME == "1") {
        if (HIMC imc = ImmGetContext(cboKeyword)) {
          ImmSetOpenStatus(imc, TRUE);
          ImmReleaseContext(cboKeyword, imc);
        }
      }
      break;
    case kCboHeaderName:
      if (code == CBN_SETFOCUS || code == CBN_KILLFOCUS) SetDefaultToAdd(code == CBN_SETFOCUS);
      break;
    case kEdtHeaderKeyword:
      if (code == EN_SETFOCUS || code == EN_KILLFOCUS) SetDefaultToAdd(code == EN_SETFOCUS);
      break;
    case kBtnEditAlias:
      if (code == BN_CLICKED) btnEditAliasClick();
      break;
    case kBtnFolderBrowse:
      if (code == BN_CLICKED) btnFolderBrowseClick();
      break;
    case kBtnAdd:
      if (code == BN_CLICKED) btnAddClick();
      break;
    case kBtnDelete:
      if (code == BN_CLICKED) btnDeleteClick();
      break;
    case IDOK:
      // Enter in a header field adds the condition.
      if (code == BN_CLICKED) addIsDefault_ ? btnAddClick() : btnSearchClick();
      break;
    case IDCANCEL:
      if (code == BN_CLICKED) btnCancelClick();
      break;
  }
}

void TfrmSearch::SetDefaultToAdd(bool add) {
  addIsDefault_ = add;
  SetDefaultStyle(btnAdd, add);
  SetDefaultStyle(btnSearch, !add);
}

void TfrmSearch::SetFolderNames(const std::string& text) {
  SetText(edtFolderName, text);
  folderHint_ = FolderNamesHint(text);
  TTTOOLINFOA ti = {};
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  ti.hwnd = Handle();
  ti.uId = reinterpret_cast<UINT_PTR>(edtFolderName);
  ti.lpszText = const_cast<char*>(folderHint_.c_str());
  SendMessageA(folderTip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

std::string TfrmSearch::FolderHint() const {
  char buf[4096] = {0};
  TTTOOLINFOA ti = {};
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  ti.hwnd = Handle();
  ti.uId = reinterpret_cast<UINT_PTR>(edtFolderName);
  ti.lpszText = buf;
  SendMessageA(folderTip_, TTM_GETTEXTA, sizeof buf, reinterpret_cast<LPARAM>(&ti));
  return buf;
}

void TfrmSearch::FillAliasList() {
  SendMessageA(cboAlias, CB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < aliases.Items.size(); ++i) {
    SendMessageA(cboAlias, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(aliases.Items[i].Name.c_str()));
    if (!currentAlias.empty() && EqualsNoCase(aliases.Items[i].Name, currentAlias))
      SendMessageA(cboAlias, CB_SETCURSEL, i, 0);
  }
}

void TfrmSearch::ReloadAliases() {
  LoadAliases(Tag(), aliases);
  FillAliasList();
}

void TfrmSearch::cboAliasClick() {
  SetFolderNames("");
  int selected = static_cast<int>(SendMessageA(cboAlias, CB_GETCURSEL, 0, 0));
  if (selected < 0 || selected >= static_cast<int>(aliases.Items.size())) return;
  currentAlias = aliases.Items[selected].Name;
  std::vector<int> chosen = ResolveAlias(aliases.Items[selected], folders,
                                         AliasPrefix(host::GetAccount(Tag()), settings.IndexDir));
  request.FolderIndexes = chosen;
  request.FolderCount = static_cast<int>(chosen.size());
  SetFolderNames(FolderNamesText(folders, chosen));
}

void TfrmSearch::btnEditAliasClick() {
  int selected = static_cast<int>(SendMessageA(cboAlias, CB_GETCURSEL, 0, 0));
  if (ShowAliasEditDialog(Tag(), Handle(), AliasNames(aliases), selected)) {
    currentAlias.clear();
    ReloadAliases();
  }
}

void TfrmSearch::btnFolderBrowseClick() {
  std::vector<int> chosen;
  int result = ShowSelSearchFolders(Tag(), Handle(), folders, request, chosen);
  if (result == mrOk) currentAlias.clear();
  ReloadAliases();
  if (result != mrOk) return;
  request.FolderIndexes = chosen;
  request.FolderCount = static_cast<int>(chosen.size());
  SetFolderNames(FolderNamesText(folders, chosen));
}

std::vector<THeaderCondition> TfrmSearch::HeaderRows() const {
  std::vector<THeaderCondition> rows;
  for (int i = 0; i < ListView_GetItemCount(lstHeader); ++i)
    rows.push_back({ListText(lstHeader, i, 0), ListText(lstHeader, i, 1)});
  return rows;
}

void TfrmSearch::btnAddClick() {
  std::string header = WindowText(cboHeaderName), expression = WindowText(edtHeaderKeyword);
  if (!CanAddHeaderCondition(HeaderRows(), header, expression)) return;
  std::string trimmed = Trim(expression);
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = ListView_GetItemCount(lstHeader);
  item.pszText = const_cast<char*>(header.c_str());
  int row = static_cast<int>(SendMessageA(lstHeader, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  ListView_SetItemText(lstHeader, row, 1, const_cast<char*>(trimmed.c_str()));
  if (ListView_GetNextItem(lstHeader, -1, LVNI_SELECTED) < 0)
    ListView_SetItemState(lstHeader, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void TfrmSearch::btnDeleteClick() {
  int row = ListView_GetNextItem(lstHeader, -1, LVNI_SELECTED);
  if (row < 0) return;
  SetText(cboHeaderName, ListText(lstHeader, row, 0));
  SetText(edtHeaderKeyword, ListText(lstHeader, row, 1));
  ListView_DeleteItem(lstHeader, row);
  int count = ListView_GetItemCount(lstHeader);
  if (count > 0) {
    int next = row < count ? row : count - 1;
    ListView_SetItemState(lstHeader, next, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
}

void TfrmSearch::btnSearchClick() {
  TComposedKeyword composed = ComposeKeyword(WindowText(cboKeyword), HeaderRows());
  if (composed.clearBox) SetText(cboKeyword, "");
  request.Keyword = composed.Keyword;

  std::vector<std::string> entries;
  for (int i = 0; i < request.FolderCount && i < static_cast<int>(request.FolderIndexes.size()); ++i)
    entries.push_back(StoredFolderEntry(folders, request.FolderIndexes[i]));
  settings.SearchFolders = entries;
  settings.SearchTargetFolderCount = std::to_string(entries.size());
  int selected = static_cast<int>(SendMessageA(cboAlias, CB_GETCURSEL, 0, 0));
  aliases.SelectedIndex = selected;
  aliases.SelectedName = selected >= 0 ? WindowText(cboAlias) : std::string();
  // The aliases on disk may have changed since they were loaded (another
  // folder window's dialogs): only the chosen name is written over them.
  TTVPAliases onDisk;
  try {
    SaveSettings(Tag(), settings);
    LoadAliases(Tag(), onDisk);
    onDisk.SelectedName = aliases.SelectedName;
    SaveAliases(Tag(), onDisk);
  } catch (...) {
    ReportException(Handle());  // the file stays as it was; the search still runs
  }
  SetModalResult(mrOk);
}

void TfrmSearch::btnCancelClick() { SetModalResult(mrCancel); }

void TfrmSearch::CMShowingChanged() { SetFocus(cboKeyword); }

}  // namespace tvp
