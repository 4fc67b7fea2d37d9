// The one way the plug-in asks the user something outside its own windows:
// message boxes, the clipboard, the shell's "open" and the file-open dialog. Production uses the Win32 functions;
// tests install their own seam that records and answers.
#pragma once

#include <windows.h>

#include <string>

namespace tvp {

class UiSeam {
 public:
  virtual ~UiSeam() = default;
  virtual int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);
  virtual bool SetClipboardText(HWND owner, const std::string& text);
  // The clipboard's text; false when it holds none.
  virtual bool GetClipboardText(HWND owner, std::string& text);
  // The font dialog preset with `name`, `points` and `bold`; false when cancelled.
  virtual bool PickFont(HWND owner, std::string& name, int& points, bool& bold);
  // The shell's "open" action on a web address or a file.
  virtual void OpenWithShell(const std::string& target);
  // The warning sound of a key that has nothing more to do.
  virtual void Beep();
  // Whether the user holds the Shift key down right now.
  virtual bool ShiftHeld();
  // The common file-open dialog (no read-only box; path and file must exist;
  // resizable), starting in `initialDir` with `fileName` preset; `filter` is
  // "text|mask" pairs joined by "|". The chosen full path; empty if cancelled.
  virtual std::string OpenFileName(HWND owner, const std::string& initialDir, const std::string& fileName,
                                   const std::string& filter);
};

UiSeam& Ui();
// Installs a seam (nullptr: back to the Win32 one). Tests only.
void SetUi(UiSeam* seam);

// The common message boxes of the plug-in.
extern const char kErrorCaption[];  // "エラー"
void ShowError(HWND owner, const std::string& text);        // error icon, OK
void ShowExclamation(HWND owner, const std::string& text);  // exclamation icon, OK

}  // namespace tvp
