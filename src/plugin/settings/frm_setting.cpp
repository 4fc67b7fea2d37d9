#include "plugin/settings/frm_setting.h"

#include <commctrl.h>

#include <algorithm>

#include "core/indexing/paths.h"
#include "plugin/console/run_command.h"
#include "plugin/settings/settings_store.h"
#include "plugin/ui/controls.h"
#include "plugin/ui/guard.h"
#include "plugin/ui/ui_seam.h"

namespace tvp {

namespace {

enum ControlId {
  kPge = 100, kRbtnUpdate1, kRbtnUpdate2, kRbtnUpdate3, kChkShowWindow, kBtnShowOptions, kBtnDefautOption,
  kBtnBrowse1, kBtnBrowse2, kBtnBrowse3, kBtnDefaultPath
};

const char* const kPageCaptions[] = {"インデックス作成", "検索", "コマンド", "その他", "パス", "高度"};
const char kExeFilter[] = "実行ファイル(*.exe)|*.EXE";
const char kAllFilter[] = "すべてのファイル(*.*)|*.*";
const char kHelpCaption[] = "コマンドライン・オプション";

constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

void SetText(HWND control, const std::string& text) { SetWindowTextA(control, text.c_str()); }

// The colour the tab control paints its pages with (themed or not): the
// middle of its page area, drawn without the controls on it.
COLORREF PageColour(HWND tabs) {
  RECT r;
  GetClientRect(tabs, &r);
  HDC screen = GetDC(tabs);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageA(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  RECT page = r;
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  COLORREF colour = GetPixel(dc, (page.left + page.right) / 2, (page.top + page.bottom) / 2);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(tabs, screen);
  return colour == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : colour;
}

// Sets a flag for the lifetime of a scope, also when it is left by an exception.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

// The check boxes and the fields they show.
const struct {
  HWND TfrmSetting::*control;
  bool TSettingFields::*field;
} kCheckBoxes[] = {
    {&TfrmSetting::chkForceIndexing, &TSettingFields::ForceIndexing},
    {&TfrmSetting::chkExitIndexingOnFinish, &TSettingFields::ExitIndexingOnFinish},
    {&TfrmSetting::chkExitSearchOnMailView, &TSettingFields::ExitSearchOnMailView},
    {&TfrmSetting::chkSearchOnChangeSettings, &TSettingFields::SearchOnChangeSettings},
    {&TfrmSetting::chkRenameToFolderName, &TSettingFields::RenameToFolderName},
    {&TfrmSetting::chkConfirmCommandLine, &TSettingFields::ConfirmCommandLine},
    {&TfrmSetting::chkSwitchIME, &TSettingFields::SwitchIME},
    {&TfrmSetting::chkHighlightWords, &TSettingFields::HighlightWords},
    {&TfrmSetting::chkShowWindow, &TSettingFields::ShowWindow},
    {&TfrmSetting::chkInDosWindow, &TSettingFields::InDosWindow},
    {&TfrmSetting::chkMinimize, &TSettingFields::Minimize},
    {&TfrmSetting::chkUseTempDirectory, &TSettingFields::UseTempDirectory},
    {&TfrmSetting::chkDontCreateNamazurc, &TSettingFields::DontCreateNamazurc},
};

}  // namespace

void ShowSettingDialog(HWND host) {
  TfrmSetting dialog(host);
  CenterForm(dialog, host, true);
  dialog.settings = EnsureAndLoadSettings(host);
  dialog.LoadControls();
  dialog.ShowModal();
}

HWND TfrmSetting::AddPageControl(Page page, const char* className, const std::string& text, DWORD style, int x,
                                 int y, int w, int h, int id) {
  DWORD exStyle = std::string(className) == "EDIT" ? WS_EX_CLIENTEDGE : 0;
  HWND control = AddControl(className, text, style, x, y, w, h, id, exStyle);
  pages_[page].push_back(control);
  return control;
}

TfrmSetting::TfrmSetting(HWND host) {
  CreateForm(host, host, "Tarvik for Namazu [設定]", 369, 225, WS_POPUP | WS_CAPTION | WS_SYSMENU);
  // The pages' controls come first so that they lie above the tab control;
  // creation order is also the tab order.
  grpUpdateIndex = AddPageControl(tab1, "BUTTON", "更新のタイミング(&U)", BS_GROUPBOX, 12, 32, 345, 102);
  rbtnUpdate1 = AddPageControl(tab1, "BUTTON", "AL-Mail 起動時", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 24, 50,
                               200, 18, kRbtnUpdate1);
  rbtnUpdate2 = AddPageControl(tab1, "BUTTON", "AL-Mail 終了時", BS_AUTORADIOBUTTON, 24, 70, 200, 18, kRbtnUpdate2);
  rbtnUpdate3 = AddPageControl(tab1, "BUTTON", "自動で行わない", BS_AUTORADIOBUTTON, 24, 90, 200, 18, kRbtnUpdate3);
  Label1 = AddPageControl(tab1, "STATIC", "メールを", SS_LEFT | WS_GROUP, 42, 112, 50, 16);
  edtNumberOfMail = AddPageControl(tab1, "EDIT", "", kEdit | WS_GROUP, 92, 108, 52, 21);
  UpDown1 = AddPageControl(tab1, UPDOWN_CLASSA, "",
                           UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0);
  SendMessageA(UpDown1, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edtNumberOfMail), 0);
  SendMessageA(UpDown1, UDM_SETRANGE32, kMailIntervalMin, kMailIntervalMax);
  SendMessageA(edtNumberOfMail, EM_LIMITTEXT, 3, 0);
  Label2 = AddPageControl(tab1, "STATIC", "通受信毎に行う", SS_LEFT, 150, 112, 150, 16);
  chkForceIndexing = AddPageControl(tab1, "BUTTON", "実行前に確認しない(&F)", kCheckBox | WS_GROUP, 12, 142, 340, 18);
  chkExitIndexingOnFinish =
      AddPageControl(tab1, "BUTTON", "終了したら AL-Mailウィンドウに戻る(&C)", kCheckBox, 12, 164, 340, 18);

