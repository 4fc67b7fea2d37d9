// Copy with quotation: the mail's header block, the header names it holds,
// the text of chosen headers, the lines that go to the clipboard, and the
// stored defaults of section [QuoteCopy].
#pragma once

#include <string>
#include <vector>

#include "core/settings/ini.h"

namespace tvp {

// The header name of `line` given the name of the line before: the line up
// to and including the colon of its first ": "; for a line that begins with
// a blank or a tab, the previous name (a continuation); otherwise empty.
std::string HeaderName(const std::string& line, const std::string& previousName);

// The source of a quote copy split into its parts.
struct TQuoteSource {
  std::vector<std::string> Headers;    // the header block
  std::vector<std::string> Body;       // the lines after it, from the one that ended it
  std::vector<std::string> Selection;  // the selected text's lines
};
TQuoteSource SplitQuoteSource(const std::vector<std::string>& lines, const std::string& selectedText);

// The distinct header names of the block (ASCII case ignored), in order of
// first appearance (the button 取得).
std::vector<std::string> HeaderNamesOf(const std::vector<std::string>& headers);

// Every header whose line begins with `name` (exact case), with its
// continuation lines, each line prefixed and the lines joined by CR LF;
// empty when the mail lacks it.
std::string HeaderText(const std::vector<std::string>& headers, const std::string& name, const std::string& prefix);

enum class THeaderChoice { None = 0, All = 1, Select = 2 };

struct TQuoteRequest {
  std::string Prefix;
  THeaderChoice Headers = THeaderChoice::None;
  std::vector<std::string> SelectedNames;  // for Select: the selected list items in list order
  bool Append = false;
  std::string ClipboardText;  // what the clipboard holds (used with Append)
};
// The clipboard text: every output line followed by CR LF.
std::string QuoteCopyText(const TQuoteSource& source, const TQuoteRequest& request);

// [QuoteCopy] of the settings file.
struct TQuoteCopySettings {
  std::string Prefix = ">";
  int HeaderType = 0;
  int HeaderCount = -1;
  std::vector<std::string> Items;  // HeaderItem1..HeaderCount
  std::vector<int> Selected;       // 1-based numbers, as stored (unchecked)
};
TQuoteCopySettings LoadQuoteCopySettings(const IniFile& ini);

// DefaultPrefix between single quotes, quotes inside doubled, and back; a
// stored value that does not begin with a quote gives an empty prefix.
std::string QuotePrefix(const std::string& prefix);
std::string UnquotePrefix(const std::string& stored);

// Writes the header choice: HeaderType, and for Select also HeaderCount,
// HeaderItem1..n and HeaderSelected (1-based, ascending, "," between).
void SaveHeaderChoice(IniFile& ini, THeaderChoice choice, const std::vector<std::string>& items,
                      const std::vector<int>& selectedOneBased);
void SavePrefix(IniFile& ini, const std::string& prefix);

}  // namespace tvp
