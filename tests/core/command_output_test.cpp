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
