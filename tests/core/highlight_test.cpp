// The searched words of an expression and where they stand in a mail.
#include <gtest/gtest.h>

#include "core/results/highlight.h"

using namespace tvp;

namespace {

using Words = std::vector<std::string>;

// The matched texts, in order.
Words Matches(const std::string& text, const Words& words) {
  Words found;
  for (const TextRange& r : FindWords(text, words)) found.push_back(text.substr(r.Start, r.Length));
  return found;
}

}  // namespace

TEST(SearchWords, OperatorsPrefixesPhrasesAndPatternsAreNotWords) {
  struct Case {
    std::string expression;
    Words words;
  } cases[] = {
      {"予算 会議", {"予算", "会議"}},
      {"予算　会議", {"予算", "会議"}},  // full-width space
      {"foo and bar or baz not qux", {"foo", "bar", "baz", "qux"}},
      {"foo AND bar & baz | qux ! quux", {"foo", "bar", "baz", "qux", "quux"}},
      {"( foo or bar ) and baz", {"foo", "bar", "baz"}},
      {"(foo | bar)", {"foo", "bar"}},
      {"+Subject:会議 +From:tanaka@example.jp", {"会議", "tanaka@example.jp"}},
      {"foo +Subject:\"週次 報告\"", {"foo", "週次", "報告"}},
      {"\"cats and dogs\"", {"cats", "and", "dogs"}},
      {"{能登 旅行}", {"能登", "旅行"}},
      {"net* *ware *検索*", {"net", "ware", "検索"}},
      {"/ab+c/ foo /x y/ bar", {"foo", "bar"}},
      {"Foo foo ＦＯＯ 表 表", {"Foo", "表"}},
      {"ソ}", {"ソ}"}},          // trail byte 0x7D is no brace
      {"表| 能", {"表|", "能"}},  // nor is a trail byte 0x7C an operator
      {"+:x", {"+:x"}},
      {"", {}},
      {"  and ( ) \"\" * ", {}},
      {"\"unclosed phrase", {"unclosed", "phrase"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SearchWords(c.expression), c.words) << c.expression;
}

TEST(FindWords, CaseWidthAndCharacterBoundaries) {
  struct Case {
    std::string text;
    Words words, matches;
  } cases[] = {
      {"Budget BUDGET budget", {"budget"}, {"Budget", "BUDGET", "budget"}},
      {"ＢＵＤＧＥＴ ｂｕｄｇｅｔ２０２６", {"budget2026"}, {"ｂｕｄｇｅｔ２０２６"}},
      {"tanaka＠example.jp", {"tanaka@example.jp"}, {"tanaka＠example.jp"}},
      {"来週の会議と予算会議", {"会議"}, {"会議", "会議"}},
      // 0x5C and 0x7C trail bytes: "表" = 95 5C, "ポ" = 83 7C; a search for "\\" or "|" must skip them.
      {"表計算 a\\b", {"\\"}, {"\\"}},
      {"ポ|", {"|"}, {"|"}},
      // "ア" is 83 41: the trail byte is an "A" that must not match.
      {"アA", {"a"}, {"A"}},
      // Overlapping and touching matches merge; the longer word wins at one start.
      {"abcd", {"ab", "bc", "cd"}, {"abcd"}},
      {"予算会議", {"予算", "予算会議"}, {"予算会議"}},
      {"nothing here", {"absent"}, {}},
      {"", {"a"}, {}},
      {"abc", {}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Matches(c.text, c.words), c.matches) << c.text;
}

TEST(FindWords, RangesAreByteOffsetsOfTheOriginalText) {
  std::string text = "件名: 会議\r\n\r\n本文の会議です";
  std::vector<TextRange> r = FindWords(text, SearchWords("+Subject:会議"));
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0], (TextRange{6, 4}));
  EXPECT_EQ(r[1], (TextRange{20, 4}));
}

TEST(FindWords, F3AndShiftF3StepFromRangeToRange) {
  const std::vector<TextRange> ranges = {{10, 2}, {20, 4}, {30, 1}};
  struct Case {
    int pos, next, previous;
  } cases[] = {{0, 10, -1}, {10, 20, -1}, {11, 20, 10}, {20, 30, 10}, {30, -1, 20}, {99, -1, 30}};
  for (const Case& c : cases) {
    EXPECT_EQ(NextRangeStart(ranges, c.pos), c.next) << c.pos;
    EXPECT_EQ(PreviousRangeStart(ranges, c.pos), c.previous) << c.pos;
  }
  EXPECT_EQ(NextRangeStart({}, 0), -1);
  EXPECT_EQ(PreviousRangeStart({}, 5), -1);
}
