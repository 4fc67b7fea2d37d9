#include "core/results/render.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/common/sjis.h"
#include "core/indexing/paths.h"

using namespace tvp;

namespace {

const std::string kMailbox = "C:\\Mail\\";

// Namazu 2's plain-text result, as it writes it (LF line ends).
std::string Header(const std::string& counts = "参考ヒット数:  [ apples: 3 ] ") {
  return "検索結果\n\n" + counts + "\n\n検索式にマッチする 3 個の文書が見つかりました。\n\n";
}
std::string Hit(int n, const std::string& title, const std::string& path, bool summary = true) {
  std::string s = std::to_string(n) + ". " + title + " (スコア: 18)\n";
  if (summary) s += "著者: user@example.com\n日付: Mon, 1 Jan 2001 10:00:00 +0900\nbody text\n";
  return s + path + " (1,234 bytes)\n\n\n\n\n";
}
const std::string kFooter = "現在のリスト: 1 - 3\n\n";

TTVPSettings Settings(const std::string& version = "2.0", const std::string& rename = "1") {
  TTVPSettings s;
  s.NamazuVersion = version;
  s.RenameToFolderName = rename;
  return s;
}

TRenderedResult Render(const std::string& raw, const TTVPSettings& s = Settings(),
                       const TTVPSearchInfo& request = {}, const std::vector<TFolderInfo>& folders = {}) {
  return RenderResultText(raw, s, request, folders, kMailbox);
}

std::string At(const TRenderedResult& r, int start, int end) { return r.Text.substr(start, end - start + 1); }

// Every byte of the link map agrees with the hit table, and every style
// range with a non-empty hit range.
void ExpectConsistent(const TRenderedResult& r) {
  ASSERT_EQ(r.LinkMap.size(), r.Text.size());
  std::vector<char> expected(r.Text.size(), kLinkNone);
  std::vector<TStyleRange> styles;
  for (const TClickableInfo& h : r.Hits) {
    EXPECT_EQ(At(r, h.TitleStart, h.TitleEnd), h.TitleText);
    EXPECT_EQ(At(r, h.PathStart, h.PathEnd), h.Path);
    std::fill(expected.begin() + h.TitleStart, expected.begin() + h.TitleEnd + 1, kLinkTitle);
    std::fill(expected.begin() + h.PathStart, expected.begin() + h.PathEnd + 1, kLinkPath);
    TStyleKind title = h.Mail == TMailState::Vanished ? TStyleKind::Vanished : TStyleKind::Title;
    if (!h.TitleText.empty()) styles.push_back({h.TitleStart, h.TitleEnd - h.TitleStart + 1, title});
    if (!h.Path.empty()) styles.push_back({h.PathStart, h.PathEnd - h.PathStart + 1, TStyleKind::Path});
  }
  EXPECT_EQ(r.LinkMap, expected);
  ASSERT_EQ(r.Styles.size(), styles.size());
  for (size_t i = 0; i < styles.size(); ++i) {
    EXPECT_EQ(r.Styles[i].Start, styles[i].Start);
    EXPECT_EQ(r.Styles[i].Length, styles[i].Length);
    EXPECT_EQ(r.Styles[i].Kind, styles[i].Kind);
  }
}

std::vector<std::string> Paths(const TRenderedResult& r) {
  std::vector<std::string> out;
  for (const auto& h : r.Hits) out.push_back(h.Path);
  return out;
}

}  // namespace

