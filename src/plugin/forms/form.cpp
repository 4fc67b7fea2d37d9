#include "plugin/forms/form.h"

#include <commctrl.h>

#include "core/common/placement.h"
#include "plugin/ui/controls.h"
#include "plugin/ui/guard.h"

namespace tvp {

namespace {

const char kFormClass[] = "TvpForm";
Form* g_activeModal = nullptr;

HINSTANCE ModuleInstance() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&ModuleInstance), &module);
  return module;
}

void RegisterFormClass() {
  static bool registered = false;
  if (registered) return;
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSA wc = {};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = ModuleInstance();
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  RegisterClassA(&wc);
  registered = true;
}

}  // namespace

void ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

int PointsToPixels(int points) {
  HDC dc = GetDC(nullptr);
  int pixels = MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(nullptr, dc);
  return pixels;
}

HFONT CreateUiFont(const std::string& name, int pixels, bool bold) {
  return CreateFontA(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     name.c_str());
}

Form::~Form() {
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (font_) DeleteObject(font_);
}

void Form::CreateForm(HWND owner, HWND tag, const std::string& caption, int clientWidth, int clientHeight,
                      DWORD style, const std::string& fontName, int fontPixels) {
  RegisterFormClass();
  tag_ = tag;
  RECT r = {0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&r, style, FALSE, WS_EX_CONTROLPARENT);
  hwnd_ = CreateWindowExA(WS_EX_CONTROLPARENT, kFormClass, caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                          r.right - r.left, r.bottom - r.top, owner, nullptr, ModuleInstance(), nullptr);
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Form::WndProc));
  font_ = CreateUiFont(fontName, fontPixels);
}

HWND Form::AddControl(const char* className, const std::string& text, DWORD style, int x, int y, int w, int h,
                      int id, DWORD exStyle) {
  HWND control = CreateWindowExA(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance(), nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

void Form::SetCaption(const std::string& caption) { SetWindowTextA(hwnd_, caption.c_str()); }

std::string Form::Caption() const { return WindowText(hwnd_); }

void Form::Show(int showCommand) {
  bool wasVisible = IsWindowVisible(hwnd_);
  ShowWindow(hwnd_, showCommand);
  if (!wasVisible && IsWindowVisible(hwnd_)) CMShowingChanged();
}

int Form::ShowModal() {
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  bool ownerEnabled = owner && IsWindowEnabled(owner);
  if (ownerEnabled) EnableWindow(owner, FALSE);
  modalResult_ = mrNone;
  inModalLoop_ = true;
  outerModal_ = g_activeModal;
  g_activeModal = this;
  Show(SW_SHOW);
  MSG msg;
  bool quit = false;
  while (modalResult_ == mrNone) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
      quit = true;
      break;
    }
    if (!IsDialogMessageA(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  g_activeModal = outerModal_;
  inModalLoop_ = false;
  if (ownerEnabled) EnableWindow(owner, TRUE);
  ShowWindow(hwnd_, SW_HIDE);
  if (owner) SetActiveWindow(owner);
  if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
  return modalResult_ == mrNone ? mrCancel : modalResult_;
}

bool Form::Close() {
  if (!FormCloseQuery()) return false;
  FormClose();
  if (inModalLoop_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    PostMessageA(hwnd_, WM_NULL, 0, 0);  // wake the modal loop
  } else {
    ShowWindow(hwnd_, SW_HIDE);
  }
  return true;
}

void Form::SetModalResult(int result) {
  if (result != mrNone && inModalLoop_) {
    // Closing through the result still asks the form.
    if (!FormCloseQuery()) return;
    FormClose();
  }
  modalResult_ = result;
  if (inModalLoop_) PostMessageA(hwnd_, WM_NULL, 0, 0);  // wake the modal loop
}

void Form::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

RECT Form::WindowRect() const {
  RECT r;
  GetWindowRect(hwnd_, &r);
  return r;
}

void Form::MoveTo(int left, int top) {
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Form* Form::ActiveModal() { return g_activeModal; }

LRESULT CALLBACK Form::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Form* form = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcA(hwnd, msg, wp, lp);
  LRESULT result = 0;
  bool handled = false;
  Guarded(hwnd, [&] {
    result = form->Dispatch(msg, wp, lp);
    handled = true;
  });
  return handled ? result : 0;
}

LRESULT Form::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (OnMessage(msg, wp, lp, result)) return result;
  switch (msg) {
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lp));
    case WM_TIMER:
      OnTimer(wp);
      return 0;
    case WM_SIZE:
      OnResize(LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
  }
  return DefWindowProcA(hwnd_, msg, wp, lp);
}

void CenterForm(Form& form, HWND over, bool clamp) {
  RECT f = form.WindowRect(), o;
  GetWindowRect(over, &o);
  Point p = CenterOver(Rect{f.left, f.top, f.right, f.bottom}, Rect{o.left, o.top, o.right, o.bottom},
                       GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), clamp);
  form.MoveTo(p.x, p.y);
}

HINSTANCE PluginModule() { return ModuleInstance(); }

}  // namespace tvp
