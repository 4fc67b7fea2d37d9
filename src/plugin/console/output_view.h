// The text view of the output window: a command's output lines appended to
// the project's own text view, links underlined and opened with a click.
// Its memory stays bounded: past kLimitBytes of text the earliest lines are
// dropped (down to kKeepBytes) and the first line says how many.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "plugin/console/output_viewer.h"
#include "plugin/ui/text_view.h"

namespace tvp {

class OutputView : public OutputViewer {
 public:
  static constexpr size_t kLimitBytes = 4 * 1024 * 1024;
  static constexpr size_t kKeepBytes = 3 * 1024 * 1024;

  void Create(HWND parent, int id, const RECT& bounds, HFONT font);
  HWND Handle() const { return view_.Handle(); }
  TextView& View() { return view_; }

  bool HasLines() const override { return !view_.Text().empty(); }
  void AppendLines(const std::vector<std::string>& lines) override;
  void MoveCaretToEnd() override;
  void RepaintNow() override;
  void ScrollLines(int lines) override;

  const std::string& Text() const { return view_.Text(); }
  std::string SelectedText() const { return view_.SelectedText(); }
  // Lines dropped from the start so far.
  unsigned long long DroppedLines() const { return dropped_; }

 private:
  bool OnViewEvent(UINT msg, LPARAM lp);

  TextView view_;
  unsigned long long dropped_ = 0;
};

}  // namespace tvp
