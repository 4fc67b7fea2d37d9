// The settings file under hostile conditions: held by another program for
// moments or for good, too large, in a deep directory, or with no account.
#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/settings/ini.h"
#include "plugin/files/win_fs.h"
#include "plugin/shell/exports.h"
#include "standin-host/standin.h"
#include "win/sample_account.h"

using namespace tvp;
using namespace tvp::test;

namespace {

const char kFullFile[] =
    "[General]\r\nIndexingMenuCaption=索引(&K)...\r\n[Mknmz]\r\nNowCountMail=0\r\nIndexDir=D:\\idx\r\n"
    "[Alias]\r\nMax=1\r\nAlias1=x\r\n[QuoteCopy]\r\nMark=>\r\n";

// Opens the file with no sharing, as a virus scanner does: for `holdMs` at a
// time with a pause between, or for good (holdMs 0), until stopped.
class Holder {
 public:
  Holder(const std::string& path, DWORD holdMs) : path_(path) {
    if (holdMs == 0) {
      h_ = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      return;
    }
    thread_ = std::thread([this, holdMs] {
      while (!stop_) {
        HANDLE h = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) ++holds_;
        Sleep(holdMs);  // the scanner's own pace, not a wait of the test
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        Sleep(1);
      }
    });
  }
  ~Holder() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  bool Holding() const { return h_ != INVALID_HANDLE_VALUE || holds_ > 0; }

 private:
  std::string path_;
  HANDLE h_ = INVALID_HANDLE_VALUE;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<int> holds_{0};
};

class SettingsFile : public SampleAccount<> {
 protected:
  std::string MailPath() const { return accountDir + "Inbox.box\\7.alm"; }
};

}  // namespace

TEST_F(SettingsFile, MailsCountedWhileAScannerHoldsTheFileForMomentsLoseNothing) {
  WriteFileText(IniPath(), kFullFile);
  {
    Holder scanner(IniPath(), 3);
    while (!scanner.Holding()) Sleep(1);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(APCRecFilter(MailPath().c_str()), 0);
  }
  IniFile ini(ReadFileText(IniPath()));
  EXPECT_EQ(ini.Read("Alias", "Alias1"), "x");
  EXPECT_EQ(ini.Read("QuoteCopy", "Mark"), ">");
  EXPECT_EQ(ini.Read("Mknmz", "IndexDir"), "D:\\idx");
  EXPECT_EQ(ini.Read("Mknmz", "NowCountMail"), "100");  // each held moment is waited out
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SettingsFile, AFileThatStaysLockedIsNeitherCountedNorReplacedNorShownAsDefaults) {
  WriteFileText(IniPath(), kFullFile);
  APCFolderInitMenu(host, GetMenu(host), 101);
  HMENU tools = GetSubMenu(GetMenu(host), 3);
  UINT indexCommand = GetMenuItemID(tools, GetMenuItemCount(tools) - 2);
  {
    Holder lock(IniPath(), 0);
    ASSERT_TRUE(lock.Holding());
    EXPECT_EQ(APCRecFilter(MailPath().c_str()), 0);
    EXPECT_TRUE(ui.messages.empty());  // a mail's count is skipped without a box
    bool opened = false;
    WhileModal([&] { SendMessageA(host, WM_COMMAND, indexCommand, 0); }, [&](Form& f) {
      opened = true;
      f.SetModalResult(mrCancel);
    });
    EXPECT_FALSE(opened);  // no dialog full of defaults
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.find("ファイル「" + IniPath() + "」を読み込めません。\n"), 0u);
    EXPECT_GT(ui.messages[0].text.size(), ui.messages[0].text.find('\n') + 1);  // with the system's reason
  }
  EXPECT_EQ(ReadFileText(IniPath()), kFullFile);
}

TEST_F(SettingsFile, AFileOver256MegabytesIsNotReadAndNotReplaced) {
  HANDLE f = CreateFileA(IniPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  LARGE_INTEGER size;
  size.QuadPart = 257LL * 1024 * 1024;  // sparse: costs no disk
  SetFilePointerEx(f, size, nullptr, FILE_BEGIN);
  SetEndOfFile(f);
  CloseHandle(f);
  APCRecFilter(MailPath().c_str());
  APCFolderCreate(host);
  WIN32_FILE_ATTRIBUTE_DATA a;
  ASSERT_TRUE(GetFileAttributesExA(IniPath().c_str(), GetFileExInfoStandard, &a));
  EXPECT_EQ((static_cast<LONGLONG>(a.nFileSizeHigh) << 32) | a.nFileSizeLow, size.QuadPart);
  ASSERT_EQ(ui.messages.size(), 1u);  // the folder window's, not the mail's
  EXPECT_NE(ui.messages[0].text.find("を読み込めません。\nファイルが大きすぎます"), std::string::npos);
  DeleteFileA(IniPath().c_str());
}

TEST_F(SettingsFile, WritesWorkInADirectoryWhoseSettingsPathJustFits) {
  // The directory's length makes "...\tarvikp.ini" exactly MAX_PATH - 1 long.
  std::string dir = scratch.path() + "d";
  dir += std::string(MAX_PATH - 1 - 12 - dir.size(), 'x') + "\\";
  ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
  std::string path = dir + "tarvikp.ini";
  ASSERT_EQ(path.size(), static_cast<size_t>(MAX_PATH - 1));
  WriteFileText(path, kFullFile);
  DiskFileSystem().WriteFile(path, "[Mknmz]\r\nNowCountMail=1\r\n");
  EXPECT_EQ(ReadFileText(path), "[Mknmz]\r\nNowCountMail=1\r\n");
  EXPECT_LE(TempNameFor(path).size(), path.size());
  RemoveTree(dir);
}

TEST_F(SettingsFile, AnEmptyAccountDirectoryIsNoAccount) {
  char rootFile[] = "\\tarvikp.ini";
  DeleteFileA(rootFile);
  standin::SetAccount("");
  APCFolderCreate(host);
  APCFolderInitMenu(host, GetMenu(host), 101);
  APCFolderClose(host);
  EXPECT_FALSE(FileExists(rootFile));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(GetMenu(host), 3)), 2);  // nothing added
}
