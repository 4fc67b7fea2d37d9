#include "plugin/console/output_view.h"

#include "core/indexing/command_output.h"
#include "plugin/ui/ui_seam.h"

namespace tvp {

namespace {
const COLORREF kLinkColour = RGB(0, 0, 255);
}

void OutputView::Create(HWND parent, int id, const RECT& bounds, HFONT font) {
  view_.Create(parent, id, bounds, font);
  view_.SetEventHandler([this](UINT msg, WPARAM, LPARAM lp) { return OnViewEvent(msg, lp); });
}

void OutputView::AppendLines(const std::vector<std::string>& lines) {
  std::string text;
  size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  text.reserve(size);
  std::vector<TextStyle> links;
  const int base = static_cast<int>(view_.Text().size());
  for (const std::string& line : lines) {
    for (const auto& [start, length] : FindLinks(line)) {
      TextStyle link;
      link.Start = base + static_cast<int>(text.size() + start);
      link.Length = static_cast<int>(length);
      link.Colour = kLinkColour;
      link.Underline = true;
      links.push_back(link);
    }
    text += line;
    text += "\r\n";
  }
  view_.AppendText(text, links);

  size_t drop = BytesToDrop(view_.Text(), kLimitBytes, kKeepBytes);
  if (drop == 0) return;
  // The notice line of an earlier drop is not a line of the output.
  dropped_ += static_cast<unsigned long long>(view_.LineOf(static_cast<int>(drop))) - (dropped_ > 0 ? 1 : 0);
  view_.ReplaceFront(static_cast<int>(drop), DroppedLinesNotice(dropped_) + "\r\n");
}

void OutputView::MoveCaretToEnd() { view_.SetCaret(static_cast<int>(view_.Text().size())); }

void OutputView::RepaintNow() {
  InvalidateRect(Handle(), nullptr, FALSE);
  UpdateWindow(Handle());
}

void OutputView::ScrollLines(int lines) { view_.ScrollToLine(view_.FirstVisibleLine() + lines); }

// A click on a link (not the end of a drag) opens it with the shell.
bool OutputView::OnViewEvent(UINT msg, LPARAM lp) {
  if (msg != WM_LBUTTONUP || !view_.SelectedText().empty()) return false;
  POINT p = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  const TextStyle* style = view_.StyleAt(view_.CharAt(p));
  if (style && style->Underline)
    Ui().OpenWithShell(view_.Text().substr(static_cast<size_t>(style->Start), static_cast<size_t>(style->Length)));
  return false;
}

}  // namespace tvp
