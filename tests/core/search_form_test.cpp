#include "core/search/search_form.h"

#include <gtest/gtest.h>

using namespace tvp;

namespace {

std::vector<TFolderInfo> Folders(std::initializer_list<const char*> titles) {
  std::vector<TFolderInfo> v;
  for (const char* t : titles) {
    TFolderInfo f;
    f.Title = t;
    v.push_back(f);
  }
  return v;
}

}  // namespace

TEST(SearchForm, ComposedKeyword) {
  const std::vector<THeaderCondition> two = {{"Subject:", "bar"}, {"From:", "baz"}};
  struct Case {
    std::string box;
    std::vector<THeaderCondition> rows;
    std::string keyword;
    bool clear;
  } cases[] = {
      {"foo", two, "foo +Subject:bar +From:baz", false},
      {"", {{"Subject:", "bar"}}, "+Subject:bar", false},
      {"　　", {}, "", true},
      {" \t", {}, "", true},
      {"  表　示  ", {}, "表　示", false},  // full-width spaces stay inside
      {"　foo　", {}, "　foo　", false},    // trimming stops at the ASCII space
      {"", {}, "", true},
  };
  for (const Case& c : cases) {
    TComposedKeyword k = ComposeKeyword(c.box, c.rows);
    EXPECT_EQ(k.Keyword, c.keyword) << c.box;
    EXPECT_EQ(k.clearBox, c.clear) << c.box;
  }
}

TEST(SearchForm, HeaderConditionsNeedAListedHeaderAndAreNotDoubled) {
  std::vector<THeaderCondition> rows = {{"Subject:", "foo"}};
  struct Case {
    std::string header, expression;
    bool ok;
  } cases[] = {
      {"subject:", "bar", true},   // letter case of the header ignored
      {"Subject", "bar", false},   // without its colon it is not listed
      {"X-Mailer:", "bar", false},
      {"From:", "", false},
      {"Subject:", "foo", false},  // the same pair again
      {"SUBJECT:", "foo", true},   // another text
      {"Subject:", "Foo", true},
      {"Subject:", "foo ", true},  // compared as typed; the row holds it trimmed
  };
  for (const Case& c : cases)
    EXPECT_EQ(CanAddHeaderCondition(rows, c.header, c.expression), c.ok) << c.header << "/" << c.expression;
}

TEST(SearchForm, RestoredFolderChoiceTakesTheFirstRuleThatApplies) {
  auto folders = Folders({"郵便受け", "送信箱", "表計算", "受信"});
  TTVPAliases aliases;
  AddOrReplaceAlias(aliases, "表", "Namazu\\b001\\\r");
  TTVPSearchInfo request;
  request.FolderCount = 2;
  request.FolderIndexes = {1, 0, 3};  // only the first two count
  const std::vector<std::string> saved = {"3:受信", "2:表計算", "9:能登", ":x", "x:表計算", "0:郵便受け "};

  // Rule 1: the request's folders when no alias was saved.
  TRestoredChoice c = RestoreFolderChoice(request, aliases, folders, saved);
  EXPECT_EQ(c.folders, (std::vector<int>{1, 0}));
  EXPECT_EQ(c.alias, -1);
  EXPECT_FALSE(c.fromEntries);
  // Rule 2: a saved alias that still exists wins over the request.
  aliases.SelectedName = "表";
  c = RestoreFolderChoice(request, aliases, folders, saved);
  EXPECT_EQ(c.alias, 0);
  // Rule 3: a vanished alias (names compare exactly) falls back to the saved entries.
  aliases.Items[0].Name = "ヒョウ";
  c = RestoreFolderChoice(request, aliases, folders, saved);
  EXPECT_TRUE(c.fromEntries);
  EXPECT_EQ(c.folders, (std::vector<int>{3, 2}));
  // A folder renamed since the entry was saved drops it.
  folders[3].Title = "受信箱";
  aliases.SelectedName.clear();
  c = RestoreFolderChoice(TTVPSearchInfo(), aliases, folders, saved);
  EXPECT_EQ(c.folders, (std::vector<int>{2}));
}

TEST(SearchForm, FolderTextAndHintAndPrefix) {
  auto folders = Folders({"郵便受け", "表計算", "ソフト開発"});
  std::string text = FolderNamesText(folders, {2, 0, 7});
  EXPECT_EQ(text, "ソフト開発, 郵便受け");
  EXPECT_EQ(FolderNamesHint(text), "ソフト開発\r\n郵便受け");
  EXPECT_EQ(AliasPrefix("C:\\acct\\", ""), "C:\\acct\\");
  EXPECT_EQ(AliasPrefix("C:\\acct\\", "D:\\idx"), "D:\\idx\\");
  EXPECT_EQ(AliasPrefix("C:\\acct\\", "D:\\idx\\"), "D:\\idx\\");
  EXPECT_EQ(AliasPrefix("C:\\acct\\", "D:\\表"), "D:\\表\\");  // 表 ends in byte 0x5C
  EXPECT_EQ(HistoryItems({"a", " ", "", "b"}), (std::vector<std::string>{"a", "b"}));
}
