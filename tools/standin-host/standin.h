// A stand-in for the AL-Mail32 host: the 23 functions it exports to plug-ins
// (recording every call), a folder window with a menu bar, and loading and
// driving a plug-in the way the host does.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace standin {

struct Call {
  std::string function;           // undecorated, e.g. "APAGetAccount"
  std::vector<std::string> args;  // each argument as text
};

// What the host reports; a test chooses them.
void SetAccount(const std::string& dir);
void SetMailbox(const std::string& dir);

std::vector<Call> Calls();
std::vector<Call> CallsOf(const std::string& function);
void ClearCalls();

// Command identifiers handed out by _APARegistCallback@8, and dispatching them.
typedef void(__stdcall* MenuCallback)(HWND window, LPARAM unused);
std::vector<UINT> RegisteredCommands();
bool DispatchCommand(HWND window, UINT id);

// A folder window whose menu bar has five submenus (the fourth is the one
// plug-ins append to). Commands chosen in it are dispatched to the plug-in.
HWND CreateFolderWindow(const std::string& caption);

// ISO-2022-JP to Shift-JIS, as the host converts mail text.
std::string JisToSjis(const std::string& jis);

// A plug-in loaded from its DLL.
class Plugin {
 public:
  bool Load(const std::string& path);
  ~Plugin();
  HMODULE module() const { return module_; }
  template <typename F>
  F Get(const char* name) const {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }
  // The host's order of calls for one folder window.
  bool StartUp();
  void FolderOpened(HWND window);  // APCFolderCreate, then APCFolderInitMenu(101)
  void FolderClosing(HWND window);

 private:
  HMODULE module_ = nullptr;
};

}  // namespace standin
