#include "plugin/files/win_fs.h"

#include "core/common/sjis.h"

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

}  // namespace

std::string SystemErrorText(DWORD code) {
  char buf[512] = {0};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buf,
                           sizeof buf, nullptr);
  std::string text = Trim(std::string(buf, n));
  return text.empty() ? "error " + std::to_string(code) : text;
}

bool WinFileSystem::ReadFile(const std::string& path, std::string& contents) const {
  Handle f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f.Valid()) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(f.Get(), &size) || size.QuadPart > 256 * 1024 * 1024) return false;
  std::string data(static_cast<size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!data.empty() && (!::ReadFile(f.Get(), &data[0], static_cast<DWORD>(data.size()), &got, nullptr)))
    return false;
  data.resize(got);
  contents.swap(data);
  return true;
}

void WinFileSystem::WriteFile(const std::string& path, const std::string& contents) {
  std::string temp = path + ".tmp" + std::to_string(GetCurrentProcessId());
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
  if (!MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DWORD code = GetLastError();
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
