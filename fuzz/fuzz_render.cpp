// Renders arbitrary bytes as a result text and checks that the hit table,
// the link map and the style ranges stay inside the text and agree with it,
// and that hit navigation only ever names real hits.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/common/sjis.h"
#include "core/results/render.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool InText(const tvp::TRenderedResult& r, int start, int end) {
  return start >= 0 && end >= start - 1 && static_cast<size_t>(end + 1) <= r.Text.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  // Four bytes choose the settings, the folders and the request.
  tvp::TTVPSettings settings;
  settings.NamazuVersion = (data[0] & 1) ? "1.3" : "2.0";
  settings.RenameToFolderName = (data[0] & 2) ? "1" : "0";
  std::string mailbox = (data[0] & 4) ? "" : "C:\\Mail\\";
  std::vector<tvp::TFolderInfo> folders(data[1] % 6);
  for (size_t k = 0; k < folders.size(); ++k) folders[k].Title = "F" + std::to_string(k);
  tvp::TTVPSearchInfo request;
  request.FolderCount = data[2] % 8 - 1;
  for (int k = 0; k < data[3] % 8; ++k) request.FolderIndexes.push_back((data[3] >> 3) % 8 - 1 + k);
  std::string raw(reinterpret_cast<const char*>(data) + 4, size - 4);

  tvp::TRenderedResult r = tvp::RenderResultText(raw, settings, request, folders, mailbox);

  Check(r.LinkMap.size() == r.Text.size());
  // The text is the input's lines, each followed by CR LF; only the
  // hit-count block may have been rewritten.
  std::vector<std::string> lines = tvp::SplitLines(raw), shown = tvp::SplitLines(r.Text);
  size_t length = 0;
  for (const std::string& l : shown) length += l.size() + 2;
  Check(shown.size() == lines.size() && r.Text.size() == length);
  if (settings.RenameToFolderName != "1") Check(shown == lines);
  Check(r.Found || r.Hits.empty());
  int previousEnd = -1;
  size_t marked = 0;
  for (const tvp::TClickableInfo& h : r.Hits) {
    Check(InText(r, h.TitleStart, h.TitleEnd) && InText(r, h.PathStart, h.PathEnd));
    Check(h.TitleStart > previousEnd && h.PathStart > h.TitleEnd);
    Check(r.Text.compare(h.TitleStart, h.TitleText.size(), h.TitleText) == 0);
    Check(static_cast<int>(h.TitleText.size()) == h.TitleEnd - h.TitleStart + 1);
    Check(r.Text.compare(h.PathStart, h.Path.size(), h.Path) == 0);
    Check(static_cast<int>(h.Path.size()) == h.PathEnd - h.PathStart + 1);
    for (int i = h.TitleStart; i <= h.TitleEnd; ++i) Check(r.LinkMap[i] == tvp::kLinkTitle);
    for (int i = h.PathStart; i <= h.PathEnd; ++i) Check(r.LinkMap[i] == tvp::kLinkPath);
    marked += h.TitleText.size() + h.Path.size();
    previousEnd = h.PathEnd;
  }
  size_t nonZero = 0;
  for (char c : r.LinkMap) nonZero += c != tvp::kLinkNone;
  Check(nonZero == marked);
  for (const tvp::TStyleRange& s : r.Styles) Check(s.Length > 0 && InText(r, s.Start, s.Start + s.Length - 1));

  // Navigation from a few positions, including both ends and beyond.
  const int n = static_cast<int>(r.Hits.size());
  for (int pos : {-1, 0, static_cast<int>(r.Text.size() / 2), static_cast<int>(r.Text.size()),
                  static_cast<int>(r.Text.size()) + 1}) {
    int at = tvp::HitAt(r.Hits, pos);
    Check(at >= -1 && at < n);
    int next = tvp::NextHitTarget(r.Hits, pos);
    bool nextIsPath = next == -1;
    for (const tvp::TClickableInfo& h : r.Hits) nextIsPath |= next == h.PathStart;
    Check(nextIsPath && (next == -1 || next > pos));
    int previous = tvp::PreviousHitTarget(r.Hits, pos);
    Check(previous == -1 || (previous < pos && tvp::HitAt(r.Hits, previous) >= 0));
  }
  return 0;
}
