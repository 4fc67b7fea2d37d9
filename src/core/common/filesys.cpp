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

bool MatchMask(const std::string& name, const std::string& mask) {
  // "*.*" matches names without a dot too.
  if (mask == "*.*" || mask == "*") return true;
  return Match(LowerAscii(name), 0, LowerAscii(mask), 0);
}

}  // namespace tvp
