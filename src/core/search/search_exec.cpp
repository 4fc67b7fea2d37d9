#include "core/search/search_exec.h"

#include <algorithm>

#include "core/common/command_line.h"
#include "core/common/sjis.h"
#include "core/indexing/paths.h"

namespace tvp {

const char kNoFolderMessage[] = "検索するフォルダを選択してください。";
const char kEmptyExpressionMessage[] = "検索式を入力してください。";
const char kUnpassableExpressionMessage[] = "検索式に文字として読めないバイトがあります。";
const char kLongQueryMessage[] = "検索式が長すぎます。namazu が受け付ける検索式は 256 バイトまでです。";
const char kNoIndexMessage[] = "このアカウントにはまだインデックスがありません。先にインデックスを作成してください。";
const char kLongExpressionMessage[] = "検索式が長すぎます。namazu のコマンドラインが Windows の上限の 32767 文字を超えます。";

namespace {

const char kFullWidthSpace[] = "\x81\x40";

// The items of [Command] DateOption: split at every comma, each trimmed.
// An empty value has no items.
std::vector<std::string> DateOptionItems(const std::string& dateOption) {
  std::vector<std::string> items;
  if (dateOption.empty()) return items;
  size_t start = 0;
  for (;;) {
    size_t comma = Find(dateOption, ",", start);
    items.push_back(Trim(dateOption.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return items;
}

std::string SortOption(const TResultMenuState& menu, const std::string& dateOption, bool namazu13) {
  std::vector<std::string> items = DateOptionItems(dateOption);
  switch (menu.Sort) {
    case TSortItem::Earlier:
      return !items.empty() ? " " + items[0] : (namazu13 ? " -e" : " --early");
    case TSortItem::Later:
      return items.size() >= 2 ? " " + items[1] : (namazu13 ? " -l" : " --late");
    default:
      break;
  }
  if (namazu13) return "";
  std::string option;
  switch (menu.Sort) {
    case TSortItem::From: option = " --sort=field:from"; break;
    case TSortItem::To: option = " --sort=field:to"; break;
    case TSortItem::Subject: option = " --sort=field:subject"; break;
    case TSortItem::FileName: option = " --sort=field:uri"; break;
    default: option = " --sort=score"; break;
  }
  if (menu.Ascend) option += " --ascending";
  return option;
}

std::string CountOption(TListCountItem count, bool namazu13) {
  switch (count) {
    case TListCountItem::Twenty: return namazu13 ? " -n 20" : " --max=\"20\"";
    case TListCountItem::Fifty: return namazu13 ? " -n 50" : " --max=\"50\"";
    case TListCountItem::Hundred: return " -n 100";
    case TListCountItem::All: return namazu13 ? " -a" : " --all";
    case TListCountItem::None: break;
  }
  return "";
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// A directory as the replacement of a document path: Namazu 2 decodes the
// replaced path before it prints it ("%xx" and "+" for a blank), so a "%" or
// a "+" of the directory's name is written encoded to come out as itself.
std::string ReplacementUrl(const std::string& dir, bool namazu13) {
  std::string url = PathToUrl(dir);
  if (namazu13) return url;
  return ReplaceAll(ReplaceAll(url, "%", "%25"), "+", "%2B");
}

}  // namespace

std::string SearchOptions(const TResultMenuState& menu, const std::string& dateOption, bool namazu13) {
  std::string options = SortOption(menu, dateOption, namazu13);
  if (menu.ContentsOff) options += namazu13 ? " -s" : " --short";
  return options + CountOption(menu.ListCount, namazu13);
}

std::string IndexRoot(const std::string& accountDir, const std::string& indexDir) {
  return IncludeTrailingBackslash(indexDir.empty() ? accountDir : indexDir) + "Namazu";
}

std::string ResultFilePath(const std::string& indexRoot) { return indexRoot + "\\result.txt"; }

std::string NamazuConfigPath(const std::string& indexRoot, bool namazu13) {
  return indexRoot + (namazu13 ? "\\namazu.conf" : "\\namazurc");
}

std::string IndexList(const TTVPSearchInfo& request, const std::vector<TFolderInfo>& folders,
                      const std::string& indexRoot, bool namazu13) {
  std::string list;
  size_t count = std::min(request.FolderIndexes.size(), static_cast<size_t>(std::max(request.FolderCount, 0)));
  for (size_t k = 0; k < count; ++k) {
    int p = request.FolderIndexes[k];
    if (p < 0 || static_cast<size_t>(p) >= folders.size()) continue;
    // IndexPath is the index root, "\", the relative directory and "\".
    const std::string& path = folders[p].IndexPath;
    std::string rel = path.size() >= indexRoot.size() + 2
                          ? path.substr(indexRoot.size() + 1, path.size() - indexRoot.size() - 2)
                          : std::string();
    list += (namazu13 ? "" : "+") + ReplaceAll(rel, "\\", "/") + " ";
  }
  if (!list.empty()) list.pop_back();
  return list;
}

std::string NamazuCommandLine(const TTVPSettings& settings, const TResultMenuState& menu,
                              const std::string& indexRoot, const std::string& expression,
                              const std::string& indexList) {
  bool v13 = IsNamazu13(settings.NamazuVersion);
  std::string line = Quoted(settings.namazuPath) + SearchOptions(menu, settings.DateOption, v13);
  if (v13)
    line += " -f namazu.conf -o " + Quoted(ResultFilePath(indexRoot)) + " ";
  else
    line += " --output=" + Quoted("result.txt") + " ";
  line += settings.namazuOption + " ";
  // The expression is exactly one argument: quoted as the C runtime splits,
  // after "--" where namazu knows it, so that a leading "-" is no option.
  // Namazu 1.3 gets a blank before a leading "-" instead; its query parser
  // skips the blank.
  if (!v13) line += "-- ";
  std::string query = v13 && StartsWith(expression, "-") ? " " + expression : expression;
  return line + QuoteArgument(query) + " " + indexList;
}

std::string CommandLineRefusal(const std::string& commandLine, const std::string& expression) {
  if (!IsPassableArgument(expression)) return kUnpassableExpressionMessage;
  if (CharCount(commandLine) > kMaxCommandLineChars) return kLongExpressionMessage;
  return "";
}

std::string QueryLengthRefusal(const std::string& expression) {
  return expression.size() > kMaxQueryBytes ? kLongQueryMessage : "";
}

std::vector<std::string> AltUrlValues(const IniFile& settingsFile) {
  std::vector<std::string> values;
  for (int n = 1;; ++n) {
    std::string value = settingsFile.Read("AltURL", "x" + std::to_string(n));
    if (value.empty()) break;
    values.push_back(value);
  }
  return values;
}

std::string NamazuConfigText(const std::string& indexRoot, const std::string& accountDir,
                             const std::vector<std::string>& altUrls, bool namazu13) {
  const std::string sep = namazu13 ? "\t" : "        ";
  const std::string eol = namazu13 ? "\n" : "\r\n";
  std::string text = "INDEX" + sep + Quoted(ReplaceAll(indexRoot, "\\", "/")) + eol;
  if (!namazu13) text += "Lang" + sep + "ja_JP.SJIS" + eol;
  for (size_t n = 0; n < altUrls.size(); ++n)
    text += "REPLACE" + sep + Quoted("x" + std::to_string(n + 1) + "/") + sep +
            Quoted(ReplacementUrl(altUrls[n], namazu13)) + eol;
  return text + "REPLACE" + sep + "account/" + sep + Quoted(ReplacementUrl(accountDir, namazu13)) + eol;
}

bool IsEmptyExpression(const std::string& expression) {
  return Trim(ReplaceAll(expression, kFullWidthSpace, "")).empty();
}

std::string SearchRefusal(const TTVPSearchInfo& request, const std::string& expression) {
  if (request.FolderCount <= 0) return kNoFolderMessage;
  if (IsEmptyExpression(expression)) return kEmptyExpressionMessage;
  return "";
}

std::vector<std::string> PushHistory(std::vector<std::string> history, const std::string& expression) {
  auto it = std::find_if(history.begin(), history.end(),
                         [&](const std::string& item) { return EqualsNoCase(item, expression); });
  if (it == history.end()) {
    history.insert(history.begin(), expression);
  } else {
    std::rotate(history.begin(), it, it + 1);
  }
  return history;
}

std::string ResultFileProblem(bool exists, unsigned long long size, const std::string& resultFile) {
  if (!exists) return "検索結果のファイルが見つかりません。\n" + resultFile;
  if (size == 0) return "検索結果のファイルのサイズが 0 バイトです。\n" + resultFile;
  return "";
}

}  // namespace tvp