  chkExitSearchOnMailView =
      AddPageControl(tab2, "BUTTON", "メールVIEW 起動時に検索終了(&C)", kCheckBox, 12, 36, 340, 18);
  chkSearchOnChangeSettings =
      AddPageControl(tab2, "BUTTON", "結果の表示形式変更時に再検索(&S)", kCheckBox, 12, 60, 340, 18);
  chkRenameToFolderName =
      AddPageControl(tab2, "BUTTON", "複数フォルダの検索結果にはフォルダ名を表示(&F)", kCheckBox, 12, 84, 340, 18);
  chkConfirmCommandLine =
      AddPageControl(tab2, "BUTTON", "使ったコマンドラインを確認できるようにする(&L)", kCheckBox, 12, 108, 340, 18);
  chkSwitchIME = AddPageControl(tab2, "BUTTON", "検索式入力欄で IME をオンにする(&J)", kCheckBox, 12, 132, 340, 18);
  chkHighlightWords = AddPageControl(tab2, "BUTTON", "検索語を強調表示(&H)", kCheckBox, 12, 156, 340, 18);

  Label4 = AddPageControl(tab3, "STATIC", "namazu 引数(&N):", SS_LEFT, 12, 38, 130, 16);
  edtNamazuOption = AddPageControl(tab3, "EDIT", "", kEdit, 144, 34, 180, 21);
  Label3 = AddPageControl(tab3, "STATIC", "mknmz 引数(&M):", SS_LEFT, 12, 62, 130, 16);
  edtMknmzOption = AddPageControl(tab3, "EDIT", "", kEdit, 144, 58, 180, 21);
  btnShowOptions = AddPageControl(tab3, "BUTTON", "?", kButton, 330, 34, 24, 45, kBtnShowOptions);
  Label13 = AddPageControl(tab3, "STATIC", "日付順に使う引数(&D):", SS_LEFT, 12, 86, 130, 16);
  cboDateOption = AddPageControl(tab3, "COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 144,
                                 82, 210, 120);
  for (const std::string& choice : DateOptionChoices())
    SendMessageA(cboDateOption, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.c_str()));
  SendMessageA(cboDateOption, CB_SETDROPPEDWIDTH, 340, 0);
  grpMknmzMode = AddPageControl(tab3, "BUTTON", "mknmz 実行時(&O)", BS_GROUPBOX, 12, 110, 250, 72);
  chkShowWindow =
      AddPageControl(tab3, "BUTTON", "実行中の画面を表示する", kCheckBox, 24, 128, 230, 18, kChkShowWindow);
  chkInDosWindow = AddPageControl(tab3, "BUTTON", "DOS窓で実行", kCheckBox, 40, 152, 100, 18);
  chkMinimize = AddPageControl(tab3, "BUTTON", "アイコン化", kCheckBox, 150, 152, 100, 18);
  btnDefautOption = AddPageControl(tab3, "BUTTON", "初期値に戻す", kButton, 272, 116, 82, 24, kBtnDefautOption);

