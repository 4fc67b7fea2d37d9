// Almail.exe, the stand-in host: loads a plug-in and plays the mail client
// for it, for the demo and for trying the plug-in by hand.
//
//   Almail.exe --plugin tarvikp.dll --account DIR\ [--mailbox DIR\]
//              [--open-menu MS] [--command N:MS] [--quit-after MS] [--report FILE]
//
// --open-menu drops down the fourth menu after MS milliseconds (for a
// screenshot); --command chooses the plug-in's N-th registered command
// (1 = index, 2 = search) after MS milliseconds; --quit-after closes the
// folder window; --report writes, when the host ends, the plug-in's name,
// whether it started, and the items of the fourth menu.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "standin-host/standin.h"

namespace {

enum TimerId : UINT_PTR { kOpenMenu = 1, kCommand = 2, kQuit = 3 };
int g_command = 0;

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
  int openMenu = -1, command = -1, quit = -1;
  for (int i = 1; i + 1 < __argc; i += 2) {
    std::string opt = __argv[i], val = __argv[i + 1];
    if (opt == "--plugin") plugin = val;
    else if (opt == "--account") standin::SetAccount(val);
    else if (opt == "--mailbox") standin::SetMailbox(val);
    else if (opt == "--open-menu") openMenu = atoi(val.c_str());
    else if (opt == "--quit-after") quit = atoi(val.c_str());
    else if (opt == "--report") report = val;
    else if (opt == "--command") sscanf(val.c_str(), "%d:%d", &g_command, &command);
  }

  standin::Plugin p;
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
