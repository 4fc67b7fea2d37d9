#include "core/common/sjis.h"

#include <cctype>
#include <climits>

namespace tvp {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

size_t CharLen(const std::string& s, size_t i) {
  return (i + 1 < s.size() && IsLeadByte(static_cast<unsigned char>(s[i]))) ? 2 : 1;
}

size_t Find(const std::string& s, const std::string& pat, size_t from) {
  if (pat.empty()) return from <= s.size() ? from : std::string::npos;
  // Walk from the start so that character boundaries are known.
  for (size_t i = 0; i < s.size(); i += CharLen(s, i)) {
    if (i < from) continue;
    if (s.size() - i < pat.size()) break;
    if (s.compare(i, pat.size(), pat) == 0) return i;
  }
  return std::string::npos;
}

size_t FindLast(const std::string& s, const std::string& pat) {
  if (pat.empty()) return s.size();
  // One pass over the character boundaries: linear however many matches.
  size_t last = std::string::npos;
  for (size_t i = 0; i < s.size() && s.size() - i >= pat.size(); i += CharLen(s, i))
    if (s[i] == pat[0] && s.compare(i, pat.size(), pat) == 0) last = i;
  return last;
}

bool Contains(const std::string& s, const std::string& pat) { return Find(s, pat) != std::string::npos; }

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& s, const std::string& suffix) {
  if (s.size() < suffix.size()) return false;
  size_t start = s.size() - suffix.size();
  if (s.compare(start, suffix.size(), suffix) != 0) return false;
  // The match must begin on a character boundary.
  size_t i = 0;
  while (i < start) i += CharLen(s, i);
  return i == start;
}

std::string ReplaceAll(const std::string& s, const std::string& from, const std::string& to) {
  if (from.empty()) return s;
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    if (s.compare(i, from.size(), from) == 0) {
      out += to;
      i += from.size();
    } else {
      size_t n = CharLen(s, i);
      out.append(s, i, n);
      i += n;
    }
  }
  return out;
}

static std::string MapAscii(const std::string& s, int (*f)(int)) {
  std::string out = s;
  for (size_t i = 0; i < out.size(); i += CharLen(out, i)) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (c < 0x80) out[i] = static_cast<char>(f(c));
  }
  return out;
}

std::string LowerAscii(const std::string& s) { return MapAscii(s, [](int c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }); }
std::string UpperAscii(const std::string& s) { return MapAscii(s, [](int c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }); }
bool EqualsNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && LowerAscii(a) == LowerAscii(b);
}

static bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string TrimRight(const std::string& s) {
  size_t e = s.size();
  while (e > 0 && IsBlank(s[e - 1])) --e;
  return s.substr(0, e);
}

// Calls add(start, length) for every line of s.
template <typename Add>
static void ForEachLine(std::string_view s, Add add) {
  size_t start = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\r' && s[i] != '\n') continue;
    add(start, i - start);
    if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < s.size()) add(start, s.size() - start);
}

std::vector<std::string> SplitLines(const std::string& s) {
  std::vector<std::string> lines;
  ForEachLine(s, [&](size_t start, size_t length) { lines.emplace_back(s, start, length); });
  return lines;
}

std::vector<std::string_view> SplitLineViews(std::string_view s) {
  std::vector<std::string_view> lines;
  ForEachLine(s, [&](size_t start, size_t length) { lines.push_back(s.substr(start, length)); });
  return lines;
}

int ToIntDef(const std::string& text, int fallback) {
  std::string s = Trim(text);
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i == s.size()) return fallback;
  long long v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return fallback;
    v = v * 10 + (s[i] - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) return fallback;
  }
  if (negative) v = -v;
  if (v > INT_MAX || v < INT_MIN) return fallback;
  return static_cast<int>(v);
}

bool EndsWithBackslash(const std::string& path) { return EndsWith(path, "\\"); }

std::string IncludeTrailingBackslash(const std::string& path) {
  return EndsWithBackslash(path) ? path : path + "\\";
}

std::string ExcludeTrailingBackslash(const std::string& path) {
  return EndsWithBackslash(path) ? path.substr(0, path.size() - 1) : path;
}

}  // namespace tvp