TEST(Render, FindsTitlesAndPathsAtCrLfPositions) {
  std::string raw = Header() + Hit(1, "会議の件", "/C|/Mail/acct/user001.box/1.alm") +
                    Hit(2, "Re: 表示", "/C|/Mail/acct/inbox.box/表.alm", false) +
                    Hit(3, "third", "/C|/Mail/acct/user002.box/3.alm") + kFooter;
  TRenderedResult r = Render(raw);
  EXPECT_TRUE(r.Found);
  EXPECT_EQ(r.Text, ReplaceAll(raw, "\n", "\r\n"));
  ASSERT_EQ(r.Hits.size(), 3u);
  EXPECT_EQ(r.Hits[0].TitleText, "1. 会議の件");
  EXPECT_EQ(r.Hits[0].TitleStart, static_cast<int>(r.Text.find("1. ")));
  EXPECT_EQ(r.Hits[0].Path, "/C|/Mail/acct/user001.box/1.alm");
  EXPECT_EQ(r.Hits[1].TitleText, "2. Re: 表示");
  EXPECT_EQ(r.Hits[1].Path, "/C|/Mail/acct/inbox.box/表.alm");
  EXPECT_EQ(r.Hits[2].PathStart, static_cast<int>(r.Text.find("/C|/Mail/acct/user002.box/3.alm")));
  ExpectConsistent(r);

  // CR LF, lone CR and LF give the same rendering.
  for (const char* eol : {"\r\n", "\r"}) {
    TRenderedResult other = Render(ReplaceAll(raw, "\n", eol));
    EXPECT_EQ(other.Text, r.Text);
    EXPECT_EQ(other.LinkMap, r.LinkMap);
  }
}

TEST(Render, TitleRegionStopsAtTheLastScoreMarker) {
  std::string raw = Header() + "1. plain (score: 3)\n/C|/a (1 bytes)\n\n\n\n\n" +
                    "2. odd (score: x) (スコア: 2) (score: 9)\n/C|/b (1 bytes)\n\n\n\n\n" +
                    "3. no marker at all\n/C|/c (1 bytes)\n\n\n\n\n" +
                    " (score: 1)\n/C|/d (1 bytes)\n\n\n\n\n" +
                    "5. title (score: 5) itself (スコア: 7)\n/C|/e (1 bytes)\n\n\n\n\n" + kFooter;
  TRenderedResult r = Render(raw);
  ASSERT_EQ(r.Hits.size(), 5u);
  // A title holding the English marker keeps its text up to namazu's own.
  EXPECT_EQ(r.Hits[4].TitleText, "5. title (score: 5) itself");
  EXPECT_EQ(r.Hits[0].TitleText, "1. plain");
  EXPECT_EQ(r.Hits[1].TitleText, "2. odd (score: x) (スコア: 2)");
  // Without a marker the region is empty but the hit counts.
  EXPECT_EQ(r.Hits[2].TitleText, "");
  EXPECT_EQ(r.Hits[2].TitleEnd, r.Hits[2].TitleStart - 1);
  EXPECT_EQ(r.Hits[2].Path, "/C|/c");
  EXPECT_EQ(r.Hits[3].TitleText, "");
  ExpectConsistent(r);
}

TEST(Render, FirstHitIsSoughtFromLineOneOn) {
  // Line 0 is never a hit; the scan starts at the next "1. " line.
  std::string body = "x (スコア: 1)\n/C|/a (1 bytes)\n\n\n\n\n";
  TRenderedResult r = Render("1. " + body + "1. " + body + kFooter + "\n\n");
  ASSERT_EQ(r.Hits.size(), 1u);
  EXPECT_EQ(r.Hits[0].TitleStart, static_cast<int>(r.Text.find("1. ", 1)));

  // A first line that begins with "1. " and no other: nothing found.
  r = Render("1. " + body + kFooter);
  EXPECT_FALSE(r.Found);
  EXPECT_TRUE(r.Hits.empty());

  // "11. " and " 1. " do not begin a hit list.
  EXPECT_FALSE(Render("a\n11. x (スコア: 1)\n 1. y\n/C|/a (1 bytes)\n\n\n\n\n\n").Found);
}

