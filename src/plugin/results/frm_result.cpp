#include "plugin/results/frm_result.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <stdexcept>

#include "core/common/placement.h"
#include "core/common/sjis.h"
#include "core/indexing/paths.h"
#include "core/results/mail_mime.h"
#include "core/results/mail_text.h"
#include "plugin/files/win_fs.h"
#include "plugin/results/frm_copy_quote.h"
#include "plugin/about/frm_about.h"
#include "plugin/search/frm_search.h"
#include "plugin/settings/settings_store.h"
#include "plugin/shell/host_api.h"
#include "plugin/ui/controls.h"
#include "plugin/ui/guard.h"
#include "plugin/ui/ui_seam.h"

namespace tvp {

namespace {

// Text of a mail in a character set as Shift-JIS: ISO-2022-JP through the
// host's conversion, UTF-8 through Windows' (a character that Shift-JIS
// lacks, or a byte that is no UTF-8, becomes "?"), Shift-JIS as it is;
// nothing for other character sets.
std::optional<std::string> MailTextToSjis(const std::string& charset, const std::string& bytes) {
  if (charset == "iso-2022-jp") return host::JisToSjis(bytes);
  if (charset == "shift_jis" || charset == "shift-jis" || charset == "x-sjis" || charset == "windows-31j" ||
      charset == "cp932")
    return bytes;
  if (charset != "utf-8" || bytes.size() > INT_MAX / 2) return std::nullopt;
  const int size = static_cast<int>(bytes.size());
  int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, nullptr, 0);
  if (n <= 0) return std::string();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, &wide[0], n);
  int m = WideCharToMultiByte(932, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string sjis(static_cast<size_t>(std::max(m, 0)), '\0');
  if (m > 0) WideCharToMultiByte(932, 0, wide.data(), n, &sjis[0], m, nullptr, nullptr);
  return sjis;
}

const char kCaption[] = "Tarvik for Namazu [検索結果]";
constexpr int kClientWidth = 537, kClientHeight = 345;
constexpr int kMinWidth = 450, kMinHeight = 300;
constexpr UINT kActivated = WM_APP + 1;
enum TimerId : UINT_PTR { kTmr = 1 };
constexpr UINT kTmrInterval = 200;

enum ControlId {
  kCboKeyword = 100, kBtnSearch, kPge, kEdtResult, kBtnMailView1, kPnlSubject, kEdtMail, kBtnPrevious, kBtnNext,
  kBtnMailView, kBtnViewCommandLine, kBtnSetCriteria
};

enum MenuId {
  kMnuSortEarlier = 1000, kMnuSortLater, kMnuSortNone, kMnuSortSubject, kMnuSortFrom, kMnuSortTo, kMnuSortFileName,
  kMnuSortAscend, kMnuSortDescend,
  kMnuContentsOn, kMnuContentsOff,
  kMnuListCountTwenty, kMnuListCountFifty, kMnuListCountHundred, kMnuListCountAll,
  kMnuEditCopy, kMnuEditCopyQuote,
  kMnuConvertJISToSJIS, kMnuConvertNone,
  kMnuSettingFontResult, kMnuSettingFontMail, kMnuSettingColor, kMnuSettingHighlight, kMnuSettingSavePosition,
  kMnuSettingSaveSize,
  kMnuHelpNamazu, kMnuHelpAbout,
  kPmnuCopy, kPmnuCopyQuote
};

// The sort items in menu order, the count items likewise.
const TSortItem kSortItems[] = {TSortItem::Earlier, TSortItem::Later, TSortItem::Score,   TSortItem::Subject,
                                TSortItem::From,    TSortItem::To,    TSortItem::FileName};
const TListCountItem kCountItems[] = {TListCountItem::Twenty, TListCountItem::Fifty, TListCountItem::Hundred,
                                      TListCountItem::All};

void AddItem(HMENU menu, int id, const char* text, bool radio = false) {
  MENUITEMINFOA mi = {sizeof mi};
  mi.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE;
  mi.fType = MFT_STRING | (radio ? MFT_RADIOCHECK : 0);
  mi.wID = static_cast<UINT>(id);
  mi.dwTypeData = const_cast<char*>(text);
  InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &mi);
}

void AddSubmenu(HMENU bar, HMENU sub, const char* text, bool rightJustify = false) {
  MENUITEMINFOA mi = {sizeof mi};
  mi.fMask = MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
  mi.fType = MFT_STRING | (rightJustify ? MFT_RIGHTJUSTIFY : 0);
  mi.hSubMenu = sub;
  mi.dwTypeData = const_cast<char*>(text);
  InsertMenuItemA(bar, GetMenuItemCount(bar), TRUE, &mi);
}

