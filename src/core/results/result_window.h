// The rules of the result window that need no window: how its sort,
// summary, count and colour menus start from the settings and what each
// choice writes back, the history and folders it stores, the font
// fallbacks, the manual's path and the command-line page.
#pragma once

#include <string>
#include <vector>

#include "core/mailbox/folder_tree.h"
#include "core/search/search_exec.h"
#include "core/settings/settings.h"

namespace tvp {

// The sort menu: radio group 1 (Sort), radio group 2 (昇順/降順, both may be
// unchecked), and which items are enabled.
struct TSortMenu {
  TSortItem Sort = TSortItem::Score;
  bool Ascend = false, Descend = true;
  bool DirectionEnabled = false;  // 昇順, 降順
  bool FieldsEnabled = true;      // 題名順, 差出人順, 宛先順, ファイル名順
};

// The menus when the window opens.
struct TResultMenus {
  TSortMenu SortMenu;
  bool ContentsOff = false;  // 表示しない
  TListCountItem ListCount = TListCountItem::Twenty;
  bool NoColour = false;     // 色をつけない
  bool HighlightWords = true;  // 検索語を強調表示
  bool SavePosition = false, SaveSize = false;
};
TResultMenus InitialMenus(const TTVPSettings& settings);

// [Search] ListCount as a count item: 1-20, 21-50, 51-100, "all" (any
// case), otherwise 20.
TListCountItem ListCountItemOf(const std::string& listCount);

// The sort menu after the user chose a sort item or a direction.
TSortMenu ChooseSortItem(TSortMenu menu, TSortItem item, bool namazu13);
TSortMenu ChooseDirection(TSortMenu menu, bool ascend);

// The setting values the menu items stand for.
std::string SortValue(TSortItem item);            // "Earlier" ... "URI"
std::string ListCountValue(TListCountItem item);  // "20", "50", "100", "All"

// The menus as RunSearch reads them.
TResultMenuState MenuStateOf(const TSortMenu& sort, bool contentsOff, TListCountItem count);

// History entries 1 to FormulaHistoryCount (none when it is not a number)
// that are not blank: the list of cboKeyword when the window opens.
std::vector<std::string> HistoryItems(const TTVPSettings& settings);
// The history to store from cboKeyword's list: its first
// FormulaHistoryCount items (as far as it has them).
std::vector<std::string> HistoryToStore(const std::vector<std::string>& items, const std::string& historyCount);

// The searched folders as stored in [Search] Folder keys: "position:title";
// positions outside the folder list are left out.
std::vector<std::string> SearchFolderEntries(const TTVPSearchInfo& request, const std::vector<TFolderInfo>& folders);

// A view's font from its three settings: the size falls back to 9 points.
struct TFontChoice {
  std::string Name;
  int Size = 9;  // points
  bool Bold = false;
};
TFontChoice FontOf(const std::string& name, const std::string& size, const std::string& bold);

// Namazu's Japanese manual next to namazu.exe:
// C:\namazu\bin\namazu.exe -> C:\namazu\share\namazu\doc\ja\manual.html
// (1.3: C:\namazu\doc\ja\manual.html).
std::string NamazuManualPath(const std::string& namazuPath, bool namazu13);

// What the user is told when the mail of a hit is gone.
std::string VanishedMailMessage(const std::string& path);

// The text the command-line button shows in the result view.
extern const char kCommandLineCopiedMessage[];  // "コマンドラインは、クリップボードにコピーされています。"
std::string CommandLineViewText(const std::string& workDir, const std::string& commandLine);

}  // namespace tvp