  grpMenu = AddPageControl(tab4, "BUTTON", "メニュー(&M)", BS_GROUPBOX, 12, 32, 345, 110);
  Label5 = AddPageControl(tab4, "STATIC", "インデックス作成:", SS_LEFT, 24, 54, 104, 16);
  edtIndexingMenu = AddPageControl(tab4, "EDIT", "", kEdit, 130, 50, 215, 21);
  Label6 = AddPageControl(tab4, "STATIC", "Namazu検索:", SS_LEFT, 24, 80, 104, 16);
  edtNamazuMenu = AddPageControl(tab4, "EDIT", "", kEdit, 130, 76, 215, 21);
  Label7 = AddPageControl(tab4, "STATIC", "※この設定は AL-Mail 再起動後に有効です。", SS_LEFT, 24, 112, 320, 16);

  Label8 = AddPageControl(tab5, "STATIC", "それぞれのファイル名をフルパスで指定してください。", SS_LEFT, 12, 36, 340, 16);
  Label9 = AddPageControl(tab5, "STATIC", "Perl(&P):", SS_LEFT, 12, 64, 70, 16);
  edtPerlPath = AddPageControl(tab5, "EDIT", "", kEdit, 84, 60, 242, 21);
  btnBrowse1 = AddPageControl(tab5, "BUTTON", "...", kButton, 330, 60, 24, 21, kBtnBrowse1);
  Label10 = AddPageControl(tab5, "STATIC", "mknmz(&M):", SS_LEFT, 12, 90, 70, 16);
  edtMknmzPath = AddPageControl(tab5, "EDIT", "", kEdit, 84, 86, 242, 21);
  btnBrowse2 = AddPageControl(tab5, "BUTTON", "...", kButton, 330, 86, 24, 21, kBtnBrowse2);
  Label11 = AddPageControl(tab5, "STATIC", "namazu(&N):", SS_LEFT, 12, 116, 70, 16);
  edtNamazuPath = AddPageControl(tab5, "EDIT", "", kEdit, 84, 112, 242, 21);
  btnBrowse3 = AddPageControl(tab5, "BUTTON", "...", kButton, 330, 112, 24, 21, kBtnBrowse3);
  btnDefaultPath = AddPageControl(tab5, "BUTTON", "初期値に戻す", kButton, 254, 146, 100, 24, kBtnDefaultPath);

  chkUseTempDirectory = AddPageControl(TabSheet1, "BUTTON", "インデックス作成時に作業用ディレクトリを使用する(&A)",
                                       kCheckBox, 12, 36, 345, 18);
  chkDontCreateNamazurc = AddPageControl(TabSheet1, "BUTTON", "namazurcを作成しない(&N)", kCheckBox, 12, 60, 345, 18);

  pgeSetting = AddControl(WC_TABCONTROLA, "", WS_CLIPSIBLINGS | WS_TABSTOP | WS_GROUP, 4, 4, 361, 186, kPge);
  // Narrower tabs: all six in one row (the padding takes effect with the font).
  SendMessageA(pgeSetting, TCM_SETPADDING, 0, MAKELPARAM(3, 3));
  SendMessageA(pgeSetting, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  for (int page = 0; page < kPageCount; ++page) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kPageCaptions[page]);
    SendMessageA(pgeSetting, TCM_INSERTITEMA, page, reinterpret_cast<LPARAM>(&item));
  }
  btnOK = AddControl("BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 206, 196, 75, 24, IDOK);
  btnCancel = AddControl("BUTTON", "キャンセル", kButton, 287, 196, 75, 24, IDCANCEL);

  AddHint(Handle(), rbtnUpdate3, "ユーザーが指示したときのみ行います");
  AddHint(Handle(), edtNumberOfMail, "0 にすると毎回行います");
  AddHint(Handle(), chkRenameToFolderName, "チェックをはずすとインデックスのパスが表示されます");
  AddHint(Handle(), btnShowOptions, "コマンドラインオプションの説明を表示します");
  AddHint(Handle(), chkShowWindow, "インデックス作成中の画面を表示します");
  AddHint(Handle(), chkUseTempDirectory, "メールボックスとは別の場所でインデックス作成を行います");
  AddHint(Handle(), chkDontCreateNamazurc, "namazurc を毎回作成しないようにいします");
  pageBrush_ = CreateSolidBrush(PageColour(pgeSetting));
  ShowPage(tab1);
}

