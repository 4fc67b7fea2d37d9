// The folder selection dialog on the sample account, driven with real keys
// and clicks inside its modal loop.
#include <windows.h>
#include <commctrl.h>
#include <imm.h>
#include <gtest/gtest.h>

#include "core/settings/aliases.h"
#include "plugin/files/win_fs.h"
#include "plugin/forms/input_box.h"
#include "plugin/search/frm_search.h"
#include "plugin/search/frm_sel_folders.h"
#include "plugin/settings/settings_store.h"
#include "plugin/shell/host_api.h"
#include "plugin/ui/controls.h"
#include "win/dialog_support.h"
#include "win/sample_account.h"

using namespace tvp;
using namespace tvp::test;

namespace {

class SelectFolders : public SampleAccount<> {
 protected:
  int Open(std::vector<int> requested, const std::function<void(TfrmSelSearchFolders&)>& drive,
           std::vector<int>* chosen = nullptr) {
    TTVPSettings settings = EnsureAndLoadSettings(host);
    folders = LoadFolderTree(DiskFileSystem(), host::GetAccount(host), settings.IndexDir);
    TTVPSearchInfo request;
    request.FolderIndexes = requested;
    request.FolderCount = static_cast<int>(requested.size());
    std::vector<int> out;
    int result = 0;
    EXPECT_TRUE(WhileModal([&] { result = ShowSelSearchFolders(host, host, folders, request, out); },
                           [&](Form& f) { drive(dynamic_cast<TfrmSelSearchFolders&>(f)); }));
    if (chosen) *chosen = out;
    return result;
  }
  static HTREEITEM ItemOf(TfrmSelSearchFolders& d, int folder) {
    for (HTREEITEM item : d.Items())
      if (d.FolderOf(item) == folder) return item;
    return nullptr;
  }
  static bool Expanded(TfrmSelSearchFolders& d, HTREEITEM item) {
    return TreeView_GetItemState(d.eltFolder, item, TVIS_EXPANDED) & TVIS_EXPANDED;
  }
  // Space on the item, as the user presses it.
  static void Space(TfrmSelSearchFolders& d, HTREEITEM item) {
    TreeView_SelectItem(d.eltFolder, item);
    PressKey(d, d.eltFolder, VK_SPACE, ' ');
  }
  // Answers the name box with `name` while `action` runs.
  static void AnswerName(const std::function<void()>& action, const char* name) {
    WhileModal(action, [name](Form& f) {
      auto& box = dynamic_cast<TfrmInputQuery&>(f);
      SetWindowTextA(box.edtValue, name);
      PressKey(box, box.edtValue, VK_RETURN);
    });
  }
  TTVPAliases StoredAliases() {
    TTVPAliases a;
    LoadAliases(IniFile(ReadFileText(IniPath())), a);
    return a;
  }
  std::vector<TFolderInfo> folders;
};

}  // namespace

