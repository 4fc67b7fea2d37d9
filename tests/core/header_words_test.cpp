#include "core/results/header_words.h"

#include <gtest/gtest.h>

using namespace tvp;

namespace {

// Knows two character sets and shows what it was given.
std::optional<std::string> Converter(const std::string& charset, const std::string& bytes) {
  if (charset != "iso-2022-jp" && charset != "utf-8") return std::nullopt;
  return "<" + charset + ":" + bytes + ">";
}

}  // namespace

TEST(DecodeHeaderWords, HeaderWordsDecodedBodyAndOddWordsLeftAlone) {
  // テスト in JIS, the bytes of GyRCJUYlOSVIGyhC, as the converter above
  // returns it: its escape bytes become blanks like every control byte.
  const std::string test = " $B%F%9%H (B";
  struct Case {
    const char* name;
    std::string mail, expected;
  } cases[] = {
      {"B word, body untouched", "Subject: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=\r\n\r\n=?utf-8?q?a?=",
       "Subject: <iso-2022-jp:" + test + ">\r\n\r\n=?utf-8?q?a?="},
      {"folded words joined, a language dropped, text around kept",
       "Subject: Re: =?iso-2022-jp?b?GyRCJUYlOSVIGyhC?=\r\n\t=?UTF-8*ja?B?44GC?= (2)\r\nTo: a\r\n",
       "Subject: Re: <iso-2022-jp:" + test + "><utf-8:\xE3\x81\x82> (2)\r\nTo: a\r\n"},
      {"US-ASCII Q word here, control bytes blanked", "From: =?US-ASCII?Q?a_b=3Dc=0D=0Ad=80?= <x@y>\n\nbody",
       "From: a b=c  d  <x@y>\n\nbody"},
      {"words apart keep what is between", "S: =?us-ascii?q?a?= - =?us-ascii?q?b?=\r\n", "S: a - b\r\n"},
      {"unknown charset, bad base64, bad Q, blank inside, unterminated stay",
       "A: =?koi8-r?B?44GC?= =?UTF-8?B?!!?= =?us-ascii?Q?=4?= =?us-ascii?q?a b?= =?us-ascii?q?x",
       "A: =?koi8-r?B?44GC?= =?UTF-8?B?!!?= =?us-ascii?Q?=4?= =?us-ascii?q?a b?= =?us-ascii?q?x"},
      {"no header", "\r\nSubject: =?us-ascii?q?a?=", "\r\nSubject: =?us-ascii?q?a?="},
      {"empty", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeHeaderWords(c.mail, Converter), c.expected) << c.name;
}
