// The nine entry points the host calls (stdcall, exported undecorated).
#pragma once

#include <windows.h>

extern "C" {
const char* __stdcall APCGetPlugName();
void __stdcall APCVersionInfo(HWND window);
BOOL __stdcall APCStartUp(int unused);
void __stdcall APCSetup(HWND window);
void __stdcall APCFolderInitMenu(HWND window, HMENU menu, int id);
void __stdcall APCFolderCreate(HWND window);
void __stdcall APCFolderClose(HWND window);
int __stdcall APCRecFilter(const char* mailPath);
void __stdcall APCFolderEndRetrieve(int unused);
}
