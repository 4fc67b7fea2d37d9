#include "core/common/command_line.h"

#include "core/common/sjis.h"

namespace tvp {

size_t CharCount(const std::string& s) {
  size_t n = 0;
  for (size_t i = 0; i < s.size(); i += CharLen(s, i)) ++n;
  return n;
}

bool IsPassableArgument(const std::string& arg) {
  for (size_t i = 0; i < arg.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(arg[i]);
    if (c == 0) return false;
    if (!IsLeadByte(c)) continue;
    if (i + 1 >= arg.size()) return false;
    unsigned char t = static_cast<unsigned char>(arg[++i]);
    if (t < 0x40 || t == 0x7F || t > 0xFC) return false;
  }
  return true;
}

std::string QuoteArgument(const std::string& arg) {
  std::string out = "\"";
  size_t slashes = 0;
  for (size_t i = 0; i < arg.size(); i += CharLen(arg, i)) {
    size_t len = CharLen(arg, i);
    if (len == 1 && arg[i] == '\\') {
      ++slashes;
    } else if (len == 1 && arg[i] == '"') {
      out.append(slashes + 1, '\\');
      slashes = 0;
    } else {
      slashes = 0;
    }
    out.append(arg, i, len);
  }
  out.append(slashes, '\\');  // doubled before the closing quote
  return out + "\"";
}

std::vector<std::string> SplitArguments(const std::string& line) {
  std::vector<std::string> args;
  size_t p = 0, n = line.size();
  for (;;) {
    while (p < n && (line[p] == ' ' || line[p] == '\t')) ++p;
    if (p >= n) break;
    std::string arg;
    bool inQuote = false;
    for (;;) {
      bool copy = true;
      size_t slashes = 0;
      while (p < n && line[p] == '\\') ++p, ++slashes;
      if (p < n && line[p] == '"') {
        if (slashes % 2 == 0) {
          if (inQuote && p + 1 < n && line[p + 1] == '"') {
            ++p;  // "" inside quotes: a literal quote
          } else {
            copy = false;
            inQuote = !inQuote;
          }
        }
        slashes /= 2;
      }
      arg.append(slashes, '\\');
      if (p >= n || (!inQuote && (line[p] == ' ' || line[p] == '\t'))) break;
      if (copy) arg.append(line, p, CharLen(line, p));
      p += copy ? CharLen(line, p) : 1;
    }
    args.push_back(arg);
  }
  return args;
}

}  // namespace tvp
