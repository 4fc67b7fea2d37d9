#include "core/settings/aliases.h"

#include <gtest/gtest.h>

#include "core/memory_fs.h"
#include "core/settings/settings.h"

using namespace tvp;
using tvp::test::MemoryFileSystem;

namespace {

const std::string kPath = "C:\\acct\\tarvikp.ini";

TTVPAliases Load(const std::string& text) {
  TTVPAliases a;
  LoadAliases(IniFile(text), a);
  return a;
}

TTVPAliases Three() {
  TTVPAliases a;
  for (const char* n : {"one", "two", "three"}) AddOrReplaceAlias(a, n, std::string("Namazu\\") + n + "\\\r");
  return a;
}

TFolderInfo Folder(const std::string& indexPath) {
  TFolderInfo f;
  f.IndexPath = indexPath;
  return f;
}

}  // namespace

TEST(Aliases, LoadReadsCountedKeysOnlyAndTheChosenNameOnlyWithAliases) {
  TTVPAliases a = Load(
      "[Alias]\r\nMax=2\r\nName1=受信表\r\nDirCount1=2\r\nDir1-1=Namazu\\inbox\\\r\nDir1-2=Namazu\\b001\\\r\n"
      "Name2=empty\r\nDirCount2=x\r\nDir2-1=ignored\r\nName3=stale\r\n[Search]\r\nAlias=受信表\r\n");
  ASSERT_EQ(a.Count, 2);
  ASSERT_EQ(a.Items.size(), 2u);
  EXPECT_EQ(a.Items[0].Name, "受信表");
  EXPECT_EQ(a.Items[0].Dirs, "Namazu\\inbox\\\rNamazu\\b001\\\r");
  EXPECT_EQ(a.Items[1].Dirs, "");
  EXPECT_EQ(a.SelectedName, "受信表");
  EXPECT_EQ(a.SelectedIndex, -1);
  // No aliases: the chosen name is not read.
  EXPECT_EQ(Load("[Alias]\r\nMax=0\r\n[Search]\r\nAlias=受信表\r\n").SelectedName, "");
  EXPECT_EQ(Load("[Alias]\r\nMax=junk\r\n").Count, 0);
  EXPECT_EQ(Load("[Alias]\r\nMax=-3\r\n").Items.size(), 0u);
  // A DirCount beyond the keys gives empty members, which resolve to nothing.
  EXPECT_EQ(Load("[Alias]\r\nMax=1\r\nName1=a\r\nDirCount1=2\r\nDir1-1=x\r\n").Items[0].Dirs, "x\r\r");
}

TEST(Aliases, SaveWritesKeysInOrderAndLeavesStaleOnesBehind) {
  IniFile ini("[Alias]\r\nMax=3\r\nName3=old\r\n");
  TTVPAliases a = Three();
  DeleteAlias(a, "two");
  a.Items[1].Dirs = "Namazu\\b001\\\nNamazu\\b002\\b001\\\r\n";
  a.SelectedName = "one";
  SaveAliases(ini, a);
  EXPECT_EQ(ini.Text(),
            "[Alias]\r\nMax=2\r\nName3=old\r\nName1=one\r\nDirCount1=1\r\nDir1-1=Namazu\\one\\\r\n"
            "Name2=three\r\nDirCount2=2\r\nDir2-1=Namazu\\b001\\\r\nDir2-2=Namazu\\b002\\b001\\\r\n"
            "[Search]\r\nAlias=one\r\n");
  TTVPAliases back = Load(ini.Text());
  EXPECT_EQ(AliasNames(back), (std::vector<std::string>{"one", "three"}));
}

TEST(Aliases, ListOperations) {
  struct Case {
    int from, to;
    std::vector<std::string> order;
  } cases[] = {{0, 2, {"two", "three", "one"}}, {2, 0, {"three", "one", "two"}}, {1, 1, {"one", "two", "three"}},
               {0, 5, {"one", "two", "three"}}};
  for (const Case& c : cases) {
    TTVPAliases a = Three();
    MoveAlias(a, c.from, c.to);
    EXPECT_EQ(AliasNames(a), c.order) << c.from << "->" << c.to;
  }
  TTVPAliases a = Three();
  EXPECT_EQ(FindAlias("two", a), 1);
  EXPECT_EQ(FindAlias("TWO", a), -1);
  EXPECT_FALSE(DeleteAlias(a, "TWO"));
  EXPECT_EQ(a.Count, 3);
  AddOrReplaceAlias(a, "two", "new\r");
  EXPECT_EQ(a.Count, 3);
  EXPECT_EQ(a.Items[1].Dirs, "new\r");
  RenameAlias(a, 2, "3番");
  EXPECT_TRUE(DeleteAlias(a, "one"));
  EXPECT_EQ(AliasNames(a), (std::vector<std::string>{"two", "3番"}));
  EXPECT_EQ(a.Count, 2);
}

