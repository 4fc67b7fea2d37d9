// This program is a host that lacks one of the 23 functions: binding must
// fail as a whole, with the message, and without calling the host.
#include <gtest/gtest.h>

#include "plugin/shell/exports.h"
#include "standin-host/standin.h"
#include "win/win_support.h"

using namespace tvp::test;

TEST(BindingWithAMissingHostFunction, FailsWithTheMessageAndCallsNothing) {
  // This host exports 22 of the 23 functions, the last looked-up one included.
  HMODULE self = GetModuleHandleA(nullptr);
  ASSERT_NE(GetProcAddress(self, "_APAJisToSjis@12"), nullptr);
  ASSERT_NE(GetProcAddress(self, "_APARegistCallback@8"), nullptr);
  ASSERT_EQ(GetProcAddress(self, "_APAViewGetPath@4"), nullptr);
  RecordingUi ui;
  EXPECT_EQ(APCStartUp(0), 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].owner, nullptr);
  EXPECT_EQ(ui.messages[0].caption, "プラグインエラー");
  EXPECT_EQ(ui.messages[0].text,
            "プラグイン「Tarvik for Namazu」でエラーが発生しました。\r\nAL-Mail32とプラグインのバージョンを確認してください");
  EXPECT_EQ(ui.messages[0].flags & MB_ICONERROR, static_cast<UINT>(MB_ICONERROR));
  // A second attempt fails again rather than using half a binding.
  EXPECT_EQ(APCStartUp(0), 0);
  EXPECT_EQ(ui.messages.size(), 2u);
  EXPECT_TRUE(standin::Calls().empty());
}

TEST(BindingWithAMissingHostFunction, EntryPointsCallNoHostFunctionBeforeBinding) {
  RecordingUi ui;
  HWND window = standin::CreateFolderWindow("folder");
  APCFolderCreate(window);
  APCFolderInitMenu(window, GetMenu(window), 101);
  EXPECT_TRUE(standin::Calls().empty());
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(GetMenu(window), 3)), 2);
  // What the user sees of it is the binding's own Japanese message.
  ASSERT_FALSE(ui.messages.empty());
  for (const ShownMessage& m : ui.messages)
    EXPECT_EQ(m.text,
              "プラグイン「Tarvik for Namazu」でエラーが発生しました。\r\nAL-Mail32とプラグインのバージョンを確認してください");
  DestroyWindow(window);
}
