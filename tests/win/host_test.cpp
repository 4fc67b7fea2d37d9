// The stand-in host's own services that the plug-in relies on, reached
// through the plug-in's binding: JIS to Shift-JIS conversion and the
// account directory.
#include <gtest/gtest.h>

#include "plugin/shell/exports.h"
#include "plugin/shell/host_api.h"
#include "standin-host/standin.h"
#include "win/win_support.h"

using namespace tvp;
using namespace tvp::test;

TEST(Host, JisTextComesBackAsShiftJis) {
  ASSERT_EQ(APCStartUp(0), -1);
  // "会議の件" in ISO-2022-JP, between ASCII, then half-width katakana "ｱ" (ESC ( I).
  std::string jis = "Re: \x1b$B2q5D$N7o\x1b(B ok\r\n\x1b(I1\x1b(B";
  EXPECT_EQ(host::JisToSjis(jis), "Re: 会議の件 ok\r\n\xb1");
  auto calls = standin::CallsOf("APAJisToSjis");
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back().args[1], std::to_string(jis.size()));
  EXPECT_EQ(host::JisToSjis(""), "");
}

TEST(Host, SampleMailBodyConverts) {
  ASSERT_EQ(APCStartUp(0), -1);
  std::string mail = ReadFileText(SourceDir() + "samples\\account\\Inbox.box\\1.alm");
  ASSERT_FALSE(mail.empty());
  std::string sjis = host::JisToSjis(mail);
  EXPECT_EQ(sjis.find('\x1b'), std::string::npos);  // no escape sequence left
  EXPECT_NE(sjis.find("inboxonly"), std::string::npos);
}

TEST(Host, AccountDirectoryGetsItsTrailingBackslash) {
  ASSERT_EQ(APCStartUp(0), -1);
  standin::SetAccount("C:\\mail\\表");
  EXPECT_EQ(host::GetAccount(nullptr), "C:\\mail\\表\\");
  standin::SetAccount("C:\\mail\\acct\\");
  EXPECT_EQ(host::GetAccount(nullptr), "C:\\mail\\acct\\");
}
