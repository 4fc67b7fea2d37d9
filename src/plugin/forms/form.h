// A thin form layer over Win32: a top-level window with a client size in
// pixels, controls created at pixel positions, messages dispatched to member
// handlers, a modal loop that disables the owner, and centring. Every form
// takes the keys of a dialog: Tab and Shift+Tab, Alt+the underlined letter of
// a label (focus to the control after it) or a button (click), Enter for the
// default push button (BS_DEFPUSHBUTTON) and Esc for the IDCANCEL command.
// A handler's exception is reported in an error box over the form and goes
// no further; the modal loop always enables the owner again.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tvp {

enum ModalResult { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL };

// Lets pending window messages run once (the plug-in has no thread of its own).
void ProcessMessages();

// A font of the system code page (Shift-JIS) with a height in pixels.
HFONT CreateUiFont(const std::string& name, int pixels, bool bold = false);
// Points to pixels at the screen's resolution.
int PointsToPixels(int points);
// The module that holds the plug-in's code and resources (the DLL, or a test
// program that links the plug-in's objects).
HINSTANCE PluginModule();

class Form {
 public:
  Form() = default;
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  HWND Handle() const { return hwnd_; }
  // The host window the form works for; passed to host calls and settings.
  HWND Tag() const { return tag_; }

  void SetCaption(const std::string& caption);
  std::string Caption() const;
  void Show(int showCommand = SW_SHOW);
  int ShowModal();
  // Asks the form to close (close query, then close). Returns true if it closed.
  bool Close();
  void SetModalResult(int result);
  int GetModalResult() const { return modalResult_; }
  void SetEnabled(bool enabled);
  RECT WindowRect() const;
  void MoveTo(int left, int top);

  // The innermost form whose modal loop is running (tests drive it from a timer).
  static Form* ActiveModal();
  // True once ShowModal has shown the form (CMShowingChanged has returned)
  // and waits for messages in its loop; until then the form is still starting.
  bool ModalLoopRunning() const { return loopRunning_; }

 protected:
  // Creates the window; `owner` owns it (stays above it). Client size in pixels.
  void CreateForm(HWND owner, HWND tag, const std::string& caption, int clientWidth, int clientHeight,
                  DWORD style, const std::string& fontName = "ＭＳ Ｐゴシック", int fontPixels = 12);
  HWND AddControl(const char* className, const std::string& text, DWORD style, int x, int y, int w, int h,
                  int id, DWORD exStyle = 0);
  HFONT Font() const { return font_; }

  // Handlers; the defaults do nothing.
  virtual void OnCommand(int /*id*/, int /*code*/, HWND /*control*/) {}
  virtual LRESULT OnNotify(NMHDR* /*header*/) { return 0; }
  virtual void OnTimer(UINT_PTR /*id*/) {}
  virtual void OnResize(int /*width*/, int /*height*/) {}
  virtual bool FormCloseQuery() { return true; }
  virtual void FormClose() {}
  // Runs once the form has become visible (the showing-changed message).
  virtual void CMShowingChanged() {}
  // Any other message; return true when handled and set `result`.
  virtual bool OnMessage(UINT /*msg*/, WPARAM /*wp*/, LPARAM /*lp*/, LRESULT& /*result*/) { return false; }

 private:
  class ModalScope;
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
  // WM_NEXTDLGCTL as a dialog answers it, default push button included.
  void NextControl(WPARAM wp, LPARAM lp);
  HWND FindDefaultButton() const;

  HWND hwnd_ = nullptr;
  HWND tag_ = nullptr;
  HFONT font_ = nullptr;
  int modalResult_ = mrNone;
  bool inModalLoop_ = false;
  bool loopRunning_ = false;
  Form* outerModal_ = nullptr;
  int defaultId_ = 0;  // the default push button's id once known
};

// Centres `rect` over `over` (outer rectangles, halves toward zero); with
// `clamp`, keeps it on the screen.
void CenterForm(Form& form, HWND over, bool clamp);

}  // namespace tvp
