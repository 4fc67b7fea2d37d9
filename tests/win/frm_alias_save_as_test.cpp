// The alias edit dialog on the sample account.
#include <windows.h>
#include <gtest/gtest.h>

#include "core/common/sjis.h"
#include "core/settings/aliases.h"
#include "plugin/settings/frm_alias_save_as.h"
#include "plugin/ui/controls.h"
#include "win/dialog_support.h"
#include "win/sample_account.h"

using namespace tvp;
using namespace tvp::test;

namespace {

const char kThree[] =
    "[Alias]\r\nMax=3\r\nName1=Alpha\r\nDirCount1=3\r\nDir1-1=Namazu\\b004\\\r\nDir1-2=Namazu\\gone\\\r\n"
    "Dir1-3=Namazu\\inbox\\\r\nName2=表計算\r\nDirCount2=1\r\nDir2-1=Namazu\\b001\\\r\n"
    "Name3=ソ開\r\nDirCount3=0\r\n[Search]\r\nAlias=ソ開\r\n";

class AliasEdit : public SampleAccount<> {
 protected:
  void SetUp() override {
    SampleAccount::SetUp();
    WriteFileText(IniPath(), kThree);
  }
  bool Open(int selected, const std::function<void(TfrmAliasSaveAs&)>& drive) {
    TTVPAliases a = Stored();
    bool changed = false;
    EXPECT_TRUE(WhileModal([&] { changed = ShowAliasEditDialog(host, host, AliasNames(a), selected); },
                           [&](Form& f) { drive(dynamic_cast<TfrmAliasSaveAs&>(f)); }));
    return changed;
  }
  TTVPAliases Stored() {
    TTVPAliases a;
    LoadAliases(IniFile(ReadFileText(IniPath())), a);
    return a;
  }
  static void Edit(TfrmAliasSaveAs& d, int edited, const char* name, int position) {
    SelectCombo(d.cboOldAliasName, edited);
    d.cboOldAliasNameClick();
    SetWindowTextA(d.cboNewAliasName, name);
    SelectCombo(d.cboInsertPosition, position);
    d.btnSaveClick();
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (const ShownMessage& m : ui.messages) t.push_back(m.text);
    return t;
  }
};

}  // namespace

TEST_F(AliasEdit, OpensWithTheCallersAliasAndShowsItsFolders) {
  std::vector<std::string> folders, positions, newNames;
  std::string caption, message;
  int insertSelected = -2;
  bool changed = Open(0, [&](TfrmAliasSaveAs& d) {
    caption = d.Caption();
    message = WindowText(d.lblMessage);
    folders = ListBoxItems(d.lstFolderNames);  // the vanished member is left out
    positions = ComboItems(d.cboInsertPosition);
    insertSelected = ComboSelection(d.cboInsertPosition);
    newNames = ComboItems(d.cboNewAliasName);
    d.btnCancelClick();
  });
  EXPECT_FALSE(changed);
  EXPECT_EQ(caption, "エイリアス編集");
  EXPECT_EQ(message,
            "エイリアスを選択し、新しいエイリアス名を入力してください。削除する場合は、エイリアスを選択してから「削除」ボ"
            "タンを押してください。");
  EXPECT_EQ(folders, (std::vector<std::string>{"能登旅行", "郵便受け"}));
  EXPECT_EQ(positions, (std::vector<std::string>{"1 (先頭)", "2", "3 (最後)"}));
  EXPECT_EQ(insertSelected, -1);
  EXPECT_EQ(newNames, (std::vector<std::string>{"Alpha", "表計算", "ソ開"}));
}

TEST_F(AliasEdit, RefusalsShowTheirMessageAndWriteNothing) {
  std::string before = ReadFileText(IniPath());
  Open(-1, [&](TfrmAliasSaveAs& d) {
    d.btnSaveClick();
    d.btnDeleteClick();
    Edit(d, 0, "　　", -1);
    Edit(d, 0, " 表計算 ", -1);
    d.btnCancelClick();
  });
  EXPECT_EQ(Texts(), (std::vector<std::string>{
                         "編集対象のエイリアスを選択してください。",
                         "削除するエイリアスを「編集対象」に指定してください。",
                         "新エイリアス名を入力してください。\n順番のみを変更するときは編集対象と同じものを選択してください。",
                         "すでに存在する名称には変更できません。"}));
  for (const ShownMessage& m : ui.messages) EXPECT_EQ(m.caption, "エラー");
  EXPECT_EQ(ReadFileText(IniPath()), before);
}

