#include "plugin/files/file_utils.h"

#include <windows.h>

#include "core/common/sjis.h"
#include "core/indexing/paths.h"
#include "plugin/files/win_fs.h"

namespace tvp {

void ListFiles(const std::string& dir, const std::string& mask, std::vector<std::string>& list) {
  for (const DirEntry& e : DiskFileSystem().ListDir(dir, mask))
    if (!e.directory && !e.hidden) list.push_back(dir + e.name);
}

void DeleteFiles(const std::string& dir, const std::string& mask) {
  std::vector<std::string> files;
  ListFiles(IncludeTrailingBackslash(dir), mask, files);
  for (const std::string& f : files) DeleteFileA(f.c_str());
}

void CopyFiles(const std::string& source, const std::string& target, int move) {
  std::string from = IncludeTrailingBackslash(source), to = IncludeTrailingBackslash(target);
  std::vector<std::string> files;
  ListFiles(from, "*.*", files);
  for (const std::string& f : files) {
    std::string name = f.substr(from.size());
    if (name == "filelist.txt") continue;
    if (CopyFileA(f.c_str(), (to + name).c_str(), FALSE) && move == 1) DeleteFileA(f.c_str());
  }
}

bool DirectoryExists(const std::string& dir) {
  DWORD a = GetFileAttributesA(ExcludeTrailingBackslash(dir).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::string& dir) {
  std::string d = ExcludeTrailingBackslash(dir);
  if (d.empty() || DirectoryExists(d)) return !d.empty();
  std::string parent = ExcludeTrailingBackslash(ParentDir(d));
  if (!parent.empty() && parent != d && !EndsWith(parent, ":")) ForceDirectories(parent);
  if (CreateDirectoryA(d.c_str(), nullptr)) return true;
  DWORD code = GetLastError();
  if (DirectoryExists(d)) return true;
  SetLastError(code);  // the reason stays for the caller's message
  return false;
}

std::string ShortPathName(const std::string& path) {
  char buf[MAX_PATH * 2];
  DWORD n = GetShortPathNameA(path.c_str(), buf, sizeof buf);
  return (n == 0 || n >= sizeof buf) ? path : std::string(buf, n);
}

std::string TempDirectory() {
  char buf[MAX_PATH + 1];
  DWORD n = GetTempPathA(sizeof buf, buf);
  if (n == 0 || n >= sizeof buf) return std::string();
  return IncludeTrailingBackslash(std::string(buf, n));
}

}  // namespace tvp
