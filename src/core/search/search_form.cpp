#include "core/search/search_form.h"

#include "core/common/sjis.h"

namespace tvp {

TRestoredChoice RestoreFolderChoice(const TTVPSearchInfo& request, const TTVPAliases& aliases,
                                    const std::vector<TFolderInfo>& folders,
                                    const std::vector<std::string>& savedEntries) {
  TRestoredChoice choice;
  if (request.FolderCount > 0 && aliases.SelectedName.empty()) {
    for (int i = 0; i < request.FolderCount && i < static_cast<int>(request.FolderIndexes.size()); ++i)
      choice.folders.push_back(request.FolderIndexes[i]);
    return choice;
  }
  if (!aliases.SelectedName.empty()) {
    choice.alias = FindAlias(aliases.SelectedName, aliases);
    if (choice.alias >= 0) return choice;
  }
  choice.fromEntries = true;
  for (const std::string& entry : savedEntries) {
    int p = StoredFolderPosition(folders, entry);
    if (p >= 0) choice.folders.push_back(p);
  }
  return choice;
}

std::string AliasPrefix(const std::string& accountDir, const std::string& indexDir) {
  return indexDir.empty() ? accountDir : IncludeTrailingBackslash(indexDir);
}

std::string FolderNamesText(const std::vector<TFolderInfo>& folders, const std::vector<int>& positions) {
  std::string text;
  for (int p : positions) {
    if (p < 0 || static_cast<size_t>(p) >= folders.size()) continue;
    if (!text.empty()) text += ", ";
    text += folders[p].Title;
  }
  return text;
}

std::string FolderNamesHint(const std::string& text) { return ReplaceAll(text, ", ", "\r\n"); }

const std::vector<std::string>& HeaderNames() {
  static const std::vector<std::string> names = {"Subject:", "From:", "To:", "Date:", "Message-Id:", "Path:"};
  return names;
}

bool CanAddHeaderCondition(const std::vector<THeaderCondition>& rows, const std::string& header,
                           const std::string& expression) {
  bool listed = false;
  for (const std::string& name : HeaderNames()) listed = listed || EqualsNoCase(name, header);
  if (!listed || expression.empty()) return false;
  for (const THeaderCondition& row : rows)
    if (row.Header == header && row.Expression == expression) return false;
  return true;
}

std::string HeaderPart(const std::vector<THeaderCondition>& rows) {
  std::string part;
  for (const THeaderCondition& row : rows) part += "+" + row.Header + row.Expression + " ";
  return Trim(part);
}

TComposedKeyword ComposeKeyword(const std::string& boxText, const std::vector<THeaderCondition>& rows) {
  TComposedKeyword out;
  std::string header = HeaderPart(rows);
  std::string box = boxText;
  if ((Trim(ReplaceAll(box, "　", "")) + header).empty()) {
    out.clearBox = true;
    box.clear();
  }
  std::string typed = Trim(box);
  out.Keyword = Trim(typed.empty() ? header : typed + " " + header);
  return out;
}

std::vector<std::string> HistoryItems(const std::vector<std::string>& history) {
  std::vector<std::string> items;
  for (const std::string& h : history)
    if (!Trim(h).empty()) items.push_back(h);
  return items;
}

}  // namespace tvp
