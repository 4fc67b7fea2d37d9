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

// The links of one line of output, as byte ranges (start, length): text
// beginning with "http://", "https://", "ftp://", "file:", "mailto:" or
// "news:" up to a blank, a control character, a double-byte character or
// one of < > " ; a final . , ; : ! ? ) or ] is not part of the link.
std::vector<std::pair<size_t, size_t>> FindLinks(const std::string& line);

// What the output window keeps of a long run: once its text is longer than
// `limit` bytes, the lines before the last `keep` bytes are dropped. The
// number of leading bytes to drop (a line start), or 0 while the text fits.
size_t BytesToDrop(const std::string& text, size_t limit, size_t keep);

// The first line of an output window whose earliest lines were dropped.
std::string DroppedLinesNotice(unsigned long long lines);

}  // namespace tvp
