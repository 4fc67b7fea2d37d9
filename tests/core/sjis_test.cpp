#include "core/common/sjis.h"

#include <gtest/gtest.h>

using namespace tvp;

// "表" is 95 5C and "ソ" is 83 5C in Shift-JIS: the trail byte is a backslash.
TEST(Sjis, TrailByteBackslashIsNeverFound) {
  std::string s = "表示\\x";
  ASSERT_EQ(static_cast<unsigned char>(s[1]), 0x5C);
  EXPECT_EQ(Find(s, "\\"), 4u);
  EXPECT_EQ(FindLast("ソ", "\\"), std::string::npos);
  EXPECT_FALSE(EndsWithBackslash("C:\\ソ"));
  EXPECT_EQ(IncludeTrailingBackslash("C:\\ソ"), "C:\\ソ\\");
  EXPECT_EQ(ExcludeTrailingBackslash("C:\\能\\"), "C:\\能");
  EXPECT_EQ(ReplaceAll("能\\表", "\\", "/"), "能/表");
}

TEST(Sjis, CaseFoldingLeavesDoubleByteCharactersAlone) {
  // "Ａ" (82 60) has a trail byte in the ASCII letter range.
  EXPECT_EQ(LowerAscii("ABCＡ表"), "abcＡ表");
  EXPECT_EQ(UpperAscii("abc表x"), "ABC表X");
  EXPECT_TRUE(EqualsNoCase("Inbox.BOX", "inbox.box"));
  EXPECT_FALSE(EqualsNoCase("inbox", "inbox2"));
}

TEST(Sjis, FindRespectsCharacterBoundaries) {
  // 0x82 0x61 is "ａ"; searching "a" (0x61) must not hit its trail byte.
  EXPECT_EQ(Find("ａa", "a"), 2u);
  EXPECT_EQ(Find("abcabc", "bc", 2), 4u);
  EXPECT_EQ(FindLast("abcabc", "bc"), 4u);
  EXPECT_EQ(Find("abc", ""), 0u);
  EXPECT_EQ(Find("ab", "abc"), std::string::npos);
  // A lone lead byte at the end does not run past the text.
  std::string broken = "ab\x82";
  EXPECT_EQ(Find(broken, "\x82"), 2u);
  EXPECT_FALSE(EndsWith("\x82\\", "\\"));
}

TEST(Sjis, TrimAndSplitLines) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(Trim("　a　"), "　a　");  // full-width blanks are not white space here
  EXPECT_EQ(TrimRight("x \x01"), "x");
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(SplitLines("\n\r"), (std::vector<std::string>{"", ""}));
  EXPECT_TRUE(SplitLines("").empty());
}

TEST(Sjis, ToIntDefFallsBackOnAnythingButANumber) {
  EXPECT_EQ(ToIntDef("50", 0), 50);
  EXPECT_EQ(ToIntDef(" -7 ", 0), -7);
  EXPECT_EQ(ToIntDef("", 3), 3);
  EXPECT_EQ(ToIntDef("abc", -1), -1);
  EXPECT_EQ(ToIntDef("12a", 0), 0);
  EXPECT_EQ(ToIntDef("-", 9), 9);
  EXPECT_EQ(ToIntDef("99999999999", 4), 4);
  EXPECT_EQ(ToIntDef("2147483647", 0), 2147483647);
  EXPECT_EQ(ToIntDef("-2147483648", 0), -2147483647 - 1);
}
