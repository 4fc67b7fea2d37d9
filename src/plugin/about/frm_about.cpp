#include "plugin/about/frm_about.h"

#include "core/common/sjis.h"
#include "plugin/about/about_res.h"
#include "plugin/ui/ui_seam.h"

namespace tvp {

namespace {

enum ControlId { kBtnHomepage = 100, kMnuWebPage1 = 201 };

constexpr int kLinkCount = 4;
const char* const kLinkCaptions[kLinkCount] = {
    "Tarvik for Namazu AL-Mail Plug-in のページへ", "Namazu のページへ", "Namazu for Win32 のページへ",
    "Namazu for OS/2 のページへ"};

int TrackPopup(HMENU menu, int x, int y, HWND owner) {
  return static_cast<int>(
      TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr));
}

std::string PluginDir() {
  char path[MAX_PATH] = {0};
  DWORD n = GetModuleFileNameA(PluginModule(), path, MAX_PATH);
  std::string p(path, n);
  size_t slash = FindLast(p, "\\");
  return slash == std::string::npos ? std::string() : p.substr(0, slash + 1);
}

}  // namespace

int (*TfrmAbout::TrackLinkMenu)(HMENU, int, int, HWND) = TrackPopup;

std::string LinkTarget(int tag) {
  switch (tag) {
    case 1: return PluginDir() + "tarvikp.txt";
    case 2: return "http://www.namazu.org/";
    case 3: return "http://www.namazu.org/windows/";
    case 4: return "http://www.namazu.org/os2/";
  }
  return std::string();
}

void ShowAboutBox(HWND window) {
  TfrmAbout box(window);
  CenterForm(box, window, false);
  box.ShowModal();
}

TfrmAbout::TfrmAbout(HWND owner) {
  CreateForm(owner, owner, "バージョン情報", 345, 148, WS_POPUP | WS_CAPTION | WS_SYSMENU);
  logo_ = static_cast<HBITMAP>(LoadImageA(PluginModule(), MAKEINTRESOURCEA(IDB_TVP_LOGO), IMAGE_BITMAP, 0, 0, 0));
  Image1 = AddControl("STATIC", "", SS_BITMAP | SS_CENTERIMAGE, 8, 0, 240, 80, -1);
  SendMessageA(Image1, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_));
  RECT client;
  GetClientRect(Handle(), &client);
  // The title is centred on the whole form.
  Label1 = AddControl("STATIC", "Tarvik for Namazu AL-Mail Plug-in Version 0.9.2", SS_CENTER | SS_NOPREFIX, 0, 88,
                      client.right, 16, -1);
  titleFont_ = CreateFontA(-12, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  SendMessageA(Label1, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_), FALSE);
  Label2 = AddControl("STATIC", "このプラグインはフリーソフトウェアです。", SS_LEFT, 32, 128, 300, 16, -1);
  btnOK = AddControl("BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 256, 8, 81, 25, IDOK);
  btnHomepage = AddControl("BUTTON", "リンク(&L)...", BS_PUSHBUTTON | WS_TABSTOP, 256, 40, 81, 25, kBtnHomepage);
  mnuLink = CreatePopupMenu();
  for (int i = 0; i < kLinkCount; ++i) AppendMenuA(mnuLink, MF_STRING, kMnuWebPage1 + i, kLinkCaptions[i]);
  SetFocus(btnOK);
}

TfrmAbout::~TfrmAbout() {
  if (mnuLink) DestroyMenu(mnuLink);
  if (logo_) DeleteObject(logo_);
  if (titleFont_) DeleteObject(titleFont_);
}

void TfrmAbout::OnCommand(int id, int code, HWND) {
  if (id == IDOK || id == IDCANCEL) {
    SetModalResult(mrOk);  // OK is the default and the cancel button
  } else if (id == kBtnHomepage && code == BN_CLICKED) {
    btnHomepageClick();
  } else if (id >= kMnuWebPage1 && id < kMnuWebPage1 + kLinkCount) {
    mnuWebPageClick(id - kMnuWebPage1 + 1);
  }
}

void TfrmAbout::btnHomepageClick() {
  RECT r;
  GetWindowRect(btnHomepage, &r);  // the button's bottom-left corner on the screen
  int chosen = TrackLinkMenu(mnuLink, r.left, r.bottom, Handle());
  if (chosen >= kMnuWebPage1 && chosen < kMnuWebPage1 + kLinkCount) mnuWebPageClick(chosen - kMnuWebPage1 + 1);
}

void TfrmAbout::mnuWebPageClick(int tag) { Ui().OpenWithShell(LinkTarget(tag)); }

void TfrmAbout::CMShowingChanged() { SetFocus(btnOK); }

}  // namespace tvp
