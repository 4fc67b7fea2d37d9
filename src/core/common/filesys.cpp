#include "core/common/filesys.h"

#include "core/common/sjis.h"

namespace tvp {

static bool Match(const std::string& n, size_t i, const std::string& m, size_t j) {
  while (j < m.size()) {
    if (m[j] == '*') {
      while (j < m.size() && m[j] == '*') ++j;
      if (j == m.size()) return true;
      for (size_t k = i; k <= n.size(); ++k)
        if (Match(n, k, m, j)) return true;
      return false;
    }
    if (i >= n.size()) return false;
    if (m[j] != '?' && m[j] != n[i]) return false;
    ++i;
    ++j;
  }
  return i == n.size();
}

ReadStatus FileSystem::TryReadFile(const std::string& path, std::string& contents, std::string& reason) const {
  if (ReadFile(path, contents)) return ReadStatus::Ok;
  if (!FileExists(path)) return ReadStatus::Missing;
  reason = "読み込みに失敗しました。";
  return ReadStatus::Failed;
}

bool MatchMask(const std::string& name, const std::string& mask) {
  // "*.*" matches names without a dot too.
  if (mask == "*.*" || mask == "*") return true;
  return Match(LowerAscii(name), 0, LowerAscii(mask), 0);
}

}  // namespace tvp
