#include "core/indexing/command_output.h"

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

}  // namespace tvp
