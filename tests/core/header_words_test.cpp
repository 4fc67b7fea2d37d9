#include "core/results/header_words.h"

#include <gtest/gtest.h>

using namespace tvp;

namespace {
const std::string kTest = "\x1B$B%F%9%H\x1B(B";  // テスト in JIS
const std::string kMeeting = "\x1B$B2q5D\x1B(B";  // 会議 in JIS
}  // namespace

TEST(DecodeHeaderWords, HeaderWordsDecodedBodyAndOddWordsLeftAlone) {
  struct Case {
    const char* name;
    std::string mail, expected;
  } cases[] = {
      {"B word, body untouched", "Subject: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=\r\n\r\n=?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=",
       "Subject: " + kTest + "\r\n\r\n=?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?="},
      {"folded words joined, text around kept",
       "Subject: Re: =?iso-2022-jp?b?GyRCJUYlOSVIGyhC?=\r\n\t=?iso-2022-jp*ja?B?GyRCMnE1RBsoQg==?= (2)\r\nTo: a\r\n",
       "Subject: Re: " + kTest + kMeeting + " (2)\r\nTo: a\r\n"},
      {"Q word, control bytes blanked", "From: =?US-ASCII?Q?a_b=3Dc=0D=0Ad?= <x@y>\n\nbody",
       "From: a b=c  d <x@y>\n\nbody"},
      {"JIS left open is closed", "Subject: =?ISO-2022-JP?B?GyRCJUYlOSVI?= x\r\n",
       "Subject: \x1B$B%F%9%H\x1B(B x\r\n"},
      {"words apart keep what is between", "S: =?us-ascii?q?a?= - =?us-ascii?q?b?=\r\n", "S: a - b\r\n"},
      {"other charset, bad base64, bad Q, blank inside, unterminated stay",
       "A: =?UTF-8?B?44GC?= =?ISO-2022-JP?B?!!?= =?us-ascii?Q?=4?= =?us-ascii?q?a b?= =?us-ascii?q?x",
       "A: =?UTF-8?B?44GC?= =?ISO-2022-JP?B?!!?= =?us-ascii?Q?=4?= =?us-ascii?q?a b?= =?us-ascii?q?x"},
      {"no header", "\r\nSubject: =?us-ascii?q?a?=", "\r\nSubject: =?us-ascii?q?a?="},
      {"empty", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeHeaderWords(c.mail), c.expected) << c.name;
}