TEST(Render, NoHitsShowsTheTextUnchanged) {
  std::string raw = "検索結果\n\n参考ヒット数:  [ zzzz: 0 ] \n\n検索式にマッチする文書はありませんでした。\n";
  TRenderedResult r = Render(raw);
  EXPECT_FALSE(r.Found);
  EXPECT_TRUE(r.Hits.empty());
  EXPECT_TRUE(r.Styles.empty());
  EXPECT_EQ(r.Text, ReplaceAll(raw, "\n", "\r\n"));
  EXPECT_EQ(r.LinkMap, std::vector<char>(r.Text.size(), kLinkNone));

  TRenderedResult empty = Render("");
  EXPECT_FALSE(empty.Found);
  EXPECT_EQ(empty.Text, "");
  EXPECT_TRUE(empty.LinkMap.empty());
}

TEST(Render, FolderTitlesReplaceTheIndexPathsOfTheHitCountBlock) {
  std::vector<TFolderInfo> folders(3);
  folders[0].Title = "ML";
  folders[2].Title = "受信";
  TTVPSearchInfo request;
  request.FolderCount = 2;
  request.FolderIndexes = {2, 0};
  std::string block =
      "参考ヒット数: \n(/C|/Mail/acct/Namazu/inbox) [ apples: 3 ] \n(/C|/Mail/acct/Namazu/b001) [ apples: 1 ] \n";
  auto lines = [&](const std::string& raw, const TTVPSettings& s) {
    return SplitLines(RenderResultText(raw, s, request, folders, kMailbox).Text);
  };

  std::vector<std::string> out = lines("検索結果\n\n" + block + "\nfoot\n", Settings());
  EXPECT_EQ(out[3], "「受信」  [ apples: 3 ] ");
  EXPECT_EQ(out[4], "「ML」  [ apples: 1 ] ");
  EXPECT_EQ(out[5], "");

  // The switch off, the counts on the header line itself, or the block at
  // line 4 or later: unchanged.
  EXPECT_EQ(lines("検索結果\n\n" + block, Settings("2.0", "0"))[3], "(/C|/Mail/acct/Namazu/inbox) [ apples: 3 ] ");
  EXPECT_EQ(lines("参考ヒット数:  [ apples: 3 ] \n(x) y\n", Settings())[1], "(x) y");
  EXPECT_EQ(lines("a\nb\nc\nd\n" + block, Settings())[5], "(/C|/Mail/acct/Namazu/inbox) [ apples: 3 ] ");

  // Lines beyond the request's folders stay; a line without ") " ends the
  // block; a position outside the folder list leaves its line alone.
  out = lines("参考ヒット数: \n(a) [ 1 ]\n(b) { 2 }\n(c) [ 3 ]\nno close\n(d) [ 4 ]\n", Settings());
  EXPECT_EQ(out, (std::vector<std::string>{"参考ヒット数: ", "「受信」  [ 1 ]", "「ML」  { 2 }", "(c) [ 3 ]", "no close",
                                           "(d) [ 4 ]"}));
  request.FolderIndexes = {5, -1};
  out = lines("参考ヒット数: \n(a) [ 1 ]\n(b) [ 2 ]\n", Settings());
  EXPECT_EQ(out[1], "(a) [ 1 ]");
  EXPECT_EQ(out[2], "(b) [ 2 ]");

  // An index path that holds ") " itself: the counts begin at the ") "
  // before "[" or "{"; a ") " before anything else does not end the block.
  request.FolderIndexes = {2, 0};
  out = lines("参考ヒット数: \n(/C|/x (old) y/Namazu/inbox) [ a: 1 ] \n(/C|/z) b) {  [ a: 1 ]  :: 0 } \n", Settings());
  EXPECT_EQ(out[1], "「受信」  [ a: 1 ] ");
  EXPECT_EQ(out[2], "「ML」  {  [ a: 1 ]  :: 0 } ");
}

