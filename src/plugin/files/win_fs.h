// FileSystem on Win32 (ANSI functions, Shift-JIS paths).
#pragma once

#include <windows.h>

#include "core/common/filesys.h"

namespace tvp {

class WinFileSystem : public FileSystem {
 public:
  bool ReadFile(const std::string& path, std::string& contents) const override;
  // A file another program holds for a moment is tried again for a while;
  // one over 256 MB is not read (Failed).
  ReadStatus TryReadFile(const std::string& path, std::string& contents, std::string& reason) const override;
  // Writes a temporary file in the same directory, flushes it and moves it
  // over the old file in one step.
  void WriteFile(const std::string& path, const std::string& contents) override;
  bool FileExists(const std::string& path) const override;
  std::vector<DirEntry> ListDir(const std::string& dir, const std::string& mask) const override;
};

WinFileSystem& DiskFileSystem();

// The temporary file that WriteFile writes before it replaces `path`: in the
// same directory, a name no longer than "tarvikp.ini", one per process.
std::string TempNameFor(const std::string& path);

// The system's text for an error code ("アクセスが拒否されました。" ...), trimmed.
std::string SystemErrorText(DWORD code);

}  // namespace tvp