TfrmSetting::~TfrmSetting() {
  CloseHelpWindow();
  DeleteObject(pageBrush_);
}

bool TfrmSetting::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == WM_ERASEBKGND) {
    // Themed group boxes show what lies under them: the page's colour.
    HDC dc = reinterpret_cast<HDC>(wp);
    RECT client, page;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    GetWindowRect(pgeSetting, &page);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&page), 2);
    SendMessageA(pgeSetting, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    FillRect(dc, &page, pageBrush_);
    result = 1;
    return true;
  }
  // Labels, buttons and boxes on a page take the page's colour (edit boxes keep theirs).
  if (msg != WM_CTLCOLORSTATIC && msg != WM_CTLCOLORBTN) return false;
  HWND control = reinterpret_cast<HWND>(lp);
  char className[16] = "";
  GetClassNameA(control, className, sizeof className);
  bool onPage = false;
  for (const std::vector<HWND>& page : pages_)
    onPage = onPage || std::find(page.begin(), page.end(), control) != page.end();
  if (!onPage || lstrcmpiA(className, "Edit") == 0) return false;
  LOGBRUSH brush;
  GetObject(pageBrush_, sizeof brush, &brush);
  SetBkColor(reinterpret_cast<HDC>(wp), brush.lbColor);
  result = reinterpret_cast<LRESULT>(pageBrush_);
  return true;
}

void TfrmSetting::ShowPage(int page) {
  SendMessageA(pgeSetting, TCM_SETCURSEL, page, 0);
  for (int p = 0; p < kPageCount; ++p)
    for (HWND control : pages_[p]) ShowWindow(control, p == page ? SW_SHOW : SW_HIDE);
}

int TfrmSetting::ActivePage() const { return static_cast<int>(SendMessageA(pgeSetting, TCM_GETCURSEL, 0, 0)); }

void TfrmSetting::LoadControls() {
  TSettingFields f = SettingFieldsOf(settings);
  HWND when = f.When == UpdateTiming::StartUp   ? rbtnUpdate1
              : f.When == UpdateTiming::CleanUp ? rbtnUpdate2
                                                : rbtnUpdate3;
  SetChecked(when, true);
  rbtnUpdate1Click(when);
  activeControl_ = when;
  SendMessageA(UpDown1, UDM_SETPOS32, 0, f.NumberOfMail);
  for (const auto& box : kCheckBoxes) SetChecked(this->*box.control, f.*box.field);
  SetText(edtNamazuOption, f.NamazuOption);
  SetText(edtMknmzOption, f.MknmzOption);
  SetText(cboDateOption, f.DateOption);
  SetText(edtIndexingMenu, f.IndexingMenu);
  SetText(edtNamazuMenu, f.NamazuMenu);
  SetText(edtPerlPath, f.PerlPath);
  SetText(edtMknmzPath, f.MknmzPath);
  SetText(edtNamazuPath, f.NamazuPath);
  chkShowWindowClick();
}

TSettingFields TfrmSetting::Fields() const {
  TSettingFields f;
  f.When = IsChecked(rbtnUpdate1)   ? UpdateTiming::StartUp
           : IsChecked(rbtnUpdate2) ? UpdateTiming::CleanUp
                                    : UpdateTiming::UserOperation;
  BOOL error = FALSE;
  f.NumberOfMail = static_cast<int>(SendMessageA(UpDown1, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)));
  for (const auto& box : kCheckBoxes) f.*box.field = IsChecked(this->*box.control);
  f.NamazuOption = WindowText(edtNamazuOption);
  f.MknmzOption = WindowText(edtMknmzOption);
  f.DateOption = WindowText(cboDateOption);
  f.IndexingMenu = WindowText(edtIndexingMenu);
  f.NamazuMenu = WindowText(edtNamazuMenu);
  f.PerlPath = WindowText(edtPerlPath);
  f.MknmzPath = WindowText(edtMknmzPath);
  f.NamazuPath = WindowText(edtNamazuPath);
  return f;
}

void TfrmSetting::CMShowingChanged() {
  if (activeControl_) SetFocus(activeControl_);
}

