#include "core/results/render.h"

#include <algorithm>
#include <climits>
#include <deque>
#include <string_view>

#include "core/common/sjis.h"
#include "core/indexing/paths.h"

namespace tvp {

namespace {

const char kHitCountHeader[] = "参考ヒット数: ";
const char kScoreMarker[] = " (score:";
const char kScoreMarkerJa[] = " (スコア:";

// "参考ヒット数: " alone on one of the lines 0 to 3 opens the per-index
// hit-count block; its lines "(index) counts" get the searched folders'
// titles, in the order of the request. Rewritten lines are kept in `owned`.
void ShowFolderTitles(std::vector<std::string_view>& lines, std::deque<std::string>& owned,
                      const TTVPSearchInfo& request, const std::vector<TFolderInfo>& folders) {
  size_t header = 0;
  while (header < lines.size() && header < 4 && lines[header] != kHitCountHeader) ++header;
  if (header == lines.size() || header == 4) return;
  size_t count = std::min(request.FolderIndexes.size(), static_cast<size_t>(std::max(request.FolderCount, 0)));
  for (size_t l = header + 1, k = 0; l < lines.size(); ++l, ++k) {
    std::string line(lines[l]);
    // The index path may itself hold ") ": the counts begin at the ") "
    // that is followed by "[" (or "{").
    size_t close = std::min(Find(line, ") ["), Find(line, ") {"));
    if (line.empty() || close == std::string::npos) break;
    if (k >= count) continue;
    int p = request.FolderIndexes[k];
    if (p < 0 || static_cast<size_t>(p) >= folders.size()) continue;
    owned.push_back("「" + folders[p].Title + "」 " + line.substr(close + 1));
    lines[l] = owned.back();
  }
}

// Finds, from a given line on, the next line holding the mailbox location.
// Queries come with growing line numbers, so the answer of the last search
// is reused while it still lies ahead; every line is looked at once.
class LocationFinder {
 public:
  LocationFinder(const std::vector<std::string_view>& lines, int last, std::string location)
      : lines_(lines), last_(last), location_(std::move(location)) {}

  // Line number (>= from) and the byte offset of the location in it; false if none.
  bool Next(int from, int& line, size_t& offset) {
    if (!(searched_ && from_ <= from && (found_ < 0 || found_ >= from))) {
      searched_ = true;
      from_ = from;
      found_ = -1;
      for (int k = from; k <= last_; ++k) {
        size_t at = Find(LowerAscii(std::string(lines_[k])), location_);
        if (at != std::string::npos) {
          found_ = k;
          offset_ = at;
          break;
        }
      }
    }
    if (found_ < 0) return false;
    line = found_;
    offset = offset_;
    return true;
  }

 private:
  const std::vector<std::string_view>& lines_;
  int last_;
  std::string location_;
  bool searched_ = false;
  int from_ = 0, found_ = -1;
  size_t offset_ = 0;
};

class Renderer {
 public:
  Renderer(std::vector<std::string_view> lines, bool namazu13, const std::string& mailboxRoot)
      : lines_(std::move(lines)),
        last_(static_cast<int>(lines_.size()) - 5),
        pathWords_(namazu13 ? 3 : 2),
        locations_(lines_, last_, LowerAscii(PathToUrl(mailboxRoot))) {}

  TRenderedResult Run() {
    TRenderedResult r;
    size_t size = 0;
    for (std::string_view line : lines_) size += line.size() + 2;
    r.Text.reserve(size);
    starts_.reserve(lines_.size());
    for (std::string_view line : lines_) {
      starts_.push_back(static_cast<int>(r.Text.size()));
      r.Text += line;
      r.Text += "\r\n";
    }
    r.LinkMap.assign(r.Text.size(), kLinkNone);
    // Positions are 32-bit; a text beyond that is shown without links.
    if (r.Text.size() > static_cast<size_t>(INT_MAX)) return r;

    int first = 1;
    while (first < static_cast<int>(lines_.size()) && lines_[first].substr(0, 3) != "1. ") ++first;
    if (first >= static_cast<int>(lines_.size())) return r;
    r.Found = true;

    bool titleExpected = true;
    for (int i = first; i <= last_; ++i) {
      if (titleExpected) {
        if (lines_[i].empty()) continue;
        AddTitle(r, i);
        titleExpected = false;
      } else if (lines_[i + 1].empty() && lines_[i + 2].empty()) {
        i = AddPath(r, i);
        titleExpected = true;
      }
    }
    if (!titleExpected) DropOpenHit(r);
    return r;
  }

 private:
  void Mark(TRenderedResult& r, int start, int length, char value) {
    std::fill(r.LinkMap.begin() + start, r.LinkMap.begin() + start + length, value);
  }

  // LastPos of a marker, skipping the character walk for a line that does
  // not hold its bytes at all.
  static int MarkerPos(std::string_view view, const std::string& line, const char* marker) {
    return view.find(marker) == std::string_view::npos ? 0 : LastPos(line, marker);
  }

  void AddTitle(TRenderedResult& r, int i) {
    const std::string line(lines_[i]);
    // A title may hold a marker itself: namazu's own stands last.
    int p = std::max(MarkerPos(lines_[i], line, kScoreMarker), MarkerPos(lines_[i], line, kScoreMarkerJa));
    int length = p > 0 ? p - 1 : 0;  // the title stops before the marker
    int start = starts_[i];
    Mark(r, start, length, kLinkTitle);
    if (length > 0) r.Styles.push_back({start, length, TStyleKind::Title});
    TClickableInfo hit;
    hit.TitleStart = start;
    hit.TitleEnd = start + length - 1;
    hit.TitleText = line.substr(0, length);
    r.Hits.push_back(std::move(hit));
  }

