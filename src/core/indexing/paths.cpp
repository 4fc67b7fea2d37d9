#include "core/indexing/paths.h"

#include "core/common/sjis.h"

namespace tvp {

std::string UrlToPath(const std::string& url) {
  for (const char* scheme : {"http://", "ftp://", "gopher://", "telnet://"})
    if (StartsWith(url, scheme)) return url;
  std::string path = StartsWith(url, "file://") ? url.substr(7) : url;
  path = ReplaceAll(ReplaceAll(path, "/", "\\"), "|", ":");
  if (StartsWith(path, "\\")) path.erase(0, 1);
  return path;
}

std::string PathToUrl(const std::string& path) {
  std::string url = "/" + path;
  size_t colon = Find(url, ":");
  if (colon != std::string::npos) url = UpperAscii(url.substr(0, colon)) + ReplaceAll(url.substr(colon), ":", "|");
  return ReplaceAll(url, "\\", "/");
}

int LastPos(const std::string& text, const std::string& sub) {
  if (sub.empty()) return 0;
  size_t pos = FindLast(text, sub);
  return pos == std::string::npos ? 0 : static_cast<int>(pos) + 1;
}

std::string ParentDir(const std::string& path) {
  size_t delimiter = std::string::npos;
  for (size_t i = 0; i < path.size();) {
    size_t next = i + CharLen(path, i);
    if (next >= path.size()) break;  // the last character itself does not count
    if (path[i] == '\\' || path[i] == '/') delimiter = i;
    i = next;
  }
  return delimiter == std::string::npos ? std::string() : path.substr(0, delimiter + 1);
}

std::string ExtractFileDir(const std::string& path) {
  size_t last = std::string::npos, beforeLast = std::string::npos;
  auto delimiter = [&](size_t i) { return i != std::string::npos && (path[i] == '\\' || path[i] == ':'); };
  for (size_t i = 0, previous = std::string::npos; i < path.size(); previous = i, i += CharLen(path, i)) {
    if (delimiter(i)) {
      last = i;
      beforeLast = previous;
    }
  }
  if (last == std::string::npos) return std::string();
  // A backslash goes unless it is the root of a drive or of the path.
  bool keep = path[last] == ':' || last == 0 || delimiter(beforeLast);
  return path.substr(0, keep ? last + 1 : last);
}

}  // namespace tvp
