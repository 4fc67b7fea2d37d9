// The text side of running a console command: the lines shown in an output
// window for what the command prints, its header, and the failure message.
#pragma once

#include <string>
#include <vector>

namespace tvp {

// Cuts a command's output, arriving in blocks of any size, into the lines an
// output window shows. Only complete lines are shown; the text after the last
// line feed waits for the next block. A character split between two blocks is
// put back together (a line feed is never part of a Shift-JIS character).
class OutputLineSplitter {
 public:
  // The lines completed by this block: trailing white space and control
  // characters of the block are dropped, each line gets one trailing space.
  std::vector<std::string> Feed(const std::string& block);
  // The text left after the last line feed when the command has ended.
  std::vector<std::string> Finish();

 private:
  static std::vector<std::string> ShownLines(const std::string& text);
  std::string pending_;
};

// The lines written before a command's output: "WorkDir: ...", "CommandLine: ",
// the command line, and two empty lines.
std::vector<std::string> CaptureHeaderLines(const std::string& workDir, const std::string& commandLine);

// The five-line message shown when a process cannot be started.
std::string RunFailureMessage(const std::string& workDir, const std::string& commandLine, unsigned long errorCode);
extern const char kPipeFailureMessage[];  // "パイプの作成に失敗しました。"

}  // namespace tvp
