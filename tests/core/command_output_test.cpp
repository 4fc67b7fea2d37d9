#include "core/indexing/command_output.h"

#include <gtest/gtest.h>

using namespace tvp;
using Lines = std::vector<std::string>;

TEST(OutputLines, OnlyCompleteLinesAreShownEachWithOneTrailingSpace) {
  OutputLineSplitter s;
  EXPECT_EQ(s.Feed("abc"), Lines{});
  EXPECT_EQ(s.Feed("def\r\nghi"), (Lines{"abcdef "}));
  EXPECT_EQ(s.Feed("\n"), (Lines{"ghi "}));
  EXPECT_EQ(s.Finish(), Lines{});
}

TEST(OutputLines, BlankLinesInsideABlockStayTrailingOnesGo) {
  OutputLineSplitter s;
  EXPECT_EQ(s.Feed("a\n\nb  \t\n\n\n"), (Lines{"a ", " ", "b "}));
  EXPECT_EQ(s.Feed("\r\n"), Lines{});  // a block of nothing but a break shows nothing
  EXPECT_EQ(s.Feed("x\ry\n"), (Lines{"x ", "y "}));
}

TEST(OutputLines, TextAfterTheLastLineFeedIsShownWhenTheCommandEnds) {
  OutputLineSplitter s;
  s.Feed("done\nno newline at the end");
  EXPECT_EQ(s.Finish(), (Lines{"no newline at the end "}));
  EXPECT_EQ(s.Finish(), Lines{});
}

TEST(OutputLines, ACharacterSplitBetweenBlocksIsJoinedAgain) {
  const std::string word = "索引作成";
  OutputLineSplitter s;
  std::string text = word + "\n";
  EXPECT_EQ(s.Feed(text.substr(0, 3)), Lines{});
  EXPECT_EQ(s.Feed(text.substr(3)), (Lines{word + " "}));
}

TEST(OutputLines, ZeroBytesDoNotCutTheBlock) {
  OutputLineSplitter s;
  EXPECT_EQ(s.Feed(std::string("a\0b\n", 4)), (Lines{"a b "}));
}

TEST(CommandText, HeaderAndFailureMessage) {
  EXPECT_EQ(CaptureHeaderLines("C:\\m\\", "\"x.exe\" -a"),
            (Lines{"WorkDir: C:\\m\\", "CommandLine: ", "\"x.exe\" -a", "", ""}));
  EXPECT_EQ(RunFailureMessage("C:\\w", "nothere.exe", 2),
            "コマンドの実行に失敗しました。\n\n作業ディレクトリ: C:\\w\nコマンド: nothere.exe\nエラーコード： 2");
}

TEST(OutputLinks, SchemesStartLinksThatEndBeforeBlanksDoubleByteAndClosingPunctuation) {
  using Links = std::vector<std::pair<size_t, size_t>>;
  const std::vector<std::pair<std::string, Links>> cases = {
      {"see http://www.namazu.org/ now", {{4, 22}}},
      {"(HTTPS://a.example/x?y=1&z).", {{1, 25}}},
      {"<mailto:a@b.jp>, file:///C|/a.txt", {{1, 13}, {17, 16}}},
      {"ftp://x/日本 news:comp.lang", {{0, 8}, {13, 14}}},
      {"xhttp://no http:// ftp:", {}},
      {"mail: none", {}},
  };
  for (const auto& [line, links] : cases) EXPECT_EQ(FindLinks(line), links) << line;
}

TEST(OutputLinks, LongOutputKeepsWholeLinesOfItsLastPart) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + " \r\n";
  EXPECT_EQ(BytesToDrop(text, text.size(), 100), 0u);
  size_t drop = BytesToDrop(text, 500, 300);
  ASSERT_GT(drop, 0u);
  EXPECT_EQ(text[drop - 1], '\n');
  EXPECT_GE(text.size() - drop, 290u);
  EXPECT_LE(text.size() - drop, 300u);
  EXPECT_EQ(BytesToDrop(std::string(1000, 'x'), 500, 300), 0u);  // no line break: nothing to cut at
  EXPECT_EQ(DroppedLinesNotice(12), "（出力が多いため、最初の 12 行は表示していません）");
}