  // Completes the last hit from the path line at or after line i; returns
  // the line on which the path was taken.
  int AddPath(TRenderedResult& r, int i) {
    int j = i;
    size_t s = 0;
    if (lines_[i].substr(0, 1) != "/") {
      int found;
      size_t offset;
      if (locations_.Next(i, found, offset)) {
        j = found;
        s = offset;
      }
    }
    const std::string line(lines_[j]);
    // The path ends before the blank that precedes the last size words.
    int blank = FindFromEnd(line, " ", pathWords_);  // 1-based, 0 if too few blanks
    int length = blank > 0 ? std::max(blank - 1 - static_cast<int>(s), 0) : 0;
    int start = starts_[j] + static_cast<int>(s);
    Mark(r, start, length, kLinkPath);
    if (length > 0) r.Styles.push_back({start, length, TStyleKind::Path});
    TClickableInfo& hit = r.Hits.back();
    hit.Path = line.substr(s, length);
    hit.PathStart = start;
    hit.PathEnd = start + length - 1;
    return j;
  }

  void DropOpenHit(TRenderedResult& r) {
    const TClickableInfo& hit = r.Hits.back();
    int length = hit.TitleEnd - hit.TitleStart + 1;
    Mark(r, hit.TitleStart, length, kLinkNone);
    if (length > 0) r.Styles.pop_back();
    r.Hits.pop_back();
  }

  std::vector<std::string_view> lines_;
  std::vector<int> starts_;
  int last_;  // the last line that may be a title or path line
  int pathWords_;
  LocationFinder locations_;
};

}  // namespace

TRenderedResult RenderResultText(const std::string& raw, const TTVPSettings& settings,
                                 const TTVPSearchInfo& request, const std::vector<TFolderInfo>& folders,
                                 const std::string& mailboxRoot) {
  std::vector<std::string_view> lines = SplitLineViews(raw);
  std::deque<std::string> rewritten;
  if (settings.RenameToFolderName == "1") ShowFolderTitles(lines, rewritten, request, folders);
  return Renderer(std::move(lines), IsNamazu13(settings.NamazuVersion), mailboxRoot).Run();
}

int HitAt(const std::vector<TClickableInfo>& hits, int pos) {
  for (size_t i = 0; i < hits.size(); ++i)
    if (pos < hits[i].PathStart || pos <= hits[i].PathEnd) return static_cast<int>(i);
  return -1;
}

int NextHitTarget(const std::vector<TClickableInfo>& hits, int pos) {
  for (size_t i = 0; i < hits.size(); ++i) {
    if (pos >= hits[i].PathStart) continue;
    size_t target = (pos < hits[i].TitleStart || i + 1 == hits.size()) ? i : i + 1;
    return hits[target].PathStart;
  }
  return -1;
}

int PreviousHitTarget(const std::vector<TClickableInfo>& hits, int pos) {
  for (size_t i = hits.size(); i-- > 0;) {
    if (hits[i].TitleStart >= pos) continue;
    size_t target = pos <= hits[i].PathEnd ? (i == 0 ? 0 : i - 1) : i;
    return hits[target].TitleStart;
  }
  return -1;
}

const char kVanishedMark[] = " (見つかりません)";

std::vector<int> UncheckedHitsIn(const std::vector<TClickableInfo>& hits, int from, int to) {
  auto first = std::lower_bound(hits.begin(), hits.end(), from,
                                [](const TClickableInfo& h, int pos) { return std::max(h.PathEnd, h.TitleEnd) < pos; });
  std::vector<int> found;
  for (auto h = first; h != hits.end() && h->TitleStart < to; ++h)
    if (h->Mail == TMailState::Unchecked) found.push_back(static_cast<int>(h - hits.begin()));
  return found;
}

int MarkVanished(TRenderedResult& r, int i) {
  TClickableInfo& hit = r.Hits[i];
  if (hit.Mail == TMailState::Vanished) return -1;
  hit.Mail = TMailState::Vanished;
  const int at = hit.TitleEnd + 1;
  const int n = static_cast<int>(sizeof kVanishedMark - 1);
  r.Text.insert(static_cast<size_t>(at), kVanishedMark);
  r.LinkMap.insert(r.LinkMap.begin() + at, static_cast<size_t>(n), kLinkTitle);
  auto move = [&](int& pos) {
    if (pos >= at) pos += n;
  };
  for (size_t k = static_cast<size_t>(i) + 1; k < r.Hits.size(); ++k) {
    move(r.Hits[k].TitleStart);
    move(r.Hits[k].TitleEnd);
    move(r.Hits[k].PathStart);
    move(r.Hits[k].PathEnd);
  }
  move(hit.PathStart);
  move(hit.PathEnd);
  hit.TitleEnd += n;
  hit.TitleText += kVanishedMark;
  const TStyleRange title = {hit.TitleStart, hit.TitleEnd - hit.TitleStart + 1, TStyleKind::Vanished};
  auto s = std::lower_bound(r.Styles.begin(), r.Styles.end(), title.Start,
                            [](const TStyleRange& st, int pos) { return st.Start < pos; });
  for (auto k = s; k != r.Styles.end(); ++k) move(k->Start);
  if (s != r.Styles.end() && s->Start == title.Start && s->Kind == TStyleKind::Title)
    *s = title;
  else
    r.Styles.insert(s, title);
  return at;
}

}  // namespace tvp