TEST(Render, FolderTitlesShiftThePositionsOfTheHits) {
  std::vector<TFolderInfo> folders(1);
  folders[0].Title = "とても長いフォルダの名前";
  TTVPSearchInfo request;
  request.FolderCount = 1;
  request.FolderIndexes = {0};
  std::string raw = "検索結果\n\n参考ヒット数: \n(/x) [ a: 1 ] \n\nmatch\n\n" + Hit(1, "t", "/C|/p") + kFooter;
  TRenderedResult r = RenderResultText(raw, Settings(), request, folders, kMailbox);
  ASSERT_EQ(r.Hits.size(), 1u);
  EXPECT_EQ(r.Hits[0].TitleStart, static_cast<int>(r.Text.find("1. t")));
  ExpectConsistent(r);
}

TEST(Render, PathLineNeedsTwoEmptyLinesAfterIt) {
  // One empty line after "/C|/first" does not close the hit: the path is
  // the next line followed by two empty ones.
  std::string raw = Header() + "1. t (スコア: 1)\n/C|/first (1 bytes)\n\n/C|/second (2 bytes)\n\n\n\n\n" + kFooter;
  TRenderedResult r = Render(raw);
  ASSERT_EQ(r.Hits.size(), 1u);
  EXPECT_EQ(r.Hits[0].Path, "/C|/second");
  ExpectConsistent(r);
}

TEST(Render, TheLastFourLinesAreNeverExamined) {
  // The path line stands fourth from the end: the hit is never closed and
  // is not kept.
  std::string raw = Header() + "1. t (スコア: 1)\n/C|/p (1 bytes)\n\n\n\n";
  TRenderedResult r = Render(raw);
  EXPECT_TRUE(r.Found);
  EXPECT_TRUE(r.Hits.empty());
  EXPECT_TRUE(r.Styles.empty());
  EXPECT_EQ(r.LinkMap, std::vector<char>(r.Text.size(), kLinkNone));
  // One more line and it is examined.
  r = Render(raw + "\n");
  ASSERT_EQ(r.Hits.size(), 1u);
  EXPECT_EQ(r.Hits[0].Path, "/C|/p");

  // A title among the last four lines is not taken either.
  r = Render(Header() + Hit(1, "t", "/C|/p") + "2. u (スコア: 1)\n/C|/q (1 bytes)\n\n\n");
  EXPECT_EQ(Paths(r), std::vector<std::string>{"/C|/p"});
}

TEST(Render, AnOpenHitAtTheEndIsDropped) {
  std::string raw = Header() + Hit(1, "t", "/C|/p") + "2. open (スコア: 1)\nsummary\nmore\nand more\nlast\n";
  TRenderedResult r = Render(raw);
  ASSERT_EQ(r.Hits.size(), 1u);
  EXPECT_EQ(r.Hits[0].TitleText, "1. t");
  ExpectConsistent(r);
}

TEST(Render, PathEndsBeforeTheSizeWords) {
  std::string line = "/C|/mail/user001.box/12.txt (1,234 bytes)";
  std::string raw = Header() + "1. t (スコア: 1)\n" + line + "\n\n\n\n\n" + kFooter;
  EXPECT_EQ(Paths(Render(raw)), std::vector<std::string>{"/C|/mail/user001.box/12.txt"});
  // Blanks inside the path stay in it.
  EXPECT_EQ(Paths(Render(ReplaceAll(raw, "user001.box", "my mail"))),
            std::vector<std::string>{"/C|/mail/my mail/12.txt"});

  // Namazu 1.3 writes one word more after the path.
  TTVPSettings v13 = Settings("1.3");
  std::string raw13 = Header() + "1. t (score: 1)\n/C|/mail/a b/12.txt size (1,234 bytes)\n\n\n\n\n" + kFooter;
  EXPECT_EQ(Paths(Render(raw13, v13)), std::vector<std::string>{"/C|/mail/a b/12.txt"});
  // The Namazu 2 line under the 1.3 rule loses its last path word...
  EXPECT_EQ(Paths(Render(ReplaceAll(raw, "user001.box", "my mail"), v13)), std::vector<std::string>{"/C|/mail/my"});
  // ...and without enough blanks the path is empty, not out of range.
  TRenderedResult r = Render(raw, v13);
  ASSERT_EQ(r.Hits.size(), 1u);
  EXPECT_EQ(r.Hits[0].Path, "");
  EXPECT_EQ(r.Hits[0].PathEnd, r.Hits[0].PathStart - 1);
  ExpectConsistent(r);
  EXPECT_EQ(Paths(Render(Header() + "1. t (スコア: 1)\n/C|/nosize\n\n\n\n\n" + kFooter)), std::vector<std::string>{""});
}

