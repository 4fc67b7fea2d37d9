#include "plugin/console/run_command.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "core/indexing/command_output.h"
#include "plugin/forms/form.h"
#include "plugin/ui/ui_seam.h"

namespace tvp {

namespace {

// Large enough that a chatty child rarely waits for us while its output
// collects between reads.
constexpr DWORD kPipeBufferSize = 1024 * 1024;
constexpr DWORD kReadSize = 256 * 1024;
// After a short read the next one waits this long, so that the output
// collects in the pipe: a read costs Wine a server round trip, and a console
// child writes in pieces of a few kilobytes. After a long read (the child
// writes faster than we read) the next one follows at once.
constexpr DWORD kReadEveryMs = 10;
constexpr size_t kLongRead = 64 * 1024;
// Output waiting to be shown is shown at most this often (or when too much
// waits): every show costs the window a scroll and a repaint.
constexpr DWORD kShowEveryMs = 100;
// Between quick reads the windows get their messages at least this often.
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

// The pipe a captured child writes into. Our end reads overlapped: the
// capture loop waits for output and window messages together, and a read
// that finds output waiting completes at once.
class OutputPipe {
 public:
  OutputPipe() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)), buffer_(kReadSize, '\0') {}
  ~OutputPipe() {
    if (waiting_) {  // left early: the read must end before its buffer goes
      DWORD got = 0;
      CancelIo(readEnd_.Get());
      GetOverlappedResult(readEnd_.Get(), &overlapped_, &got, TRUE);
    }
    if (event_) CloseHandle(event_);
  }
  OutputPipe(const OutputPipe&) = delete;
  OutputPipe& operator=(const OutputPipe&) = delete;

  // A pipe of our own name (an anonymous pipe cannot be read overlapped),
  // unique to this process and this copy of the code.
  bool Open() {
    static LONG serial = 0;
    char name[96];
    snprintf(name, sizeof name, "\\\\.\\pipe\\tvp-output-%lu-%p-%ld", GetCurrentProcessId(),
             static_cast<void*>(&serial), InterlockedIncrement(&serial));
    if (!event_) return false;
    readEnd_.Reset(CreateNamedPipeA(name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                    PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, kPipeBufferSize,
                                    kPipeBufferSize, 0, nullptr));
    if (readEnd_.Get() == INVALID_HANDLE_VALUE) readEnd_.Reset(nullptr);
    if (!readEnd_.Get()) return false;
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};  // the child inherits the write end
    writeEnd_.Reset(CreateFileA(name, GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, &sa, OPEN_EXISTING, 0, nullptr));
    if (writeEnd_.Get() == INVALID_HANDLE_VALUE) writeEnd_.Reset(nullptr);
    return writeEnd_.Get() != nullptr;
  }
  HANDLE WriteEnd() const { return writeEnd_.Get(); }
  void CloseWriteEnd() { writeEnd_.Close(); }

  // Starts a read, which may end at once. Only when Idle().
  void Start() {
    overlapped_ = {};
    overlapped_.hEvent = event_;
    DWORD got = 0;
    if (ReadFile(readEnd_.Get(), &buffer_[0], kReadSize, &got, &overlapped_)) got_ = got;  // 0: a zero-byte write
    else if (GetLastError() == ERROR_IO_PENDING) waiting_ = true;
    else ended_ = true;  // ERROR_BROKEN_PIPE: the child and its children are gone
  }
  // Neither a read in progress nor output read and not taken.
  bool Idle() const { return !waiting_ && got_ == 0 && !ended_; }
  // A read is in progress: Event() is set when it ends, then call Collect().
  bool Waiting() const { return waiting_; }
  HANDLE Event() const { return event_; }
  void Collect() {
    DWORD got = 0;
    waiting_ = false;
    if (GetOverlappedResult(readEnd_.Get(), &overlapped_, &got, FALSE)) got_ = got;
    else ended_ = true;
  }
  // What the read that ended brought ("" if nothing, or while reading).
  std::string Take() {
    std::string taken(buffer_, 0, got_);
    got_ = 0;
    return taken;
  }
  // The write end is closed everywhere and everything has been taken.
  bool Ended() const { return ended_ && got_ == 0; }

 private:
  HANDLE event_;
  OwnedHandle readEnd_, writeEnd_;
  OVERLAPPED overlapped_ = {};
  std::string buffer_;  // read into; the first got_ bytes not taken yet
  DWORD got_ = 0;
  bool waiting_ = false;
  bool ended_ = false;
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

  OutputPipe pipe;
  if (!pipe.Open()) {
    viewer.RepaintNow();
    ShowError(GetActiveWindow(), kPipeFailureMessage);
    return;
  }
  STARTUPINFOA si = StartupTemplate(SW_HIDE);
  si.dwFlags |= STARTF_USESTDHANDLES;
  si.hStdInput = nullptr;
  si.hStdOutput = pipe.WriteEnd();
  si.hStdError = pipe.WriteEnd();
  PROCESS_INFORMATION pi;
  if (!StartProcess(commandLine, workDir, si, TRUE, 0, pi)) {
    DWORD code = GetLastError();
    pipe.CloseWriteEnd();
    viewer.RepaintNow();
    ReportFailure(commandLine, workDir, code);
    return;
  }
  OwnedHandle process;
  process.Reset(pi.hProcess);
  CloseHandle(pi.hThread);
  pipe.CloseWriteEnd();  // reading ends when the child and its children are gone
  viewer.RepaintNow();   // the header, while the child starts

  OutputLineSplitter splitter;
  PendingLines pending;
  DWORD lastShow = GetTickCount() - kShowEveryMs, lastMessages = GetTickCount(), lastRead = lastShow;
  bool readAtOnce = true;
  for (;;) {
    DWORD now = GetTickCount();
    if (pipe.Idle() && !pending.Full() && (readAtOnce || now - lastRead >= kReadEveryMs)) pipe.Start();
    std::string block = pipe.Take();
    if (!block.empty()) {
      readAtOnce = block.size() >= kLongRead;
      lastRead = now;
      pending.Add(splitter.Feed(block));
    }
    if (pipe.Ended()) break;
    if (!pending.Empty() && (pending.Full() || now - lastShow >= kShowEveryMs)) {
      pending.ShowAll(viewer);
      lastShow = now = GetTickCount();
    }
    // Keep the windows alive: between quick reads every few milliseconds
    // (each pass costs Wine a server round trip), else whenever they ask.
    if (now - lastMessages >= kMessagesEveryMs) {
      ProcessMessages();
      lastMessages = now;
    }
    if (readAtOnce && pipe.Idle()) continue;
    // Wake for output or its end, a message, the next read or output due.
    DWORD timeout = INFINITE;
    if (pipe.Idle()) timeout = kReadEveryMs - std::min(kReadEveryMs, now - lastRead);
    if (!pending.Empty()) timeout = std::min(timeout, kShowEveryMs - std::min(kShowEveryMs, now - lastShow));
    HANDLE h = pipe.Event();
    const DWORD handles = pipe.Waiting() ? 1 : 0;
    DWORD woke = MsgWaitForMultipleObjects(handles, &h, FALSE, timeout, QS_ALLINPUT);
    if (handles == 1 && woke == WAIT_OBJECT_0) {
      pipe.Collect();
    } else if (woke == WAIT_OBJECT_0 + handles) {
      ProcessMessages();
      lastMessages = GetTickCount();
    }
  }
  pending.Add(splitter.Finish());
  pending.ShowAll(viewer);
  WaitForSingleObject(process.Get(), INFINITE);
  process.Close();
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
