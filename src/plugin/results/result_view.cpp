#include "plugin/results/result_view.h"

namespace tvp {

namespace {

constexpr COLORREF kTitleColour = RGB(0, 0, 255);
constexpr COLORREF kPathColour = RGB(0, 128, 128);
constexpr COLORREF kVanishedColour = RGB(128, 128, 128);

TextStyle ViewStyle(const TStyleRange& range) {
  TextStyle style;
  style.Start = range.Start;
  style.Length = range.Length;
  switch (range.Kind) {
    case TStyleKind::Title:
      style.Colour = kTitleColour;
      style.Bold = style.Underline = true;
      break;
    case TStyleKind::Path: style.Colour = kPathColour; break;
    case TStyleKind::Vanished:
      style.Colour = kVanishedColour;
      style.Bold = true;
      break;
  }
  return style;
}

}  // namespace

void ResultView::Create(HWND parent, int id, const RECT& bounds, HFONT font) {
  view_.Create(parent, id, bounds, font);
}

void ResultView::Show(const TRenderedResult& result, bool colour) {
  colour_ = colour;
  std::vector<TextStyle> styles;
  if (colour) {
    styles.reserve(result.Styles.size());
    for (const TStyleRange& range : result.Styles) styles.push_back(ViewStyle(range));
  }
  view_.SetText(result.Text, std::move(styles));
}

void ResultView::SetText(const std::string& text) { view_.SetText(text); }

void ResultView::MarkVanished(TRenderedResult& result, int i) {
  int at = tvp::MarkVanished(result, i);
  if (at < 0) return;
  view_.InsertText(at, kVanishedMark);
  const TClickableInfo& hit = result.Hits[i];
  if (colour_) view_.SetStyle(ViewStyle({hit.TitleStart, hit.TitleEnd - hit.TitleStart + 1, TStyleKind::Vanished}));
}

}  // namespace tvp
