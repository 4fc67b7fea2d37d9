#include "core/shell/triggers.h"

#include <gtest/gtest.h>

using namespace tvp;

namespace {
TTVPSettings With(const std::string& when, const std::string& now, const std::string& interval) {
  TTVPSettings s;
  s.When = when;
  s.NowCountMail = now;
  s.IntervalCountMail = interval;
  return s;
}
}  // namespace

TEST(Triggers, UpdateIsDueWhenTheCounterReachesTheInterval) {
  EXPECT_TRUE(IsIndexUpdateDue(With("StartUp", "50", "50"), kWhenStartUp));
  EXPECT_FALSE(IsIndexUpdateDue(With("StartUp", "49", "50"), kWhenStartUp));
  EXPECT_TRUE(IsIndexUpdateDue(With("CleanUp", "100", "50"), kWhenCleanUp));
  EXPECT_FALSE(IsIndexUpdateDue(With("CleanUp", "100", "50"), kWhenStartUp));
  // Compared as integers, not as text ("9" > "10" as text).
  EXPECT_FALSE(IsIndexUpdateDue(With("StartUp", "9", "10"), kWhenStartUp));
}

TEST(Triggers, WhenIsExactAndNonNumbersCountAsZero) {
  EXPECT_FALSE(IsIndexUpdateDue(With("startup", "50", "50"), kWhenStartUp));
  EXPECT_FALSE(IsIndexUpdateDue(With("StartUp ", "50", "50"), kWhenStartUp));
  EXPECT_FALSE(IsIndexUpdateDue(With("UserOperation", "50", "0"), kWhenStartUp));
  EXPECT_TRUE(IsIndexUpdateDue(With("StartUp", "0", "0"), kWhenStartUp));
  EXPECT_TRUE(IsIndexUpdateDue(With("StartUp", "0", "abc"), kWhenStartUp));
  EXPECT_TRUE(IsIndexUpdateDue(With("CleanUp", "x", "y"), kWhenCleanUp));
  EXPECT_FALSE(IsIndexUpdateDue(With("StartUp", "abc", "1"), kWhenStartUp));
}

TEST(Triggers, AccountDirectoryOfAReceivedMail) {
  EXPECT_EQ(AccountDirOfMail("C:\\mail\\acct\\Inbox.box\\12.alm"), "C:\\mail\\acct\\");
  // The last occurrence counts.
  EXPECT_EQ(AccountDirOfMail("C:\\Inbox.box\\acct\\Inbox.box\\1.alm"), "C:\\Inbox.box\\acct\\");
  EXPECT_EQ(AccountDirOfMail("C:\\mail\\acct\\INBOX.BOX\\12.alm"), "");
  EXPECT_EQ(AccountDirOfMail("C:\\mail\\acct\\user001.box\\1.alm"), "");
  // A trail byte 0x5C before "Inbox.box" is no path separator.
  EXPECT_EQ(AccountDirOfMail("C:\\表Inbox.box\\1.alm"), "");
  EXPECT_EQ(AccountDirOfMail("C:\\表\\Inbox.box\\1.alm"), "C:\\表\\");
}

TEST(Triggers, BindingFailureMessageNamesThePlugIn) {
  EXPECT_EQ(BindingFailedMessage(),
            "プラグイン「Tarvik for Namazu」でエラーが発生しました。\r\nAL-Mail32とプラグインのバージョンを確認してください");
}