TEST(Render, SchemeBeforeTheMailboxLocationIsSkipped) {
  std::string raw = Header() + "1. t (スコア: 1)\nfile:///c|/MAIL/acct/inbox.box/1.alm (5 bytes)\n\n\n\n\n" + kFooter;
  TRenderedResult r = Render(raw);
  ASSERT_EQ(r.Hits.size(), 1u);
  EXPECT_EQ(r.Hits[0].Path, "/c|/MAIL/acct/inbox.box/1.alm");
  EXPECT_EQ(r.Hits[0].PathStart, static_cast<int>(r.Text.find("/c|/MAIL")));
  ExpectConsistent(r);

  // The location is matched on character boundaries: after the lead byte
  // 82 the "/" is a trail byte and starts nothing, so the line keeps its
  // own start.
  r = Render(ReplaceAll(raw, "file:///c|", "x\x82/c|"));
  ASSERT_EQ(r.Hits.size(), 1u);
  EXPECT_EQ(r.Hits[0].Path, "x\x82/c|/MAIL/acct/inbox.box/1.alm");
}

TEST(Render, MailboxLocationOnALaterLineOrNowhere) {
  // Namazu's own order: the location is looked for in the lines that follow
  // and the path is taken where it is found; the lines in between pass.
  std::string raw = Header() + "1. web (スコア: 1)\nhttp://host/a (1 bytes)\n\n\n\n\n" +
                    Hit(2, "swallowed", "/C|/Mail/b.alm") + Hit(3, "t", "/C|/Mail/c.alm") + kFooter;
  TRenderedResult r = Render(raw);
  ASSERT_EQ(r.Hits.size(), 2u);
  EXPECT_EQ(r.Hits[0].TitleText, "1. web");
  EXPECT_EQ(r.Hits[0].Path, "/C|/Mail/b.alm");
  EXPECT_EQ(r.Hits[1].TitleText, "3. t");
  ExpectConsistent(r);

  // Nowhere up to the last scanned line: the hit keeps its own line, and
  // the scan goes on after it.
  raw = Header() + "1. web (スコア: 1)\nhttp://host/a (1 bytes)\n\n\n\n\n" + Hit(2, "t", "/D|/other/b.alm") +
        "3. u (スコア: 1)\nftp://h/c (1 bytes)\n\n\n\n\n" + kFooter;
  r = Render(raw);
  EXPECT_EQ(Paths(r), (std::vector<std::string>{"http://host/a", "/D|/other/b.alm", "ftp://h/c"}));
  ExpectConsistent(r);

  // The location in the last four lines does not count.
  r = Render(Header() + "1. web (スコア: 1)\nhttp://host/a (1 bytes)\n\n\n\n\n/C|/Mail/x (1 bytes)\n");
  EXPECT_EQ(Paths(r), std::vector<std::string>{"http://host/a"});
}