TEST_F(AliasEdit, SeveralSavesInOneVisitRenameRetypeAndMove) {
  std::vector<std::vector<std::string>> orders;
  std::string shownName;
  int oldSelected = -2;
  bool changed = Open(-1, [&](TfrmAliasSaveAs& d) {
    Edit(d, 0, "  新　名  ", -1);  // rename; inner full-width space kept
    orders.push_back(AliasNames(Stored()));
    shownName = WindowText(d.cboNewAliasName);
    oldSelected = ComboSelection(d.cboOldAliasName);
    Edit(d, 0, "新　名", 2);  // the same name: moves only (first to last)
    orders.push_back(AliasNames(Stored()));
    Edit(d, 2, "ALPHA", -1);  // not found: a rename to ALPHA
    orders.push_back(AliasNames(Stored()));
    Edit(d, 2, "alpha", 0);  // own name in other case with a position: moves without renaming
    orders.push_back(AliasNames(Stored()));
    Edit(d, 0, "alpha", -1);  // ... and without a position nothing changes, but it is saved
    orders.push_back(AliasNames(Stored()));
    d.btnCancelClick();
  });
  EXPECT_TRUE(changed);
  EXPECT_EQ(orders, (std::vector<std::vector<std::string>>{{"新　名", "表計算", "ソ開"},
                                                          {"表計算", "ソ開", "新　名"},
                                                          {"表計算", "ソ開", "ALPHA"},
                                                          {"ALPHA", "表計算", "ソ開"},
                                                          {"ALPHA", "表計算", "ソ開"}}));
  EXPECT_EQ(shownName, "");
  EXPECT_EQ(oldSelected, -1);
  EXPECT_EQ(Texts(), std::vector<std::string>(5, "保存しました。"));
  EXPECT_EQ(ui.messages[0].caption, "確認");
  // Members travel with their alias.
  EXPECT_EQ(Stored().Items[0].Dirs, "Namazu\\b004\\\rNamazu\\gone\\\rNamazu\\inbox\\\r");
}

TEST_F(AliasEdit, DeleteAsksFirstAndLeavesNothingSelected) {
  std::vector<std::string> folders = {"x"}, names;
  int selected = -2;
  ui.answers = {IDNO, IDYES};
  bool changed = Open(1, [&](TfrmAliasSaveAs& d) {
    d.btnDeleteClick();  // No
    d.btnDeleteClick();  // Yes
    folders = ListBoxItems(d.lstFolderNames);
    selected = ComboSelection(d.cboOldAliasName);
    names = ComboItems(d.cboNewAliasName);
    d.btnCancelClick();
  });
  EXPECT_TRUE(changed);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, "エイリアス 「表計算」 を削除します。\nよろしいですか？");
  EXPECT_EQ(ui.messages[0].caption, "削除の確認");
  EXPECT_EQ(ui.messages[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_TRUE(folders.empty());
  EXPECT_EQ(selected, -1);
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "ソ開"}));
  EXPECT_EQ(AliasNames(Stored()), (std::vector<std::string>{"Alpha", "ソ開"}));
  EXPECT_EQ(Read("Alias", "Name3"), "ソ開");  // left behind, no longer loaded
}

TEST_F(AliasEdit, AListChangedMeanwhileIsNotOverwritten) {
  Open(-1, [&](TfrmAliasSaveAs& d) {
    SelectCombo(d.cboOldAliasName, 0);
    d.cboOldAliasNameClick();
    // Another dialog of another folder window adds an alias now.
    WriteFileText(IniPath(), ReplaceAll(kThree, "Max=3", "Max=4\r\nName4=新規"));
    SetWindowTextA(d.cboNewAliasName, "改名");
    d.btnSaveClick();
    d.btnCancelClick();
  });
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "エラー");
  EXPECT_EQ(AliasNames(Stored()), (std::vector<std::string>{"Alpha", "表計算", "ソ開", "新規"}));
}
