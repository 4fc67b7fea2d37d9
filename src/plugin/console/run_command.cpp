#include "plugin/console/run_command.h"

#include <windows.h>

#include <algorithm>

#include "core/indexing/command_output.h"
#include "plugin/forms/form.h"
#include "plugin/ui/ui_seam.h"

namespace tvp {

namespace {

// Large enough that a chatty child (a line per indexed mail) rarely waits for us.
constexpr DWORD kPipeBufferSize = 64 * 1024;
constexpr DWORD kIdleWaitMs = 50;

void ReportFailure(const std::string& commandLine, const std::string& workDir, DWORD code) {
  ShowError(GetActiveWindow(), RunFailureMessage(workDir, commandLine, code));
}

bool StartProcess(const std::string& commandLine, const std::string& workDir, STARTUPINFOA& si, BOOL inherit,
                  DWORD flags, PROCESS_INFORMATION& pi) {
  std::string mutableLine = commandLine;  // CreateProcessA may write into it
  return CreateProcessA(nullptr, &mutableLine[0], nullptr, nullptr, inherit, flags, nullptr,
                        workDir.empty() ? nullptr : workDir.c_str(), &si, &pi) != 0;
}

STARTUPINFOA StartupTemplate(WORD show) {
  STARTUPINFOA si;
  GetStartupInfoA(&si);
  si.cb = sizeof si;
  si.lpReserved = nullptr;
  si.cbReserved2 = 0;
  si.lpReserved2 = nullptr;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = show;
  return si;
}

void RunAndWait(const std::string& commandLine, const std::string& workDir, WORD show) {
  STARTUPINFOA si = StartupTemplate(show);
  PROCESS_INFORMATION pi;
  if (!StartProcess(commandLine, workDir, si, FALSE, CREATE_DEFAULT_ERROR_MODE, pi)) {
    ReportFailure(commandLine, workDir, GetLastError());
    return;
  }
  WaitForSingleObject(pi.hProcess, INFINITE);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

// Lines read from the pipe and not shown yet. Reading comes first, so that
// the child never waits for a full pipe while the view is busy; the lines
// are shown in slices whenever the pipe is empty.
class PendingLines {
 public:
  void Add(std::vector<std::string> lines) {
    for (std::string& l : lines) {
      bytes_ += l.size();
      lines_.push_back(std::move(l));
    }
  }
  bool Empty() const { return shown_ == lines_.size(); }
  // Too much waiting to be shown: show before reading on (bounds the memory).
  bool Full() const { return bytes_ > kMaxPendingBytes; }
  // Shows at most `max` lines.
  void ShowSome(OutputViewer& viewer, size_t max) {
    size_t end = std::min(lines_.size(), shown_ + max);
    if (end == shown_) return;
    std::vector<std::string> slice(std::make_move_iterator(lines_.begin() + shown_),
                                   std::make_move_iterator(lines_.begin() + end));
    for (const std::string& l : slice) bytes_ -= l.size();
    viewer.AppendLines(slice);
    // Follow the output: at least the two lines of a short block.
    viewer.ScrollLines(std::max<int>(2, static_cast<int>(slice.size())));
    shown_ = end;
    if (Empty()) {
      lines_.clear();
      shown_ = 0;
    }
  }
  void ShowAll(OutputViewer& viewer) { ShowSome(viewer, lines_.size()); }

 private:
  static constexpr size_t kMaxPendingBytes = 8 * 1024 * 1024;
  std::vector<std::string> lines_;
  size_t shown_ = 0;
  size_t bytes_ = 0;
};

// Lines shown per slice while the child may still be writing.
constexpr size_t kSliceLines = 256;

// A handle closed when it goes out of scope.
class OwnedHandle {
 public:
  OwnedHandle() = default;
  ~OwnedHandle() { Close(); }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  HANDLE* Receive() { return &h_; }
  HANDLE Get() const { return h_; }
  void Reset(HANDLE h) {
    Close();
    h_ = h;
  }
  void Close() {
    if (h_) CloseHandle(h_);
    h_ = nullptr;
  }

 private:
  HANDLE h_ = nullptr;
};

// The viewer's finished flag, set to 1 however the capture ends (also when
// showing the output throws), so that the output window can be closed.
class FinishedOnExit {
 public:
  explicit FinishedOnExit(OutputViewer& viewer) : viewer_(viewer) { viewer_.finished = 0; }
  ~FinishedOnExit() { viewer_.finished = 1; }

 private:
  OutputViewer& viewer_;
};

void Capture(const std::string& commandLine, const std::string& workDir, OutputViewer& viewer) {
  FinishedOnExit finished(viewer);
  if (viewer.HasLines()) viewer.AppendLines({"", ""});
  viewer.AppendLines(CaptureHeaderLines(workDir, commandLine));
  viewer.MoveCaretToEnd();
  viewer.RepaintNow();

  SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
  OwnedHandle readEnd, writeEnd;
  if (!CreatePipe(readEnd.Receive(), writeEnd.Receive(), &sa, kPipeBufferSize)) {
    ShowError(GetActiveWindow(), kPipeFailureMessage);
    return;
  }
  SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);  // the child needs only the write end

  STARTUPINFOA si = StartupTemplate(SW_HIDE);
  si.dwFlags |= STARTF_USESTDHANDLES;
  si.hStdInput = nullptr;
  si.hStdOutput = writeEnd.Get();
  si.hStdError = writeEnd.Get();
  PROCESS_INFORMATION pi;
  if (!StartProcess(commandLine, workDir, si, TRUE, 0, pi)) {
    DWORD code = GetLastError();
    readEnd.Close();
    writeEnd.Close();
    ReportFailure(commandLine, workDir, code);
    return;
  }
  OwnedHandle process;
  process.Reset(pi.hProcess);
  CloseHandle(pi.hThread);
  writeEnd.Close();  // reading ends when the child and its children are gone

  OutputLineSplitter splitter;
  PendingLines pending;
  std::string block(kPipeBufferSize, '\0');
  for (;;) {
    DWORD available = 0;
    if (!PeekNamedPipe(readEnd.Get(), nullptr, 0, nullptr, &available, nullptr)) break;  // closed
    if (available > 0 && !pending.Full()) {
      DWORD got = 0;
      if (!ReadFile(readEnd.Get(), &block[0], std::min<DWORD>(available, kPipeBufferSize), &got, nullptr) || got == 0)
        break;
      pending.Add(splitter.Feed(block.substr(0, got)));
    } else if (!pending.Empty()) {
      pending.ShowSome(viewer, kSliceLines);
    } else {
      // Nothing to do: wake for input, the child's end, or soon.
      HANDLE h = process.Get();
      MsgWaitForMultipleObjects(1, &h, FALSE, kIdleWaitMs, QS_ALLINPUT);
    }
    ProcessMessages();
  }
  pending.Add(splitter.Finish());
  pending.ShowAll(viewer);
  WaitForSingleObject(process.Get(), INFINITE);
  process.Close();
  readEnd.Close();
  viewer.AppendLines({""});
  viewer.ScrollLines(10);
}

}  // namespace

void RunCommand(const std::string& commandLine, const std::string& workDir, int mode, OutputViewer* viewer) {
  switch (mode) {
    case rmHidden:
      RunAndWait(commandLine, workDir, SW_HIDE);
      break;
    case rmNormal:
      RunAndWait(commandLine, workDir, SW_SHOWNORMAL);
      break;
    case rmMinimized:
      RunAndWait(commandLine, workDir, SW_SHOWMINNOACTIVE);
      break;
    case rmCapture:
      if (viewer) Capture(commandLine, workDir, *viewer);
      else RunAndWait(commandLine, workDir, SW_HIDE);
      break;
    default:
      break;
  }
}

}  // namespace tvp
