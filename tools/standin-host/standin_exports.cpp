// The host's exported functions. The .def file exports them under the host's
// decorated names ("_APAGetAccount@4" = StandinAPAGetAccount).
#include <cstdio>
#include <map>

#include "standin-host/standin.h"
#include "standin-host/standin_state.h"

using standin::Record;

namespace {
std::string Ptr(const void* p) {
  char buf[32];
  snprintf(buf, sizeof buf, "%p", p);
  return buf;
}
std::string Num(long long v) { return std::to_string(v); }
std::string Str(const char* s) { return s ? s : "(null)"; }
}  // namespace

extern "C" {

UINT __stdcall StandinAPARegistCallback(standin::MenuCallback callback, int value) {
  Record("APARegistCallback", {Ptr(reinterpret_cast<void*>(callback)), Num(value)});
  return standin::RegisterCommand(callback);
}
int __stdcall StandinAPASetTimer(HWND w, int a, int b) { Record("APASetTimer", {Ptr(w), Num(a), Num(b)}); return 0; }
int __stdcall StandinAPAKillTimer(int a) { Record("APAKillTimer", {Num(a)}); return 0; }
const char* __stdcall StandinAPAGetMailbox() {
  Record("APAGetMailbox", {});
  return standin::State().mailbox.c_str();
}
const char* __stdcall StandinAPAGetAccount(HWND w) {
  Record("APAGetAccount", {Ptr(w)});
  return standin::State().account.c_str();
}
int __stdcall StandinAPAImportFile(HWND w, const char* a, int b) { Record("APAImportFile", {Ptr(w), Str(a), Num(b)}); return 0; }
int __stdcall StandinAPAMoveMail(HWND w, const char* a) { Record("APAMoveMail", {Ptr(w), Str(a)}); return 0; }
int __stdcall StandinAPAMarkMail(HWND w, const char* a, int b) { Record("APAMarkMail", {Ptr(w), Str(a), Num(b)}); return 0; }
int __stdcall StandinAPADeleteMail(HWND w) { Record("APADeleteMail", {Ptr(w)}); return 0; }
const char* __stdcall StandinAPAFolderGetCurrentFolder(HWND w) { Record("APAFolderGetCurrentFolder", {Ptr(w)}); return ""; }
const char* __stdcall StandinAPAFolderGetCurrentEntry(HWND w) { Record("APAFolderGetCurrentEntry", {Ptr(w)}); return ""; }
const char* __stdcall StandinAPAFolderGetSelectEntry(HWND w, int a) { Record("APAFolderGetSelectEntry", {Ptr(w), Num(a)}); return ""; }
int __stdcall StandinAPAFolderOpenMail(HWND w, const char* path, int value) {
  Record("APAFolderOpenMail", {Ptr(w), Str(path), Num(value)});
  return 1;
}
const char* __stdcall StandinAPASendGetText(HWND w, int a) { Record("APASendGetText", {Ptr(w), Num(a)}); return ""; }
const char* __stdcall StandinAPASendGetHeader(HWND w) { Record("APASendGetHeader", {Ptr(w)}); return ""; }
int __stdcall StandinAPASendSetText(HWND w, const char* a) { Record("APASendSetText", {Ptr(w), Str(a)}); return 0; }
int __stdcall StandinAPASendSetHeader(HWND w, const char* a) { Record("APASendSetHeader", {Ptr(w), Str(a)}); return 0; }
const char* __stdcall StandinAPAViewGetText(HWND w) { Record("APAViewGetText", {Ptr(w)}); return ""; }
const char* __stdcall StandinAPAViewGetHeader(HWND w) { Record("APAViewGetHeader", {Ptr(w)}); return ""; }
int __stdcall StandinAPAViewSetText(HWND w, const char* a) { Record("APAViewSetText", {Ptr(w), Str(a)}); return 0; }
const char* __stdcall StandinAPAViewGetPath(HWND w) { Record("APAViewGetPath", {Ptr(w)}); return ""; }
int __stdcall StandinAPASjisToJis(char* dst, const char* src, int len) {
  Record("APASjisToJis", {Str(src), Num(len)});
  if (dst) dst[0] = '\0';
  return 0;
}
int __stdcall StandinAPAJisToSjis(char* dst, const char* src, int len) {
  std::string jis(src ? src : "", src ? static_cast<size_t>(len) : 0);
  Record("APAJisToSjis", {jis, Num(len)});
  std::string sjis = standin::JisToSjis(jis);
  memcpy(dst, sjis.c_str(), sjis.size() + 1);  // never longer than the JIS text
  return 1;
}

}  // extern "C"
