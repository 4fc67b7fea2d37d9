#include "core/results/result_window.h"

#include <algorithm>

#include "core/common/sjis.h"

namespace tvp {

const char kCommandLineCopiedMessage[] = "コマンドラインは、クリップボードにコピーされています。";

TListCountItem ListCountItemOf(const std::string& listCount) {
  int n = ToIntDef(listCount, -1);
  if (n >= 1 && n <= 20) return TListCountItem::Twenty;
  if (n >= 21 && n <= 50) return TListCountItem::Fifty;
  if (n >= 51 && n <= 100) return TListCountItem::Hundred;
  return LowerAscii(listCount) == "all" ? TListCountItem::All : TListCountItem::Twenty;
}

TResultMenus InitialMenus(const TTVPSettings& s) {
  bool namazu13 = IsNamazu13(s.NamazuVersion);
  TResultMenus m;
  TSortMenu& sort = m.SortMenu;
  sort.DirectionEnabled = false;
  std::string order = LowerAscii(s.Sort);
  if (order == "later") {
    sort.Sort = TSortItem::Later;
  } else if (order == "earlier") {
    sort.Sort = TSortItem::Earlier;
  } else if (namazu13) {
    sort.Sort = TSortItem::Score;
    sort.Ascend = sort.Descend = false;
  } else {
    if (order == "subject") sort.Sort = TSortItem::Subject;
    else if (order == "from") sort.Sort = TSortItem::From;
    else if (order == "to") sort.Sort = TSortItem::To;
    else if (order == "uri") sort.Sort = TSortItem::FileName;
    sort.DirectionEnabled = true;
  }
  if (namazu13) {
    sort.FieldsEnabled = false;
    sort.DirectionEnabled = false;
  } else {
    sort.Ascend = LowerAscii(s.SortDirection) == "ascend";
    sort.Descend = !sort.Ascend;
  }
  m.ContentsOff = s.ShowContents == "0";
  m.ListCount = ListCountItemOf(s.ListCount);
  m.NoColour = s.Color != "1";
  m.HighlightWords = s.HighlightWords == "1";
  m.SavePosition = s.SaveWindowPos == "1";
  m.SaveSize = s.SaveWindowSize == "1";
  return m;
}

TSortMenu ChooseSortItem(TSortMenu menu, TSortItem item, bool namazu13) {
  menu.Sort = item;
  menu.DirectionEnabled = item != TSortItem::Earlier && item != TSortItem::Later;
  if (item == TSortItem::Score && namazu13) menu.Ascend = menu.Descend = false;
  return menu;
}

TSortMenu ChooseDirection(TSortMenu menu, bool ascend) {
  menu.Ascend = ascend;
  menu.Descend = !ascend;
  menu.DirectionEnabled = true;
  return menu;
}

std::string SortValue(TSortItem item) {
  switch (item) {
    case TSortItem::Earlier: return "Earlier";
    case TSortItem::Later: return "Later";
    case TSortItem::Score: return "None";
    case TSortItem::Subject: return "Subject";
    case TSortItem::From: return "From";
    case TSortItem::To: return "To";
    case TSortItem::FileName: return "URI";
  }
  return "None";
}

std::string ListCountValue(TListCountItem item) {
  switch (item) {
    case TListCountItem::Fifty: return "50";
    case TListCountItem::Hundred: return "100";
    case TListCountItem::All: return "All";
    default: return "20";
  }
}

TResultMenuState MenuStateOf(const TSortMenu& sort, bool contentsOff, TListCountItem count) {
  TResultMenuState state;
  state.Sort = sort.Sort;
  state.Ascend = sort.Ascend;
  state.ContentsOff = contentsOff;
  state.ListCount = count;
  return state;
}

std::vector<std::string> HistoryItems(const TTVPSettings& s) {
  int n = ToIntDef(s.FormulaHistoryCount, -1);
  std::vector<std::string> items;
  for (int i = 0; i < n && i < static_cast<int>(s.History.size()); ++i)
    if (!Trim(s.History[i]).empty()) items.push_back(s.History[i]);
  return items;
}

std::vector<std::string> HistoryToStore(const std::vector<std::string>& items, const std::string& historyCount) {
  size_t n = static_cast<size_t>(std::max(0, ToIntDef(historyCount, 0)));
  return std::vector<std::string>(items.begin(), items.begin() + std::min(n, items.size()));
}

std::vector<std::string> SearchFolderEntries(const TTVPSearchInfo& request, const std::vector<TFolderInfo>& folders) {
  std::vector<std::string> entries;
  for (int i = 0; i < request.FolderCount && i < static_cast<int>(request.FolderIndexes.size()); ++i) {
    int p = request.FolderIndexes[i];
    if (p >= 0 && p < static_cast<int>(folders.size())) entries.push_back(std::to_string(p) + ":" + folders[p].Title);
  }
  return entries;
}

TFontChoice FontOf(const std::string& name, const std::string& size, const std::string& bold) {
  TFontChoice f;
  f.Name = name;
  f.Size = ToIntDef(size, 9);
  f.Bold = bold == "1";
  return f;
}

std::string NamazuManualPath(const std::string& namazuPath, bool namazu13) {
  int p = FindFromEnd(namazuPath, "\\", 2);
  return namazuPath.substr(0, static_cast<size_t>(p)) +
         (namazu13 ? "doc\\ja\\manual.html" : "share\\namazu\\doc\\ja\\manual.html");
}

std::string CommandLineViewText(const std::string& workDir, const std::string& commandLine) {
  return "WorkDir: \r\n" + workDir + "\r\n\r\nCommandLine: \r\n" + commandLine + "\r\n\r\n" + kCommandLineCopiedMessage;
}

std::string VanishedMailMessage(const std::string& path) {
  return "メールのファイル " + path +
         " が見つかりません。\n削除されたか移動されたようです。このフォルダのインデックスを更新してください。";
}

}  // namespace tvp
