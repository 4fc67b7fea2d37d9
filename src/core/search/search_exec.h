// One search with namazu: the request, the options chosen in the result
// window's menus, the configuration file, the index list and the command
// line. Everything here is text in, text out; the result window writes the
// files and starts the process.
#pragma once

#include <string>
#include <vector>

#include "core/mailbox/folder_tree.h"
#include "core/settings/ini.h"
#include "core/settings/settings.h"

namespace tvp {

// The search request, handed from the search command to the search dialog
// and the result window. Only the first FolderCount entries of
// FolderIndexes count; a non-empty Keyword is a search still to be run.
struct TTVPSearchInfo {
  int FolderCount = 0;
  std::vector<int> FolderIndexes;  // positions in the folder list
  std::string Keyword;
};

// Which items of the result window's sort, summary and count menus are
// checked. The window fills this from its menus.
enum class TSortItem { Earlier, Later, Score, Subject, From, To, FileName };
enum class TListCountItem { None, Twenty, Fifty, Hundred, All };
struct TResultMenuState {
  TSortItem Sort = TSortItem::Score;
  bool Ascend = false;       // 昇順 checked
  bool ContentsOff = false;  // 表示しない checked
  TListCountItem ListCount = TListCountItem::Twenty;
};

// The options of the checked menu items, each beginning with one blank:
// sort, then summary, then count. `dateOption` is [Command] DateOption.
std::string SearchOptions(const TResultMenuState& menu, const std::string& dateOption, bool namazu13);

// IndexDir (with a trailing backslash ensured) + "Namazu", or the account
// directory + "Namazu" when IndexDir is empty. No trailing backslash.
std::string IndexRoot(const std::string& accountDir, const std::string& indexDir);
std::string ResultFilePath(const std::string& indexRoot);                 // ...\result.txt
std::string NamazuConfigPath(const std::string& indexRoot, bool namazu13);  // ...\namazurc or ...\namazu.conf

// The index directories of the requested folders relative to the index
// root, "+b001/b004 +inbox" (Namazu 2) or "b001/b004 inbox" (1.3).
// Positions outside the folder list are left out.
std::string IndexList(const TTVPSearchInfo& request, const std::vector<TFolderInfo>& folders,
                      const std::string& indexRoot, bool namazu13);

// The whole namazu command line. Uses [Command] namazuPath, namazuOption,
// DateOption and NamazuVersion of `settings`; the expression becomes exactly
// one argument of namazu's, whatever it contains (see CommandLineRefusal).
std::string NamazuCommandLine(const TTVPSettings& settings, const TResultMenuState& menu,
                              const std::string& indexRoot, const std::string& expression,
                              const std::string& indexList);

// [AltURL] x1, x2, ... of the settings file, up to the first missing or empty one.
std::vector<std::string> AltUrlValues(const IniFile& settingsFile);

// Contents of namazurc (Namazu 2: eight-blank separators, CR LF) or
// namazu.conf (1.3: TAB separators, LF, no Lang line).
std::string NamazuConfigText(const std::string& indexRoot, const std::string& accountDir,
                             const std::vector<std::string>& altUrls, bool namazu13);

// The texts of the message boxes that refuse a search.
extern const char kNoFolderMessage[];          // "検索するフォルダを選択してください。"
extern const char kEmptyExpressionMessage[];   // "検索式を入力してください。"
extern const char kUnpassableExpressionMessage[];  // a byte that no character reads
extern const char kLongExpressionMessage[];        // the command line would be too long
extern const char kLongQueryMessage[];             // more than namazu takes as a query
extern const char kNoIndexMessage[];               // no index root: nothing indexed yet (+ "\n" and the root)

// The message that refuses a namazu command line built for `expression`: an
// expression with a NUL byte or a lead byte without a trail byte cannot be
// passed as one argument, and CreateProcess takes no longer command line.
// Empty when it may run.
std::string CommandLineRefusal(const std::string& commandLine, const std::string& expression);

// namazu stops at a query longer than kMaxQueryBytes ("Too long query" on
// its standard error, which a hidden run never shows, and an empty result):
// the message that refuses such an expression, empty when it may run.
constexpr size_t kMaxQueryBytes = 256;
std::string QueryLengthRefusal(const std::string& expression);

// True when nothing but blanks, control characters and full-width spaces
// (81 40) is left of the expression.
bool IsEmptyExpression(const std::string& expression);

// The message that refuses the search, or an empty text when it may run.
std::string SearchRefusal(const TTVPSearchInfo& request, const std::string& expression);

// The expression history after a search: an entry equal to the expression
// without regard to ASCII letter case moves to the front keeping its own
// spelling; otherwise the expression is inserted at the front.
std::vector<std::string> PushHistory(std::vector<std::string> history, const std::string& expression);

// What to tell the user about the result file after namazu has ended, or an
// empty text when the file is there and not empty.
std::string ResultFileProblem(bool exists, unsigned long long size, const std::string& resultFile);

}  // namespace tvp
