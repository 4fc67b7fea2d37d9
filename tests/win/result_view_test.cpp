// The result box: a rendered result goes in with its styles, and positions
// (bytes, CR LF counting two) survive the trip through points of the view,
// after Japanese text too.
#include <windows.h>
#include <gtest/gtest.h>

#include "core/results/render.h"
#include "plugin/forms/form.h"
#include "plugin/results/result_view.h"
#include "large_result.h"

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

  // Texts compared where they first differ, without printing megabytes.
  static testing::AssertionResult SameText(const std::string& a, const std::string& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    if (i == a.size() && i == b.size()) return testing::AssertionSuccess();
    size_t from = i < 20 ? 0 : i - 20;
    return testing::AssertionFailure() << "differ at byte " << i << " of " << a.size() << "/" << b.size() << ": ["
                                       << a.substr(from, 40) << "] vs [" << b.substr(from, 40) << "]";
  }
  // The point of `pos` after bringing it into view, checked to be inside.
  POINT Visible(int pos) {
    view.SetCaret(pos);
    view.ScrollCaretIntoView();
    POINT at = view.Edit().PointAt(pos);
    RECT client;
    GetClientRect(view.Handle(), &client);
    EXPECT_TRUE(at.y >= 0 && at.y < client.bottom && at.x >= 0 && at.x < client.right) << at.x << "," << at.y;
    return at;
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
    EXPECT_EQ(large.Text.substr(hit.TitleStart, hit.TitleText.size()), hit.TitleText);
    view.SetCaret(hit.TitleStart);
    EXPECT_EQ(view.Caret(), hit.TitleStart);

    // The point of a character, brought into view, names that character.
    POINT at = Visible(hit.PathStart);
    EXPECT_EQ(view.Caret(), hit.PathStart);
    EXPECT_EQ(view.CharAt({at.x + 1, at.y + 2}), hit.PathStart);
    // A double-byte character of the title ("会" after "N. Re: "): a
    // position inside it and a point on it both give its first byte.
    int kanji = hit.TitleStart + static_cast<int>(hit.TitleText.find("会"));
    view.SetCaret(kanji + 1);
    EXPECT_EQ(view.Caret(), kanji);
    at = Visible(kanji);
    EXPECT_EQ(view.CharAt({at.x + 2, at.y + 2}), kanji);
    // Right of the title's line: its line break.
    EXPECT_EQ(view.CharAt({590, at.y + 2}), static_cast<int>(large.Text.find('\r', hit.TitleStart)));
  }

  const TClickableInfo& hit = large.Hits[7000];
  const TextStyle* title = view.Edit().StyleAt(hit.TitleEnd);  // the title's last character is double-byte
  ASSERT_NE(title, nullptr);
  EXPECT_TRUE(title->Bold && title->Underline);
  EXPECT_EQ(title->Colour, kBlue);
  EXPECT_EQ(view.Edit().StyleAt(hit.TitleStart), title);
  const TextStyle* path = view.Edit().StyleAt(hit.PathStart + 3);
  ASSERT_NE(path, nullptr);
  EXPECT_FALSE(path->Bold || path->Underline);
  EXPECT_EQ(path->Colour, kTeal);
  EXPECT_EQ(view.Edit().StyleAt(hit.PathEnd + 2), nullptr);    // the size after the path
  EXPECT_EQ(view.Edit().StyleAt(hit.TitleEnd + 2), nullptr);   // the score after the title
  EXPECT_EQ(view.Edit().StyleAt(hit.TitleStart - 3), nullptr);  // the empty lines before

  // The next search replaces it all, in the same control.
  HWND before = view.Handle();
  SetFocus(view.Handle());
  view.SetText("検索中.....");
  EXPECT_EQ(view.Edit().Text(), "検索中.....");
  EXPECT_EQ(view.Handle(), before);
  EXPECT_EQ(GetFocus(), view.Handle());
  EXPECT_EQ(view.Edit().StyleAt(0), nullptr);
  EXPECT_EQ(view.Edit().FirstVisibleLine(), 0);
  EXPECT_EQ(GetDlgItem(parent, 1), view.Handle());
}

TEST_F(ResultViewTest, WithoutColourNothingIsStyled) {
  TRenderedResult result = Rendered(50);
  view.Show(result, false);
  EXPECT_TRUE(SameText(view.Edit().Text(), result.Text));
  for (const TClickableInfo& hit : {result.Hits[0], result.Hits[49]}) {
    EXPECT_EQ(view.Edit().StyleAt(hit.TitleStart), nullptr);
    EXPECT_EQ(view.Edit().StyleAt(hit.TitleEnd), nullptr);
    EXPECT_EQ(view.Edit().StyleAt(hit.PathStart), nullptr);
  }
}

TEST_F(ResultViewTest, PlainTextKeepsPositionsAcrossAllLineBreaks) {
  view.Show(Rendered(5), true);
  ShowWindow(view.Handle(), SW_HIDE);  // its page is not the active one
  view.SetText("一行目\r\n二行目\n三\r四");
  EXPECT_FALSE(IsWindowVisible(view.Handle()));
  EXPECT_EQ(view.Edit().StyleAt(0), nullptr);
  EXPECT_EQ(view.Edit().LineCount(), 4);
  view.SetCaret(8);
  EXPECT_EQ(view.Caret(), 8);
  EXPECT_EQ(view.Edit().LineOf(8), 1);
  view.SetCaret(15);
  EXPECT_EQ(view.Caret(), 15);
  view.SetCaret(16);  // inside "三"
  EXPECT_EQ(view.Caret(), 15);
  view.SetCaret(7);   // between CR and LF: the line's end
  EXPECT_EQ(view.Caret(), 6);
  EXPECT_EQ(view.Edit().LineOf(18), 3);
  view.Clear();
  EXPECT_EQ(view.Edit().Text(), "");
  EXPECT_EQ(view.Caret(), 0);
}
