// Almail.exe, the stand-in host: loads a plug-in and plays the mail client
// for it, for the demo and for trying the plug-in by hand.
//
//   Almail.exe --plugin tarvikp.dll --account DIR\ [--mailbox DIR\]
//              [--open-menu MS] [--command N:MS] [--quit-after MS] [--report FILE]
//              [--setup MS] [--next-page MS] [--click MS:CAPTION]
//              [--about MS] [--keys MS:KEYS]... [--steps STEP,STEP,...] [--answer MS] [--search KEYS]
//
// --open-menu drops down the fourth menu after MS milliseconds (for a
// screenshot); --command chooses the plug-in's N-th registered command
// (1 = index, 2 = search) after MS milliseconds; --setup asks for the
// plug-in's settings (APCSetup) after MS milliseconds; from then on
// --next-page clicks the next tab of the active window every MS milliseconds,
// and --click clicks its button CAPTION once after MS; --quit-after closes the
// folder window; --report writes, when the host ends, the plug-in's name,
// whether it started, and the items of the fourth menu. --about calls
// APCVersionInfo. --keys types KEYS into the window that has the focus after
// MS milliseconds (for the demo): characters as they are, and {TAB}, {S-TAB},
// {ENTER}, {ESC}, {SPACE}, {F2}, {UP}, {DOWN}, {LEFT}, {RIGHT}, {MULT} ("*"),
// {END}, {BS}, {A-x} (Alt+x, a mnemonic).
// --steps runs, one after the other once the folder window is open, what a
// user and the host do: "version" (APCVersionInfo), "setup" (APCSetup),
// "command:N" (the N-th registered command), "mail" (APCRecFilter with a mail
// of the account's inbox), "endretrieve" (APCFolderEndRetrieve); then the
// folder window closes. --answer looks every MS milliseconds for windows the
// plug-in opened (dialogs, message boxes), writes each one's class and
// caption (and a message box's text) to the report and closes it: message
// boxes with Cancel, No or OK, other windows with WM_CLOSE. The report then
// also lists the steps done and the windows answered. With --search KEYS the
// search dialog (caption ending in "[検索]") is answered once by typing KEYS
// (as --keys) instead, so that it can search and open the result window.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/common/sjis.h"
#include "standin-host/standin.h"

