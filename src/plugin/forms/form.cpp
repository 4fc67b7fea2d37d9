#include "plugin/forms/form.h"

#include <commctrl.h>

#include "core/common/placement.h"
#include "plugin/ui/controls.h"
#include "plugin/ui/guard.h"

namespace tvp {

namespace {

const char kFormClass[] = "TvpForm";
Form* g_activeModal = nullptr;

// Keyboard messages of every form go through IsDialogMessage before they are
// dispatched, whichever loop fetched them (the host's own loop for a
// modeless form, the modal loop, ProcessMessages): a hook on the thread's
// message retrieval does it, installed while any form exists.
HHOOK g_keyHook = nullptr;
int g_formCount = 0;

bool IsForm(HWND hwnd) {
  char name[16] = {0};
  return hwnd && GetClassNameA(hwnd, name, sizeof name) && lstrcmpA(name, kFormClass) == 0;
}

LRESULT CALLBACK DialogKeyHook(int code, WPARAM wp, LPARAM lp) {
  MSG* msg = reinterpret_cast<MSG*>(lp);
  if (code == HC_ACTION && wp == PM_REMOVE && msg->hwnd && msg->message >= WM_KEYFIRST &&
      msg->message <= WM_KEYLAST) {
    HWND root = GetAncestor(msg->hwnd, GA_ROOT);
    if (IsForm(root) && IsWindowEnabled(root) && IsDialogMessageA(root, msg)) {
      // Handled: what the loop goes on to dispatch is a message that does nothing.
      msg->message = WM_NULL;
      msg->wParam = 0;
      msg->lParam = 0;
    }
  }
  return CallNextHookEx(g_keyHook, code, wp, lp);
}

void FormCreated() {
  if (g_formCount++ == 0 && !g_keyHook)
    g_keyHook = SetWindowsHookExA(WH_GETMESSAGE, DialogKeyHook, nullptr, GetCurrentThreadId());
}

void FormDestroyed() {
  if (--g_formCount == 0 && g_keyHook) {
    UnhookWindowsHookEx(g_keyHook);
    g_keyHook = nullptr;
  }
}

bool IsPushButton(HWND control) {
  return (SendMessageA(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

void SetButtonDefault(HWND button, bool isDefault) {
  if (button) SendMessageA(button, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

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
    FormDestroyed();
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
  if (hwnd_) FormCreated();  // paired with FormDestroyed in the destructor
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
  // A handler's failure is reported here, as one from the window procedure is.
  if (!wasVisible && IsWindowVisible(hwnd_)) Guarded(hwnd_, [this] { CMShowingChanged(); });
}

// Undoes what the modal loop changed, however the loop is left.
class Form::ModalScope {
 public:
  explicit ModalScope(Form& form)
      : form_(form), owner_(GetWindow(form.hwnd_, GW_OWNER)), ownerEnabled_(owner_ && IsWindowEnabled(owner_)) {
    if (ownerEnabled_) EnableWindow(owner_, FALSE);
    form_.modalResult_ = mrNone;
    form_.inModalLoop_ = true;
    form_.outerModal_ = g_activeModal;
    g_activeModal = &form_;
  }
  ~ModalScope() {
    g_activeModal = form_.outerModal_;
    form_.outerModal_ = nullptr;
    form_.inModalLoop_ = false;
    form_.loopRunning_ = false;
    if (ownerEnabled_) EnableWindow(owner_, TRUE);
    ShowWindow(form_.hwnd_, SW_HIDE);
    if (owner_) SetActiveWindow(owner_);
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  Form& form_;
  HWND owner_;
  bool ownerEnabled_;
};

int Form::ShowModal() {
  MSG msg = {};
  bool quit = false;
  {
    ModalScope scope(*this);
    Show(SW_SHOW);
    loopRunning_ = true;
    while (modalResult_ == mrNone) {
      if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
        quit = true;
        break;
      }
      // Dialog keys were handled on the way in (DialogKeyHook).
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
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
    case WM_NEXTDLGCTL:
      NextControl(wp, lp);
      return 0;
    case DM_GETDEFID:
      if (!defaultId_) {
        HWND def = FindDefaultButton();
        defaultId_ = def ? GetDlgCtrlID(def) : 0;
      }
      return defaultId_ ? MAKELRESULT(defaultId_, DC_HASDEFID) : 0;
    case DM_SETDEFID:
      SetButtonDefault(defaultId_ ? GetDlgItem(hwnd_, defaultId_) : FindDefaultButton(), false);
      defaultId_ = static_cast<int>(wp);
      SetButtonDefault(GetDlgItem(hwnd_, defaultId_), true);
      return TRUE;
  }
  return DefWindowProcA(hwnd_, msg, wp, lp);
}

HWND Form::FindDefaultButton() const {
  for (HWND c = GetWindow(hwnd_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (SendMessageA(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return c;
  return nullptr;
}

void Form::NextControl(WPARAM wp, LPARAM lp) {
  HWND focus = GetFocus();
  HWND next = LOWORD(lp) ? reinterpret_cast<HWND>(wp)
                         : GetNextDlgTabItem(hwnd_, IsChild(hwnd_, focus) ? focus : nullptr, wp != 0);
  if (!next || !IsChild(hwnd_, next)) return;
  // As in a dialog: a push button with the focus is the default one while it
  // has it; elsewhere the form's own default button is.
  HWND def = defaultId_ ? GetDlgItem(hwnd_, defaultId_) : FindDefaultButton();
  if (def && !defaultId_) defaultId_ = GetDlgCtrlID(def);
  if (IsChild(hwnd_, focus) && focus != def && IsPushButton(focus)) SetButtonDefault(focus, false);
  if (IsPushButton(next)) {
    if (def && def != next) SetButtonDefault(def, false);
    SetButtonDefault(next, true);
  } else {
    SetButtonDefault(def, true);
  }
  SetFocus(next);
  if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(next, EM_SETSEL, 0, -1);
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
