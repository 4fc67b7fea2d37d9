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
// Output waiting to be shown is shown at most this often (or when too much
// waits): every show costs the window a scroll and a repaint.
constexpr DWORD kShowEveryMs = 100;
constexpr DWORD kMessagesEveryMs = 20;

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
// are shown together when the pipe is empty and a while has passed since
// the last show, or when too much waits.
class PendingLines {
 public:
  void Add(std::vector<std::string> lines) {
    for (std::string& l : lines) {
      bytes_ += l.size();
      lines_.push_back(std::move(l));
    }
  }
  bool Empty() const { return lines_.empty(); }
  // Too much waiting to be shown: show before reading on (bounds the memory).
  bool Full() const { return bytes_ > kMaxPendingBytes; }
  void ShowAll(OutputViewer& viewer) {
    if (lines_.empty()) return;
    std::vector<std::string> shown;
    shown.swap(lines_);
    bytes_ = 0;
    viewer.AppendLines(shown);
    // Follow the output: at least the two lines of a short block.
    viewer.ScrollLines(std::max<int>(2, static_cast<int>(shown.size())));
  }

 private:
  static constexpr size_t kMaxPendingBytes = 1024 * 1024;
  std::vector<std::string> lines_;
  size_t bytes_ = 0;
};


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
  DWORD lastShow = GetTickCount(), lastMessages = lastShow;
  std::string block(kPipeBufferSize, '\0');
  for (;;) {
    DWORD available = 0;
    if (!PeekNamedPipe(readEnd.Get(), nullptr, 0, nullptr, &available, nullptr)) break;  // closed
    DWORD sinceShow = GetTickCount() - lastShow;
    if (available > 0 && !pending.Full()) {
      DWORD got = 0;
      if (!ReadFile(readEnd.Get(), &block[0], std::min<DWORD>(available, kPipeBufferSize), &got, nullptr) || got == 0)
        break;
      pending.Add(splitter.Feed(block.substr(0, got)));
    } else if (!pending.Empty() && (pending.Full() || sinceShow >= kShowEveryMs)) {
      pending.ShowAll(viewer);
      lastShow = GetTickCount();
    } else {
      // Nothing to do: wake for input, the child's end, or when output is due.
      HANDLE h = process.Get();
      MsgWaitForMultipleObjects(1, &h, FALSE, pending.Empty() ? kIdleWaitMs : kShowEveryMs - sinceShow, QS_ALLINPUT);
    }
    // Keep the windows alive; between quick reads not more often than every
    // few milliseconds (each pass costs Wine a server round trip).
    if (GetTickCount() - lastMessages >= kMessagesEveryMs || available == 0) {
      ProcessMessages();
      lastMessages = GetTickCount();
    }
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
