// Test bridge to the Linux Namazu under Wine. Copied as perl.exe and
// namazu.exe; the base name of the executable is the role. A Windows program
// under Wine cannot wait for a Linux program nor read its output, so this
// launcher runs the shim script "namazu-shim" next to it through Wine's own
// spawn call (which waits and returns the exit status), lets the shim write
// everything into a temporary file, and copies that file to its standard
// output. To its caller it is an ordinary Windows console program.
//
// Shim arguments: role, Linux working directory, Linux output file, then this
// program's own arguments as they were given (Shift-JIS), except that absolute
// Windows paths, alone or after "=" (--output-dir=Z:\...), become Linux paths:
// only Wine can resolve the hashed 8.3 names that GetShortPathNameA yields.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

typedef char*(CDECL* UnixFileNameFn)(LPCWSTR);
typedef LONG(CDECL* UnixSpawnFn)(char* const argv[], int wait);  // an NTSTATUS or the exit status

UnixFileNameFn g_unixFileName = nullptr;

bool IsLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The arguments after the program name, split by the usual Windows rules:
// blanks separate, double quotes group and are removed, 2n backslashes before
// a quote give n backslashes, 2n+1 give n and a literal quote, "" inside
// quotes is a literal quote. The second byte of a double-byte character is
// never taken for a backslash or a quote.
std::vector<std::string> SplitArguments(const char* cmd) {
  const char* p = cmd;
  if (*p == '"') {  // the program name: quotes group, no escapes
    for (++p; *p && *p != '"'; ++p) {}
    if (*p) ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  std::vector<std::string> args;
  for (;;) {
    while (*p == ' ' || *p == '\t') ++p;
    if (!*p) break;
    std::string arg;
    bool quoted = false;
    while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
      if (IsLead(static_cast<unsigned char>(*p)) && p[1]) {
        arg.append(p, 2);
        p += 2;
      } else if (*p == '\\') {
        size_t n = 0;
        while (*p == '\\') ++n, ++p;
        if (*p == '"') {
          arg.append(n / 2, '\\');
          if (n % 2) arg += *p++;
        } else {
          arg.append(n, '\\');
        }
      } else if (*p == '"') {
        if (quoted && p[1] == '"') {
          arg += '"';
          p += 2;
        } else {
          quoted = !quoted;
          ++p;
        }
      } else {
        arg += *p++;
      }
    }
    args.push_back(arg);
  }
  return args;
}

// Linux form of a Windows path (UTF-8, as Wine names files); empty if Wine
// cannot map it (a missing parent directory).
std::string UnixPath(const std::string& path) {
  int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (n <= 0) return "";
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], n);
  char* unix = g_unixFileName(wide.c_str());
  if (!unix) return "";
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

bool IsAbsoluteWindowsPath(const std::string& s) {
  return s.size() >= 3 && ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z')) && s[1] == ':' &&
         (s[2] == '\\' || s[2] == '/');
}

// An argument as the shim receives it: an absolute Windows path, or an
// option "name=path", with the path in Linux form; anything else unchanged.
std::string ShimArgument(const std::string& arg) {
  size_t start = 0;
  if (!IsAbsoluteWindowsPath(arg)) {
    size_t eq = arg.find('=');  // '=' is never the second byte of a character
    if (arg[0] != '-' || eq == std::string::npos || !IsAbsoluteWindowsPath(arg.substr(eq + 1))) return arg;
    start = eq + 1;
  }
  std::string unix = UnixPath(arg.substr(start));
  return unix.empty() ? arg : arg.substr(0, start) + unix;
}

// Where the last path component starts; second bytes of double-byte
// characters are never taken for a backslash.
size_t NameStart(const std::string& path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); i += IsLead(static_cast<unsigned char>(path[i])) ? 2 : 1)
    if (path[i] == '\\') start = i + 1;
  return start;
}

std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

void CopyFileToStdout(const std::string& path) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) return;  // nobody listens
  HANDLE in = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (in == INVALID_HANDLE_VALUE) return;
  char buf[8192];
  DWORD got = 0, put = 0;
  while (ReadFile(in, buf, sizeof buf, &got, nullptr) && got > 0)
    for (DWORD done = 0; done < got; done += put)
      if (!WriteFile(out, buf + done, got - done, &put, nullptr) || put == 0) break;
  CloseHandle(in);
}

int Fail(const char* what) {
  fprintf(stderr, "namazu launcher: %s\n", what);
  return 1;
}

}  // namespace

int main() {
  HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  g_unixFileName = reinterpret_cast<UnixFileNameFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel32, "wine_get_unix_file_name")));
  auto spawn = reinterpret_cast<UnixSpawnFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "__wine_unix_spawnvp")));
  if (!g_unixFileName || !spawn) return Fail("this program runs only under Wine");

  char buf[MAX_PATH * 2];
  DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
  std::string self(buf, n);
  std::string dir = self.substr(0, NameStart(self));
  std::string role = LowerAscii(self.substr(dir.size()));
  if (role.size() > 4 && role.compare(role.size() - 4, 4, ".exe") == 0) role.resize(role.size() - 4);

  n = GetCurrentDirectoryA(sizeof buf, buf);
  std::string workDir = UnixPath(std::string(buf, n));
  char tempDir[MAX_PATH], tempFile[MAX_PATH];
  if (!GetTempPathA(MAX_PATH, tempDir) || !GetTempFileNameA(tempDir, "nmz", 0, tempFile))
    return Fail("cannot create a temporary file");
  std::string output = UnixPath(tempFile);
  std::string shim = UnixPath(dir + "namazu-shim");
  if (workDir.empty() || output.empty() || shim.empty()) {
    DeleteFileA(tempFile);
    return Fail("cannot map a path to Linux");
  }

  std::vector<std::string> args = {shim, role, workDir, output};
  for (const std::string& a : SplitArguments(GetCommandLineA())) args.push_back(ShimArgument(a));
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(&a[0]);
  argv.push_back(nullptr);

  LONG status = spawn(argv.data(), 1);
  CopyFileToStdout(tempFile);
  DeleteFileA(tempFile);
  // Below 256 it is the shim's exit status; above, the spawn itself failed.
  if (static_cast<ULONG>(status) > 255) return Fail("cannot run namazu-shim");
  return static_cast<int>(status);
}
