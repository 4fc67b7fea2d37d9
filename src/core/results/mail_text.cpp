#include "core/results/mail_text.h"

#include <algorithm>

#include "core/common/sjis.h"

namespace tvp {

namespace {

int FirstEmptyLine(const std::vector<std::string_view>& lines) {
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].empty()) return static_cast<int>(i);
  return -1;
}

std::string JoinFrom(const std::vector<std::string_view>& lines, size_t from) {
  std::string text;
  for (size_t i = from; i < lines.size(); ++i) {
    text.append(lines[i]);
    text += "\r\n";
  }
  return text;
}

}  // namespace

int BodyStartLine(const std::vector<std::string_view>& lines) {
  int j = FirstEmptyLine(lines);
  if (j < 0) return -1;
  size_t k = static_cast<size_t>(j);
  while (k < lines.size() && lines[k].empty()) ++k;
  return static_cast<int>(k);
}

std::string WholeMailText(const std::vector<std::string_view>& lines) { return JoinFrom(lines, 0); }

std::string BodyOnlyText(const std::vector<std::string_view>& lines) {
  int j = FirstEmptyLine(lines);
  if (j < 0) return std::string();
  std::string text = JoinFrom(lines, static_cast<size_t>(j) + 1);
  if (static_cast<size_t>(j) + 1 < lines.size() && !lines.back().empty()) text += '\r';
  return text;
}

std::string MailNameForHost(const std::string& mailPath, const std::string& mailboxRoot) {
  std::string name = mailPath.substr(std::min(mailboxRoot.size(), mailPath.size()));
  size_t dot = FindLast(name, ".");
  size_t slash = FindLast(name, "\\");
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) name.erase(dot);
  return name;
}

}  // namespace tvp
