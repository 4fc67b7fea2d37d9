#include "win/win_support.h"

#include <fstream>
#include <sstream>

#include "plugin/forms/form.h"

namespace tvp::test {

ScratchDir::ScratchDir() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  path_ = std::string(temp) + "tvptest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter) + "\\";
  RemoveTree(path_);
  CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchDir::~ScratchDir() { RemoveTree(path_); }

void RemoveTree(const std::string& dir) {
  std::string d = dir;
  if (!d.empty() && d.back() != '\\') d += '\\';
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((d + "*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(d + name);
      } else {
        SetFileAttributesA((d + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA((d + name).c_str());
      }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(d.c_str());
}

void CopyTree(const std::string& from, const std::string& to) {
  std::string f = from.back() == '\\' ? from : from + "\\", t = to.back() == '\\' ? to : to + "\\";
  CreateDirectoryA(t.c_str(), nullptr);
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((f + "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) CopyTree(f + name, t + name);
    else CopyFileA((f + name).c_str(), (t + name).c_str(), FALSE);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}

std::string ShimDir() {
  char buf[MAX_PATH];
  DWORD n = GetFullPathNameA((ProgramDir() + "..\\namazu-shim\\").c_str(), MAX_PATH, buf, nullptr);
  return std::string(buf, n);
}

std::string ShortPath(const std::string& path) {
  char buf[MAX_PATH];
  DWORD n = GetShortPathNameA(path.c_str(), buf, MAX_PATH);
  return std::string(buf, n);
}

// Runs a command line in a directory with standard output and standard error
// captured through an anonymous pipe; the exit code, or -1 if it did not start.
int RunCaptured(const std::string& commandLine, const std::string& dir, std::string* output) {
  SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
  HANDLE readEnd, writeEnd;
  if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return -1;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si = {sizeof si};
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = si.hStdError = writeEnd;
  PROCESS_INFORMATION pi;
  std::string cmd = commandLine;
  BOOL started = CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, dir.c_str(), &si, &pi);
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    return -1;
  }
  output->clear();
  char buf[4096];
  DWORD got;
  while (ReadFile(readEnd, buf, sizeof buf, &got, nullptr) && got > 0) output->append(buf, got);
  CloseHandle(readEnd);
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return static_cast<int>(code);
}

namespace {
std::function<void(tvp::Form&)> g_drive;
bool g_timedOut = false;

void CALLBACK DriveTimer(HWND, UINT, UINT_PTR id, DWORD) {
  // Only a form that waits in its modal loop is driven: while it is still
  // being made or shown (an automatic update runs there, letting messages
  // through), the driver tries again on the next tick.
  tvp::Form* form = tvp::Form::ActiveModal();
  if (!form || !form->ModalLoopRunning()) return;
  KillTimer(nullptr, id);
  // A copy: a drive that opens a nested form replaces g_drive while it runs.
  std::function<void(tvp::Form&)> drive = g_drive;
  drive(*form);
}

void CALLBACK TimeoutTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (tvp::Form* form = tvp::Form::ActiveModal()) {
    g_timedOut = true;
    form->SetModalResult(tvp::mrCancel);
  }
}
}  // namespace

bool WhileModal(const std::function<void()>& open, const std::function<void(tvp::Form&)>& drive, unsigned delayMs,
                unsigned timeoutMs) {
  g_drive = drive;
  g_timedOut = false;
  UINT_PTR driveTimer = SetTimer(nullptr, 0, delayMs, DriveTimer);
  UINT_PTR timeout = SetTimer(nullptr, 0, timeoutMs, TimeoutTimer);
  open();
  KillTimer(nullptr, driveTimer);
  KillTimer(nullptr, timeout);
  return !g_timedOut;
}

std::string ReadFileText(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

void WriteFileText(const std::string& path, const std::string& text) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << text;
}

bool FileExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ProgramDir() {
  char buf[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string p(buf, n);
  return p.substr(0, p.find_last_of('\\') + 1);
}

std::string SourceDir() {
  char buf[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(MAX_PATH, buf);
  std::string p(buf, n);
  return p.back() == '\\' ? p : p + "\\";
}

}  // namespace tvp::test
