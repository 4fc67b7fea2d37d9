// An in-memory file system for the core's tests. Paths are compared without
// regard to ASCII letter case, as on Windows; directories are implied by the
// files below them and can also be added empty.
#pragma once

#include <map>
#include <set>

#include "core/common/filesys.h"
#include "core/common/sjis.h"

namespace tvp::test {

class MemoryFileSystem : public FileSystem {
 public:
  bool ReadFile(const std::string& path, std::string& contents) const override {
    auto it = files_.find(LowerAscii(path));
    if (it == files_.end() || failReads) return false;
    contents = it->second.second;
    return true;
  }
  void WriteFile(const std::string& path, const std::string& contents) override {
    if (failWrites) throw FileError(path, "disk full");
    ++writes;
    files_[LowerAscii(path)] = {path, contents};
  }
  bool FileExists(const std::string& path) const override { return files_.count(LowerAscii(path)) > 0; }

  std::vector<DirEntry> ListDir(const std::string& dir, const std::string& mask) const override {
    std::vector<DirEntry> out;
    std::set<std::string> seen;
    auto add = [&](const std::string& full, bool isDir) {
      if (!StartsWith(LowerAscii(full), LowerAscii(dir))) return;
      std::string rest = full.substr(dir.size());
      size_t slash = Find(rest, "\\");
      bool directory = isDir || slash != std::string::npos;
      std::string name = slash == std::string::npos ? rest : rest.substr(0, slash);
      if (name.empty() || !seen.insert(LowerAscii(name)).second || !MatchMask(name, mask)) return;
      out.push_back({name, directory, hidden_.count(LowerAscii(dir + name)) > 0});
    };
    for (const auto& d : dirs_) add(d, true);
    for (const auto& f : files_) add(f.second.first, false);
    return out;
  }

  void AddFile(const std::string& path, const std::string& contents) { files_[LowerAscii(path)] = {path, contents}; }
  // Directories are listed in the order they were added, before plain files.
  void AddDir(const std::string& path) { dirs_.push_back(ExcludeTrailingBackslash(path)); }
  void SetHidden(const std::string& path) { hidden_.insert(LowerAscii(ExcludeTrailingBackslash(path))); }
  std::string Contents(const std::string& path) const {
    std::string s;
    ReadFile(path, s);
    return s;
  }

  bool failWrites = false;
  bool failReads = false;  // existing files cannot be read
  int writes = 0;

 private:
  std::map<std::string, std::pair<std::string, std::string>> files_;  // lower-case path -> (path, contents)
  std::vector<std::string> dirs_;
  std::set<std::string> hidden_;
};

}  // namespace tvp::test
