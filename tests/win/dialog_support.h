// Helpers for driving dialogs with real key messages from inside their modal loop.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "plugin/forms/form.h"

namespace tvp::test {

// Runs the messages waiting for `form` as its modal loop does (dialog keys first).
inline void PumpDialog(Form& form) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!IsDialogMessageA(form.Handle(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

// A key pressed on `control` (it gets the focus first); `ch` also sends WM_CHAR.
inline void PressKey(Form& form, HWND control, UINT vk, char ch = 0) {
  SetFocus(control);
  HWND target = GetFocus();
  PostMessageA(target, WM_KEYDOWN, vk, 1);
  if (ch) PostMessageA(target, WM_CHAR, static_cast<unsigned char>(ch), 1);
  PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
  PumpDialog(form);
}

// Holds Ctrl (or not) in the thread's key state, as GetKeyState sees it.
inline void HoldCtrl(bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

inline std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  for (int i = 0; i < SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
    std::string s(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&s[0]));
    items.push_back(s.c_str());
  }
  return items;
}

inline std::vector<std::string> ListBoxItems(HWND list) {
  std::vector<std::string> items;
  for (int i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
    std::string s(SendMessageA(list, LB_GETTEXTLEN, i, 0) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&s[0]));
    items.push_back(s.c_str());
  }
  return items;
}

inline int ComboSelection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }
inline void SelectCombo(HWND combo, int index) { SendMessageA(combo, CB_SETCURSEL, index, 0); }

// A control's rectangle in its parent's client coordinates.
inline RECT ControlRect(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace tvp::test