void Check(HMENU menu, int id, bool checked) {
  CheckMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Enable(HMENU menu, int id, bool enabled) {
  EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

// The lit words of the mail view: black on yellow, or without colours the
// window's own colours swapped, readable in any scheme.
TextStyle HighlightStyle(const TextRange& range, bool colour) {
  TextStyle style;
  style.Start = static_cast<int>(range.Start);
  style.Length = static_cast<int>(range.Length);
  style.Colour = colour ? RGB(0, 0, 0) : GetSysColor(COLOR_WINDOW);
  style.Background = colour ? RGB(255, 236, 110) : GetSysColor(COLOR_WINDOWTEXT);
  return style;
}

void Place(HWND control, int x, int y, int w, int h) { MoveWindow(control, x, y, w < 0 ? 0 : w, h < 0 ? 0 : h, TRUE); }

// The font of a view from its settings; an empty name falls back.
HFONT ViewFont(const TFontChoice& choice) {
  std::string name = choice.Name.empty() ? "ＭＳ Ｐゴシック" : choice.Name;
  return CreateUiFont(name, PointsToPixels(choice.Size > 0 ? choice.Size : 9), choice.Bold);
}

}  // namespace

int OpenResultWindow(HWND host, const TTVPSearchInfo& request) {
  TfrmResult window(host);
  window.request = request;
  return window.ShowModal();
}

void SearchCommand(HWND host) {
  TTVPSearchInfo request;
  if (ShowSearchDialog(host, host, request) == 1) OpenResultWindow(host, request);
}

TfrmResult::TfrmResult(HWND host) {
  CreateForm(host, host, kCaption, kClientWidth, kClientHeight,
             WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN);
  settings = EnsureAndLoadSettings(host);
  folders = LoadFolderTree(DiskFileSystem(), host::GetAccount(host), settings.IndexDir);
  resultFont_ = ViewFont(FontOf(settings.FontNameResult, settings.FontSizeResult, settings.FontBoldResult));
  mailFont_ = ViewFont(FontOf(settings.FontNameMail, settings.FontSizeMail, settings.FontBoldMail));
  CreateControls();
  CreateMenus();
  ApplySettings();
  PlaceOver(host);
  ActivatePage(0);
}

TfrmResult::~TfrmResult() {
  if (popEdit) DestroyMenu(popEdit);
  // The views go with the window (the base destroys it); their fonts after it.
  edtMail.SetEventHandler(nullptr);
  edtResult.Edit().SetEventHandler(nullptr);
  edtResult.Edit().SetScrollHandler(nullptr);
  DeleteObject(resultFont_);
  DeleteObject(mailFont_);
}

void TfrmResult::CreateControls() {
  lblKeyword = AddControl("STATIC", "検索式(&F):", SS_LEFT, 0, 0, 0, 0, -1);
  cboKeyword = AddControl("COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0, 0, 0, 0,
                          kCboKeyword);
  btnSearch = AddControl("BUTTON", "検索(&G)", BS_PUSHBUTTON | WS_TABSTOP, 0, 0, 0, 0, kBtnSearch);

  RECT none = {0, 0, 0, 0};
  edtResult.Create(Form::Handle(), kEdtResult, none, resultFont_);
  SetWindowLongPtrA(edtResult.Handle(), GWL_STYLE, GetWindowLongPtrA(edtResult.Handle(), GWL_STYLE) | WS_TABSTOP);
  btnMailView1 = AddControl("BUTTON", "メールVIEW", BS_PUSHBUTTON, 0, 0, 0, 0, kBtnMailView1);
  lblResultKeys = AddControl("STATIC", "[Enter]内容表示  [N]次  [P]前", SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, -1);

  pnlSubject = AddControl("STATIC", "", SS_LEFT | SS_NOPREFIX | SS_SUNKEN | SS_CENTERIMAGE | SS_ENDELLIPSIS, 0, 0,
                          0, 0, kPnlSubject);
  edtMail.Create(Form::Handle(), kEdtMail, none, mailFont_);
  SetWindowLongPtrA(edtMail.Handle(), GWL_STYLE, GetWindowLongPtrA(edtMail.Handle(), GWL_STYLE) | WS_TABSTOP);
  btnPrevious = AddControl("BUTTON", "前へ", BS_PUSHBUTTON, 0, 0, 0, 0, kBtnPrevious);
  btnNext = AddControl("BUTTON", "次へ", BS_PUSHBUTTON, 0, 0, 0, 0, kBtnNext);
  btnMailView = AddControl("BUTTON", "メールVIEW", BS_PUSHBUTTON, 0, 0, 0, 0, kBtnMailView);
  lblMailKeys = AddControl("STATIC", "[Enter]検索結果表示  [N]次  [P]前", SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, -1);

  btnViewCommandLine =
      AddControl("BUTTON", "コマンドライン(&L)", BS_PUSHBUTTON | WS_TABSTOP, 0, 0, 0, 0, kBtnViewCommandLine);
  btnSetCriteria = AddControl("BUTTON", "条件設定(&D)...", BS_PUSHBUTTON | WS_TABSTOP, 0, 0, 0, 0, kBtnSetCriteria);
  btnClose = AddControl("BUTTON", "閉じる", BS_PUSHBUTTON | WS_TABSTOP, 0, 0, 0, 0, IDCANCEL);

  // Last, so that it lies below the page controls.
  pge = AddControl(WC_TABCONTROLA, "", WS_CLIPSIBLINGS, 0, 0, 0, 0, kPge);
  TCITEMA item = {TCIF_TEXT};
  item.pszText = const_cast<char*>("検索結果");
  TabCtrl_InsertItem(pge, 0, &item);
  item.pszText = const_cast<char*>("メール内容");
  TabCtrl_InsertItem(pge, 1, &item);

  AddHint(Form::Handle(), btnMailView1, "メールVIEWで表示 (Shift+Enter)");
  AddHint(Form::Handle(), btnPrevious, "前へ (P)");
  AddHint(Form::Handle(), btnNext, "次へ (N)");
  AddHint(Form::Handle(), btnMailView, "メールVIEWで表示 (Shift+Enter)");
  AddHint(Form::Handle(), edtMail.Handle(), "[F3]次の検索語  [Shift+F3]前の検索語");

  // The views take no typed text: no input method there.
  ImmAssociateContext(edtResult.Handle(), nullptr);
  ImmAssociateContext(edtMail.Handle(), nullptr);

  edtResult.Edit().SetEventHandler([this](UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
      case WM_KEYDOWN: return edtResultKeyDown(wp);
      case WM_CHAR: return edtResultKeyPress(static_cast<char>(wp));
      case WM_MOUSEMOVE:
        edtResultMouseMove({static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
        return false;
      case WM_LBUTTONDOWN: return edtResultMouseDown();
      default: return false;
    }
  });
  edtResult.Edit().SetScrollHandler([this] { edtResultScroll(); });
  edtMail.SetEventHandler([this](UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_KEYDOWN) return edtMailKeyDown(wp);
    if (msg == WM_CHAR) return edtMailKeyPress(static_cast<char>(wp));
    return false;
  });
  Layout(kClientWidth, kClientHeight);
}

void TfrmResult::CreateMenus() {
  menuBar = CreateMenu();
  HMENU sort = CreatePopupMenu();
  const char* sortTexts[] = {"古い順(&E)", "新しい順(&L)", "スコア順(&C)", "題名順(&S)",
                             "差出人順(&F)", "宛先順(&T)", "ファイル名順(&U)"};
  for (int i = 0; i < 7; ++i) AddItem(sort, kMnuSortEarlier + i, sortTexts[i], true);
  AppendMenuA(sort, MF_SEPARATOR, 0, nullptr);
  AddItem(sort, kMnuSortAscend, "昇順(&A)", true);
  AddItem(sort, kMnuSortDescend, "降順(&D)", true);
  AddSubmenu(menuBar, sort, "ソート(&R)");

  HMENU contents = CreatePopupMenu();
  AddItem(contents, kMnuContentsOn, "表示する(&S)", true);
  AddItem(contents, kMnuContentsOff, "表示しない(&N)", true);
  AddSubmenu(menuBar, contents, "要約(&C)");

  HMENU count = CreatePopupMenu();
  AddItem(count, kMnuListCountTwenty, "20件", true);
  AddItem(count, kMnuListCountFifty, "50件", true);
  AddItem(count, kMnuListCountHundred, "100件", true);
  AddItem(count, kMnuListCountAll, "すべて(&A)", true);
  AddSubmenu(menuBar, count, "件数(&N)");

  HMENU edit = CreatePopupMenu();
  AddItem(edit, kMnuEditCopy, "コピー(&C)\tCtrl+C");
  AddItem(edit, kMnuEditCopyQuote, "引用付きコピー(&Q)...\tCtrl+Shift+C");
  AddSubmenu(menuBar, edit, "編集(&E)");

  HMENU convert = CreatePopupMenu();
  AddItem(convert, kMnuConvertJISToSJIS, "JIS -> &Shift-JIS", true);
  AddItem(convert, kMnuConvertNone, "無変換(&N)", true);
  AddSubmenu(menuBar, convert, "コード変換(&V)");

  HMENU setting = CreatePopupMenu();
  HMENU font = CreatePopupMenu();
  AddItem(font, kMnuSettingFontResult, "検索結果(&R)...");
  AddItem(font, kMnuSettingFontMail, "メール内容(&M)...");
  AddSubmenu(setting, font, "フォント(&F)");
  AddItem(setting, kMnuSettingColor, "色をつけない(&C)");
  AddItem(setting, kMnuSettingHighlight, "検索語を強調表示(&H)");
  AppendMenuA(setting, MF_SEPARATOR, 0, nullptr);
  AddItem(setting, kMnuSettingSavePosition, "位置を保存(&P)");
  AddItem(setting, kMnuSettingSaveSize, "サイズを保存(&Z)");
  AddSubmenu(menuBar, setting, "設定(&S)");

  HMENU help = CreatePopupMenu();
  AddItem(help, kMnuHelpNamazu, "Namazu のヘルプ(&N)...");
  AppendMenuA(help, MF_SEPARATOR, 0, nullptr);
  AddItem(help, kMnuHelpAbout, "バージョン情報(&A)...");
  AddSubmenu(menuBar, help, "ヘルプ(&H)", true);
  SetMenu(Form::Handle(), menuBar);

  popEdit = CreatePopupMenu();
  AddItem(popEdit, kPmnuCopy, "コピー(&C)\tCtrl+C");
  AddItem(popEdit, kPmnuCopyQuote, "引用付きコピー(&Q)...\tCtrl+Shift+C");
}

void TfrmResult::ApplySettings() {
  TResultMenus menus = InitialMenus(settings);
  sortMenu = menus.SortMenu;
  contentsOff = menus.ContentsOff;
  listCount = menus.ListCount;
  noColour = menus.NoColour;
  highlightWords = menus.HighlightWords;
  savePosition = menus.SavePosition;
  saveSize = menus.SaveSize;
  convertJis = true;
  UpdateMenus();
  SetKeywordHistory(HistoryItems(settings));
  EnableWindow(btnViewCommandLine, FALSE);
  ShowWindow(btnViewCommandLine, settings.ConfirmCommandLine == "1" ? SW_SHOW : SW_HIDE);
  CommandLine.clear();
  RECT client;
  GetClientRect(Form::Handle(), &client);
  Layout(client.right, client.bottom);
}

void TfrmResult::UpdateMenus() {
  for (int i = 0; i < 7; ++i) Check(menuBar, kMnuSortEarlier + i, kSortItems[i] == sortMenu.Sort);
  for (int id = kMnuSortSubject; id <= kMnuSortFileName; ++id) Enable(menuBar, id, sortMenu.FieldsEnabled);
  Check(menuBar, kMnuSortAscend, sortMenu.Ascend);
  Check(menuBar, kMnuSortDescend, sortMenu.Descend);
  Enable(menuBar, kMnuSortAscend, sortMenu.DirectionEnabled);
  Enable(menuBar, kMnuSortDescend, sortMenu.DirectionEnabled);
  Check(menuBar, kMnuContentsOn, !contentsOff);
  Check(menuBar, kMnuContentsOff, contentsOff);
  for (int i = 0; i < 4; ++i) Check(menuBar, kMnuListCountTwenty + i, kCountItems[i] == listCount);
  Check(menuBar, kMnuConvertJISToSJIS, convertJis);
  Check(menuBar, kMnuConvertNone, !convertJis);
  Check(menuBar, kMnuSettingColor, noColour);
  Check(menuBar, kMnuSettingHighlight, highlightWords);
  Check(menuBar, kMnuSettingSavePosition, savePosition);
  Check(menuBar, kMnuSettingSaveSize, saveSize);
}

void TfrmResult::PlaceOver(HWND host) {
  RECT r = WindowRect();
  int width = r.right - r.left, height = r.bottom - r.top;
  if (settings.SaveWindowSize == "1") {
    width = ToIntDef(settings.WindowWidth, width);
    height = ToIntDef(settings.WindowHeight, height);
    SetWindowPos(Form::Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    r = WindowRect();  // the minimum size holds
  }
  RECT h;
  GetWindowRect(host, &h);
  Point p = CenterOver(Rect{r.left, r.top, r.right, r.bottom}, Rect{h.left, h.top, h.right, h.bottom},
                       GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), true);
  if (settings.SaveWindowPos == "1") {
    p.x = ToIntDef(settings.WindowLeft, p.x);
    p.y = ToIntDef(settings.WindowTop, p.y);
  }
  MoveTo(p.x, p.y);
}

void TfrmResult::Layout(int w, int h) {
  if (!pge) return;
  Place(lblKeyword, 8, 12, 72, 16);
  Place(cboKeyword, 82, 8, w - 82 - 8 - 80, 200);
  Place(btnSearch, w - 8 - 75, 7, 75, 24);
  int rowTop = h - 8 - 25;
  Place(btnViewCommandLine, 8, rowTop, 120, 25);
  bool commandLineShown = GetWindowLongPtrA(btnViewCommandLine, GWL_STYLE) & WS_VISIBLE;
  Place(btnSetCriteria, commandLineShown ? 134 : 8, rowTop, 110, 25);
  Place(btnClose, w - 8 - 80, rowTop, 80, 25);

  RECT tab = {8, 38, w - 8, rowTop - 6};
  Place(pge, tab.left, tab.top, tab.right - tab.left, tab.bottom - tab.top);
  RECT page = {0, 0, tab.right - tab.left, tab.bottom - tab.top};
  TabCtrl_AdjustRect(pge, FALSE, &page);
  OffsetRect(&page, tab.left, tab.top);
  int pw = page.right - page.left, buttonsTop = page.bottom - 24;

  Place(edtResult.Handle(), page.left, page.top, pw, buttonsTop - 4 - page.top);
  Place(btnMailView1, page.left, buttonsTop, 84, 24);
  Place(lblResultKeys, page.left + 92, buttonsTop + 5, pw - 92, 16);

  Place(pnlSubject, page.left, page.top, pw, 20);
  Place(edtMail.Handle(), page.left, page.top + 22, pw, buttonsTop - 4 - page.top - 22);
  Place(btnPrevious, page.left, buttonsTop, 48, 24);
  Place(btnNext, page.left + 50, buttonsTop, 48, 24);
  Place(btnMailView, page.left + 100, buttonsTop, 84, 24);
  Place(lblMailKeys, page.left + 192, buttonsTop + 5, pw - 192, 16);
}

void TfrmResult::OnResize(int width, int height) { Layout(width, height); }

// ---- pages ----

int TfrmResult::ActivePage() const { return TabCtrl_GetCurSel(pge); }

void TfrmResult::ActivatePage(int page) {
  TabCtrl_SetCurSel(pge, page);
  ShowPage(page);
}

void TfrmResult::ShowPage(int page) {
  int onResult = page == 0 ? SW_SHOW : SW_HIDE, onMail = page == 1 ? SW_SHOW : SW_HIDE;
  for (HWND c : {edtResult.Handle(), btnMailView1, lblResultKeys}) ShowWindow(c, onResult);
  for (HWND c : {pnlSubject, edtMail.Handle(), btnPrevious, btnNext, btnMailView, lblMailKeys}) ShowWindow(c, onMail);
}

LRESULT TfrmResult::OnNotify(NMHDR* header) {
  if (header->hwndFrom == pge && header->code == TCN_SELCHANGE) ShowPage(ActivePage());
  return 0;
}

// ---- SearchWindow ----

std::vector<std::string> TfrmResult::KeywordHistory() const {
  std::vector<std::string> items;
  int n = static_cast<int>(SendMessageA(cboKeyword, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    std::string text(static_cast<size_t>(SendMessageA(cboKeyword, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
    SendMessageA(cboKeyword, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    items.push_back(text.c_str());
  }
  return items;
}

void TfrmResult::SetKeywordHistory(const std::vector<std::string>& items) {
  std::string text = WindowText(cboKeyword);
  SendMessageA(cboKeyword, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) SendMessageA(cboKeyword, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SetWindowTextA(cboKeyword, text.c_str());
}

void TfrmResult::SetKeywordText(const std::string& text) { SetWindowTextA(cboKeyword, text.c_str()); }

void TfrmResult::SetSearchEnabled(bool enabled) { EnableWindow(btnSearch, enabled ? TRUE : FALSE); }

void TfrmResult::ShowResultPage() {
  ActivatePage(0);
  SetFocus(edtResult.Handle());
}

void TfrmResult::SetCommandLine(const std::string& commandLine, const std::string& workDir) {
  CommandLine = commandLine;
  WorkDir = workDir;
  EnableWindow(btnViewCommandLine, TRUE);
}

TResultMenuState TfrmResult::MenuState() const { return MenuStateOf(sortMenu, contentsOff, listCount); }

void TfrmResult::ProcessMessages() { tvp::ProcessMessages(); }

// ---- showing, activation, closing ----

void TfrmResult::CMShowingChanged() {
  if (saveSize) {
    int width = ToIntDef(settings.WindowWidth, -1), height = ToIntDef(settings.WindowHeight, -1);
    if (width > 0 && height > 0)
      SetWindowPos(Form::Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Windows that open without becoming active still search once.
  PostMessageA(Form::Handle(), kActivated, 0, 0);
}

bool TfrmResult::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& answer) {
  switch (msg) {
    case WM_ACTIVATE:
      // The search starts after the activation, not inside it.
      if (LOWORD(wp) != WA_INACTIVE) PostMessageA(Form::Handle(), kActivated, 0, 0);
      return false;
    case kActivated:
      FormActivate();
      return true;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lp);
      info->ptMinTrackSize = {kMinWidth, kMinHeight};
      answer = 0;
      return true;
    }
    case WM_INITMENUPOPUP:
      UpdateEditItems();
      return false;
    case WM_CONTEXTMENU: {
      HWND view = reinterpret_cast<HWND>(wp);
      if (view != edtResult.Handle() && view != edtMail.Handle()) return false;
      SetFocus(view);
      UpdateEditItems();
      POINT at = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      if (lp == -1) {
        TextView& v = view == edtMail.Handle() ? edtMail : edtResult.Edit();
        at = v.PointAt(v.Caret());
        ClientToScreen(view, &at);
      }
      TrackPopupMenu(popEdit, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Form::Handle(), nullptr);
      return true;
    }
    default:
      return false;
  }
}

void TfrmResult::FormActivate() {
  if (inCriteriaDialog_ || request.Keyword.empty() || !IsWindowEnabled(btnSearch)) return;
  SetKeywordText(request.Keyword);
  btnSearchClick();
}

bool TfrmResult::FormCloseQuery() {
  result = TRenderedResult();
  KillTimer(Form::Handle(), kTmr);
  timerOn_ = false;
  RECT r = WindowRect();
  settings.SaveWindowPos = savePosition ? "1" : "0";
  if (savePosition) {
    settings.WindowLeft = std::to_string(r.left);
    settings.WindowTop = std::to_string(r.top);
  }
  settings.SaveWindowSize = saveSize ? "1" : "0";
  if (saveSize) {
    settings.WindowWidth = std::to_string(r.right - r.left);
    settings.WindowHeight = std::to_string(r.bottom - r.top);
  }
  settings.History = HistoryToStore(KeywordHistory(), settings.FormulaHistoryCount);
  // Closing is never refused; a settings file that cannot be written is reported.
  Guarded(Form::Handle(), [&] { SaveSettings(Tag(), settings); });
  return true;
}

// ---- buttons ----

void TfrmResult::OnCommand(int id, int code, HWND control) {
  if (id == kCboKeyword && code == CBN_SETFOCUS) {
    cboKeywordEnter();
    return;
  }
  if (control && code != BN_CLICKED) return;
  switch (id) {
    case IDOK: OnEnter(); break;
    case IDCANCEL: btnCloseClick(); break;
    case kBtnSearch: btnSearchClick(); break;
    case kBtnSetCriteria: btnSetCriteriaClick(); break;
    case kBtnViewCommandLine: btnViewCommandLineClick(); break;
    case kBtnMailView1: btnMailView1Click(); break;
    case kBtnMailView: btnMailViewClick(); break;
    case kBtnPrevious: btnPreviousClick(); break;
    case kBtnNext: btnNextClick(); break;
    case kMnuSortAscend: mnuSortDirectionClick(true); break;
    case kMnuSortDescend: mnuSortDirectionClick(false); break;
    case kMnuContentsOn: mnuContentsClick(false); break;
    case kMnuContentsOff: mnuContentsClick(true); break;
    case kMnuEditCopy: case kPmnuCopy: EditCopyExecute(); break;
    case kMnuEditCopyQuote: case kPmnuCopyQuote: EditCopyQuoteExecute(); break;
    case kMnuConvertJISToSJIS: mnuConvertClick(true); break;
    case kMnuConvertNone: mnuConvertClick(false); break;
    case kMnuSettingFontResult: mnuSettingFontClick(false); break;
    case kMnuSettingFontMail: mnuSettingFontClick(true); break;
    case kMnuSettingColor: mnuSettingColorClick(); break;
    case kMnuSettingHighlight: mnuSettingHighlightClick(); break;
    case kMnuSettingSavePosition: mnuSettingSavePositionClick(); break;
    case kMnuSettingSaveSize: mnuSettingSaveSizeClick(); break;
    case kMnuHelpNamazu: mnuHelpNamazuClick(); break;
    case kMnuHelpAbout: mnuHelpAboutClick(); break;
    default:
      if (id >= kMnuSortEarlier && id <= kMnuSortFileName) mnuSortClick(kSortItems[id - kMnuSortEarlier]);
      else if (id >= kMnuListCountTwenty && id <= kMnuListCountAll) mnuListCountClick(kCountItems[id - kMnuListCountTwenty]);
      break;
  }
}

// Enter goes to the control that has the focus: the views, the expression
// box (btnSearch is its default button) or a focused button.
void TfrmResult::OnEnter() {
  HWND focus = GetFocus();
  if (focus == edtResult.Handle()) edtResultKeyDown(VK_RETURN);
  else if (focus == edtMail.Handle()) edtMailKeyDown(VK_RETURN);
  else if (focus == cboKeyword || IsChild(cboKeyword, focus)) btnSearchClick();
  else if (focus && GetParent(focus) == Form::Handle()) SendMessageA(focus, BM_CLICK, 0, 0);
}

void TfrmResult::cboKeywordEnter() {
  if (settings.SwitchIME != "1") return;
  HWND edit = GetWindow(cboKeyword, GW_CHILD);
  if (HIMC context = ImmGetContext(edit)) {
    ImmSetOpenStatus(context, TRUE);
    ImmReleaseContext(edit, context);
  }
}

void TfrmResult::btnSearchClick() {
  if (!IsWindowEnabled(btnSearch)) return;
  settings.SearchFolders = SearchFolderEntries(request, folders);
  settings.SearchTargetFolderCount = std::to_string(settings.SearchFolders.size());
  SearchAndReport(*this, Trim(WindowText(cboKeyword)));
}

void TfrmResult::btnSetCriteriaClick() {
  settings.History = HistoryToStore(KeywordHistory(), settings.FormulaHistoryCount);
  Guarded(Form::Handle(), [&] { SaveSettings(Tag(), settings); });
  request.Keyword = WindowText(cboKeyword);
  inCriteriaDialog_ = true;
  int answer = 0;
  Guarded(Form::Handle(), [&] { answer = ShowSearchDialog(Tag(), Form::Handle(), request); });
  inCriteriaDialog_ = false;
  // What the dialog stored (history, folders) is taken over, so that closing
  // this window does not write an older copy over it.
  Guarded(Form::Handle(), [&] {
    LoadSettings(Tag(), settings);
    SetKeywordHistory(HistoryItems(settings));
  });
  if (answer == 1) FormActivate();
  else request.Keyword.clear();  // a cancelled dialog leaves nothing to search
}

void TfrmResult::btnViewCommandLineClick() {
  result = TRenderedResult();
  hoverLink_ = false;
  ActivatePage(0);
  edtResult.SetText(CommandLineViewText(WorkDir, CommandLine));
  Ui().SetClipboardText(Form::Handle(), CommandLine);
}

// ---- menus ----

void TfrmResult::SearchAfterMenuChange() {
  UpdateMenus();
  if (settings.SearchOnChangeSettings == "1" && IsWindowEnabled(btnSearch))
    SearchAndReport(*this, WindowText(cboKeyword));
}

void TfrmResult::mnuSortClick(TSortItem item) {
  sortMenu = ChooseSortItem(sortMenu, item, IsNamazu13(settings.NamazuVersion));
  settings.Sort = SortValue(item);
  SearchAfterMenuChange();
}

void TfrmResult::mnuSortDirectionClick(bool ascend) {
  sortMenu = ChooseDirection(sortMenu, ascend);
  settings.SortDirection = ascend ? "Ascend" : "Descend";
  SearchAfterMenuChange();
}

void TfrmResult::mnuContentsClick(bool off) {
  contentsOff = off;
  settings.ShowContents = off ? "0" : "1";
  SearchAfterMenuChange();
}

void TfrmResult::mnuListCountClick(TListCountItem item) {
  listCount = item;
  settings.ListCount = ListCountValue(item);
  SearchAfterMenuChange();
}

void TfrmResult::mnuSettingColorClick() {
  noColour = !noColour;
  settings.Color = noColour ? "0" : "1";
  UpdateMenus();
}

void TfrmResult::mnuSettingHighlightClick() {
  highlightWords = !highlightWords;
  settings.HighlightWords = highlightWords ? "1" : "0";
  UpdateMenus();
}

void TfrmResult::mnuSettingSavePositionClick() {
  savePosition = !savePosition;
  UpdateMenus();
}

void TfrmResult::mnuSettingSaveSizeClick() {
  saveSize = !saveSize;
  UpdateMenus();
}

void TfrmResult::mnuSettingFontClick(bool mailView) {
  std::string& name = mailView ? settings.FontNameMail : settings.FontNameResult;
  std::string& size = mailView ? settings.FontSizeMail : settings.FontSizeResult;
  std::string& bold = mailView ? settings.FontBoldMail : settings.FontBoldResult;
  int points = ToIntDef(size, INT_MIN);
  if (points == INT_MIN) {
    ShowError(Form::Handle(), "'" + size + "' は有効な整数値ではありません。");
    return;
  }
  std::string chosenName = name;
  bool chosenBold = bold == "1";
  if (!Ui().PickFont(Form::Handle(), chosenName, points, chosenBold)) return;
  name = chosenName;
  size = std::to_string(points);
  bold = chosenBold ? "1" : "0";
  Ui().MessageBox(Form::Handle(), "フォントの設定は次回ウィンドウを開いたときから有効です。", "Tarvik for Namazu",
                  MB_OK | MB_ICONINFORMATION);
}

void TfrmResult::mnuHelpNamazuClick() {
  Ui().OpenWithShell(NamazuManualPath(settings.namazuPath, IsNamazu13(settings.NamazuVersion)));
}

void TfrmResult::mnuHelpAboutClick() { ShowAboutBox(Form::Handle()); }

void TfrmResult::mnuConvertClick(bool jisToSjis) {
  convertJis = jisToSjis;
  UpdateMenus();
  if (ActivePage() == 1) ShowMail(CurrentHit);
}

bool TfrmResult::SelectionInResult() const {
  return !const_cast<ResultView&>(edtResult).Edit().SelectedText().empty();
}

void TfrmResult::UpdateEditItems() {
  HWND focus = GetFocus();
  bool inResult = focus == edtResult.Handle(), inMail = focus == edtMail.Handle();
  bool selected = SelectionInResult();
  Enable(menuBar, kMnuEditCopy, inResult ? selected : true);
  Enable(menuBar, kMnuEditCopyQuote, inResult ? selected : inMail);
  Enable(popEdit, kPmnuCopy, inResult ? selected : inMail);
  Enable(popEdit, kPmnuCopyQuote, inResult ? selected : inMail);
}

// ---- copying ----

void TfrmResult::EditCopyExecute() {
  HWND focus = GetFocus();
  if (focus == edtResult.Handle()) {
    std::string selected = edtResult.Edit().SelectedText();
    if (!selected.empty()) Ui().SetClipboardText(Form::Handle(), selected);
  } else if (focus == edtMail.Handle()) {
    std::string selected = edtMail.SelectedText();
    if (!selected.empty()) {
      Ui().SetClipboardText(Form::Handle(), selected);
      return;
    }
    int answer = Ui().MessageBox(Form::Handle(), "ヘッダの内容をコピーしますか?", "確認", MB_YESNO | MB_ICONQUESTION);
    std::vector<std::string_view> lines = SplitLineViews(edtMail.Text());
    std::string text = answer == IDYES ? WholeMailText(lines) : BodyOnlyText(lines);
    if (!text.empty()) Ui().SetClipboardText(Form::Handle(), text);
  } else if (focus == cboKeyword || IsChild(cboKeyword, focus)) {
    DWORD from = 0, to = 0;
    SendMessageA(cboKeyword, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    std::string text = WindowText(cboKeyword);
    if (to > from && to <= text.size()) Ui().SetClipboardText(Form::Handle(), text.substr(from, to - from));
  }
}

void TfrmResult::EditCopyQuoteExecute() {
  HWND focus = GetFocus();
  bool fromMail = focus == edtMail.Handle();
  if (!fromMail && !(focus == edtResult.Handle() && SelectionInResult())) return;
  TextView& view = fromMail ? edtMail : edtResult.Edit();
  OpenQuoteCopy(Tag(), Form::Handle(), SplitLines(view.Text()), fromMail, view.SelectedText());
}

// ---- the reading side ----

void TfrmResult::ShowHitAt(int pos) {
  if (result.Hits.empty()) return;
  int i = HitAt(result.Hits, pos);
  if (i < 0) return;
  CurrentHit = i;
  ShowMail(i);
}

void TfrmResult::ShowMail(int i) {
  if (i < 0 || i >= static_cast<int>(result.Hits.size())) return;
  const TClickableInfo hit = result.Hits[i];
  CurrentMailPath = UrlToPath(hit.Path);
  if (!MailIsThere(i, CurrentMailPath)) {
    CurrentHit = i;  // the view stays as it is; N and P go on from this hit
    return;
  }
  bool failed = false;
  std::string failure;
  try {
    ActivatePage(1);
    SetFocus(edtMail.Handle());
    SendMessageA(edtMail.Handle(), WM_SETREDRAW, FALSE, 0);
    edtMail.SetText(std::string());
    Highlights.clear();
    std::string text;
    if (!DiskFileSystem().ReadFile(CurrentMailPath, text))
      throw std::runtime_error("ファイル " + CurrentMailPath + " を開けません。");
    if (convertJis) text = DecodeMailForView(host::JisToSjis(text), MailTextToSjis);
    std::vector<TextStyle> styles;
    if (highlightWords) {
      Highlights = FindWords(text, result.Words);
      styles.reserve(Highlights.size());
      for (const TextRange& range : Highlights) styles.push_back(HighlightStyle(range, !noColour));
    }
    edtMail.SetText(std::move(text), std::move(styles));
    int k = BodyStartLine(SplitLineViews(edtMail.Text()));
    if (k >= 0) {
      for (int n = 0; n < k; ++n) SendMessageA(edtMail.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
      edtMail.SetCaret(k < edtMail.LineCount() ? edtMail.LineStart(k) : static_cast<int>(edtMail.Text().size()));
    }
  } catch (const std::exception& e) {
    failed = true;
    failure = e.what();
  }
  SetWindowTextA(pnlSubject, hit.TitleText.c_str());
  RedrawWindow(pnlSubject, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  CurrentHit = i;
  SendMessageA(edtMail.Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(edtMail.Handle(), nullptr, TRUE);
  if (failed) ShowError(Form::Handle(), failure);
}

bool TfrmResult::CheckMail(int i, const std::string& path) {
  bool there = !path.empty() && DiskFileSystem().FileExists(path);
  if (i >= 0 && i < static_cast<int>(result.Hits.size())) {
    if (there) result.Hits[i].Mail = TMailState::There;
    else edtResult.MarkVanished(result, i);
  }
  return there;
}

bool TfrmResult::MailIsThere(int i, const std::string& path) {
  if (CheckMail(i, path)) return true;
  ShowError(Form::Handle(), VanishedMailMessage(path));
  return false;
}

void TfrmResult::edtResultScroll() {
  auto [from, to] = edtResult.Edit().VisibleRange();
  for (int i : UncheckedHitsIn(result.Hits, from, to)) CheckMail(i, UrlToPath(result.Hits[i].Path));
}

void TfrmResult::FindNextWord(bool forward) {
  int caret = edtMail.Caret();
  int target = forward ? NextRangeStart(Highlights, caret) : PreviousRangeStart(Highlights, caret);
  if (target < 0) {
    Ui().Beep();
    return;
  }
  edtMail.SetCaret(target);
  edtMail.ScrollCaretIntoView();
}

void TfrmResult::OpenMailInHost() {
  if (CurrentMailPath.empty() || !MailIsThere(CurrentHit, CurrentMailPath)) return;
  host::FolderOpenMail(Tag(), MailNameForHost(CurrentMailPath, host::GetMailbox()));
  if (settings.CloseOnMailView == "1") {
    Close();
  } else if (!timerOn_) {
    SetTimer(Form::Handle(), kTmr, kTmrInterval, nullptr);
    timerOn_ = true;
  }
}

void TfrmResult::OpenMailOfHit(int i) {
  CurrentHit = i;
  if (i == -1) return;
  CurrentMailPath = UrlToPath(result.Hits[i].Path);
  OpenMailInHost();
}

void TfrmResult::btnMailView1Click() { OpenMailOfHit(HitAt(result.Hits, edtResult.Caret())); }

void TfrmResult::btnMailViewClick() { OpenMailInHost(); }

void TfrmResult::OnTimer(UINT_PTR id) {
  if (id == kTmr) tmrTimer();
}

void TfrmResult::tmrTimer() {
  if (GetForegroundWindow() == Tag() || GetActiveWindow() == Tag()) SetForegroundWindow(Form::Handle());
}

void TfrmResult::PageDown(TextView& view) {
  RECT client;
  GetClientRect(view.Handle(), &client);
  int bottom = view.CharAt({client.right, client.bottom});
  if (bottom >= static_cast<int>(view.Text().size()) - 1) {
    Ui().Beep();
    return;
  }
  SendMessageA(view.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  view.SetCaret(view.LineStart(view.FirstVisibleLine()));
}

void TfrmResult::PageUp(TextView& view) {
  if (view.Caret() == 0) {
    Ui().Beep();
    return;
  }
  SendMessageA(view.Handle(), WM_VSCROLL, SB_PAGEUP, 0);
  view.SetCaret(view.LineStart(view.FirstVisibleLine()));
}

bool TfrmResult::ViewKeyDown(TextView& view, WPARAM key) {
  switch (key) {
    case VK_BACK:
      PageUp(view);
      return true;
    case VK_ESCAPE:
      btnCloseClick();
      return true;
    case 'C':
      if (GetKeyState(VK_CONTROL) >= 0) return false;
      if (Ui().ShiftHeld()) EditCopyQuoteExecute();
      else EditCopyExecute();
      return true;
    default:
      return false;
  }
}

bool TfrmResult::edtResultKeyDown(WPARAM key) {
  if (key != VK_RETURN) return ViewKeyDown(edtResult.Edit(), key);
  if (Ui().ShiftHeld()) btnMailView1Click();
  else ShowHitAt(edtResult.Caret());
  return true;
}

bool TfrmResult::edtResultKeyPress(char key) {
  int caret = edtResult.Caret();
  switch (key) {
    case 'n': case 'N': case 'p': case 'P': {
      bool next = key == 'n' || key == 'N';
      int target = next ? NextHitTarget(result.Hits, caret) : PreviousHitTarget(result.Hits, caret);
      if (target >= 0) {
        edtResult.SetCaret(target);
        edtResult.ScrollCaretIntoView();
      }
      return true;
    }
    case ' ':
      if (Ui().ShiftHeld()) PageUp(edtResult.Edit());
      else PageDown(edtResult.Edit());
      return true;
    case '\b': case '\r': case '\n': case 0x1B:
      return true;  // handled as pressed keys
    default:
      return false;
  }
}

bool TfrmResult::edtMailKeyDown(WPARAM key) {
  if (key == VK_F3) {
    FindNextWord(!Ui().ShiftHeld());
    return true;
  }
  if (key != VK_RETURN) return ViewKeyDown(edtMail, key);
  if (Ui().ShiftHeld()) {
    OpenMailInHost();
  } else {
    ActivatePage(0);
    SetFocus(edtResult.Handle());
  }
  return true;
}

bool TfrmResult::edtMailKeyPress(char key) {
  switch (key) {
    case 'n': case 'N': ShowMail(CurrentHit + 1); return true;
    case 'p': case 'P': ShowMail(CurrentHit - 1); return true;
    case ' ':
      if (Ui().ShiftHeld()) PageUp(edtMail);
      else PageDown(edtMail);
      return true;
    case '\b': case '\r': case '\n': case 0x1B:
      return true;
    default:
      return false;
  }
}

void TfrmResult::edtResultMouseMove(POINT client) {
  if (result.LinkMap.size() < 2) {
    hoverLink_ = false;
    return;
  }
  HoverPos = edtResult.CharAt(client);
  hoverLink_ = HoverPos >= 0 && HoverPos < static_cast<int>(result.LinkMap.size()) && result.LinkMap[HoverPos] != kLinkNone;
  SetCursor(LoadCursor(nullptr, hoverLink_ ? IDC_HAND : IDC_IBEAM));
}

bool TfrmResult::edtResultMouseDown() {
  if (!hoverLink_ || SelectionInResult()) return false;
  SetFocus(edtResult.Handle());
  ShowHitAt(HoverPos);
  return true;
}

}  // namespace tvp
