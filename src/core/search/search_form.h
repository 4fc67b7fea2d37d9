// The decisions of the search dialog that need no window: the folder choice
// it restores, the composed search expression and the header conditions.
#pragma once

#include <string>
#include <vector>

#include "core/mailbox/folder_tree.h"
#include "core/search/search_exec.h"
#include "core/settings/aliases.h"

namespace tvp {

// The folder choice the dialog opens with, by the first rule that applies:
// the request's own folders when no alias was saved; the saved alias when it
// still exists (its position in `alias`); else the saved folder entries.
struct TRestoredChoice {
  int alias = -1;                 // alias to select and apply, -1: none
  bool fromEntries = false;       // folders rebuilt from the saved entries
  std::vector<int> folders;       // the request's folders (unless an alias applies)
};
TRestoredChoice RestoreFolderChoice(const TTVPSearchInfo& request, const TTVPAliases& aliases,
                                    const std::vector<TFolderInfo>& folders,
                                    const std::vector<std::string>& savedEntries);

// The prefix of alias members in the search dialog: IndexDir (with a
// trailing backslash ensured), or the account directory when it is empty.
std::string AliasPrefix(const std::string& accountDir, const std::string& indexDir);

// Titles of the folders joined by ", "; the hint shows one per line.
std::string FolderNamesText(const std::vector<TFolderInfo>& folders, const std::vector<int>& positions);
std::string FolderNamesHint(const std::string& text);

// The header names offered for conditions.
const std::vector<std::string>& HeaderNames();

struct THeaderCondition {
  std::string Header;      // as typed, with its colon: "Subject:"
  std::string Expression;  // trimmed
};
// Whether a condition may be added: the header is one of HeaderNames()
// (letter case ignored), the expression is not empty and the same pair
// (exact texts, expression as typed) is not there yet.
bool CanAddHeaderCondition(const std::vector<THeaderCondition>& rows, const std::string& header,
                           const std::string& expression);

// "+Subject:foo +From:bar", trimmed.
std::string HeaderPart(const std::vector<THeaderCondition>& rows);
// The search expression from the expression box and the conditions. With
// `clearBox` the box is emptied (it held nothing but blanks).
struct TComposedKeyword {
  std::string Keyword;
  bool clearBox = false;
};
TComposedKeyword ComposeKeyword(const std::string& boxText, const std::vector<THeaderCondition>& rows);

// The history offered in the expression box: the non-blank entries.
std::vector<std::string> HistoryItems(const std::vector<std::string>& history);

}  // namespace tvp
