// The rich-edit control as the plug-in's text views use it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tvp {

// What the command runner needs of a text view it writes a command's output
// into. `finished` is 0 while a command is being captured, else 1.
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

class RichEdit : public OutputViewer {
 public:
  // A multi-line, read-only rich-edit child of `parent`, without a text limit.
  void Create(HWND parent, int id, DWORD style, const RECT& bounds, HFONT font);
  HWND Handle() const { return hwnd_; }

  bool HasLines() const override;
  void AppendLines(const std::vector<std::string>& lines) override;
  void MoveCaretToEnd() override;
  void RepaintNow() override;
  void ScrollLines(int lines) override;

  std::string Text() const;
  std::string SelectedText() const;
  // Links in the text are reported to the parent as EN_LINK notifications.
  void DetectLinks();

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace tvp
