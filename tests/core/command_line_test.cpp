#include "core/common/command_line.h"

#include <gtest/gtest.h>

using namespace tvp;

namespace {
using Args = std::vector<std::string>;
}

// The C runtime's own examples of how a command line is split, and the
// multibyte cases: a trail byte 0x5C is no backslash.
TEST(CommandLine, SplitsAsTheCRuntimeDoes) {
  const std::vector<std::pair<std::string, Args>> cases = {
      {"\"a b c\" d e", {"a b c", "d", "e"}},
      {"\"ab\\\"c\" \"\\\\\" d", {"ab\"c", "\\", "d"}},
      {"a\\\\\\b d\"e f\"g h", {"a\\\\\\b", "de fg", "h"}},
      {"a\\\\\\\"b c d", {"a\\\"b", "c", "d"}},
      {"a\\\\\\\\\"b c\" d e", {"a\\\\b c", "d", "e"}},
      {"\"a\"\"b\" \"\"\t x", {"a\"b", "", "x"}},
      {"  ", {}},
      {"\"\x95\\\" x", {"\x95\\", "x"}},   // 表 then the closing quote
      {"\x95\\\"a b\"", {"\x95\\a b"}},     // 表 then an opening quote
  };
  for (const auto& [line, args] : cases) EXPECT_EQ(SplitArguments(line), args) << line;
}

// Hostile arguments come back from the split as exactly one argument each.
TEST(CommandLine, QuotedArgumentsComeBackExactly) {
  const Args hostile = {"",
                        "foo\" --output=\"evil.txt",
                        "inboxonly\\",
                        "a\\\\\"b\\\"c\\\\",
                        "\"inboxonly mail\"",
                        "-inboxonly",
                        "--help",
                        "&|<>^% \t",
                        "\x95\\\"\x95\\",  // 表"表
                        "\x95\\",
                        std::string(40000, '\\')};
  for (const std::string& arg : hostile) {
    ASSERT_TRUE(IsPassableArgument(arg)) << arg;
    EXPECT_EQ(SplitArguments(QuoteArgument(arg) + " " + QuoteArgument(arg)), (Args{arg, arg})) << arg;
  }
  EXPECT_EQ(QuoteArgument("a\\b\\"), "\"a\\b\\\\\"");
  EXPECT_EQ(QuoteArgument("\x95\\\""), "\"\x95\\\\\"\"");  // only the quote is escaped
}

TEST(CommandLine, BytesThatNoRuntimeSplitsAlikeAreNotPassable) {
  for (const std::string& bad : {std::string("a\0b", 3), std::string("a\x81"), std::string("\x81\"x"),
                                 std::string("\x81 x"), std::string("\xE0\x7F")})
    EXPECT_FALSE(IsPassableArgument(bad)) << bad;
  EXPECT_EQ(CharCount("a\x95\\b"), 3u);
}
