#include "core/indexing/paths.h"

#include <gtest/gtest.h>

using namespace tvp;

// "表" and "ソ" end in 5C (a backslash); "ポ" is 83 7C (a "|" trail byte).

TEST(Paths, UrlToPathLeavesWebLinksAlone) {
  for (const std::string url : {"http://www.example.jp/a|b/c", "ftp://ftp.example.jp/pub/", "gopher://g/1",
                                "telnet://host/"})
    EXPECT_EQ(UrlToPath(url), url);
}

TEST(Paths, UrlToPathTurnsFileLinksIntoPaths) {
  EXPECT_EQ(UrlToPath("file:///C|/mail/a.txt"), "C:\\mail\\a.txt");
  EXPECT_EQ(UrlToPath("file://C|/a/b"), "C:\\a\\b");
  EXPECT_EQ(UrlToPath("/D|/x/1.alm"), "D:\\x\\1.alm");
  EXPECT_EQ(UrlToPath("//server/share"), "\\server\\share");  // only one backslash is dropped
  EXPECT_EQ(UrlToPath(""), "");
  EXPECT_EQ(UrlToPath("file:///C|/ポ/表/a"), "C:\\ポ\\表\\a");
}

TEST(Paths, PathToUrlUpperCasesTheDriveAndTurnsSeparators) {
  EXPECT_EQ(PathToUrl("c:\\mail\\a.txt"), "/C|/mail/a.txt");
  EXPECT_EQ(PathToUrl("d:\\x"), "/D|/x");
  EXPECT_EQ(PathToUrl("c:\\a:b\\ab"), "/C|/a|b/ab");  // only the part before the first colon is upper-cased
  EXPECT_EQ(PathToUrl("\\\\server\\share\\表"), "///server/share/表");
  EXPECT_EQ(PathToUrl(""), "/");
}

TEST(Paths, PathAndUrlRoundTripWithDoubleByteNames) {
  for (const std::string path : {"C:\\メール\\ソフト開発\\1.alm", "Z:\\tmp\\ポ表\\b001\\2.alm"}) {
    EXPECT_EQ(UrlToPath("file://" + PathToUrl(path)), path);
    EXPECT_EQ(UrlToPath(PathToUrl(path)), path);
  }
}

TEST(Paths, LastPos) {
  EXPECT_EQ(LastPos("banana", "a"), 6);
  EXPECT_EQ(LastPos("banana", "an"), 4);
  EXPECT_EQ(LastPos("", "a"), 0);
  EXPECT_EQ(LastPos("ab", "abc"), 0);
  EXPECT_EQ(LastPos("banana", "x"), 0);
  EXPECT_EQ(LastPos("banana", ""), 0);
  EXPECT_EQ(LastPos("a\\表", "\\"), 2);
  EXPECT_EQ(LastPos("表ソ", "\\"), 0);
}

TEST(Paths, ParentDir) {
  EXPECT_EQ(ParentDir("c:\\mail\\a.box\\"), "c:\\mail\\");
  EXPECT_EQ(ParentDir("c:\\mail\\a.txt"), "c:\\mail\\");
  EXPECT_EQ(ParentDir("/x/y/"), "/x/");
  EXPECT_EQ(ParentDir("c:/x\\y"), "c:/x\\");
  EXPECT_EQ(ParentDir("abc"), "");
  EXPECT_EQ(ParentDir("a\\"), "");
  EXPECT_EQ(ParentDir("\\"), "");
  EXPECT_EQ(ParentDir(""), "");
  EXPECT_EQ(ParentDir("c:\\ソ\\"), "c:\\");
  EXPECT_EQ(ParentDir("c:\\a\\表"), "c:\\a\\");
  EXPECT_EQ(ParentDir("c:\\a\\x表ソ"), "c:\\a\\");
}

TEST(Paths, ExtractFileDir) {
  const struct {
    const char *path, *dir;
  } cases[] = {
      {"C:\\namazu\\bin\\mknmz", "C:\\namazu\\bin"},
      {"C:\\perl.exe", "C:\\"},
      {"C:perl.exe", "C:"},
      {"\\perl.exe", "\\"},
      {"\\\\server\\share\\namazu.exe", "\\\\server\\share"},
      {"C:\\表\\ソ.exe", "C:\\表"},  // trail bytes 5C are not delimiters
      {"C:\\bin\\", "C:\\bin"},
      {"namazu.exe", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ExtractFileDir(c.path), c.dir) << c.path;
}
