// The entry points as the host calls them: binding, the menu, the triggers,
// the received-mail counter and the default settings file.
#include <gtest/gtest.h>

#include "core/settings/ini.h"
#include "plugin/shell/commands.h"
#include "plugin/shell/exports.h"
#include "standin-host/standin.h"
#include "win/win_support.h"

using namespace tvp;
using namespace tvp::test;

namespace {

std::vector<HWND> g_indexRuns;
void RecordIndexRun(HWND window) { g_indexRuns.push_back(window); }

class Exports : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(APCStartUp(0), -1);
    standin::SetAccount(account.path());
    standin::ClearCalls();
    saved = Commands();
    Commands().index = RecordIndexRun;
    g_indexRuns.clear();
    window = standin::CreateFolderWindow("folder");
  }
  void TearDown() override {
    Commands() = saved;
    DestroyWindow(window);
  }
  std::string IniPath() const { return account.path() + "tarvikp.ini"; }
  std::string Read(const char* section, const char* key) const {
    return IniFile(ReadFileText(IniPath())).Read(section, key, "(absent)");
  }
  void WriteIni(const std::string& text) { WriteFileText(IniPath(), text); }

  ScratchDir account;
  RecordingUi ui;
  CommandSet saved;
  HWND window = nullptr;
};

std::vector<std::string> MenuItems(HMENU menu) {
  std::vector<std::string> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char buf[256] = {0};
    MENUITEMINFOA mi = {sizeof mi, MIIM_FTYPE | MIIM_STRING | MIIM_ID};
    mi.dwTypeData = buf;
    mi.cch = sizeof buf;
    GetMenuItemInfoA(menu, i, TRUE, &mi);
    items.push_back((mi.fType & MFT_SEPARATOR) ? "-" : std::string(buf));
  }
  return items;
}

}  // namespace

TEST_F(Exports, NamesItselfAndBindsOnceWithMinusOne) {
  EXPECT_STREQ(APCGetPlugName(), "Tarvik for Namazu");
  EXPECT_EQ(APCStartUp(0), -1);  // already bound: succeeds at once
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Exports, MenuItemsAreAppendedToTheFourthSubmenuForIdentifier101Only) {
  HMENU tools = GetSubMenu(GetMenu(window), 3);
  auto before = MenuItems(tools);
  APCFolderInitMenu(window, GetMenu(window), 100);
  APCFolderInitMenu(window, GetMenu(window), 102);
  EXPECT_EQ(MenuItems(tools), before);
  EXPECT_TRUE(standin::CallsOf("APARegistCallback").empty());
  EXPECT_FALSE(FileExists(IniPath()));  // nothing at all happened

  APCFolderInitMenu(window, GetMenu(window), 101);
  auto after = MenuItems(tools);
  ASSERT_EQ(after.size(), before.size() + 3);
  EXPECT_EQ(after[before.size()], "-");
  EXPECT_EQ(after[before.size() + 1], "Namazuインデックス更新(&K)...");
  EXPECT_EQ(after[before.size() + 2], "Namazu検索(&F)...");
  for (HMENU other : {GetSubMenu(GetMenu(window), 0), GetSubMenu(GetMenu(window), 4)})
    EXPECT_EQ(MenuItems(other).size(), other == GetSubMenu(GetMenu(window), 0) ? 3u : 1u);

  auto regs = standin::CallsOf("APARegistCallback");
  ASSERT_EQ(regs.size(), 2u);
  EXPECT_EQ(regs[0].args[1], "1");
  EXPECT_EQ(regs[1].args[1], "1");
}

TEST_F(Exports, MenuCaptionsComeFromTheSettingsAndCommandsReachTheirActions) {
  WriteIni("[General]\r\nIndexingMenuCaption=索引(&I)\r\nSearchMenuCaption=表示検索\r\n");
  APCFolderInitMenu(window, GetMenu(window), 101);
  auto items = MenuItems(GetSubMenu(GetMenu(window), 3));
  EXPECT_EQ(items[items.size() - 2], "索引(&I)");
  EXPECT_EQ(items.back(), "表示検索");

  HMENU tools = GetSubMenu(GetMenu(window), 3);
  UINT indexId = GetMenuItemID(tools, GetMenuItemCount(tools) - 2);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(indexId, 0), 0);
  ASSERT_EQ(g_indexRuns.size(), 1u);
  EXPECT_EQ(g_indexRuns[0], window);  // the callback passes the host window on
}

TEST_F(Exports, FirstFolderWindowEventWritesTheDefaultFile) {
  APCFolderCreate(window);
  EXPECT_EQ(Read("General", "Version"), "0.9.2");
  EXPECT_EQ(Read("Alias", "Max"), "0");
  EXPECT_EQ(Read("Mknmz", "When"), "UserOperation");
  EXPECT_EQ(Read("Mknmz", "IndexDir"), "(absent)");
  EXPECT_EQ(Read("Mknmz", "LastDate"), "(absent)");
  EXPECT_EQ(Read("Result", "WindowLeft"), "(absent)");
  EXPECT_TRUE(g_indexRuns.empty());
  auto accounts = standin::CallsOf("APAGetAccount");
  ASSERT_FALSE(accounts.empty());
}