TEST_F(SelectFolders, TreeShowsTheAccountWithTheRequestTickedAndVisible) {
  std::string root, count, caption;
  std::vector<std::string> titles;
  std::vector<int> withBox, ticked;
  bool containerOpen = false, oldLogsOpen = false, otherOpen = true;
  bool imeOff = false;
  Open({2, 6}, [&](TfrmSelSearchFolders& d) {
    caption = d.Caption();
    for (HTREEITEM item : d.Items()) {
      char text[128] = {0};
      TVITEMA tv = {TVIF_TEXT, item};
      tv.pszText = text;
      tv.cchTextMax = sizeof text;
      SendMessageA(d.eltFolder, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
      if (d.FolderOf(item) < 0) root = text; else titles.push_back(text);
      if (d.HasCheckBox(item)) withBox.push_back(d.FolderOf(item));
    }
    ticked = d.CheckedFolders();
    count = WindowText(d.lblSelCount);
    containerOpen = Expanded(d, ItemOf(d, 3));
    oldLogsOpen = Expanded(d, ItemOf(d, 5));
    otherOpen = Expanded(d, ItemOf(d, 9));
    imeOff = ImmGetContext(d.eltFolder) == nullptr;
    d.SetModalResult(mrCancel);
  });
  EXPECT_EQ(caption, "対象フォルダ選択");
  EXPECT_EQ(root, "サンプル アカウント");
  EXPECT_EQ(titles, (std::vector<std::string>{"郵便受け", "送信箱", "表計算", "ソフト開発", "プロジェクトα", "過去ログ",
                                              "2024年度", "2023年度", "会議録", "能登旅行"}));
  EXPECT_EQ(withBox, (std::vector<int>{0, 1, 2, 4, 6, 7, 8, 9}));  // never the root or a container
  EXPECT_EQ(ticked, (std::vector<int>{2, 6}));
  EXPECT_EQ(count, "選択 2個");
  EXPECT_TRUE(containerOpen);
  EXPECT_TRUE(oldLogsOpen);
  EXPECT_FALSE(otherOpen);
  EXPECT_TRUE(imeOff);
}

TEST_F(SelectFolders, SpaceTicksAllBelowAContainerOrUnticksThemWhenAllWereTicked) {
  std::vector<std::vector<int>> steps;
  std::string count;
  Open({6, 9}, [&](TfrmSelSearchFolders& d) {
    HTREEITEM soft = ItemOf(d, 3), root = TreeView_GetRoot(d.eltFolder);
    Space(d, soft);  // partly ticked: all of them
    steps.push_back(d.CheckedFolders());
    Space(d, soft);  // all ticked: none
    steps.push_back(d.CheckedFolders());
    Space(d, ItemOf(d, 9));  // a mail folder: its own tick
    steps.push_back(d.CheckedFolders());
    Space(d, root);
    steps.push_back(d.CheckedFolders());
    count = WindowText(d.lblSelCount);
    Space(d, root);
    steps.push_back(d.CheckedFolders());
    // The menu's item does the same as the key.
    TreeView_SelectItem(d.eltFolder, ItemOf(d, 5));
    SendMessageA(d.Handle(), WM_COMMAND, GetMenuItemID(d.pmnuTree, 1), 0);
    steps.push_back(d.CheckedFolders());
    d.SetModalResult(mrCancel);
  });
  EXPECT_EQ(steps, (std::vector<std::vector<int>>{{4, 6, 7, 9}, {9}, {}, {0, 1, 2, 4, 6, 7, 8, 9}, {}, {6, 7}}));
  EXPECT_EQ(count, "選択 8個");
}

TEST_F(SelectFolders, ClickingWhereAContainersBoxWouldBeTicksNothing) {
  std::vector<int> afterContainer, afterFolder;
  std::string count;
  Open({}, [&](TfrmSelSearchFolders& d) {
    // Where the box sits on the row of `box`, clicked on the row of `row`.
    auto click = [&](HTREEITEM row, HTREEITEM box) {
      RECT r, b;
      TreeView_GetItemRect(d.eltFolder, row, &r, TRUE);
      TreeView_GetItemRect(d.eltFolder, box, &b, TRUE);  // the text; the box sits left of it
      LPARAM at = MAKELPARAM(b.left - 8, (r.top + r.bottom) / 2);
      PostMessageA(d.eltFolder, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageA(d.eltFolder, WM_LBUTTONUP, 0, at);
      PumpDialog(d);
    };
    click(ItemOf(d, 3), ItemOf(d, 2));  // a container beside a mail folder
    click(ItemOf(d, 3), ItemOf(d, 3));
    afterContainer = d.CheckedFolders();
    click(ItemOf(d, 2), ItemOf(d, 2));
    afterFolder = d.CheckedFolders();
    count = WindowText(d.lblSelCount);
    d.SetModalResult(mrCancel);
  });
  EXPECT_TRUE(afterContainer.empty());
  EXPECT_EQ(afterFolder, std::vector<int>{2});
  EXPECT_EQ(count, "選択 1個");
}

TEST_F(SelectFolders, StarExpandsEverythingBelowAndCtrlArrowsScroll) {
  bool before = true, oldLogs = false;
  int scrolled = -1, back = -1;
  Open({}, [&](TfrmSelSearchFolders& d) {
    before = Expanded(d, ItemOf(d, 5));
    TreeView_SelectItem(d.eltFolder, ItemOf(d, 3));
    PressKey(d, d.eltFolder, VK_MULTIPLY, '*');
    oldLogs = Expanded(d, ItemOf(d, 5));
    // A long title makes the tree wider than its window.
    TVITEMA tv = {TVIF_TEXT, ItemOf(d, 7)};
    tv.pszText = const_cast<char*>("とても長い名前のフォルダとても長い名前のフォルダとても長い名前のフォルダ");
    SendMessageA(d.eltFolder, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    HoldCtrl(true);
    PressKey(d, d.eltFolder, VK_RIGHT);
    PressKey(d, d.eltFolder, VK_RIGHT);
    scrolled = GetScrollPos(d.eltFolder, SB_HORZ);
    PressKey(d, d.eltFolder, VK_LEFT);
    back = GetScrollPos(d.eltFolder, SB_HORZ);
    HoldCtrl(false);
    d.SetModalResult(mrCancel);
  });
  EXPECT_FALSE(before);
  EXPECT_TRUE(oldLogs);
  EXPECT_EQ(scrolled, 20);
  EXPECT_EQ(back, 10);
}

TEST_F(SelectFolders, ResetAndOkHandBackTheTicksInTreeOrder) {
  std::vector<int> chosen;
  std::string count;
  EXPECT_EQ(Open({9, 2}, [&](TfrmSelSearchFolders& d) {
    Space(d, ItemOf(d, 0));
    d.SetModalResult(mrOk);
  }, &chosen), mrOk);
  EXPECT_EQ(chosen, (std::vector<int>{0, 2, 9}));
  EXPECT_EQ(Open({9, 2}, [&](TfrmSelSearchFolders& d) {
    SendMessageA(d.btnReset, BM_CLICK, 0, 0);
    count = WindowText(d.lblSelCount);
    PressKey(d, d.eltFolder, VK_RETURN);
  }, &chosen), mrOk);
  EXPECT_TRUE(chosen.empty());
  EXPECT_EQ(count, "選択 0個");
}

TEST_F(SelectFolders, StoringAnAliasAsksForANameAndBeforeOverwriting) {
  WriteFileText(IniPath(), "[Mknmz]\r\nIndexDir=D:\\idx\\\r\n[Alias]\r\nMax=1\r\nName1=ソ開\r\nDirCount1=1\r\nDir1-1=x\r\n"
                           "[Search]\r\nAlias=ソ開\r\n");
  std::string promptCaption, promptText;
  Open({}, [&](TfrmSelSearchFolders& d) {
    d.btnSaveAliasClick();  // nothing ticked
    Space(d, ItemOf(d, 4));
    Space(d, ItemOf(d, 7));
    WhileModal([&] { d.btnSaveAliasClick(); }, [&](Form& f) {
      auto& box = dynamic_cast<TfrmInputQuery&>(f);
      promptCaption = box.Caption();
      promptText = WindowText(box.lblPrompt);
      box.SetModalResult(mrCancel);
    });
    AnswerName([&] { d.btnSaveAliasClick(); }, "  新しい組  ");
    ui.answers = {IDNO};
    AnswerName([&] { d.btnSaveAliasClick(); }, "ソ開");
    ui.answers = {IDYES};
    Space(d, ItemOf(d, 9));
    AnswerName([&] { d.btnSaveAliasClick(); }, "ソ開");
    d.SetModalResult(mrCancel);
  });
  EXPECT_EQ(promptCaption, "エイリアスとして保存");
  EXPECT_EQ(promptText, "選択されているフォルダの組み合わせをエイリアスとして保存します。名前を入力してください。");
  ASSERT_EQ(ui.messages.size(), 3u);
  EXPECT_EQ(ui.messages[0].text, "ひとつ以上のフォルダを選択してください。");
  EXPECT_EQ(ui.messages[0].caption, "エラー");
  EXPECT_EQ(ui.messages[1].text, "同じ名前のエイリアスがすでに存在します。\n上書きしてもよろしいですか？");
  EXPECT_EQ(ui.messages[1].caption, "上書きの確認");
  EXPECT_EQ(ui.messages[1].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  TTVPAliases a = StoredAliases();
  ASSERT_EQ(AliasNames(a), (std::vector<std::string>{"ソ開", "新しい組"}));
  // Members relative to the account directory although IndexDir is set.
  EXPECT_EQ(a.Items[1].Dirs, "Namazu\\b002\\b001\\\rNamazu\\b002\\b002\\b001\\\r");
  EXPECT_EQ(a.Items[0].Dirs, "Namazu\\b002\\b001\\\rNamazu\\b002\\b002\\b001\\\rNamazu\\b004\\\r");
  EXPECT_EQ(a.SelectedName, "ソ開");  // written back as loaded
}

TEST_F(SelectFolders, TheSearchDialogTakesTheTicksAfterOkOnlyAndOffersANewAlias) {
  TTVPSearchInfo request;
  std::string afterCancel, afterOk;
  std::vector<std::string> aliases;
  WhileModal([&] { ShowSearchDialog(host, host, request); }, [&](Form& f) {
    auto& s = dynamic_cast<TfrmSearch&>(f);
    WhileModal([&] { s.btnFolderBrowseClick(); }, [&](Form& g) {
      auto& d = dynamic_cast<TfrmSelSearchFolders&>(g);
      Space(d, ItemOf(d, 8));
      d.SetModalResult(mrCancel);
    });
    afterCancel = WindowText(s.edtFolderName);
    WhileModal([&] { s.btnFolderBrowseClick(); }, [&](Form& g) {
      auto& d = dynamic_cast<TfrmSelSearchFolders&>(g);
      Space(d, ItemOf(d, 3));
      AnswerName([&] { d.btnSaveAliasClick(); }, "ソフト");
      d.SetModalResult(mrOk);
    });
    afterOk = WindowText(s.edtFolderName);
    aliases = ComboItems(s.cboAlias);
    s.btnCancelClick();
  });
  EXPECT_EQ(afterCancel, "");
  EXPECT_EQ(afterOk, "プロジェクトα, 2024年度, 2023年度");
  EXPECT_EQ(request.FolderIndexes, (std::vector<int>{4, 6, 7}));
  EXPECT_EQ(aliases, std::vector<std::string>{"ソフト"});
}