void TfrmSetting::OnCommand(int id, int code, HWND control) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case kRbtnUpdate1:
    case kRbtnUpdate2:
    case kRbtnUpdate3: rbtnUpdate1Click(control); break;
    case kChkShowWindow: chkShowWindowClick(); break;
    case kBtnShowOptions: btnShowOptionsClick(); break;
    case kBtnDefautOption: btnDefautOptionClick(); break;
    case kBtnBrowse1: btnBrowse1Click(); break;
    case kBtnBrowse2: btnBrowse2Click(); break;
    case kBtnBrowse3: btnBrowse3Click(); break;
    case kBtnDefaultPath: btnDefaultPathClick(); break;
    case IDOK: btnOKClick(); break;
    case IDCANCEL: btnCancelClick(); break;
  }
}

LRESULT TfrmSetting::OnNotify(NMHDR* header) {
  if (header->hwndFrom == pgeSetting && header->code == TCN_SELCHANGE) ShowPage(ActivePage());
  return 0;
}

void TfrmSetting::rbtnUpdate1Click(HWND sender) { EnableWindow(edtNumberOfMail, sender != rbtnUpdate3); }

void TfrmSetting::chkShowWindowClick() {
  BOOL shown = IsChecked(chkShowWindow) ? TRUE : FALSE;
  EnableWindow(chkInDosWindow, shown);
  EnableWindow(chkMinimize, shown);
}

void TfrmSetting::btnDefaultPathClick() {
  CommandDefaults d = DefaultCommands(settings.NamazuVersion);
  SetText(edtPerlPath, d.PerlPath);
  SetText(edtMknmzPath, d.mknmzPath);
  SetText(edtNamazuPath, d.namazuPath);
}

void TfrmSetting::btnDefautOptionClick() {
  CommandDefaults d = DefaultCommands(settings.NamazuVersion);
  SetText(edtMknmzOption, d.mknmzOption);
  SetText(edtNamazuOption, d.namazuOption);
  SetText(cboDateOption, d.DateOption);
}

void TfrmSetting::Browse(HWND field, const std::string& loaded, const char* filter) {
  std::string chosen = Ui().OpenFileName(Handle(), ExtractFileDir(WindowText(field)), loaded, filter);
  if (!chosen.empty()) SetText(field, chosen);
}

void TfrmSetting::btnBrowse1Click() { Browse(edtPerlPath, settings.PerlPath, kExeFilter); }
void TfrmSetting::btnBrowse2Click() { Browse(edtMknmzPath, settings.mknmzPath, kAllFilter); }
void TfrmSetting::btnBrowse3Click() { Browse(edtNamazuPath, settings.namazuPath, kExeFilter); }

void TfrmSetting::btnShowOptionsClick() {
  if (helpWindow) return;
  helpWindow = new TfrmWindow(Tag());
  helpWindow->SetReleaseNotify(&helpWindow);
  helpWindow->SetCaption(kHelpCaption);
  helpWindow->Show();
  {
    // Closing the dialog meanwhile waits until the command that runs has
    // ended (FormCloseQuery); the commands after it are not run.
    FlagScope running(helpRunning_);
    for (const HelpCommand& c : HelpCommands(settings.NamazuVersion, WindowText(edtPerlPath),
                                             WindowText(edtMknmzPath), WindowText(edtNamazuPath))) {
      if (!helpWindow || deferredResult_ != mrNone) break;
      RunCommand(c.commandLine, c.workDir, rmCapture, &helpWindow->edt);
    }
  }
  if (deferredResult_ != mrNone) {
    int result = deferredResult_;
    deferredResult_ = mrNone;
    SetModalResult(result);
  }
}

void TfrmSetting::btnOKClick() {
  TTVPSettings changed = settings;
  bool resetCounter = ApplySettingFields(Fields(), changed);
  try {
    SaveSettings(Tag(), changed);
    if (resetCounter) SetMailCount(Tag(), 0);
  } catch (...) {
    // The file stays as it was; the dialog stays open with the user's input.
    ReportException(Handle());
    return;
  }
  settings = changed;
  CloseWith(mrOk);
}

void TfrmSetting::btnCancelClick() { CloseWith(mrCancel); }

void TfrmSetting::CloseWith(int result) {
  if (helpRunning_) {
    deferredResult_ = result;
    return;
  }
  SetModalResult(result);
}

bool TfrmSetting::FormCloseQuery() {
  if (helpRunning_) {
    if (deferredResult_ == mrNone) deferredResult_ = mrCancel;
    return false;
  }
  CloseHelpWindow();
  return true;
}

void TfrmSetting::CloseHelpWindow() {
  if (!helpWindow) return;
  TfrmWindow* window = helpWindow;
  helpWindow = nullptr;
  window->SetReleaseNotify(nullptr);
  window->Close();  // it destroys itself
}

}  // namespace tvp
