// Timings of the plug-in's Windows side, run under Wine by scripts/bench.
//   tvp_bench capture CHILD BYTES      a child printing BYTES of lines: hidden vs captured into an output
//                                      window, and the peak memory
//   tvp_bench foldertree N             LoadFolderTree over an account of N folders on disk
//   tvp_bench mknmz PERL MAILS         mknmz over MAILS generated mails: run directly vs into an output window
// Each figure is the best of seven runs (of three for a hidden run as in the
// mail client, which is slow), printed on standard error (a hidden
// child writes into our standard output: send it to NUL); ratios as "ratio: x.xx".
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "core/indexing/mknmz.h"
#include "core/mailbox/folder_tree.h"
#include "plugin/files/file_utils.h"
#include "plugin/files/win_fs.h"
#include "plugin/forms/form.h"
#include "plugin/console/frm_window.h"
#include "plugin/console/run_command.h"
#include "bench_timing.h"

using namespace tvp;

namespace {

double Seconds(const std::function<void()>& f, int runs = 7) { return bench::BestSeconds(f, runs); }
using bench::WriteText;

std::string Scratch(const std::string& name) {
  std::string dir = TempDirectory() + name + "\\";
  ForceDirectories(dir);
  return dir;
}

double PeakMegabytes(bool workingSet) {
  PROCESS_MEMORY_COUNTERS m = {};
  m.cb = sizeof m;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m)) return -1;
  return double(workingSet ? m.PeakWorkingSetSize : m.PeakPagefileUsage) / (1024.0 * 1024.0);
}

double ReadSeconds(const std::string& path) {
  double v = 0;
  if (FILE* f = fopen(path.c_str(), "r")) {
    if (fscanf(f, "%lf", &v) != 1) v = 0;
    fclose(f);
  }
  return v;
}

// Hidden vs captured: what the output window costs a chatty child. The
// child's own time (first to last write) shows whether it was held back;
// the whole time adds the view's work of taking in the text. A bare pipe
// drained by a loop that does nothing else, plus an empty window opened and
// closed, is the floor of any capture: what is above it is the view's. The
// hidden run here inherits this program's standard output (a file); in the
// mail client, a window program, the hidden child writes into a console of
// its own, which is measured too.
int Capture(const std::string& child, const std::string& bytes) {
  std::string dir = TempDirectory(), timeFile = dir + "tvpbench-child.txt";
  std::string command = "\"" + child + "\" bytes " + bytes + " \"" + timeFile + "\"";
  double hiddenChild = 1e9, capturedChild = 1e9;
  double hidden = Seconds([&] {
    RunCommand(command, dir, rmHidden, nullptr);
    hiddenChild = std::min(hiddenChild, ReadSeconds(timeFile));
  });
  // Opening and closing the window alone, for comparison.
  double window = Seconds([&] {
    TfrmWindow* w = new TfrmWindow(nullptr);
    w->Show();
    ProcessMessages();
    delete w;
  });
  double captured = Seconds([&] {
    TfrmWindow* window = new TfrmWindow(nullptr);
    window->Show();
    RunCommand(command, dir, rmCapture, &window->edt);
    delete window;
    capturedChild = std::min(capturedChild, ReadSeconds(timeFile));
  });
  // The pipe's own cost: the same child read through a pipe by a loop that only drains it.
  double drainedChild = 1e9;
  double drained = Seconds([&] {
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE readEnd, writeEnd;
    CreatePipe(&readEnd, &writeEnd, &sa, 64 * 1024);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {sizeof si};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = writeEnd;
    PROCESS_INFORMATION pi;
    std::string line = command;
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, dir.c_str(), &si, &pi)) {
      CloseHandle(writeEnd);
      static char buf[64 * 1024];
      DWORD got;
      while (ReadFile(readEnd, buf, sizeof buf, &got, nullptr) && got > 0) {
      }
      WaitForSingleObject(pi.hProcess, INFINITE);
      CloseHandle(pi.hProcess);
      CloseHandle(pi.hThread);
    } else {
      CloseHandle(writeEnd);
    }
    CloseHandle(readEnd);
    drainedChild = std::min(drainedChild, ReadSeconds(timeFile));
  });
  // The hidden run as the mail client makes it: a window program has no
  // console, so the child gets a hidden console of its own to write into
  // (measured last: this process leaves its console for it).
  FreeConsole();
  double hostHidden = Seconds([&] { RunCommand(command, dir, rmHidden, nullptr); }, 3);
  fprintf(stderr,
          "capture of %s bytes of lines\n"
          "  the child's own time: hidden %.3f s, through a bare pipe %.3f s, into the output window %.3f s\n"
          "ratio: %.2f (output window / hidden)\nratio: %.2f (output window / bare pipe)\n"
          "  whole run: hidden %.3f s, into the output window %.3f s (ratio %.2f; opening and closing the "
          "window alone: %.3f s)\n"
          "ratio: %.2f (whole run into the output window less opening and closing it / hidden)\n"
          "  what any capture under Wine pays: the whole run through a bare pipe %.3f s, plus opening and closing the "
          "window %.3f s\n"
          "ratio: %.2f (whole run into the output window / bare pipe run plus window)\n"
          "  the hidden run as in the mail client (no console of its own: the child writes into a hidden console): "
          "%.3f s\n"
          "ratio: %.2f (whole run into the output window / hidden run in the mail client)\n"
          "  peak memory of this process: %.0f MB working set, %.0f MB committed\n",
          bytes.c_str(), hiddenChild, drainedChild, capturedChild, capturedChild / hiddenChild,
          capturedChild / drainedChild, hidden, captured, captured / hidden, window, (captured - window) / hidden,
          drained, drained + window, captured / (drained + window), hostHidden, captured / hostHidden,
          PeakMegabytes(true), PeakMegabytes(false));
  return 0;
}