namespace {

enum TimerId : UINT_PTR {
  kOpenMenu = 1, kCommand = 2, kQuit = 3, kSetup = 4, kNextPage = 5, kClick = 6, kAbout = 7, kKeys = 100
};
int g_command = 0;
std::vector<std::string> g_keys;  // by timer kKeys + n
int g_nextPage = -1, g_click = -1;
std::string g_clickCaption;
std::string g_searchKeys;  // --search
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

// Runs what waits for the focused dialog, dialog keys first (as its modal loop does).
void PumpDialog(HWND focus) {
  HWND dialog = GetAncestor(focus, GA_ROOT);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!IsDialogMessageA(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

void HoldShift(bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

// One key: a virtual key (with its character, if any) or an Alt+character.
void PressKey(UINT vk, char ch, bool shift, bool alt) {
  HWND focus = GetFocus();
  if (!focus) focus = GetActiveWindow();
  if (!focus) return;
  if (alt) {
    PostMessageA(focus, WM_SYSCHAR, static_cast<unsigned char>(ch), 0x20000000);
  } else {
    if (vk) PostMessageA(focus, WM_KEYDOWN, vk, 1);
    if (ch) PostMessageA(focus, WM_CHAR, static_cast<unsigned char>(ch), 1);
    if (vk) PostMessageA(focus, WM_KEYUP, vk, 0xC0000001);
  }
  HoldShift(shift);
  PumpDialog(focus);
  HoldShift(false);
}

void TypeKeys(const std::string& keys) {
  static const struct { const char* name; UINT vk; char ch; } named[] = {
      {"TAB", VK_TAB, '\t'}, {"ENTER", VK_RETURN, 0}, {"ESC", VK_ESCAPE, 0x1B}, {"SPACE", VK_SPACE, ' '},
      {"F2", VK_F2, 0}, {"UP", VK_UP, 0}, {"DOWN", VK_DOWN, 0}, {"LEFT", VK_LEFT, 0}, {"RIGHT", VK_RIGHT, 0},
      {"MULT", VK_MULTIPLY, '*'}, {"END", VK_END, 0}, {"BS", VK_BACK, '\b'}};
  for (size_t i = 0; i < keys.size(); ++i) {
    size_t close = keys.find('}', i);
    if (keys[i] != '{' || close == std::string::npos) {
      PressKey(0, keys[i], false, false);
      continue;
    }
    std::string name = keys.substr(i + 1, close - i - 1);
    i = close;
    if (name.size() == 3 && name.compare(0, 2, "A-") == 0) {
      PressKey(0, name[2], false, true);
      continue;
    }
    bool shift = name.compare(0, 2, "S-") == 0;
    if (shift) name = name.substr(2);
    for (const auto& k : named)
      if (name == k.name) PressKey(k.vk, k.ch, shift, false);
  }
}

const UINT WM_NEXT_STEP = WM_APP + 100;
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
      if (!box && !g_searchKeys.empty() && tvp::EndsWith(caption, "[検索]")) {
        TypeKeys(g_searchKeys);
        continue;
      }
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
  } else if (id == kAbout) {
    PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);  // from the main loop, not inside this timer
  } else if (id >= kKeys && id - kKeys < g_keys.size()) {
    TypeKeys(g_keys[id - kKeys]);
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
  int openMenu = -1, command = -1, quit = -1, setup = -1, about = -1, answer = -1;
  std::vector<std::pair<int, std::string>> keys;
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
    else if (opt == "--search") g_searchKeys = val;
    else if (opt == "--steps") {
      std::stringstream list(val);
      for (std::string step; std::getline(list, step, ',');) g_steps.push_back(step);
    }
    else if (opt == "--setup") setup = atoi(val.c_str());
    else if (opt == "--next-page") g_nextPage = atoi(val.c_str());
    else if (opt == "--click" && val.find(':') != std::string::npos) {
      g_click = atoi(val.c_str());
      g_clickCaption = val.substr(val.find(':') + 1);
    }
    else if (opt == "--about") about = atoi(val.c_str());
    else if (opt == "--keys" && val.find(':') != std::string::npos)
      keys.push_back({atoi(val.c_str()), val.substr(val.find(':') + 1)});
  }

  // A thread timer: it also fires inside the plug-in's modal loops and message boxes.
  if (answer > 0) SetTimer(nullptr, 0, answer, Answer);

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
  HWND window = g_folder = standin::CreateFolderWindow("AL-Mail32 - " + name);
  ShowWindow(window, SW_SHOWNORMAL);
  p.FolderOpened(window);
  UpdateWindow(window);
  if (openMenu >= 0) SetTimer(window, kOpenMenu, openMenu, OnTimer);
  if (command >= 0) SetTimer(window, kCommand, command, OnTimer);
  if (quit >= 0) SetTimer(window, kQuit, quit, OnTimer);
  if (setup >= 0) SetTimer(window, kSetup, setup, OnTimer);
  if (about >= 0) SetTimer(window, kAbout, about, OnTimer);
  for (const auto& k : keys) {
    g_keys.push_back(k.second);
    SetTimer(window, kKeys + g_keys.size() - 1, k.first, OnTimer);
  }

  if (!g_steps.empty()) PostMessageA(window, WM_NEXT_STEP, 0, 0);

  MSG msg;
  while (IsWindow(window) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!msg.hwnd && msg.message == WM_APP) {
      p.Get<void(__stdcall*)(HWND)>("APCVersionInfo")(window);
      continue;
    }
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
