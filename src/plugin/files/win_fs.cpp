#include "plugin/files/win_fs.h"

#include "core/common/sjis.h"
#include "core/indexing/paths.h"

namespace tvp {

namespace {

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  bool Close() {
    bool ok = true;
    if (Valid()) ok = CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

[[noreturn]] void Fail(const std::string& path, DWORD code) { throw FileError(path, SystemErrorText(code)); }

// Another program (a virus scanner, a second copy of the mail client) may
// hold the file for a few milliseconds: such failures are tried again for
// a while before they count.
constexpr DWORD kBusyRetryMs = 500;
constexpr DWORD kBusyPauseMs = 5;

bool IsBusy(DWORD code) {
  return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED;
}

// Runs `attempt` (true: done) again while it fails with a busy error, within the bound.
template <typename Attempt>
DWORD RetryWhileBusy(Attempt attempt) {
  DWORD start = GetTickCount();
  for (;;) {
    if (attempt()) return ERROR_SUCCESS;
    DWORD code = GetLastError();
    if (!IsBusy(code) || GetTickCount() - start >= kBusyRetryMs) return code ? code : ERROR_READ_FAULT;
    Sleep(kBusyPauseMs);
  }
}

constexpr LONGLONG kMaxReadBytes = 256LL * 1024 * 1024;

}  // namespace

std::string SystemErrorText(DWORD code) {
  char buf[512] = {0};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buf,
                           sizeof buf, nullptr);
  std::string text = Trim(std::string(buf, n));
  return text.empty() ? "error " + std::to_string(code) : text;
}

bool WinFileSystem::ReadFile(const std::string& path, std::string& contents) const {
  std::string reason;
  return TryReadFile(path, contents, reason) == ReadStatus::Ok;
}

ReadStatus WinFileSystem::TryReadFile(const std::string& path, std::string& contents, std::string& reason) const {
  std::string data;
  bool tooLarge = false;
  DWORD code = RetryWhileBusy([&] {
    // Sharing deletion too: our reading must not make another writer's replace fail.
    Handle f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f.Valid()) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(f.Get(), &size)) return false;
    if (size.QuadPart > kMaxReadBytes) {
      tooLarge = true;
      return true;
    }
    data.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!data.empty() && !::ReadFile(f.Get(), &data[0], static_cast<DWORD>(data.size()), &got, nullptr))
      return false;
    data.resize(got);
    return true;
  });
  if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return ReadStatus::Missing;
  if (code != ERROR_SUCCESS || tooLarge) {
    reason = tooLarge ? "ファイルが大きすぎます（256MBまで）。" : SystemErrorText(code);
    return ReadStatus::Failed;
  }
  contents.swap(data);
  return ReadStatus::Ok;
}

std::string TempNameFor(const std::string& path) {
  // As short as the name it stands in for, so that a path that fits fits
  // with it; one per process: two processes never share one.
  char name[16];
  wsprintfA(name, "tvp%04X.tmp", static_cast<unsigned>((GetCurrentProcessId() >> 2) & 0xFFFF));
  return ParentDir(path) + name;
}

void WinFileSystem::WriteFile(const std::string& path, const std::string& contents) {
  std::string temp = TempNameFor(path);
  {
    Handle f(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f.Valid()) Fail(path, GetLastError());
    DWORD written = 0;
    bool ok = contents.empty() ||
              (::WriteFile(f.Get(), contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
               written == contents.size());
    ok = ok && FlushFileBuffers(f.Get());
    DWORD code = GetLastError();
    ok = f.Close() && ok;
    if (!ok) {
      DeleteFileA(temp.c_str());
      Fail(path, code ? code : ERROR_WRITE_FAULT);
    }
  }
  DWORD code = RetryWhileBusy([&] {
    return MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  });
  if (code != ERROR_SUCCESS) {
    DeleteFileA(temp.c_str());
    Fail(path, code);
  }
}

bool WinFileSystem::FileExists(const std::string& path) const {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<DirEntry> WinFileSystem::ListDir(const std::string& dir, const std::string& mask) const {
  std::vector<DirEntry> out;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + mask).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return out;
  do {
    std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    out.push_back({name, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                   (fd.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0});
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return out;
}

WinFileSystem& DiskFileSystem() {
  static WinFileSystem fs;
  return fs;
}

}  // namespace tvp
