#include "core/results/text_positions.h"

#include <gtest/gtest.h>

#include <random>

#include "core/results/rich_text.h"

using namespace tvp;

namespace {

// The control's characters, counted one by one: the byte offset where each starts.
std::vector<int> CharStarts(const std::string& text) {
  std::vector<int> starts;
  for (size_t i = 0; i < text.size(); i += ViewCharLen(text, i)) starts.push_back(static_cast<int>(i));
  return starts;
}

}  // namespace

TEST(TextPositions, LineBreaksAndDoubleByteCharactersCountOnce) {
  // 検 索 CRLF a 表 (95 5C: the trail byte is a backslash) CRLF
  TextPositions p("検索\r\na表\r\n");
  EXPECT_EQ(p.ByteCount(), 11);
  EXPECT_EQ(p.CharCount(), 6);
  EXPECT_EQ(p.ToChar(0), 0);
  EXPECT_EQ(p.ToChar(2), 1);
  EXPECT_EQ(p.ToChar(4), 2);  // CR
  EXPECT_EQ(p.ToChar(6), 3);  // a
  EXPECT_EQ(p.ToChar(7), 4);  // 表
  EXPECT_EQ(p.ToChar(9), 5);
  EXPECT_EQ(p.ToByte(3), 6);
  EXPECT_EQ(p.ToByte(4), 7);
  EXPECT_EQ(p.ToByte(5), 9);
  // An offset inside a character names that character.
  EXPECT_EQ(p.ToChar(1), 0);
  EXPECT_EQ(p.ToChar(5), 2);
  EXPECT_EQ(p.ToChar(8), 4);
  // Outside the text: clamped.
  EXPECT_EQ(p.ToChar(-5), 0);
  EXPECT_EQ(p.ToChar(100), 6);
  EXPECT_EQ(p.ToByte(-1), 0);
  EXPECT_EQ(p.ToByte(6), 11);
  EXPECT_EQ(p.ToByte(100), 11);
  EXPECT_EQ(TextPositions("").ToByte(3), 0);
}

TEST(TextPositions, InvalidPairsLoneBreaksAndKanaAreSingleCharacters) {
  // A lead byte before CR, a lead byte before a blank, a half-width kana,
  // a lone LF and a lone CR.
  std::string text = "a\x81\r\n\x82 \xB1\n\rz";
  EXPECT_EQ(ViewCharLen(text, 1), 1u);
  EXPECT_EQ(ViewCharLen(text, 2), 2u);
  EXPECT_EQ(ViewCharLen(text, 4), 1u);
  TextPositions p(text);
  EXPECT_EQ(p.CharCount(), static_cast<int>(text.size()) - 1);
  EXPECT_EQ(p.ToChar(10), 9);  // z
  EXPECT_EQ(p.ToByte(9), 10);
  // A lead byte at the very end stands alone.
  EXPECT_EQ(ViewCharLen("x\x81", 1), 1u);
}

TEST(TextPositions, AgreesWithCountingEveryCharacterOnMixedText) {
  const char* pieces[] = {"a", "Z", " ", "\r\n", "\t", "検", "表", "\x81", "\xB1", "\x81\x40", "\r", "\n", "\x9F\xFC"};
  std::mt19937 random(7);
  std::string text;
  for (int i = 0; i < 5000; ++i) text += pieces[random() % (sizeof pieces / sizeof pieces[0])];
  std::vector<int> starts = CharStarts(text);
  TextPositions p(text);
  ASSERT_EQ(p.CharCount(), static_cast<int>(starts.size()));
  for (int c = 0; c < static_cast<int>(starts.size()); ++c) {
    ASSERT_EQ(p.ToByte(c), starts[c]) << c;
    ASSERT_EQ(p.ToChar(starts[c]), c) << c;
    int width = (c + 1 < static_cast<int>(starts.size()) ? starts[c + 1] : p.ByteCount()) - starts[c];
    if (width == 2) {
      ASSERT_EQ(p.ToChar(starts[c] + 1), c) << c;
    }
  }
}

TEST(RichText, EscapesTextAndKeepsOneControlCharacterPerCharacter) {
  std::string rtf = RichText("表{x}\\\r\n\ta\x01\x81\r\n\xB1", {});
  EXPECT_EQ(rtf.find("{\\rtf1\\ansi\\ansicpg932"), 0u);
  EXPECT_EQ(rtf.find("\\f"), std::string::npos);  // the view's own font
  size_t body = rtf.find("\\uc1 ");
  ASSERT_NE(body, std::string::npos);
  EXPECT_EQ(rtf.substr(body + 5),
            "\\'95\\'5c\\{x\\}\\\\\\par\n\\tab a ?\\par\n\\'b1\\par}");
  EXPECT_EQ(rtf.find("\\cf"), std::string::npos);
}

TEST(RichText, StylesBecomeGroupsAroundTheirRanges) {
  // "1. 題 (score: 1)" then a path line.
  std::string text = "1. 題 (score: 1)\r\n/C|/m/1.txt 1\r\n";
  std::vector<TStyleRange> styles = {{0, 5, TStyleKind::Title}, {18, 11, TStyleKind::Path}};
  std::string rtf = RichText(text, styles);
  EXPECT_NE(rtf.find("\\red0\\green0\\blue255;\\red0\\green128\\blue128;"), std::string::npos);
  EXPECT_NE(rtf.find("{\\cf1\\b\\ul 1. \\'91\\'e8} (score: 1)\\par\n{\\cf2 /C|/m/1.txt} 1\\par\n\\par}"), std::string::npos)
      << rtf;
}

TEST(RichText, AdjacentAndEmptyRangesAndARangeToTheEnd) {
  std::vector<TStyleRange> styles = {{0, 1, TStyleKind::Title}, {1, 0, TStyleKind::Path}, {1, 2, TStyleKind::Path}};
  std::string rtf = RichText("abc", styles);
  EXPECT_NE(rtf.find("{\\cf1\\b\\ul a}{\\cf2 bc}\\par}"), std::string::npos) << rtf;
}

TEST(RichText, TheLongestExpansionFitsEveryByteAndStyle) {
  // Lone CRs and tabs grow fivefold, and every character opens a style.
  std::string text;
  std::vector<TStyleRange> styles;
  for (int i = 0; i < 500; ++i) {
    text += i % 2 ? "\t" : "\r";
    styles.push_back({i, 1, i % 3 ? TStyleKind::Title : TStyleKind::Path});
  }
  std::string rtf = RichText(text, styles);
  size_t pars = 0, tabs = 0, groups = 0;
  for (size_t at = 0; (at = rtf.find("\\par\n", at)) != std::string::npos; ++at) ++pars;
  for (size_t at = 0; (at = rtf.find("\\tab ", at)) != std::string::npos; ++at) ++tabs;
  for (size_t at = 0; (at = rtf.find("{\\cf", at)) != std::string::npos; ++at) ++groups;
  EXPECT_EQ(pars, 250u);
  EXPECT_EQ(tabs, 250u);
  EXPECT_EQ(groups, 500u);
  EXPECT_EQ(rtf.substr(rtf.size() - 5), "\\par}");
}