int FolderTree(int n) {
  std::string account = Scratch("tvpbench-tree");
  std::string order;
  for (int i = 1; i <= n; ++i) {
    char name[16];
    snprintf(name, sizeof name, "user%03d.box", i % 1000);
    if (i < 1000) {
      CreateDirectoryA((account + name).c_str(), nullptr);
      WriteText(account + name + "\\entry.ini", "[Property]\r\nTitle=フォルダ" + std::to_string(i) + "\r\n");
      char token[8];
      snprintf(token, sizeof token, "%03d", i);
      order += token;
    }
  }
  WriteText(account + "account.ini", "[Property]\r\nTitle=bench\r\nOrder=" + order + "\r\n");
  size_t count = 0;
  double t = Seconds([&] { count = LoadFolderTree(DiskFileSystem(), account, "").size(); });
  fprintf(stderr, "folder tree of %zu folders on disk: %.1f ms\n", count, t * 1000);
  return 0;
}

// mknmz over generated mails, run directly (hidden, waited for) vs into an output window.
int Mknmz(const std::string& perl, int mails) {
  std::string account = Scratch("tvpbench-mknmz");
  std::string folder = account + "inbox.box\\";
  ForceDirectories(folder);
  for (int i = 1; i <= mails; ++i) {
    std::string path = folder + std::to_string(i) + ".alm";
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
    WriteText(path, "From: sender" + std::to_string(i % 37) + "@example.jp\r\nTo: you@example.jp\r\nSubject: report " +
                        std::to_string(i) + " budget meeting\r\nDate: Mon, 7 Dec 2026 10:00:00 +0900\r\n"
                        "Message-ID: <" + std::to_string(i) + "@example.jp>\r\n\r\nword" + std::to_string(i) +
                        " alpha beta gamma delta\r\nproject status line " + std::to_string(i * 7) + "\r\n");
  }
  TTVPSettings settings;
  settings.PerlPath = perl;
  settings.mknmzPath = "C:\\namazu\\bin\\mknmz";
  settings.mknmzOption = "--mailnews --allow=\".*\\.alm\"";
  settings.NamazuVersion = "2.0";
  std::string index = account + "Namazu\\inbox";
  auto run = [&](int mode, OutputViewer* viewer) {
    DeleteFiles(index, "NMZ.*");
    ForceDirectories(index);
    MknmzCommand c = MknmzCommandFor(settings, ShortPathName(index), folder, account, 0, mode == rmCapture);
    RunCommand(c.commandLine, c.workDir, mode, viewer);
  };
  double direct = Seconds([&] { run(rmHidden, nullptr); });
  // One output window serves every folder of an update, as in the index dialog.
  TfrmWindow* window = new TfrmWindow(nullptr);
  window->Show();
  double captured = Seconds([&] { run(rmCapture, &window->edt); });
  delete window;
  fprintf(stderr, "mknmz over %d mails: direct %.2f s, output window %.2f s\nratio: %.2f\n", mails, direct, captured,
         captured / direct);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string what = argc > 1 ? argv[1] : "";
  if (what == "capture" && argc > 3) return Capture(argv[2], argv[3]);
  if (what == "foldertree" && argc > 2) return FolderTree(atoi(argv[2]));
  if (what == "mknmz" && argc > 3) return Mknmz(argv[2], atoi(argv[3]));
  fprintf(stderr, "usage: tvp_bench capture CHILD BYTES | foldertree N | mknmz PERL MAILS\n");
  return 2;
}
