// The text view: line index, positions from points that never split a
// double-byte character, mouse and keyboard selection, copying, scrolling
// and the event hook.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "core/common/sjis.h"
#include "plugin/forms/form.h"
#include "plugin/ui/text_view.h"
#include "win/win_support.h"

using namespace tvp;

namespace {

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

class TextViewTest : public testing::Test {
 protected:
  void SetUp() override {
    parent = CreateWindowExA(0, "STATIC", "view", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 440, 340, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    font = CreateUiFont("ＭＳ Ｐゴシック", 12);
    view.Create(parent, 7, {0, 0, 400, 300}, font);
  }
  void TearDown() override {
    SetKeys({});
    DestroyWindow(parent);
    DeleteObject(font);
  }
  // Holds down exactly the keys given, as the view reads them.
  static void SetKeys(std::initializer_list<int> keys) {
    BYTE state[256] = {};
    for (int k : keys) state[k] = 0x80;
    SetKeyboardState(state);
  }
  void Key(WPARAM key) { SendMessageA(view.Handle(), WM_KEYDOWN, key, 0); }
  POINT Inside(int pos) {
    POINT p = view.PointAt(pos);
    return {p.x + 1, p.y + 2};
  }

  HWND parent = nullptr;
  HFONT font = nullptr;
  TextView view;
};

}  // namespace

TEST(LineStarts, EveryKindOfLineBreakEndsALine) {
  EXPECT_EQ(LineStarts(""), std::vector<int>({0}));
  EXPECT_EQ(LineStarts("a\r\nb\nc\rd"), std::vector<int>({0, 3, 5, 7}));
  EXPECT_EQ(LineStarts("\r\r\n\n"), std::vector<int>({0, 1, 3, 4}));
  EXPECT_EQ(LineStarts("表\r\n"), std::vector<int>({0, 4}));
}

TEST_F(TextViewTest, PointsGiveCharacterStartsInOrderAndRoundTrip) {
  const std::string text = "abc表示テストx\r\nｱｲｳ漢字かなmixed 全角\r\n\r\n最後の行";
  view.SetText(text, {{3, 4, RGB(0, 0, 255), true, true}, {19, 6, RGB(0, 128, 128), false, false}});
  std::vector<bool> starts(text.size() + 1, false);
  for (size_t i = 0; i < text.size(); i += CharLen(text, i)) starts[i] = true;
  starts[text.size()] = true;
  std::vector<int> lines = LineStarts(text);
  ASSERT_EQ(view.LineCount(), 4);
  for (int line = 0; line < view.LineCount(); ++line) {
    int previous = -1;
    int y = view.PointAt(lines[line]).y + 2;
    for (int x = -5; x < 400; ++x) {
      int pos = view.CharAt({x, y});
      ASSERT_TRUE(pos >= 0 && pos <= static_cast<int>(text.size()) && starts[pos]) << "x " << x << " pos " << pos;
      ASSERT_EQ(view.LineOf(pos), line);
      ASSERT_GE(pos, previous) << "x " << x;
      previous = pos;
    }
  }
  for (size_t i = 0; i < text.size(); i += CharLen(text, i)) {
    if (text[i] == '\r' || text[i] == '\n') continue;
    EXPECT_EQ(view.CharAt(Inside(static_cast<int>(i))), static_cast<int>(i)) << i;
  }
  // Bold text is wider: the point of "x" after the bold "表示" moves right.
  view.SetText(text);
  int plain = view.PointAt(15).x;
  view.SetText(text, {{3, 4, RGB(0, 0, 255), true, true}});
  EXPECT_GT(view.PointAt(15).x, plain);
}

TEST_F(TextViewTest, MouseAndShiftSelectAndControlCCopies) {
  test::RecordingUi ui;
  view.SetText("一行目のテキスト\r\n二行目\r\nthird line");
  SendMessageA(view.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(Inside(2)));
  EXPECT_EQ(GetFocus(), view.Handle());
  EXPECT_EQ(view.Caret(), 2);
  SendMessageA(view.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(Inside(22)));
  SendMessageA(view.Handle(), WM_LBUTTONUP, 0, At(Inside(22)));
  EXPECT_EQ(view.Caret(), 22);
  EXPECT_EQ(view.SelectedText(), "行目のテキスト\r\n二行");
  // Moving without the button down leaves the selection alone.
  SendMessageA(view.Handle(), WM_MOUSEMOVE, 0, At(Inside(0)));
  EXPECT_EQ(view.SelectedText(), "行目のテキスト\r\n二行");

  SetKeys({VK_CONTROL});
  Key('C');
  EXPECT_EQ(ui.clipboard, "行目のテキスト\r\n二行");

  // A shift-click moves the caret and keeps the anchor.
  SetKeys({});
  SendMessageA(view.Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, At(Inside(28)));
  SendMessageA(view.Handle(), WM_LBUTTONUP, 0, At(Inside(28)));
  EXPECT_EQ(view.SelectedText(), "行目のテキスト\r\n二行目\r\nth");
  // Shift with the arrows extends it by characters, over the line break too.
  SetKeys({VK_SHIFT});
  Key(VK_LEFT);
  Key(VK_LEFT);
  Key(VK_LEFT);
  EXPECT_EQ(view.SelectedText(), "行目のテキスト\r\n二行目");
  // A click alone empties the selection; then there is nothing to copy.
  SetKeys({});
  SendMessageA(view.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(Inside(4)));
  EXPECT_EQ(view.SelectedText(), "");
  ui.clipboard = "kept";
  SetKeys({VK_CONTROL});
  Key('C');
  EXPECT_EQ(ui.clipboard, "kept");
}

TEST_F(TextViewTest, CaretKeysAndScrollingKeepTheCaretInView) {
  std::string text;
  for (int i = 0; i < 500; ++i) text += "行 " + std::to_string(i) + "\r\n";
  view.SetText(text);
  EXPECT_EQ(view.FirstVisibleLine(), 0);
  SCROLLINFO si = {sizeof si, SIF_ALL};
  GetScrollInfo(view.Handle(), SB_VERT, &si);
  EXPECT_EQ(si.nMax, 500);
  int page = static_cast<int>(si.nPage);
  ASSERT_GT(page, 5);

  int target = static_cast<int>(text.find("行 300"));
  view.SetCaret(target);
  EXPECT_EQ(view.FirstVisibleLine(), 0);  // setting the caret does not scroll
  view.ScrollCaretIntoView();
  EXPECT_EQ(view.FirstVisibleLine(), 300 - page + 1);
  GetScrollInfo(view.Handle(), SB_VERT, &si);
  EXPECT_EQ(si.nPos, view.FirstVisibleLine());

  SetFocus(view.Handle());
  SetKeys({VK_CONTROL});
  Key(VK_HOME);
  EXPECT_EQ(view.Caret(), 0);
  EXPECT_EQ(view.FirstVisibleLine(), 0);
  Key(VK_END);
  EXPECT_EQ(view.Caret(), static_cast<int>(text.size()));
  EXPECT_EQ(view.FirstVisibleLine(), 501 - page);
  SetKeys({});
  Key(VK_HOME);
  Key(VK_PRIOR);
  EXPECT_EQ(view.LineOf(view.Caret()), 500 - (page - 1));
  EXPECT_EQ(view.FirstVisibleLine(), 502 - 2 * page);
  Key(VK_UP);
  Key(VK_END);
  std::string line = "行 " + std::to_string(500 - page) + "\r\n";
  EXPECT_EQ(view.Caret(), static_cast<int>(text.find(line) + line.size() - 2));
  SendMessageA(view.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(view.FirstVisibleLine(), 502 - 2 * page - 3);
  SendMessageA(view.Handle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(view.FirstVisibleLine(), 0);
}

TEST_F(TextViewTest, ALongLineScrollsSidewaysToTheCaret) {
  std::string line;
  for (int i = 0; i < 100; ++i) line += "長い行 ";
  view.SetText("short\r\n" + line + "end\r\nshort");
  int end = 7 + static_cast<int>(line.size()) + 3;
  RECT client;
  GetClientRect(view.Handle(), &client);
  EXPECT_GT(view.PointAt(end).x, client.right);
  view.SetCaret(end);
  view.ScrollCaretIntoView();
  POINT at = view.PointAt(end);
  EXPECT_TRUE(at.x >= 0 && at.x < client.right) << at.x;
  EXPECT_EQ(view.CharAt({at.x - 3, at.y + 2}), end - 1);  // the "d" of "end"
  SCROLLINFO si = {sizeof si, SIF_ALL};
  GetScrollInfo(view.Handle(), SB_HORZ, &si);
  EXPECT_GT(si.nPos, 0);
  SendMessageA(view.Handle(), WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(view.Caret(), 7);
  EXPECT_EQ(view.PointAt(7).x, view.PointAt(0).x);
  EXPECT_GE(view.PointAt(0).x, 0);
}

TEST_F(TextViewTest, TheEventHandlerSeesInputFirstAndMaySwallowIt) {
  view.SetText("abc\r\ndef");
  std::vector<UINT> seen;
  view.SetEventHandler([&](UINT msg, WPARAM wp, LPARAM) {
    seen.push_back(msg);
    return msg == WM_KEYDOWN && wp == VK_RIGHT;
  });
  Key(VK_RIGHT);
  EXPECT_EQ(view.Caret(), 0);
  Key(VK_DOWN);
  EXPECT_EQ(view.Caret(), 5);
  SendMessageA(view.Handle(), WM_CHAR, 'n', 0);
  SendMessageA(view.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(Inside(1)));
  SendMessageA(view.Handle(), WM_MOUSEMOVE, 0, At(Inside(1)));
  EXPECT_EQ(seen, std::vector<UINT>({WM_KEYDOWN, WM_KEYDOWN, WM_CHAR, WM_LBUTTONDBLCLK, WM_MOUSEMOVE}));
}

// Text added at the end, replaced at the front or inserted within a line
// keeps the line index, the styles, the caret and the selection where the
// text that stays is.
TEST_F(TextViewTest, AppendedAndReplacedTextKeepLinesStylesAndCaret) {
  auto expectIndexOfText = [&] {
    std::vector<int> starts = LineStarts(view.Text());
    ASSERT_EQ(view.LineCount(), static_cast<int>(starts.size()));
    for (int pos = 0; pos <= static_cast<int>(view.Text().size()); ++pos) {
      int line = static_cast<int>(std::upper_bound(starts.begin(), starts.end(), pos) - starts.begin()) - 1;
      ASSERT_EQ(view.LineOf(pos), line) << pos;
    }
  };
  view.SetText("first\r\nsecond\r", {{0, 5, RGB(0, 0, 255), false, true}});
  view.Select(7, 10);
  view.AppendText("\nthird 表\r\nfourth\n", {{22, 6, RGB(255, 0, 0), true, false}});  // a CR LF split in two
  EXPECT_EQ(view.Text(), "first\r\nsecond\r\nthird 表\r\nfourth\n");
  expectIndexOfText();
  EXPECT_EQ(view.LineCount(), 5);
  EXPECT_EQ(view.SelectedText(), "sec");
  ASSERT_NE(view.StyleAt(24), nullptr);
  EXPECT_TRUE(view.StyleAt(24)->Bold);

  view.ReplaceFront(7, "（省略）\r\n");
  EXPECT_EQ(view.Text(), "（省略）\r\nsecond\r\nthird 表\r\nfourth\n");
  expectIndexOfText();
  EXPECT_EQ(view.SelectedText(), "sec");
  EXPECT_EQ(view.StyleAt(0), nullptr);  // the style of the dropped line went with it
  const TextStyle* moved = view.StyleAt(25);
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(moved->Start, 25);
  // A selection inside the dropped text goes to the start.
  view.Select(0, 3);
  view.ReplaceFront(10, "x\r\n");
  EXPECT_EQ(view.Caret(), 0);
  EXPECT_EQ(view.SelectedText(), "");
  expectIndexOfText();

  // "x\r\nsecond\r\nthird 表..." with "third" styled: an insertion inside
  // the style grows it, one before it moves it, and the selection moves along.
  view.SetText("x\r\nsecond\r\nthird 表\r\nfourth\n", {{11, 5, RGB(255, 0, 0), true, false}});
  view.Select(17, 23);
  view.InsertText(13, "RD");
  view.InsertText(3, "2nd ");
  EXPECT_EQ(view.Text(), "x\r\n2nd second\r\nthRDird 表\r\nfourth\n");
  expectIndexOfText();
  ASSERT_NE(view.StyleAt(15), nullptr);
  EXPECT_EQ(view.StyleAt(15)->Length, 7);
  EXPECT_EQ(view.SelectedText(), "表\r\nfo");
  view.SetStyle({12, 4, RGB(0, 0, 255)});
  EXPECT_EQ(view.StyleAt(20), nullptr);  // the style it overlapped is gone
  EXPECT_EQ(view.StyleAt(12)->Colour, RGB(0, 0, 255));
}
