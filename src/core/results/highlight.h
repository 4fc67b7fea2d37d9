// The searched words lit up in a mail: the words a user typed into a Namazu
// expression, and where they stand in a Shift-JIS text.
#pragma once

#include <string>
#include <vector>

namespace tvp {

// The words of a search expression, in order of first appearance, without
// repeats. Namazu's operators (and, or, not, &, |, !, parentheses), header
// prefixes such as "+Subject:", phrase quotes and braces, and the "*" of a
// prefix or suffix search are not words; the words inside them are. A
// regular expression (/.../) gives no word. Blanks are ASCII and full-width
// spaces.
std::vector<std::string> SearchWords(const std::string& expression);

// A run of bytes of a text.
struct TextRange {
  size_t Start = 0;
  size_t Length = 0;
  bool operator==(const TextRange& o) const { return Start == o.Start && Length == o.Length; }
};

// Every occurrence of any of `words` in `text`, ascending and merged where
// they touch or overlap. ASCII letter case and full-width/half-width ASCII
// do not matter; a match starts and ends on character boundaries only, so a
// trail byte (0x5C, 0x7C, a letter) never starts or ends one.
std::vector<TextRange> FindWords(const std::string& text, const std::vector<std::string>& words);

// Where F3 and Shift+F3 go from `pos`: the start of the first range after
// it, the start of the last range before it; -1 when there is none.
int NextRangeStart(const std::vector<TextRange>& ranges, int pos);
int PreviousRangeStart(const std::vector<TextRange>& ranges, int pos);

}  // namespace tvp
