// The narrow view of the disk that the portable core needs. The plug-in
// implements it with Win32 calls; native tests use an in-memory one.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tvp {

// A failed write. Carries the path and the system's own error text.
class FileError : public std::runtime_error {
 public:
  FileError(const std::string& path, const std::string& reason)
      : std::runtime_error(path + ": " + reason), path_(path), reason_(reason) {}
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string path_;
  std::string reason_;
};

// A file that exists but could not be read. Writing it now would replace
// what could not be read, so nothing that meets this error writes.
class FileReadError : public FileError {
 public:
  using FileError::FileError;
};

enum class ReadStatus { Ok, Missing, Failed };

struct DirEntry {
  std::string name;        // name only, as the file system spells it
  bool directory = false;
  bool hidden = false;     // hidden or system entry
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Whole contents; false when the file is missing or cannot be read.
  virtual bool ReadFile(const std::string& path, std::string& contents) const = 0;
  // Whole contents, telling a missing file from one that exists but cannot
  // be read (its reason in `reason`). This default asks FileExists.
  virtual ReadStatus TryReadFile(const std::string& path, std::string& contents, std::string& reason) const;
  // Replaces the file as a whole in one step, never leaving a half-written
  // file behind. Throws FileError.
  virtual void WriteFile(const std::string& path, const std::string& contents) = 0;
  virtual bool FileExists(const std::string& path) const = 0;
  // Entries of `dir` (ending in a backslash) whose names match `mask`
  // ("*.box", "*.*"), in the order the file system returns them.
  virtual std::vector<DirEntry> ListDir(const std::string& dir, const std::string& mask) const = 0;
};

// Wildcard match as the file system does it for FindFirstFile: '*' and '?',
// letter case ignored (ASCII).
bool MatchMask(const std::string& name, const std::string& mask);

}  // namespace tvp