TEST_F(Exports, AnExistingSettingsFileIsNeverReplaced) {
  const std::string text = "[Mknmz]\r\nWhen=UserOperation\r\n; mine\r\n";
  WriteIni(text);
  APCFolderCreate(window);
  APCFolderInitMenu(window, GetMenu(window), 101);
  APCFolderClose(window);
  EXPECT_EQ(ReadFileText(IniPath()), text);
}

TEST_F(Exports, StartUpTriggerFiresAtTheIntervalAndShowsTheHostWindow) {
  WriteIni("[Mknmz]\r\nWhen=StartUp\r\nIntervalCountMail=50\r\nNowCountMail=49\r\n");
  APCFolderCreate(window);
  EXPECT_TRUE(g_indexRuns.empty());
  EXPECT_FALSE(IsWindowVisible(window));

  WriteIni("[Mknmz]\r\nWhen=StartUp\r\nIntervalCountMail=50\r\nNowCountMail=50\r\n");
  APCFolderCreate(window);
  ASSERT_EQ(g_indexRuns.size(), 1u);
  EXPECT_TRUE(IsWindowVisible(window));
  APCFolderClose(window);  // "StartUp" does not fire at shut-down
  EXPECT_EQ(g_indexRuns.size(), 1u);
}

TEST_F(Exports, TriggerCompareIsExactAndCountsAreIntegers) {
  WriteIni("[Mknmz]\r\nWhen=startup\r\nIntervalCountMail=0\r\nNowCountMail=0\r\n");
  APCFolderCreate(window);
  EXPECT_TRUE(g_indexRuns.empty());

  WriteIni("[Mknmz]\r\nWhen=StartUp\r\nIntervalCountMail=0\r\nNowCountMail=0\r\n");
  APCFolderCreate(window);
  EXPECT_EQ(g_indexRuns.size(), 1u);

  WriteIni("[Mknmz]\r\nWhen=StartUp\r\nIntervalCountMail=many\r\nNowCountMail=0\r\n");
  APCFolderCreate(window);
  EXPECT_EQ(g_indexRuns.size(), 2u);

  WriteIni("[Mknmz]\r\nWhen=StartUp\r\nIntervalCountMail=10\r\nNowCountMail=9\r\n");  // not "9" >= "10" as text
  APCFolderCreate(window);
  EXPECT_EQ(g_indexRuns.size(), 2u);
}

TEST_F(Exports, CleanUpTriggerFiresOnCloseWithoutTouchingTheWindow) {
  WriteIni("[Mknmz]\r\nWhen=CleanUp\r\nIntervalCountMail=3\r\nNowCountMail=3\r\n");
  APCFolderCreate(window);
  EXPECT_TRUE(g_indexRuns.empty());
  APCFolderClose(window);
  ASSERT_EQ(g_indexRuns.size(), 1u);
  EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(Exports, ReceivedMailsRaiseTheCounterInPlace) {
  WriteIni("[Mknmz]\r\nNowCountMail=7\r\n[Other]\r\nkeep=me\r\n");
  std::string inbox = account.path() + "Inbox.box\\";
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(APCRecFilter((inbox + std::to_string(i) + ".alm").c_str()), 0);
  EXPECT_EQ(ReadFileText(IniPath()), "[Mknmz]\r\nNowCountMail=10\r\n[Other]\r\nkeep=me\r\n");

  EXPECT_EQ(APCRecFilter((account.path() + "user001.box\\1.alm").c_str()), 0);
  EXPECT_EQ(APCRecFilter((account.path() + "INBOX.BOX\\1.alm").c_str()), 0);
  EXPECT_EQ(APCRecFilter(nullptr), 0);
  EXPECT_EQ(Read("Mknmz", "NowCountMail"), "10");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Exports, CounterStartsFromZeroWhenNotANumber) {
  WriteIni("[Mknmz]\r\nNowCountMail=lots\r\n");
  APCRecFilter((account.path() + "Inbox.box\\1.alm").c_str());
  EXPECT_EQ(Read("Mknmz", "NowCountMail"), "1");
}

TEST_F(Exports, AnUnwritableSettingsFileIsReportedNotThrown) {
  WriteIni("[Mknmz]\r\nNowCountMail=1\r\n");
  // Another program holds the file open exclusively: it can be neither read nor replaced.
  HANDLE lock = CreateFileA(IniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  // An arriving mail skips its count without a box (one per mail would flood the user)...
  APCRecFilter((account.path() + "Inbox.box\\1.alm").c_str());
  EXPECT_TRUE(ui.messages.empty());
  // ...the folder window reports it.
  APCFolderCreate(window);
  CloseHandle(lock);
  EXPECT_EQ(Read("Mknmz", "NowCountMail"), "1");  // the old file is intact
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "エラー");
  EXPECT_NE(ui.messages[0].text.find("tarvikp.ini"), std::string::npos);
  // No temporary file is left next to it.
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((account.path() + "*.tmp*").c_str(), &fd);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
}
