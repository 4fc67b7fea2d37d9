// The search dialog on a copy of the sample account (containers, a folder
// missing from the order, titles with 表/ソ/能), driven inside its modal loop.
#include <windows.h>
#include <commctrl.h>
#include <imm.h>
#include <gtest/gtest.h>

#include "core/common/sjis.h"
#include "core/settings/ini.h"
#include "plugin/search/frm_search.h"
#include "plugin/settings/frm_alias_save_as.h"
#include "plugin/shell/commands.h"
#include "plugin/ui/controls.h"
#include "win/dialog_support.h"
#include "win/sample_account.h"

using namespace tvp;
using namespace tvp::test;

namespace {

// The sample account's folders: 0 郵便受け, 1 送信箱, 2 表計算, 3 ソフト開発 (container),
// 4 プロジェクトα, 5 過去ログ (container), 6 2024年度, 7 2023年度, 8 会議録, 9 能登旅行.
const char kAliases[] =
    "[Alias]\r\nMax=2\r\nName1=表計算だけ\r\nDirCount1=1\r\nDir1-1=Namazu\\b001\\\r\n"
    "Name2=ソ開\r\nDirCount2=3\r\nDir2-1=Namazu\\b002\\b001\\\r\nDir2-2=Namazu\\gone\\\r\n"
    "Dir2-3=Namazu\\b002\\b002\\b001\\\r\n";

class SearchDialog : public SampleAccount<> {
 protected:
  int Open(TTVPSearchInfo& request, const std::function<void(TfrmSearch&)>& drive) {
    int result = 0;
    EXPECT_TRUE(WhileModal([&] { result = ShowSearchDialog(host, host, request); },
                           [&](Form& f) { drive(dynamic_cast<TfrmSearch&>(f)); }));
    return result;
  }
  static void AddRow(TfrmSearch& d, const char* header, const char* expression) {
    SetWindowTextA(d.cboHeaderName, header);
    SetWindowTextA(d.edtHeaderKeyword, expression);
    d.btnAddClick();
  }
};

}  // namespace