TEST(Render, BrokenAndOddTextDoesNotRunOffItsEnd) {
  // Cut in the middle of a double-byte character, in title and path.
  std::string raw = Header() + "1. t\x83 (スコア: 1)\n/C|/p\x83 (1 bytes\x83)\n\n\n\n\n" + kFooter + "\x83";
  TRenderedResult r = Render(raw);
  ASSERT_EQ(r.Hits.size(), 1u);
  ExpectConsistent(r);
  // An empty line followed by two more is a path line too: an empty path.
  r = Render(Header() + "1. t (スコア: 1)\n\n\n\n\n\n" + kFooter);
  ASSERT_EQ(r.Hits.size(), 1u);
  EXPECT_EQ(r.Hits[0].Path, "");
  EXPECT_EQ(r.Hits[0].PathStart, r.Hits[0].TitleStart + static_cast<int>(std::string("1. t (スコア: 1)").size()) + 2);
  ExpectConsistent(r);
  // A lead byte right before a line break, and lines of only blanks.
  for (const std::string& s : {std::string("x\n1. \x83\n\x83\n\n\n\n\n"), std::string("\n1. \n \n \n\n\n\n\n"),
                               std::string("\n1. (score:\n/\n\n\n\n\n\n"), std::string("\n\n\n\n\n\n")}) {
    TRenderedResult odd = Render(s);
    ExpectConsistent(odd);
  }
}

TEST(HitNavigation, HitAtBelongsFromAfterThePreviousPathToTheEndOfItsOwn) {
  TRenderedResult r = Render(Header() + Hit(1, "a", "/C|/a") + Hit(2, "b", "/C|/b") + kFooter);
  ASSERT_EQ(r.Hits.size(), 2u);
  const auto& h = r.Hits;
  EXPECT_EQ(HitAt(h, 0), 0);
  EXPECT_EQ(HitAt(h, h[0].TitleStart), 0);
  EXPECT_EQ(HitAt(h, h[0].PathEnd), 0);
  EXPECT_EQ(HitAt(h, h[0].PathEnd + 1), 1);  // the empty lines after the path
  EXPECT_EQ(HitAt(h, h[1].TitleStart - 1), 1);
  EXPECT_EQ(HitAt(h, h[1].PathEnd), 1);
  EXPECT_EQ(HitAt(h, h[1].PathEnd + 1), -1);
  EXPECT_EQ(HitAt({}, 0), -1);
}

TEST(HitNavigation, NextAndPreviousStepThroughTheHitsOneByOne) {
  TRenderedResult r = Render(Header() + Hit(1, "a", "/C|/a") + Hit(2, "b", "/C|/b") + Hit(3, "c", "/C|/c") + kFooter);
  const auto& h = r.Hits;
  ASSERT_EQ(h.size(), 3u);

  // Down: from the top to each path in turn, then nowhere.
  int caret = 0;
  for (int i = 0; i < 3; ++i) {
    caret = NextHitTarget(h, caret);
    EXPECT_EQ(caret, h[i].PathStart);
    EXPECT_EQ(HitAt(h, caret), i);
  }
  EXPECT_EQ(NextHitTarget(h, caret), -1);
  // Inside a hit's title: its path is passed for the next hit's; in the
  // last hit the target is its own path.
  EXPECT_EQ(NextHitTarget(h, h[0].TitleStart), h[1].PathStart);
  EXPECT_EQ(NextHitTarget(h, h[2].TitleStart + 1), h[2].PathStart);

  // Up: from the end to each title in turn, then nowhere.
  caret = static_cast<int>(r.Text.size());
  for (int i = 2; i >= 0; --i) {
    caret = PreviousHitTarget(h, caret);
    EXPECT_EQ(caret, h[i].TitleStart);
    EXPECT_EQ(HitAt(h, caret), i);
  }
  EXPECT_EQ(PreviousHitTarget(h, caret), -1);
  // On a hit's path: the title of the hit before it; on the first hit's
  // path its own title.
  EXPECT_EQ(PreviousHitTarget(h, h[1].PathStart), h[0].TitleStart);
  EXPECT_EQ(PreviousHitTarget(h, h[0].PathStart), h[0].TitleStart);

  EXPECT_EQ(NextHitTarget({}, 0), -1);
  EXPECT_EQ(PreviousHitTarget({}, 100), -1);
}

