// Binding to the functions that the host executable "Almail.exe" exports,
// and typed wrappers for the ones the plug-in calls.
#pragma once

#include <windows.h>

#include <string>

namespace tvp::host {

// A menu command callback: the host passes its window handle first.
typedef void(__stdcall* MenuCallback)(HWND window, LPARAM unused);

// Binds all 23 host functions or none. Succeeds at once when already bound.
bool Bind();
bool IsBound();

UINT RegistCallback(MenuCallback callback, int value);
// The account directory of the window, with a trailing backslash ensured;
// empty when the host gives none.
std::string GetAccount(HWND window);
std::string GetMailbox();
void FolderOpenMail(HWND window, const std::string& relativePath);
std::string JisToSjis(const std::string& jis);

}  // namespace tvp::host
