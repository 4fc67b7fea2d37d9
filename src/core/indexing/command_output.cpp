#include "core/indexing/command_output.h"

#include <cctype>
#include <cstring>

#include "core/common/sjis.h"

namespace tvp {

const char kPipeFailureMessage[] = "パイプの作成に失敗しました。";

std::vector<std::string> OutputLineSplitter::ShownLines(const std::string& text) {
  std::vector<std::string> lines = SplitLines(TrimRight(text));
  for (std::string& line : lines) line += ' ';
  return lines;
}

std::vector<std::string> OutputLineSplitter::Feed(const std::string& block) {
  // A zero byte would end the text in the window; show it as a blank.
  std::string text = block;
  for (char& c : text)
    if (c == '\0') c = ' ';
  size_t lastLf = text.rfind('\n');
  if (lastLf == std::string::npos) {
    pending_ += text;
    return {};
  }
  std::string complete = pending_ + text.substr(0, lastLf + 1);
  pending_ = text.substr(lastLf + 1);
  return ShownLines(complete);
}

std::vector<std::string> OutputLineSplitter::Finish() {
  std::string rest;
  rest.swap(pending_);
  return ShownLines(rest);
}

std::vector<std::string> CaptureHeaderLines(const std::string& workDir, const std::string& commandLine) {
  return {"WorkDir: " + workDir, "CommandLine: ", commandLine, "", ""};
}

std::string RunFailureMessage(const std::string& workDir, const std::string& commandLine, unsigned long errorCode) {
  return "コマンドの実行に失敗しました。\n\n作業ディレクトリ: " + workDir + "\nコマンド: " + commandLine +
         "\nエラーコード： " + std::to_string(errorCode);
}

std::vector<std::pair<size_t, size_t>> FindLinks(const std::string& line) {
  static const char* const kSchemes[] = {"http://", "https://", "ftp://", "file:", "mailto:", "news:"};
  std::vector<std::pair<size_t, size_t>> links;
  for (size_t i = 0; i < line.size();) {
    // A scheme starts a link only at the start of a word. (Most bytes begin
    // none: they are passed quickly, double-byte characters whole.)
    const unsigned char c = static_cast<unsigned char>(line[i]);
    const unsigned char lower = c | 0x20;
    if ((lower != 'h' && lower != 'f' && lower != 'm' && lower != 'n') ||
        (i > 0 && std::isalnum(static_cast<unsigned char>(line[i - 1])))) {
      i += c < 0x80 ? 1 : CharLen(line, i);
      continue;
    }
    const char* scheme = nullptr;
    for (const char* s : kSchemes) {
      size_t n = std::strlen(s), k = 0;
      while (k < n && i + k < line.size() && std::tolower(static_cast<unsigned char>(line[i + k])) == s[k]) ++k;
      if (k == n) scheme = s;
    }
    if (!scheme) {
      i += CharLen(line, i);
      continue;
    }
    size_t end = i + std::strlen(scheme);
    while (end < line.size()) {
      unsigned char e = static_cast<unsigned char>(line[end]);
      if (e <= 0x20 || e >= 0x7F || e == '<' || e == '>' || e == '"') break;
      ++end;
    }
    while (end > i + std::strlen(scheme) && std::strchr(".,;:!?)]", line[end - 1])) --end;
    if (end > i + std::strlen(scheme)) links.push_back({i, end - i});
    i = end;
  }
  return links;
}

size_t BytesToDrop(const std::string& text, size_t limit, size_t keep) {
  if (text.size() <= limit || keep >= text.size()) return 0;
  size_t from = text.size() - keep;
  size_t lf = text.find('\n', from > 0 ? from - 1 : 0);
  return lf == std::string::npos ? 0 : lf + 1;
}

std::string DroppedLinesNotice(unsigned long long lines) {
  return "（出力が多いため、最初の " + std::to_string(lines) + " 行は表示していません）";
}

}  // namespace tvp
