#include "plugin/results/result_view.h"

namespace tvp {

namespace {

constexpr COLORREF kTitleColour = RGB(0, 0, 255);
constexpr COLORREF kPathColour = RGB(0, 128, 128);

TextStyle ViewStyle(const TStyleRange& range) {
  TextStyle style;
  style.Start = range.Start;
  style.Length = range.Length;
  bool title = range.Kind == TStyleKind::Title;
  style.Colour = title ? kTitleColour : kPathColour;
  style.Bold = style.Underline = title;
  return style;
}

}  // namespace

void ResultView::Create(HWND parent, int id, const RECT& bounds, HFONT font) {
  view_.Create(parent, id, bounds, font);
}

void ResultView::Show(const TRenderedResult& result, bool colour) {
  std::vector<TextStyle> styles;
  if (colour) {
    styles.reserve(result.Styles.size());
    for (const TStyleRange& range : result.Styles) styles.push_back(ViewStyle(range));
  }
  view_.SetText(result.Text, std::move(styles));
}

void ResultView::SetText(const std::string& text) { view_.SetText(text); }

}  // namespace tvp