TEST(HitNavigation, VanishedMailsAreCheckedWhereSeenAndMarkedAfterTheirTitles) {
  std::string raw = Header() + Hit(1, "会議の件", "/C|/a/1.alm") + Hit(2, "Re: 表示", "/C|/a/2.alm", false) +
                    Hit(3, "third", "/C|/a/3.alm") + kFooter;
  TRenderedResult r = Render(raw);
  ASSERT_EQ(r.Hits.size(), 3u);
  const int end = static_cast<int>(r.Text.size());
  EXPECT_EQ(UncheckedHitsIn(r.Hits, r.Hits[1].TitleStart, r.Hits[1].TitleStart + 1), (std::vector<int>{1}));
  EXPECT_EQ(UncheckedHitsIn(r.Hits, r.Hits[0].PathEnd, r.Hits[2].TitleStart), (std::vector<int>{0, 1}));
  EXPECT_EQ(UncheckedHitsIn(r.Hits, r.Hits[2].PathEnd + 1, end), (std::vector<int>{}));

  const int titleEnd = r.Hits[1].TitleEnd;
  EXPECT_EQ(MarkVanished(r, 1), titleEnd + 1);
  EXPECT_NE(r.Text.find("2. Re: 表示 (見つかりません) (スコア: 18)"), std::string::npos);
  EXPECT_EQ(r.Text.size(), static_cast<size_t>(end) + strlen(kVanishedMark));
  ExpectConsistent(r);
  const std::string marked = r.Text;
  EXPECT_EQ(MarkVanished(r, 1), -1);
  EXPECT_EQ(r.Text, marked);

  r.Hits[0].Mail = TMailState::There;
  EXPECT_EQ(UncheckedHitsIn(r.Hits, 0, static_cast<int>(r.Text.size())), (std::vector<int>{2}));
  MarkVanished(r, 0);
  ExpectConsistent(r);
}

TEST(Render, Namazu13ResultCutsThreeWordsOffThePathLine) {
  // Written by hand in the 1.3 layout: three words after the path, two
  // empty lines between hits, "score" in English.
  std::string raw =
      "検索結果\n\n参考ヒット数:  [ 予算: 3 ]\n\n検索式にマッチする 3 個の文書が見つかりました。\n\n"
      "1. 予算の件 (score: 12)\nFrom: 経理部 <keiri@example.jp>\nDate: Fri, 1 Mar 2024\n本文の要約\n"
      "/C|/Mail/Acct/user001.box/1.alm size (1,234 bytes)\n\n\n"
      "2. 表計算 (score: 7)\n/C|/Mail/Acct/My 表/2.alm size (987 bytes)\n\n\n"
      "3. Re: 予算 (score: 1)\nfile:///C|/Mail/Acct/inbox.box/3.alm size (55 bytes)\n\n\n"
      "現在のリスト: 1 - 3\n\n\n";
  TRenderedResult r = Render(raw, Settings("1.3"));
  ASSERT_EQ(r.Hits.size(), 3u);
  EXPECT_EQ(r.Hits[0].TitleText, "1. 予算の件");
  EXPECT_EQ(r.Hits[0].Path, "/C|/Mail/Acct/user001.box/1.alm");
  EXPECT_EQ(UrlToPath(r.Hits[1].Path), "C:\\Mail\\Acct\\My 表\\2.alm");
  EXPECT_EQ(UrlToPath(r.Hits[2].Path), "C:\\Mail\\Acct\\inbox.box\\3.alm");
  ExpectConsistent(r);

  // The same text under the Namazu 2 rule keeps the word "size" in the path.
  EXPECT_EQ(Render(raw).Hits[0].Path, "/C|/Mail/Acct/user001.box/1.alm size");
}
