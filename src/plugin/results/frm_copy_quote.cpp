#include "plugin/results/frm_copy_quote.h"

#include "plugin/files/win_fs.h"
#include "plugin/settings/settings_store.h"
#include "plugin/ui/controls.h"
#include "plugin/ui/guard.h"
#include "plugin/ui/ui_seam.h"

namespace tvp {

namespace {

enum ControlId {
  kEdtPrefix = 100, kBtnSaveMark, kRbtnNone, kRbtnAll, kRbtnSelect, kLstHeaderList, kBtnUp, kBtnDown, kBtnDelete,
  kBtnGetFromMsg, kChkAdd
};

// Reads the account's settings file, lets `change` edit it and writes it back.
template <typename Change>
void ChangeSettingsFile(HWND host, Change change) {
  UpdateIniFile(DiskFileSystem(), SettingsPathFor(host), change);
}

}  // namespace

void OpenQuoteCopy(HWND host, HWND owner, const std::vector<std::string>& lines, bool fromMailView,
                   const std::string& selectedText) {
  TfrmCopyQuote dialog(host, owner, lines, fromMailView, selectedText);
  CenterForm(dialog, owner, true);
  dialog.ShowModal();
}

TfrmCopyQuote::TfrmCopyQuote(HWND host, HWND owner, const std::vector<std::string>& lines, bool fromMail,
                             const std::string& selectedText)
    : source(SplitQuoteSource(lines, selectedText)), fromMailView(fromMail) {
  CreateForm(owner, host, "引用付きコピー", 297, 241, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
  lblPrefix = AddControl("STATIC", "引用記号(&P):", SS_LEFT, 8, 12, 80, 16, -1);
  edtPrefix = AddControl("EDIT", "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 90, 9, 110, 21, kEdtPrefix);
  btnSaveMark = AddControl("BUTTON", "保存(&V)", BS_PUSHBUTTON | WS_TABSTOP, 208, 8, 81, 23, kBtnSaveMark);
  grpHeaders = AddControl("BUTTON", "ヘッダの引用", BS_GROUPBOX, 8, 38, 281, 152, -1);
  rbtnNone = AddControl("BUTTON", "しない(&N)", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 18, 56, 80, 20, kRbtnNone);
  rbtnAll = AddControl("BUTTON", "すべて(&A)", BS_AUTORADIOBUTTON, 104, 56, 80, 20, kRbtnAll);
  rbtnSelect = AddControl("BUTTON", "任意(&S)", BS_AUTORADIOBUTTON, 190, 56, 80, 20, kRbtnSelect);
  lstHeaderList = AddControl("LISTBOX", "", LBS_MULTIPLESEL | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP,
                             18, 80, 178, 102, kLstHeaderList);
  btnUp = AddControl("BUTTON", "上へ(&U)", BS_PUSHBUTTON | WS_TABSTOP, 204, 80, 77, 23, kBtnUp);
  btnDown = AddControl("BUTTON", "下へ(&D)", BS_PUSHBUTTON | WS_TABSTOP, 204, 106, 77, 23, kBtnDown);
  btnDelete = AddControl("BUTTON", "削除(&L)", BS_PUSHBUTTON | WS_TABSTOP, 204, 132, 77, 23, kBtnDelete);
  btnGetFromMsg = AddControl("BUTTON", "取得(&M)", BS_PUSHBUTTON | WS_TABSTOP, 204, 158, 77, 23, kBtnGetFromMsg);
  chkAdd = AddControl("BUTTON", "追加(&C)", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 208, 100, 20, kChkAdd);
  btnOK = AddControl("BUTTON", "コピー(&O)", BS_DEFPUSHBUTTON | WS_TABSTOP, 130, 206, 75, 25, IDOK);
  btnCancel = AddControl("BUTTON", "キャンセル", BS_PUSHBUTTON | WS_TABSTOP, 214, 206, 75, 25, IDCANCEL);
  AddHint(Handle(), edtPrefix, "行頭につける文字列を指定します");
  AddHint(Handle(), btnSaveMark, "既定値として保存します");
  AddHint(Handle(), btnGetFromMsg, "メールからヘッダを取得し直します");
  AddHint(Handle(), chkAdd, "クリップボードをクリアせずに追加します");
  LoadDefaults();
  if (!fromMailView) {
    SetChecked(rbtnNone, true);
    SetChecked(rbtnAll, false);
    SetChecked(rbtnSelect, false);
    for (HWND c : {grpHeaders, rbtnNone, rbtnAll, rbtnSelect}) EnableWindow(c, FALSE);
  }
  rbtnClick();
  SetFocus(edtPrefix);
}

void TfrmCopyQuote::LoadDefaults() {
  TQuoteCopySettings s = LoadQuoteCopySettings(ReadIniFile(DiskFileSystem(), SettingsPathFor(Tag())));
  SetWindowTextA(edtPrefix, s.Prefix.c_str());
  SetChecked(s.HeaderType == 1 ? rbtnAll : s.HeaderType == 2 ? rbtnSelect : rbtnNone, true);
  SendMessageA(lstHeaderList, LB_RESETCONTENT, 0, 0);
  if (s.HeaderCount <= 0) btnGetFromMsgClick();
  for (const std::string& item : s.Items)
    if (!item.empty()) SendMessageA(lstHeaderList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  int count = static_cast<int>(SendMessageA(lstHeaderList, LB_GETCOUNT, 0, 0));
  for (int b : s.Selected)
    if (b >= 1 && b <= count) SelectItem(b - 1, true);
}

THeaderChoice TfrmCopyQuote::Choice() const {
  if (IsChecked(rbtnAll)) return THeaderChoice::All;
  if (IsChecked(rbtnSelect)) return THeaderChoice::Select;
  return THeaderChoice::None;
}

void TfrmCopyQuote::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case kBtnSaveMark: btnSaveMarkClick(); break;
    case kRbtnNone: case kRbtnAll: case kRbtnSelect: rbtnClick(); break;
    case kBtnUp: btnUpClick(); break;
    case kBtnDown: btnDownClick(); break;
    case kBtnDelete: btnDeleteClick(); break;
    case kBtnGetFromMsg: btnGetFromMsgClick(); break;
    case IDOK: btnOKClick(); break;
    case IDCANCEL: btnCancelClick(); break;
  }
}

void TfrmCopyQuote::rbtnClick() {
  bool select = IsChecked(rbtnSelect);
  for (HWND c : {lstHeaderList, btnUp, btnDown, btnDelete, btnGetFromMsg}) EnableWindow(c, select ? TRUE : FALSE);
}

std::vector<std::string> TfrmCopyQuote::HeaderItems() const {
  std::vector<std::string> items;
  int n = static_cast<int>(SendMessageA(lstHeaderList, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    std::string text(static_cast<size_t>(SendMessageA(lstHeaderList, LB_GETTEXTLEN, i, 0)) + 1, '\0');
    SendMessageA(lstHeaderList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    items.push_back(text.c_str());
  }
  return items;
}

std::vector<int> TfrmCopyQuote::SelectedItems() const {
  std::vector<int> selected;
  int n = static_cast<int>(SendMessageA(lstHeaderList, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i)
    if (SendMessageA(lstHeaderList, LB_GETSEL, i, 0) > 0) selected.push_back(i);
  return selected;
}

void TfrmCopyQuote::SelectItem(int index, bool selected) {
  SendMessageA(lstHeaderList, LB_SETSEL, selected ? TRUE : FALSE, index);
}

int TfrmCopyQuote::CurrentItem() const {
  int n = static_cast<int>(SendMessageA(lstHeaderList, LB_GETCOUNT, 0, 0));
  int i = static_cast<int>(SendMessageA(lstHeaderList, LB_GETCARETINDEX, 0, 0));
  return n > 0 && i >= 0 && i < n ? i : -1;
}

void TfrmCopyQuote::SetCurrentItem(int index) { SendMessageA(lstHeaderList, LB_SETCARETINDEX, index, FALSE); }

void TfrmCopyQuote::MoveCurrent(int by) {
  int i = CurrentItem(), n = static_cast<int>(SendMessageA(lstHeaderList, LB_GETCOUNT, 0, 0));
  int to = i + by;
  if (i < 0 || to < 0 || to >= n) return;
  std::string text = HeaderItems()[i];
  SendMessageA(lstHeaderList, LB_DELETESTRING, i, 0);
  SendMessageA(lstHeaderList, LB_INSERTSTRING, to, reinterpret_cast<LPARAM>(text.c_str()));
  SelectItem(to, true);
  SetCurrentItem(to);
}

void TfrmCopyQuote::btnUpClick() { MoveCurrent(-1); }
void TfrmCopyQuote::btnDownClick() { MoveCurrent(1); }

void TfrmCopyQuote::btnDeleteClick() {
  int i = CurrentItem();
  if (i < 0) return;
  SendMessageA(lstHeaderList, LB_DELETESTRING, i, 0);
  int n = static_cast<int>(SendMessageA(lstHeaderList, LB_GETCOUNT, 0, 0));
  if (n > 0) SetCurrentItem(i < n ? i : n - 1);
}

void TfrmCopyQuote::btnGetFromMsgClick() {
  SendMessageA(lstHeaderList, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : HeaderNamesOf(source.Headers))
    SendMessageA(lstHeaderList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void TfrmCopyQuote::btnSaveMarkClick() {
  if (Ui().MessageBox(Handle(), "現在の引用記号を既定値として保存します。よろしいですか？", "確認",
                      MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  std::string prefix = WindowText(edtPrefix);
  Guarded(Handle(), [&] { ChangeSettingsFile(Tag(), [&](IniFile& ini) { SavePrefix(ini, prefix); }); });
}

void TfrmCopyQuote::btnOKClick() {
  TQuoteRequest request;
  request.Prefix = WindowText(edtPrefix);
  request.Headers = fromMailView ? Choice() : THeaderChoice::None;
  std::vector<std::string> items = HeaderItems();
  std::vector<int> selected = SelectedItems();
  for (int i : selected) request.SelectedNames.push_back(items[i]);
  request.Append = IsChecked(chkAdd) && Ui().GetClipboardText(Handle(), request.ClipboardText);
  Ui().SetClipboardText(Handle(), QuoteCopyText(source, request));
  if (fromMailView) {
    std::vector<int> oneBased;
    for (int i : selected) oneBased.push_back(i + 1);
    THeaderChoice choice = Choice();
    Guarded(Handle(), [&] {
      ChangeSettingsFile(Tag(), [&](IniFile& ini) { SaveHeaderChoice(ini, choice, items, oneBased); });
    });
  }
  SetModalResult(mrOk);
}

}  // namespace tvp
