// What the command runner needs of a view it writes a command's output into.
#pragma once

#include <string>
#include <vector>

namespace tvp {

// `finished` is 0 while a command is being captured, else 1.
class OutputViewer {
 public:
  virtual ~OutputViewer() = default;
  virtual bool HasLines() const = 0;
  // Appends each line followed by a line break.
  virtual void AppendLines(const std::vector<std::string>& lines) = 0;
  virtual void MoveCaretToEnd() = 0;
  virtual void RepaintNow() = 0;
  virtual void ScrollLines(int lines) = 0;
  int finished = 1;
};

}  // namespace tvp
