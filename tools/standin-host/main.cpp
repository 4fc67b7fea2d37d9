// Almail.exe, the stand-in host: loads a plug-in and plays the mail client
// for it, for the demo and for trying the plug-in by hand.
//
//   Almail.exe --plugin tarvikp.dll --account DIR\ [--mailbox DIR\]
//              [--open-menu MS] [--command N:MS] [--quit-after MS] [--report FILE]
//              [--setup MS] [--next-page MS] [--click MS:CAPTION]
//
// --open-menu drops down the fourth menu after MS milliseconds (for a
// screenshot); --command chooses the plug-in's N-th registered command
// (1 = index, 2 = search) after MS milliseconds; --setup asks for the
// plug-in's settings (APCSetup) after MS milliseconds; from then on
// --next-page clicks the next tab of the active window every MS milliseconds,
// and --click clicks its button CAPTION once after MS; --quit-after closes the
// folder window; --report writes, when the host ends, the plug-in's name,
// whether it started, and the items of the fourth menu.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "standin-host/standin.h"

namespace {

enum TimerId : UINT_PTR { kOpenMenu = 1, kCommand = 2, kQuit = 3, kSetup = 4, kNextPage = 5, kClick = 6 };
int g_command = 0;
int g_nextPage = -1, g_click = -1;
std::string g_clickCaption;
standin::Plugin* g_plugin = nullptr;

// A left click at the centre of `r`, in the client coordinates of `control`.
void ClickAt(HWND control, const RECT& r) {
  LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(control, WM_LBUTTONUP, 0, at);
}

// Clicks the tab after the selected one in the active window; false at the last.
bool ClickNextTab() {
  HWND tabs = FindWindowExA(GetActiveWindow(), nullptr, WC_TABCONTROLA, nullptr);
  int next = static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)) + 1;
  RECT r;
  if (!tabs || !SendMessageA(tabs, TCM_GETITEMRECT, next, reinterpret_cast<LPARAM>(&r))) return false;
  ClickAt(tabs, r);
  return true;
}

void CALLBACK OnTimer(HWND hwnd, UINT, UINT_PTR id, DWORD) {
  KillTimer(hwnd, id);
  if (id == kOpenMenu) {
    RECT r;
    GetMenuItemRect(hwnd, GetMenu(hwnd), 3, &r);
    TrackPopupMenu(GetSubMenu(GetMenu(hwnd), 3), TPM_LEFTALIGN | TPM_TOPALIGN, r.left, r.bottom, 0, hwnd, nullptr);
  } else if (id == kCommand) {
    auto ids = standin::RegisteredCommands();
    if (g_command >= 1 && g_command <= static_cast<int>(ids.size()))
      PostMessageA(hwnd, WM_COMMAND, ids[g_command - 1], 0);
  } else if (id == kQuit) {
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
  } else if (id == kSetup) {
    // The dialog's modal loop runs these timers too.
    if (g_nextPage >= 0) SetTimer(hwnd, kNextPage, g_nextPage, OnTimer);
    if (g_click >= 0) SetTimer(hwnd, kClick, g_click, OnTimer);
    g_plugin->Get<void(__stdcall*)(HWND)>("APCSetup")(hwnd);
  } else if (id == kNextPage) {
    if (ClickNextTab()) SetTimer(hwnd, kNextPage, g_nextPage, OnTimer);
  } else if (id == kClick) {
    HWND button = FindWindowExA(GetActiveWindow(), nullptr, "Button", g_clickCaption.c_str());
    RECT r;
    if (button && GetClientRect(button, &r)) ClickAt(button, r);
  }
}

void WriteReport(const std::string& path, const std::string& name, bool started, HMENU menu) {
  if (path.empty()) return;
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return;
  fprintf(f, "plugin: %s\nstarted: %s\n", name.c_str(), started ? "yes" : "no");
  for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
    char text[256] = "-";
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    fprintf(f, "menu: %s\n", text[0] ? text : "-");
  }
  fclose(f);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::string plugin = "tarvikp.dll", report;
  int openMenu = -1, command = -1, quit = -1, setup = -1;
  for (int i = 1; i + 1 < __argc; i += 2) {
    std::string opt = __argv[i], val = __argv[i + 1];
    if (opt == "--plugin") plugin = val;
    else if (opt == "--account") standin::SetAccount(val);
    else if (opt == "--mailbox") standin::SetMailbox(val);
    else if (opt == "--open-menu") openMenu = atoi(val.c_str());
    else if (opt == "--quit-after") quit = atoi(val.c_str());
    else if (opt == "--report") report = val;
    else if (opt == "--command") sscanf(val.c_str(), "%d:%d", &g_command, &command);
    else if (opt == "--setup") setup = atoi(val.c_str());
    else if (opt == "--next-page") g_nextPage = atoi(val.c_str());
    else if (opt == "--click" && val.find(':') != std::string::npos) {
      g_click = atoi(val.c_str());
      g_clickCaption = val.substr(val.find(':') + 1);
    }
  }

  standin::Plugin p;
  g_plugin = &p;
  if (!p.Load(plugin)) {
    MessageBoxA(nullptr, ("cannot load " + plugin).c_str(), "Almail", MB_ICONERROR);
    return 2;
  }
  bool started = p.StartUp();
  std::string name = p.Get<const char*(__stdcall*)()>("APCGetPlugName")();
  if (!started) {
    WriteReport(report, name, false, nullptr);
    return 3;
  }
  HWND window = standin::CreateFolderWindow("AL-Mail32 - " + name);
  ShowWindow(window, SW_SHOWNORMAL);
  p.FolderOpened(window);
  UpdateWindow(window);
  if (openMenu >= 0) SetTimer(window, kOpenMenu, openMenu, OnTimer);
  if (command >= 0) SetTimer(window, kCommand, command, OnTimer);
  if (quit >= 0) SetTimer(window, kQuit, quit, OnTimer);
  if (setup >= 0) SetTimer(window, kSetup, setup, OnTimer);

  MSG msg;
  while (IsWindow(window) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == window && msg.message == WM_CLOSE) {
      WriteReport(report, name, true, GetSubMenu(GetMenu(window), 3));
      p.FolderClosing(window);
      DestroyWindow(window);
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
