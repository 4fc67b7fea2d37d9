// The result box: a rendered result goes in with its styles, and positions
// (bytes, CR LF counting two) survive the trip through the control's
// character indexes, after Japanese text too.
#include <windows.h>
#include <richedit.h>
#include <gtest/gtest.h>

#include "core/results/render.h"
#include "core/results/text_positions.h"
#include "plugin/forms/form.h"
#include "plugin/results/result_view.h"
#include "win/large_result.h"

using namespace tvp;

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kTeal = RGB(0, 128, 128);

TRenderedResult Rendered(int hits) {
  TTVPSettings settings;
  settings.NamazuVersion = "2.0";
  settings.RenameToFolderName = "1";
  TTVPSearchInfo request;
  request.FolderCount = 1;
  request.FolderIndexes = {0};
  TFolderInfo inbox;
  inbox.Title = "郵便受け";
  return RenderResultText(test::LargeNamazuResult(hits), settings, request, {inbox}, "C:\\Mail\\");
}

class ResultViewTest : public testing::Test {
 protected:
  void SetUp() override {
    parent = CreateWindowExA(0, "STATIC", "view", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    font = CreateUiFont("ＭＳ Ｐゴシック", 12);
    view.Create(parent, 1, {0, 0, 600, 400}, font);
  }
  void TearDown() override {
    DestroyWindow(parent);
    DeleteObject(font);
  }

  // The control's own character index of the caret.
  LONG CaretChar() const {
    CHARRANGE r;
    SendMessageA(view.Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    return r.cpMin;
  }
  // `chars` characters of the control's text from character index `from`.
  std::string ControlText(LONG from, LONG chars) const {
    std::string buf(static_cast<size_t>(chars) * 2 + 1, '\0');
    TEXTRANGEA range = {{from, from + chars}, &buf[0]};
    LRESULT n = SendMessageA(view.Handle(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    buf.resize(static_cast<size_t>(n));
    return buf;
  }
  // Character format of the one character at our position `pos`.
  CHARFORMAT2A FormatAt(int pos) {
    view.SetCaret(pos);
    LONG c = CaretChar();
    CHARRANGE r = {c, c + 1};
    SendMessageA(view.Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    CHARFORMAT2A f = {};
    f.cbSize = sizeof f;
    SendMessageA(view.Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&f));
    return f;
  }
  // Texts compared where they first differ, without printing megabytes.
  static testing::AssertionResult SameText(const std::string& a, const std::string& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    if (i == a.size() && i == b.size()) return testing::AssertionSuccess();
    size_t from = i < 20 ? 0 : i - 20;
    return testing::AssertionFailure() << "differ at byte " << i << " of " << a.size() << "/" << b.size() << ": ["
                                       << a.substr(from, 40) << "] vs [" << b.substr(from, 40) << "]";
  }
  static bool Styled(const CHARFORMAT2A& f) {
    return (f.dwEffects & (CFE_BOLD | CFE_UNDERLINE)) || !(f.dwEffects & CFE_AUTOCOLOR);
  }

  HWND parent = nullptr;
  HFONT font = nullptr;
  ResultView view;
};

}  // namespace

TEST_F(ResultViewTest, TenThousandHitsShowWithStylesAndPositionsRoundTrip) {
  TRenderedResult large = Rendered(10000);
  ASSERT_EQ(large.Hits.size(), 10000u);
  view.Show(large, true);
  EXPECT_TRUE(SameText(view.Edit().Text(), large.Text));
  EXPECT_EQ(view.Caret(), 0);
  for (size_t i : {0u, 1u, 4999u, 9999u}) {
    const TClickableInfo& hit = large.Hits[i];
    SCOPED_TRACE(hit.TitleText);
    // The caret lands on the title and the path and reads back unchanged.
    view.SetCaret(hit.TitleStart);
    EXPECT_EQ(view.Caret(), hit.TitleStart);
    EXPECT_EQ(ControlText(CaretChar(), TextPositions(hit.TitleText).CharCount()), hit.TitleText);
    view.SetCaret(hit.PathStart);
    EXPECT_EQ(view.Caret(), hit.PathStart);
    EXPECT_EQ(ControlText(CaretChar(), static_cast<LONG>(hit.Path.size())), hit.Path);

    // The point of a character, brought into view, names that character.
    view.ScrollCaretIntoView();
    POINTL at = {};
    SendMessageA(view.Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), CaretChar());
    RECT client;
    GetClientRect(view.Handle(), &client);
    ASSERT_TRUE(at.y >= 0 && at.y < client.bottom) << at.y;
    EXPECT_EQ(view.CharAt({at.x + 1, at.y + 2}), hit.PathStart);
    // A double-byte character of the title ("会" after "N. Re: "): a
    // position inside it and a point on it both give its first byte.
    int kanji = hit.TitleStart + static_cast<int>(hit.TitleText.find("会"));
    view.SetCaret(kanji + 1);
    EXPECT_EQ(view.Caret(), kanji);
    view.ScrollCaretIntoView();
    SendMessageA(view.Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), CaretChar());
    EXPECT_EQ(view.CharAt({at.x + 2, at.y + 2}), kanji);
  }

  const TClickableInfo& hit = large.Hits[7000];
  CHARFORMAT2A title = FormatAt(hit.TitleEnd);  // the title's last character is double-byte
  EXPECT_EQ(title.dwEffects & (CFE_BOLD | CFE_UNDERLINE | CFE_AUTOCOLOR), DWORD(CFE_BOLD | CFE_UNDERLINE));
  EXPECT_EQ(title.crTextColor, kBlue);
  EXPECT_STREQ(title.szFaceName, "ＭＳ Ｐゴシック");
  CHARFORMAT2A path = FormatAt(hit.PathStart + 3);
  EXPECT_EQ(path.dwEffects & (CFE_BOLD | CFE_UNDERLINE | CFE_AUTOCOLOR), 0u);
  EXPECT_EQ(path.crTextColor, kTeal);
  EXPECT_FALSE(Styled(FormatAt(hit.PathEnd + 2)));   // the size after the path
  EXPECT_FALSE(Styled(FormatAt(hit.TitleEnd + 2)));  // the score after the title
  EXPECT_FALSE(Styled(FormatAt(hit.TitleStart - 3)));  // the empty lines before

  // The next search replaces it all (in a new control, in the old one's place).
  RECT before;
  GetWindowRect(view.Handle(), &before);
  SetFocus(view.Handle());
  view.SetText("検索中.....");
  EXPECT_EQ(view.Edit().Text(), "検索中.....");
  EXPECT_EQ(GetFocus(), view.Handle());
  RECT after;
  GetWindowRect(view.Handle(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(GetDlgItem(parent, 1), view.Handle());
}

TEST_F(ResultViewTest, WithoutColourNothingIsStyled) {
  TRenderedResult result = Rendered(50);
  view.Show(result, false);
  EXPECT_TRUE(SameText(view.Edit().Text(), result.Text));
  for (const TClickableInfo& hit : {result.Hits[0], result.Hits[49]}) {
    EXPECT_FALSE(Styled(FormatAt(hit.TitleStart)));
    EXPECT_FALSE(Styled(FormatAt(hit.TitleEnd)));
    EXPECT_FALSE(Styled(FormatAt(hit.PathStart)));
  }
}

TEST_F(ResultViewTest, PlainTextDropsTheStylesAndKeepsPositions) {
  view.Show(Rendered(5), true);
  LRESULT mask = ENM_KEYEVENTS | ENM_MOUSEEVENTS;
  SendMessageA(view.Handle(), EM_SETEVENTMASK, 0, mask);
  ShowWindow(view.Handle(), SW_HIDE);  // its page is not the active one
  view.SetText("一行目\r\n二行目\n三");
  EXPECT_EQ(SendMessageA(view.Handle(), EM_GETEVENTMASK, 0, 0), mask);
  EXPECT_FALSE(IsWindowVisible(view.Handle()));
  EXPECT_FALSE(Styled(FormatAt(0)));
  view.SetCaret(8);
  EXPECT_EQ(CaretChar(), 4);
  EXPECT_EQ(ControlText(CaretChar(), 3), "二行目");
  view.SetCaret(15);
  EXPECT_EQ(ControlText(CaretChar(), 1), "三");
  EXPECT_EQ(view.Caret(), 15);
  view.Clear();
  EXPECT_EQ(view.Edit().Text(), "");
  EXPECT_EQ(view.Caret(), 0);
}