TEST(Aliases, ResolveSkipsMembersWithoutAFolderAndIgnoresCase) {
  std::vector<TFolderInfo> folders = {Folder("D:\\idx\\Namazu\\inbox\\"), Folder("D:\\idx\\Namazu\\b001\\")};
  TAliasInfo alias{"a", "Namazu\\B001\\\rNamazu\\gone\\\r\rNamazu\\inbox\\"};
  EXPECT_EQ(ResolveAlias(alias, folders, "D:\\idx\\"), (std::vector<int>{1, 0}));
  EXPECT_TRUE(ResolveAlias(alias, folders, "C:\\acct\\").empty());
}

// The settings save and the alias save rewrite the same file: neither may
// drop or undo what the other wrote, in either order.
TEST(Aliases, SettingsSaveAndAliasSaveKeepEachOthersKeys) {
  for (bool aliasesFirst : {true, false}) {
    MemoryFileSystem fs;
    TTVPSettings s;
    EnsureSettings(fs, kPath, s);
    LoadSettings(fs, kPath, s);
    TTVPAliases a;
    LoadAliases(fs, kPath, a);
    AddOrReplaceAlias(a, "受信", "Namazu\\inbox\\\r");
    a.SelectedName = "受信";
    s.History = {"表示"};
    s.FormulaHistoryCount = "1";
    if (aliasesFirst) {
      SaveAliases(fs, kPath, a);
      SaveSettings(fs, kPath, s);
    } else {
      SaveSettings(fs, kPath, s);
      SaveAliases(fs, kPath, a);
    }
    TTVPAliases a2;
    LoadAliases(fs, kPath, a2);
    TTVPSettings s2;
    LoadSettings(fs, kPath, s2);
    EXPECT_EQ(AliasNames(a2), std::vector<std::string>{"受信"}) << aliasesFirst;
    EXPECT_EQ(a2.SelectedName, "受信") << aliasesFirst;
    EXPECT_EQ(s2.History, std::vector<std::string>{"表示"}) << aliasesFirst;
  }
}

TEST(Aliases, AFailedWriteLeavesTheFileAsItWas) {
  MemoryFileSystem fs;
  fs.AddFile(kPath, "[Alias]\r\nMax=1\r\nName1=keep\r\n");
  TTVPAliases a;
  LoadAliases(fs, kPath, a);
  DeleteAlias(a, "keep");
  fs.failWrites = true;
  EXPECT_THROW(SaveAliases(fs, kPath, a), FileError);
  EXPECT_EQ(fs.Contents(kPath), "[Alias]\r\nMax=1\r\nName1=keep\r\n");
}

TEST(AliasEdit, SavePlans) {
  const std::vector<std::string> names = {"Alpha", "beta", "gamma"};
  const std::string kNoName =
      "新エイリアス名を入力してください。\n順番のみを変更するときは編集対象と同じものを選択してください。";
  struct Case {
    int edited, chosen;
    std::string name;
    int insertAt;
    std::string error;
    bool rename;
    int moveTo;
  } cases[] = {
      {-1, -1, "x", -1, "編集対象のエイリアスを選択してください。", false, -1},
      {0, -1, "　　", -1, kNoName, false, -1},
      {0, -1, "", -1, kNoName, false, -1},
      {0, -1, "新　名", -1, "", true, -1},                       // inner full-width space accepted
      {0, -1, "BETA", -1, "すでに存在する名称には変更できません。", false, -1},
      {0, -1, "alpha", 2, "", false, 2},                        // own name retyped: moves only
      {0, -1, "alpha", -1, "", false, -1},                      // ... or nothing
      {0, 0, "Alpha", 2, "", false, 2},                         // own name chosen from the list
      {2, 2, "gamma", 0, "", false, 0},
      {1, -1, "delta", 0, "", true, 0},                         // rename and move
  };
  for (const Case& c : cases) {
    TAliasSavePlan p = PlanAliasSave(names, c.edited, c.chosen, c.name, c.insertAt);
    EXPECT_EQ(p.error, c.error) << c.name;
    EXPECT_EQ(p.rename, c.rename) << c.name;
    EXPECT_EQ(p.moveTo, c.moveTo) << c.name;
  }
}

TEST(AliasEdit, InsertPositions) {
  EXPECT_EQ(InsertPositionItems(1), std::vector<std::string>{"1 (先頭)"});
  EXPECT_EQ(InsertPositionItems(3), (std::vector<std::string>{"1 (先頭)", "2", "3 (最後)"}));
  EXPECT_TRUE(InsertPositionItems(0).empty());
}
