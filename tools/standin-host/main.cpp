// Almail.exe, the stand-in host: loads a plug-in and plays the mail client
// for it, for the demo and for trying the plug-in by hand.
//
//   Almail.exe --plugin tarvikp.dll --account DIR\ [--mailbox DIR\]
//              [--open-menu MS] [--command N:MS] [--quit-after MS] [--report FILE]
//              [--steps STEP,STEP,...] [--answer MS]
//
// --open-menu drops down the fourth menu after MS milliseconds (for a
// screenshot); --command chooses the plug-in's N-th registered command
// (1 = index, 2 = search) after MS milliseconds; --quit-after closes the
// folder window; --report writes, when the host ends, the plug-in's name,
// whether it started, the items of the fourth menu, the steps done and the
// windows answered.
// --steps runs, one after the other once the folder window is open, what a
// user and the host do: "version" (APCVersionInfo), "setup" (APCSetup),
// "command:N" (the N-th registered command), "mail" (APCRecFilter with a mail
// of the account's inbox), "endretrieve" (APCFolderEndRetrieve); then the
// folder window closes. --answer looks every MS milliseconds for windows the
// plug-in opened (dialogs, message boxes), writes each one's class and
// caption (and a message box's text) to the report and closes it: message
// boxes with Cancel, No or OK, other windows with WM_CLOSE.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "standin-host/standin.h"

namespace {

enum TimerId : UINT_PTR { kOpenMenu = 1, kCommand = 2, kQuit = 3 };
const UINT WM_NEXT_STEP = WM_APP + 100;
int g_command = 0;
std::vector<std::string> g_lines;  // report lines beyond name, start and menu
std::vector<std::string> g_steps;
size_t g_nextStep = 0;
std::string g_account;
HWND g_folder = nullptr;

BOOL CALLBACK CollectWindow(HWND h, LPARAM list) {
  if (h != g_folder && IsWindowVisible(h) && IsWindowEnabled(h)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
  return TRUE;
}

// Closes the windows the plug-in has open on this thread, topmost first.
void CALLBACK Answer(HWND, UINT, UINT_PTR, DWORD) {
  static std::set<HWND> seen;
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND h : windows) {
    char cls[64] = "", caption[256] = "", text[1024] = "";
    GetClassNameA(h, cls, sizeof cls);
    GetWindowTextA(h, caption, sizeof caption);
    bool box = std::string(cls) == "#32770";
    if (box) GetDlgItemTextA(h, 0xFFFF, text, sizeof text);
    if (seen.insert(h).second) {
      std::string line = std::string("window: ") + cls + " " + caption;
      if (text[0]) line += " | " + std::string(text);
      for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
      g_lines.push_back(line);
    }
    if (!box) {
      PostMessageA(h, WM_CLOSE, 0, 0);
      continue;
    }
    for (int id : {IDCANCEL, IDNO, IDOK})
      if (GetDlgItem(h, id)) {
        PostMessageA(h, WM_COMMAND, id, 0);
        break;
      }
  }
}

// Runs one step of --steps; the next comes when this one has returned.
void RunStep(standin::Plugin& p, HWND window) {
  if (g_nextStep >= g_steps.size()) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return;
  }
  const std::string step = g_steps[g_nextStep++];
  if (step == "version") {
    p.Get<void(__stdcall*)(HWND)>("APCVersionInfo")(window);
  } else if (step == "setup") {
    p.Get<void(__stdcall*)(HWND)>("APCSetup")(window);
  } else if (step.rfind("command:", 0) == 0) {
    auto ids = standin::RegisteredCommands();
    size_t n = static_cast<size_t>(atoi(step.c_str() + 8));
    if (n >= 1 && n <= ids.size()) standin::DispatchCommand(window, ids[n - 1]);
  } else if (step == "mail") {
    p.Get<int(__stdcall*)(const char*)>("APCRecFilter")((g_account + "Inbox.box\\smoke.alm").c_str());
  } else if (step == "endretrieve") {
    p.Get<void(__stdcall*)(int)>("APCFolderEndRetrieve")(0);
  } else {
    g_lines.push_back("step: " + step + " unknown");
    PostMessageA(window, WM_NEXT_STEP, 0, 0);
    return;
  }
  g_lines.push_back("step: " + step + " done");
  PostMessageA(window, WM_NEXT_STEP, 0, 0);
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
  for (const std::string& line : g_lines) fprintf(f, "%s\n", line.c_str());
  fclose(f);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::string plugin = "tarvikp.dll", report;
  int openMenu = -1, command = -1, quit = -1, answer = -1;
  for (int i = 1; i + 1 < __argc; i += 2) {
    std::string opt = __argv[i], val = __argv[i + 1];
    if (opt == "--plugin") plugin = val;
    else if (opt == "--account") standin::SetAccount(g_account = val);
    else if (opt == "--mailbox") standin::SetMailbox(val);
    else if (opt == "--open-menu") openMenu = atoi(val.c_str());
    else if (opt == "--quit-after") quit = atoi(val.c_str());
    else if (opt == "--report") report = val;
    else if (opt == "--command") sscanf(val.c_str(), "%d:%d", &g_command, &command);
    else if (opt == "--answer") answer = atoi(val.c_str());
    else if (opt == "--steps") {
      std::stringstream list(val);
      for (std::string step; std::getline(list, step, ',');) g_steps.push_back(step);
    }
  }
  // A thread timer: it also fires inside the plug-in's modal loops and message boxes.
  if (answer > 0) SetTimer(nullptr, 0, answer, Answer);

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
  HWND window = g_folder = standin::CreateFolderWindow("AL-Mail32 - " + name);
  ShowWindow(window, SW_SHOWNORMAL);
  p.FolderOpened(window);
  UpdateWindow(window);
  if (openMenu >= 0) SetTimer(window, kOpenMenu, openMenu, OnTimer);
  if (command >= 0) SetTimer(window, kCommand, command, OnTimer);
  if (quit >= 0) SetTimer(window, kQuit, quit, OnTimer);
  if (!g_steps.empty()) PostMessageA(window, WM_NEXT_STEP, 0, 0);

  MSG msg;
  while (IsWindow(window) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == window && msg.message == WM_NEXT_STEP) {
      RunStep(p, window);
      continue;
    }
    if (msg.hwnd == window && msg.message == WM_CLOSE) {
      HMENU menu = GetSubMenu(GetMenu(window), 3);
      p.FolderClosing(window);
      g_lines.push_back("closed: yes");
      WriteReport(report, name, true, menu);
      DestroyWindow(window);
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
