// The About box: its controls, its logo, the link menu and how it opens.
#include <windows.h>
#include <gtest/gtest.h>

#include <set>

#include "plugin/about/frm_about.h"
#include "plugin/shell/exports.h"
#include "plugin/ui/controls.h"
#include "win/dialog_support.h"
#include "win/sample_account.h"

using namespace tvp;
using namespace tvp::test;

namespace {

class AboutBox : public SampleAccount<> {
 protected:
  // Opens the box the way the host does; `drive` runs inside its modal loop.
  bool Open(const std::function<void(TfrmAbout&)>& drive) {
    return WhileModal([&] { APCVersionInfo(host); }, [&](Form& f) { drive(dynamic_cast<TfrmAbout&>(f)); });
  }
};

std::vector<std::string> g_menuItems;
POINT g_menuAt;
int g_pick;
int AnswerMenu(HMENU menu, int x, int y, HWND) {
  g_menuItems.clear();
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[256] = {0};
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    g_menuItems.push_back(text);
  }
  g_menuAt = {x, y};
  return g_pick ? static_cast<int>(GetMenuItemID(menu, g_pick - 1)) : 0;
}

}  // namespace

TEST_F(AboutBox, OpensCentredOverTheHostWithEveryControlInPlace) {
  MoveWindow(host, 100, 100, 800, 600, FALSE);
  RECT box = {};
  HWND owner = nullptr;
  std::string title;
  RECT label1 = {}, ok = {}, link = {}, image = {}, client = {};
  BITMAP bm = {};
  size_t colours = 0;
  ASSERT_TRUE(Open([&](TfrmAbout& d) {
    box = d.WindowRect();
    owner = GetWindow(d.Handle(), GW_OWNER);
    title = d.Caption();
    GetClientRect(d.Handle(), &client);
    label1 = ControlRect(d.Label1);
    ok = ControlRect(d.btnOK);
    link = ControlRect(d.btnHomepage);
    image = ControlRect(d.Image1);
    HBITMAP logo = reinterpret_cast<HBITMAP>(SendMessageA(d.Image1, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_TRUE(logo);
    GetObjectA(logo, sizeof bm, &bm);
    // A logo, not a plain box: many colours.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, logo);
    std::set<COLORREF> seen;
    for (int y = 0; y < bm.bmHeight; y += 2)
      for (int x = 0; x < bm.bmWidth; x += 2) seen.insert(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    colours = seen.size();
    d.SetModalResult(mrOk);
  }));
  int w = box.right - box.left, h = box.bottom - box.top;
  EXPECT_EQ(box.left, 100 + (800 - w) / 2);
  EXPECT_EQ(box.top, 100 + (600 - h) / 2);
  EXPECT_EQ(owner, host);
  EXPECT_EQ(title, "バージョン情報");
  EXPECT_EQ(client.right, 345);
  EXPECT_EQ(client.bottom, 148);
  EXPECT_EQ(label1.left, 0);
  EXPECT_EQ(label1.right, client.right);  // centred on the whole form
  EXPECT_EQ(label1.top, 88);
  EXPECT_EQ((std::vector<LONG>{ok.left, ok.top, ok.right - ok.left, ok.bottom - ok.top}),
            (std::vector<LONG>{256, 8, 81, 25}));
  EXPECT_EQ((std::vector<LONG>{link.left, link.top}), (std::vector<LONG>{256, 40}));
  EXPECT_EQ((std::vector<LONG>{image.left, image.top}), (std::vector<LONG>{8, 0}));
  EXPECT_EQ(bm.bmWidth, 240);
  EXPECT_EQ(bm.bmHeight, 80);
  EXPECT_GT(colours, 20u);
}

TEST_F(AboutBox, LinkMenuOpensBelowTheButtonAndEachItemItsTarget) {
  auto saved = TfrmAbout::TrackLinkMenu;
  TfrmAbout::TrackLinkMenu = AnswerMenu;
  RECT button = {};
  for (g_pick = 0; g_pick <= 4; ++g_pick) {
    ASSERT_TRUE(Open([&](TfrmAbout& d) {
      GetWindowRect(d.btnHomepage, &button);
      SetFocus(d.btnOK);
      PostMessageA(d.btnOK, WM_SYSCHAR, 'l', 0x20000000);  // Alt+L, the button's mnemonic
      PumpDialog(d);
      d.SetModalResult(mrOk);
    }));
  }
  TfrmAbout::TrackLinkMenu = saved;
  EXPECT_EQ(g_menuItems, (std::vector<std::string>{"Tarvik for Namazu AL-Mail Plug-in のページへ", "Namazu のページへ",
                                                   "Namazu for Win32 のページへ", "Namazu for OS/2 のページへ"}));
  EXPECT_EQ(g_menuAt.x, button.left);
  EXPECT_EQ(g_menuAt.y, button.bottom);
  // Item 0 (menu dismissed) opens nothing; then one target per item.
  ASSERT_EQ(ui.opened.size(), 4u);
  EXPECT_EQ(ui.opened[0], ProgramDir() + "tarvikp.txt");  // the user guide beside the plug-in's module
  EXPECT_EQ(ui.opened[1], "http://www.namazu.org/");
  EXPECT_EQ(ui.opened[2], "http://www.namazu.org/windows/");
  EXPECT_EQ(ui.opened[3], "http://www.namazu.org/os2/");
}

TEST_F(AboutBox, EscapeAndEnterCloseItWithOK) {
  for (UINT key : {VK_ESCAPE, VK_RETURN}) {
    int result = 0;
    ASSERT_TRUE(WhileModal([&] {
      TfrmAbout box(host);
      result = box.ShowModal();
    }, [&](Form& f) { PressKey(f, dynamic_cast<TfrmAbout&>(f).btnOK, key); })) << key;
    EXPECT_EQ(result, mrOk) << key;
  }
}
