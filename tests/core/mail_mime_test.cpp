#include "core/results/mail_mime.h"

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

TEST(DecodeMailForView, TextBodiesAndTextPartsDecodedTheRestAsItIs) {
  struct Case {
    const char* name;
    std::string mail, expected;
  } cases[] = {
      {"base64 UTF-8 over two lines",
       "Content-Type: text/plain; charset=\"UTF-8\"\r\nContent-Transfer-Encoding: base64\r\n\r\naGVs\r\nbG8=\r\n",
       "Content-Type: text/plain; charset=\"UTF-8\"\r\nContent-Transfer-Encoding: base64\r\n\r\n<utf-8:hello>\r\n"},
      {"unlabelled quoted-printable with soft breaks, as JIS",
       "Content-Transfer-Encoding: Quoted-Printable\n\nab=\nc=3D=41=\n",
       "Content-Transfer-Encoding: Quoted-Printable\n\n<iso-2022-jp:abc=A>\r\n"},
      {"8bit UTF-8", "Content-Type: text/plain; charset=utf-8\n\nhi",
       "Content-Type: text/plain; charset=utf-8\n\n<utf-8:hi>"},
      {"7bit JIS is converted already", "Content-Type: text/plain; charset=ISO-2022-JP\r\n\r\nhi\r\n",
       "Content-Type: text/plain; charset=ISO-2022-JP\r\n\r\nhi\r\n"},
      {"unknown charset", "Content-Type: text/plain; charset=koi8-r\r\nContent-Transfer-Encoding: base64\r\n\r\naGk=",
       "Content-Type: text/plain; charset=koi8-r\r\nContent-Transfer-Encoding: base64\r\n\r\naGk="},
      {"bad base64", "Content-Transfer-Encoding: base64\r\n\r\na!b=\r\n",
       "Content-Transfer-Encoding: base64\r\n\r\na!b=\r\n"},
      {"not text", "Content-Type: image/png\r\nContent-Transfer-Encoding: base64\r\n\r\naGk=",
       "Content-Type: image/png\r\nContent-Transfer-Encoding: base64\r\n\r\naGk="},
      {"multipart without a boundary", "Content-Type: multipart/mixed\r\n\r\n--x\r\n\r\naGk=\r\n",
       "Content-Type: multipart/mixed\r\n\r\n--x\r\n\r\naGk=\r\n"},
      {"multipart: text part decoded, attachment kept, delimiters, preamble and epilogue as they are",
       "Content-Type: multipart/mixed;\r\n boundary=\"b1\"\r\n\r\npre\r\n--b1\r\n"
       "Content-Type: text/plain; charset=utf-8\r\nContent-Transfer-Encoding: base64\r\n\r\naGVsbG8=\r\n--b1 \r\n"
       "Content-Type: application/pdf; name=\"=?us-ascii?q?a.pdf?=\"\r\nContent-Transfer-Encoding: base64\r\n\r\n"
       "aGVsbG8=\r\n--b1--\r\nepi\r\n",
       "Content-Type: multipart/mixed;\r\n boundary=\"b1\"\r\n\r\npre\r\n--b1\r\n"
       "Content-Type: text/plain; charset=utf-8\r\nContent-Transfer-Encoding: base64\r\n\r\n<utf-8:hello>\r\n--b1 \r\n"
       "Content-Type: application/pdf; name=\"a.pdf\"\r\nContent-Transfer-Encoding: base64\r\n\r\n"
       "aGVsbG8=\r\n--b1--\r\nepi\r\n"},
      {"nested multipart, last part unterminated",
       "Content-Type: multipart/mixed; boundary=o\n\n--o\nContent-Type: multipart/alternative; boundary=i\n\n--i\n"
       "Content-Transfer-Encoding: base64\n\naGk=\n--i--\n--o\nContent-Transfer-Encoding: quoted-printable\n\na=3Db",
       "Content-Type: multipart/mixed; boundary=o\n\n--o\nContent-Type: multipart/alternative; boundary=i\n\n--i\n"
       "Content-Transfer-Encoding: base64\n\n<iso-2022-jp:hi>\r\n--i--\n--o\n"
       "Content-Transfer-Encoding: quoted-printable\n\n"
       "<iso-2022-jp:a=b>"},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeMailForView(c.mail, Converter), c.expected) << c.name;
}
