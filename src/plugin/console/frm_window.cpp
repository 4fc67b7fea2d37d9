#include "plugin/console/frm_window.h"

#include <windowsx.h>

#include "plugin/ui/ui_seam.h"

namespace tvp {

namespace {
enum { kEdt = 100, kMnuCopy = 101 };
const UINT WM_TVP_RELEASE = WM_APP + 1;
}  // namespace

TfrmWindow::TfrmWindow(HWND owner) {
  CreateForm(owner, owner, "DOS画面", 532, 206, WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX);
  SetWindowPos(Handle(), nullptr, 0, 0, 540, 240, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  GetClientRect(Handle(), &client);
  static HFONT viewFont = CreateUiFont("ＭＳ ゴシック", 12);
  edt.Create(Handle(), kEdt, client, viewFont);
  pmnu_ = CreatePopupMenu();
  AppendMenuA(pmnu_, MF_STRING, kMnuCopy, "コピー(&C)\tCtrl+C");
}

TfrmWindow::~TfrmWindow() {
  if (pmnu_) DestroyMenu(pmnu_);
  if (releaseNotify_ && *releaseNotify_ == this) *releaseNotify_ = nullptr;
}

bool TfrmWindow::FormCloseQuery() { return edt.finished == 1; }

void TfrmWindow::FormClose() {
  ShowWindow(Handle(), SW_HIDE);
  if (edt.finished == 1) PostMessageA(Handle(), WM_TVP_RELEASE, 0, 0);
}

void TfrmWindow::OnCommand(int id, int, HWND) {
  if (id == kMnuCopy) mnuCopyClick();
}

void TfrmWindow::OnResize(int width, int height) { MoveWindow(edt.Handle(), 0, 0, width, height, TRUE); }

bool TfrmWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == WM_CONTEXTMENU && reinterpret_cast<HWND>(wp) == edt.Handle()) {
    pmnuPopup(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    return true;
  }
  if (msg == WM_TVP_RELEASE) {
    delete this;  // nothing touches the form after this
    result = 0;
    return true;
  }
  return false;
}

void TfrmWindow::pmnuPopup(int x, int y) {
  if (x == -1 && y == -1) {
    RECT client;
    GetClientRect(edt.Handle(), &client);
    TextView& view = edt.View();
    POINT p = view.PointAt(view.Caret());
    if (!PtInRect(&client, p)) p = {0, 0};
    ClientToScreen(edt.Handle(), &p);
    x = p.x;
    y = p.y;
  }
  EnableMenuItem(pmnu_, kMnuCopy, MF_BYCOMMAND | MF_ENABLED);
  TrackPopupMenu(pmnu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, Handle(), nullptr);
}

// Without a selection the clipboard keeps what it holds.
void TfrmWindow::mnuCopyClick() {
  std::string selected = edt.SelectedText();
  if (!selected.empty()) Ui().SetClipboardText(Handle(), selected);
}

}  // namespace tvp
