// Namazu's result text made navigable: the hit-count block optionally shows
// folder titles, every hit's title line and path line are found, and the
// result window gets the final text, the hit table, the link map and the
// ranges to colour.
//
// Positions are 0-based byte offsets into the final text, in which every
// line ends in CR LF; so a line break counts as two characters and line k
// starts at the sum of (length + 2) over the lines before it. A view that
// counts characters differently converts at its own boundary.
#pragma once

#include <string>
#include <vector>

#include "core/mailbox/folder_tree.h"
#include "core/search/search_exec.h"
#include "core/settings/settings.h"

namespace tvp {

// Whether a hit's mail file was looked for, and found.
enum class TMailState { Unchecked, There, Vanished };

// One hit. The ranges are inclusive; an empty range has End = Start - 1.
struct TClickableInfo {
  int TitleStart = 0, TitleEnd = -1;
  std::string TitleText;  // hit number, full stop, blank and title, up to the score
  int PathStart = 0, PathEnd = -1;
  std::string Path;       // link form as in the text, e.g. /C|/mail/user001.box/12.txt
  TMailState Mail = TMailState::Unchecked;
};

// Link map values.
constexpr char kLinkNone = 0;
constexpr char kLinkTitle = 'T';
constexpr char kLinkPath = 'U';

enum class TStyleKind { Title, Path, Vanished };  // blue bold underlined / teal / grey
struct TStyleRange {
  int Start = 0;
  int Length = 0;
  TStyleKind Kind = TStyleKind::Title;
};

struct TRenderedResult {
  std::string Text;                  // every line followed by CR LF
  std::vector<TClickableInfo> Hits;  // in text order
  std::vector<char> LinkMap;         // one byte per byte of Text
  std::vector<TStyleRange> Styles;   // in text order; applied only while colouring is on
  bool Found = false;                // some line from line 1 on begins with "1. "
  std::vector<std::string> Words;    // the searched words of the expression that gave it
};

// Renders the raw contents of the result file (line ends CR LF, CR or LF).
// Reads [Result] RenameToFolderName and [Command] NamazuVersion of
// `settings`; `request` and `folders` name the searched folders for the
// hit-count block; `mailboxRoot` is the host's mailbox directory.
//
// Only hits whose path line was found are kept: a title left open at the
// end of the text gets neither a table entry nor a mark nor a style. A path
// line that does not begin with "/" takes its path from the mailbox
// location in link form, looked for in that line and the lines after it up
// to the last line scanned; when no such line follows, the path is taken
// from the start of the line itself. A path line with too few blanks to
// cut off the size words yields an empty path.
TRenderedResult RenderResultText(const std::string& raw, const TTVPSettings& settings,
                                 const TTVPSearchInfo& request, const std::vector<TFolderInfo>& folders,
                                 const std::string& mailboxRoot);

// The hit to which position `pos` belongs: the first hit whose path ends at
// or after it (from just after the previous hit's path to the end of its
// own path); -1 after the last hit's path.
int HitAt(const std::vector<TClickableInfo>& hits, int pos);

// The hits not checked yet whose lines meet the text between `from` and
// `to` (a view's visible part): never more than it shows lines.
std::vector<int> UncheckedHitsIn(const std::vector<TClickableInfo>& hits, int from, int to);

// Marks hit i as one whose mail is gone: kVanishedMark goes after its title
// (in the text, the link map as part of the title, and the title's style,
// which becomes Vanished); everything after it moves along. Returns where
// the mark was put, -1 when the hit was marked already.
extern const char kVanishedMark[];  // " (見つかりません)"
int MarkVanished(TRenderedResult& r, int i);

// Caret targets of the keys N and P: the next hit's path start, the
// previous hit's title start; -1 when there is nowhere to go.
int NextHitTarget(const std::vector<TClickableInfo>& hits, int pos);
int PreviousHitTarget(const std::vector<TClickableInfo>& hits, int pos);

}  // namespace tvp
