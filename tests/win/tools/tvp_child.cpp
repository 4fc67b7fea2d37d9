// A console program that the Windows tests start as a child process.
//   tvp_child lines N         N numbered lines (written in blocks of 64 KB, as a
//                             program buffers its output into a pipe)
//   tvp_child bytes N [FILE]  about N bytes of lines, as fast as possible; the
//                             seconds it took go into FILE
//   tvp_child chunks          text in pieces without line feeds, then a tail
//   tvp_child silent          nothing
//   tvp_child stderr          one line on standard error
//   tvp_child cwd             the working directory
//   tvp_child touch FILE MS   waits MS milliseconds, then creates FILE
//   tvp_child mknmz-fake ...  plays mknmz: writes NMZ.i into the directory of
//                             --output-dir= or -O, holding its working
//                             directory and arguments, and prints a line per file
//   tvp_child mknmz-wait ...  the same once the file of --wait=FILE exists
//   (copied as namazu.exe)    plays namazu: records its working directory and
//                             command line in namazu-fake.log next to itself and
//                             copies namazu-fake.txt from there, if there is one,
//                             to the file of --output= or -o
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

static void Put(const char* s) {
  fputs(s, stdout);
  fflush(stdout);
}

static std::string OwnDir(std::string* name) {
  char path[MAX_PATH];
  std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  size_t slash = self.find_last_of('\\');
  *name = self.substr(slash + 1);
  return self.substr(0, slash + 1);
}

static void PlayNamazu(const std::string& dir, int argc, char** argv) {
  char cwd[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, cwd);
  if (FILE* log = fopen((dir + "namazu-fake.log").c_str(), "wb")) {
    fprintf(log, "%s\n%s\n", cwd, GetCommandLineA());
    fclose(log);
  }
  std::string out;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a.rfind("--output=", 0) == 0) out = a.substr(9);
    if (a == "-o" && i + 1 < argc) out = argv[i + 1];
  }
  if (!out.empty()) CopyFileA((dir + "namazu-fake.txt").c_str(), out.c_str(), FALSE);
}

int main(int argc, char** argv) {
  std::string name, dir = OwnDir(&name);
  if (_stricmp(name.c_str(), "namazu.exe") == 0) {
    PlayNamazu(dir, argc, argv);
    return 0;
  }
  std::string what = argc > 1 ? argv[1] : "";
  if (what == "lines") {
    static char buf[1 << 16];
    setvbuf(stdout, buf, _IOFBF, sizeof buf);
    for (int i = 1, n = argc > 2 ? atoi(argv[2]) : 3; i <= n; ++i) {
      char line[32];
      snprintf(line, sizeof line, "line %d\n", i);
      fputs(line, stdout);
    }
  } else if (what == "bytes") {
    static char buf[1 << 16];
    std::string line = "mknmz: indexing Z:\\mail\\acct\\user001.box\\1234.alm (12345 bytes) ...\n";
    long total = argc > 2 ? atol(argv[2]) : 1 << 20;
    setvbuf(stdout, buf, _IOFBF, sizeof buf);
    LARGE_INTEGER freq, start, end;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    for (long written = 0; written < total; written += static_cast<long>(line.size())) fputs(line.c_str(), stdout);
    fflush(stdout);
    QueryPerformanceCounter(&end);
    if (argc > 3)
      if (FILE* f = fopen(argv[3], "w")) {
        fprintf(f, "%f\n", double(end.QuadPart - start.QuadPart) / double(freq.QuadPart));
        fclose(f);
      }
  } else if (what == "chunks") {
    Put("abc");
    Sleep(150);
    Put("def");
    Sleep(150);
    Put("ghi\r\nsecond");
    Sleep(150);
    Put(" line\r\ntail without a line feed");
  } else if (what == "stderr") {
    fputs("to stderr\n", stderr);
  } else if (what == "cwd") {
    char dir[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, dir);
    printf("%s\n", dir);
  } else if (what == "mknmz-fake" || what == "mknmz-wait") {
    std::string out, args, release;
    for (int i = 2; i < argc; ++i) {
      std::string a = argv[i];
      args += "[" + a + "]";
      if (a.rfind("--output-dir=", 0) == 0) out = a.substr(13);
      if (a == "-O" && i + 1 < argc) out = argv[i + 1];
      if (a.rfind("--wait=", 0) == 0) release = a.substr(7);
    }
    // mknmz-wait hangs until the file of --wait= exists (at most a minute).
    for (int waited = 0; !release.empty() && GetFileAttributesA(release.c_str()) == INVALID_FILE_ATTRIBUTES &&
                         waited < 60000;
         waited += 20)
      Sleep(20);
    char dir[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, dir);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA("*.alm", &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do printf("%s\n", fd.cFileName);
      while (FindNextFileA(h, &fd));
      FindClose(h);
    }
    if (FILE* f = fopen((out + "\\NMZ.i").c_str(), "wb")) {
      fprintf(f, "%s\n%s\n", dir, args.c_str());
      fclose(f);
    }
  } else if (what == "touch" && argc > 3) {
    Sleep(atoi(argv[3]));
    if (FILE* f = fopen(argv[2], "w")) fclose(f);
  }
  return 0;
}