TEST_F(SearchDialog, FirstSearchWithoutSettingsClosesWithOneAndNoExpression) {
  TTVPSearchInfo request;
  request.Keyword = "old";
  std::string folders = "x";
  int historyItems = -1, aliasItems = -1;
  int result = Open(request, [&](TfrmSearch& d) {
    folders = WindowText(d.edtFolderName);
    historyItems = static_cast<int>(ComboItems(d.cboKeyword).size());
    aliasItems = static_cast<int>(ComboItems(d.cboAlias).size());
    d.btnSearchClick();
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(folders, "");
  EXPECT_EQ(historyItems, 0);
  EXPECT_EQ(aliasItems, 0);
  EXPECT_EQ(request.FolderCount, 0);
  EXPECT_EQ(request.Keyword, "");
  EXPECT_EQ(Read("Search", "TargetFolderCount"), "0");
  EXPECT_EQ(Read("Alias", "Max"), "0");
}

TEST_F(SearchDialog, FolderChoiceIsRestoredByTheFirstRuleThatApplies) {
  struct Case {
    std::string ini;
    std::vector<int> requested;
    std::string alias;  // selected in cboAlias
    std::vector<int> folders;
    std::string text;
  } cases[] = {
      // The request's own folders when no alias was saved.
      {kAliases, {2, 6}, "", {2, 6}, "表計算, 2024年度"},
      // A saved alias that still exists; its vanished member is skipped.
      {std::string(kAliases) + "[Search]\r\nAlias=ソ開\r\n", {2}, "ソ開", {4, 7}, "プロジェクトα, 2023年度"},
      // A saved alias that no longer exists (names compare exactly): the saved entries whose titles still match.
      {std::string(kAliases) +
           "[Search]\r\nAlias=そ開\r\nTargetFolderCount=4\r\nFolder1=9:能登旅行\r\nFolder2=3:受信\r\n"
           "Folder3=0:郵便受け\r\nFolder4=x:表計算\r\n",
       {2}, "", {9, 0}, "能登旅行, 郵便受け"},
  };
  for (const Case& c : cases) {
    WriteFileText(IniPath(), c.ini);
    TTVPSearchInfo request;
    request.FolderIndexes = c.requested;
    request.FolderCount = static_cast<int>(c.requested.size());
    std::string text, alias, hint;
    Open(request, [&](TfrmSearch& d) {
      text = WindowText(d.edtFolderName);
      alias = WindowText(d.cboAlias);
      hint = d.FolderHint();
      d.btnCancelClick();
    });
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(alias, c.alias);
    EXPECT_EQ(hint, ReplaceAll(c.text, ", ", "\r\n"));
    EXPECT_EQ(request.FolderIndexes, c.folders) << c.text;
    EXPECT_EQ(request.FolderCount, static_cast<int>(c.folders.size()));
  }
}

TEST_F(SearchDialog, AliasMembersLieBelowIndexDirWhenItIsSet) {
  for (const char* indexDir : {"D:\\idx", "D:\\idx\\"}) {
    WriteFileText(IniPath(), std::string(kAliases) + "[Search]\r\nAlias=表計算だけ\r\n[Mknmz]\r\nIndexDir=" + indexDir + "\r\n");
    TTVPSearchInfo request;
    Open(request, [&](TfrmSearch& d) { d.btnCancelClick(); });
    EXPECT_EQ(request.FolderIndexes, std::vector<int>{2}) << indexDir;
  }
}

TEST_F(SearchDialog, SearchComposesTheExpressionAndStoresFoldersAndAlias) {
  WriteFileText(IniPath(), std::string(kAliases) + "[Search]\r\nFormulaHistoryCount=3\r\nHistory1=前回\r\nHistory2= \r\nHistory3=表示\r\n");
  TTVPSearchInfo request;
  std::vector<std::string> history;
  std::string shown;
  int result = Open(request, [&](TfrmSearch& d) {
    history = ComboItems(d.cboKeyword);
    shown = WindowText(d.cboKeyword);
    SelectCombo(d.cboAlias, 1);
    d.cboAliasClick();
    SetWindowTextA(d.cboKeyword, "  foo　bar ");
    AddRow(d, "Subject:", " bar ");
    AddRow(d, "from:", "baz");
    d.btnSearchClick();
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(history, (std::vector<std::string>{"前回", "表示"}));
  EXPECT_EQ(shown, "前回");
  EXPECT_EQ(request.Keyword, "foo　bar +Subject:bar +from:baz");
  EXPECT_EQ(request.FolderIndexes, (std::vector<int>{4, 7}));
  EXPECT_EQ(Read("Search", "TargetFolderCount"), "2");
  EXPECT_EQ(Read("Search", "Folder1"), "4:プロジェクトα");
  EXPECT_EQ(Read("Search", "Folder2"), "7:2023年度");
  EXPECT_EQ(Read("Search", "Alias"), "ソ開");
  EXPECT_EQ(Read("Alias", "Name2"), "ソ開");
}

TEST_F(SearchDialog, CancelHandsBackTheShownFoldersAndWritesNothing) {
  WriteFileText(IniPath(), kAliases);
  std::string before = ReadFileText(IniPath());
  TTVPSearchInfo request;
  int result = Open(request, [&](TfrmSearch& d) {
    SelectCombo(d.cboAlias, 0);
    d.cboAliasClick();
    SetWindowTextA(d.cboKeyword, "foo");
    d.btnCancelClick();
  });
  EXPECT_EQ(result, 2);
  EXPECT_EQ(request.FolderIndexes, std::vector<int>{2});
  EXPECT_EQ(request.Keyword, "");
  EXPECT_EQ(ReadFileText(IniPath()), before);
}

TEST_F(SearchDialog, HeaderRowsAddOnEnterInTheHeaderFieldsAndDeletePutsTheTextsBack) {
  TTVPSearchInfo request;
  std::vector<std::string> rows;
  bool addDefaultInField = false, searchDefaultElsewhere = false;
  std::string header, expression;
  int selectedAfterDelete = -2, countAfterDelete = -1;
  int result = Open(request, [&](TfrmSearch& d) {
    SetWindowTextA(d.cboHeaderName, "Subject:");
    SetWindowTextA(d.edtHeaderKeyword, "bar");
    PressKey(d, d.edtHeaderKeyword, VK_RETURN);
    addDefaultInField = d.DefaultButton() == d.btnAdd;
    PressKey(d, d.edtHeaderKeyword, VK_RETURN);  // the same pair is not added twice
    SetWindowTextA(d.cboHeaderName, "X-Spam:");
    PressKey(d, d.edtHeaderKeyword, VK_RETURN);  // not a listed header
    SetWindowTextA(d.cboHeaderName, "to:");
    PressKey(d, d.cboHeaderName, VK_RETURN);
    for (int i = 0; i < ListView_GetItemCount(d.lstHeader); ++i) {
      char a[64], b[64];
      ListView_GetItemText(d.lstHeader, i, 0, a, sizeof a);
      ListView_GetItemText(d.lstHeader, i, 1, b, sizeof b);
      rows.push_back(std::string(a) + b);
    }
    // Delete the last row: the texts go back and the new last row is selected.
    ListView_SetItemState(d.lstHeader, 1, LVIS_SELECTED, LVIS_SELECTED);
    SetWindowTextA(d.cboHeaderName, "");
    SetWindowTextA(d.edtHeaderKeyword, "");
    d.btnDeleteClick();
    header = WindowText(d.cboHeaderName);
    expression = WindowText(d.edtHeaderKeyword);
    selectedAfterDelete = ListView_GetNextItem(d.lstHeader, -1, LVNI_SELECTED);
    d.btnDeleteClick();
    countAfterDelete = ListView_GetItemCount(d.lstHeader);
    SetFocus(d.lstHeader);
    searchDefaultElsewhere = d.DefaultButton() == d.btnSearch;
    PressKey(d, d.cboKeyword, VK_RETURN);  // Enter elsewhere searches
  });
  EXPECT_EQ(rows, (std::vector<std::string>{"Subject:bar", "to:bar"}));
  EXPECT_TRUE(addDefaultInField);
  EXPECT_EQ(header, "to:");
  EXPECT_EQ(expression, "bar");
  EXPECT_EQ(selectedAfterDelete, 0);
  EXPECT_EQ(countAfterDelete, 0);
  EXPECT_TRUE(searchDefaultElsewhere);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(request.Keyword, "");
}

TEST_F(SearchDialog, F2AndThePictureButtonOpenTheAliasEditor) {
  WriteFileText(IniPath(), kAliases);
  TTVPSearchInfo request;
  int opened = 0;
  std::vector<std::string> names;
  int preselected = -2;
  Open(request, [&](TfrmSearch& d) {
    SelectCombo(d.cboAlias, 1);
    auto close = [&](Form& f) {
      auto* editor = dynamic_cast<TfrmAliasSaveAs*>(&f);
      if (!editor) return;
      ++opened;
      names = ComboItems(editor->cboOldAliasName);
      preselected = ComboSelection(editor->cboOldAliasName);
      editor->btnCancelClick();
    };
    WhileModal([&] { PressKey(d, d.lstHeader, VK_F2); }, close);
    WhileModal([&] { PressKey(d, d.cboKeyword, VK_F2); }, close);
    WhileModal([&] { SendMessageA(d.btnEditAlias, BM_CLICK, 0, 0); }, close);
    d.btnCancelClick();
  });
  EXPECT_EQ(opened, 3);
  EXPECT_EQ(names, (std::vector<std::string>{"表計算だけ", "ソ開"}));
  EXPECT_EQ(preselected, 1);
}

TEST_F(SearchDialog, TheHostsSearchCommandOpensItOverTheHostWindow) {
  ShowWindow(host, SW_SHOW);
  WriteFileText(IniPath(), "[Result]\r\nSwitchIME=1\r\n[Search]\r\nTargetFolderCount=1\r\nFolder1=2:表計算\r\n");
  HWND owner = nullptr;
  std::string caption, folders;
  bool hostDisabled = false;
  RECT client = {};
  ASSERT_TRUE(WhileModal([&] { Commands().search(host); }, [&](Form& f) {
    auto& d = dynamic_cast<TfrmSearch&>(f);
    owner = GetWindow(d.Handle(), GW_OWNER);
    caption = d.Caption();
    folders = WindowText(d.edtFolderName);
    hostDisabled = !IsWindowEnabled(host);
    GetClientRect(d.Handle(), &client);
    d.btnCancelClick();
  }));
  EXPECT_EQ(owner, host);
  EXPECT_TRUE(hostDisabled);
  EXPECT_EQ(caption, "Tarvik for Namazu [検索]");
  EXPECT_EQ(folders, "表計算");
  EXPECT_EQ(client.right, 329);
  EXPECT_EQ(client.bottom, 313);
}

TEST_F(SearchDialog, SwitchImeOpensTheInputMethodInTheExpressionBox) {
  for (const char* on : {"0", "1"}) {
    WriteFileText(IniPath(), std::string("[Result]\r\nSwitchIME=") + on + "\r\n");
    TTVPSearchInfo request;
    BOOL open = FALSE;
    Open(request, [&](TfrmSearch& d) {
      SetFocus(d.lstHeader);
      if (HIMC imc = ImmGetContext(d.cboKeyword)) {
        ImmSetOpenStatus(imc, FALSE);
        ImmReleaseContext(d.cboKeyword, imc);
      }
      SetFocus(d.cboKeyword);
      if (HIMC imc = ImmGetContext(d.cboKeyword)) {
        open = ImmGetOpenStatus(imc);
        ImmReleaseContext(d.cboKeyword, imc);
      }
      d.btnCancelClick();
    });
    EXPECT_EQ(open != FALSE, std::string(on) == "1") << on;
  }
}
