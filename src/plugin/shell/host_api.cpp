#include "plugin/shell/host_api.h"

#include <algorithm>
#include <stdexcept>

#include "core/common/sjis.h"
#include "core/shell/triggers.h"

namespace tvp::host {

namespace {

// In the order the host's functions are looked up.
const char* const kHostFunctions[] = {
    "_APARegistCallback@8",     "_APASetTimer@12",         "_APAKillTimer@4",       "_APAGetMailbox@0",
    "_APAGetAccount@4",         "_APAImportFile@12",       "_APAMoveMail@8",        "_APAMarkMail@12",
    "_APADeleteMail@4",         "_APAFolderGetCurrentFolder@4", "_APAFolderGetCurrentEntry@4",
    "_APAFolderGetSelectEntry@8", "_APAFolderOpenMail@12", "_APASendGetText@8",     "_APASendGetHeader@4",
    "_APASendSetText@8",        "_APASendSetHeader@8",     "_APAViewGetText@4",     "_APAViewGetHeader@4",
    "_APAViewSetText@8",        "_APAViewGetPath@4",       "_APASjisToJis@12",      "_APAJisToSjis@12",
};
constexpr int kCount = sizeof kHostFunctions / sizeof kHostFunctions[0];
enum Index { kRegistCallback = 0, kGetMailbox = 3, kGetAccount = 4, kFolderOpenMail = 12, kJisToSjis = 22 };

HMODULE g_module = nullptr;
FARPROC g_functions[kCount] = {};

template <typename F>
F Function(Index i) {
  // Nothing may call the host before the binding succeeded.
  if (!g_module) throw std::runtime_error(BindingFailedMessage());
  return reinterpret_cast<F>(reinterpret_cast<void*>(g_functions[i]));
}

std::string Text(const char* s) { return s ? std::string(s) : std::string(); }

}  // namespace

bool Bind() {
  if (g_module) return true;
  HMODULE module = LoadLibraryA("Almail.exe");
  if (!module) return false;
  FARPROC found[kCount];
  for (int i = 0; i < kCount; ++i) {
    found[i] = GetProcAddress(module, kHostFunctions[i]);
    if (!found[i]) {
      FreeLibrary(module);
      return false;
    }
  }
  std::copy(found, found + kCount, g_functions);
  g_module = module;
  return true;
}

bool IsBound() { return g_module != nullptr; }

UINT RegistCallback(MenuCallback callback, int value) {
  return Function<UINT(__stdcall*)(MenuCallback, int)>(kRegistCallback)(callback, value);
}

std::string GetAccount(HWND window) {
  // No account directory stays empty: a bare "\\" would name the drive's root.
  std::string account = Trim(Text(Function<const char*(__stdcall*)(HWND)>(kGetAccount)(window)));
  return account.empty() ? account : IncludeTrailingBackslash(account);
}

std::string GetMailbox() { return Text(Function<const char*(__stdcall*)()>(kGetMailbox)()); }

void FolderOpenMail(HWND window, const std::string& relativePath) {
  Function<int(__stdcall*)(HWND, const char*, int)>(kFolderOpenMail)(window, relativePath.c_str(), 1);
}

std::string JisToSjis(const std::string& jis) {
  // The host never makes the text longer than its JIS form.
  std::string buffer(jis.size() + 1, '\0');
  Function<int(__stdcall*)(char*, const char*, int)>(kJisToSjis)(&buffer[0], jis.c_str(), static_cast<int>(jis.size()));
  buffer.back() = '\0';
  return std::string(buffer.c_str());
}

}  // namespace tvp::host
