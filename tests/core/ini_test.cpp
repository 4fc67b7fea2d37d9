#include "core/settings/ini.h"

#include <gtest/gtest.h>

using tvp::IniFile;

TEST(Ini, NamesAreCaseInsensitiveAndValuesTrimmed) {
  IniFile ini("[Mknmz]\r\n  NowCountMail =  12 \r\n");
  EXPECT_EQ(ini.Read("MKNMZ", "nowcountmail"), "12");
  EXPECT_TRUE(ini.HasKey("mknmz", "NOWCOUNTMAIL"));
  EXPECT_FALSE(ini.HasKey("Search", "NowCountMail"));
  EXPECT_EQ(ini.Read("Mknmz", "Missing", "dflt"), "dflt");
}

TEST(Ini, QuotesAndEqualsSignsInValuesAreKept) {
  IniFile ini("[Command]\nmknmzOption=--allow=\".*\\.alm\"\nx='>'\n");
  EXPECT_EQ(ini.Read("Command", "mknmzOption"), "--allow=\".*\\.alm\"");
  EXPECT_EQ(ini.Read("Command", "x"), "'>'");
}

TEST(Ini, FirstSectionAndFirstKeyWin) {
  IniFile ini("[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n");
  EXPECT_EQ(ini.Read("A", "k"), "1");
  EXPECT_FALSE(ini.HasKey("A", "j"));  // keys of the second [a] are not reached
  ini.Write("a", "K", "9");
  EXPECT_EQ(ini.Text(), "[A]\nk=9\nk=2\n[a]\nk=3\nj=4\n");
}

TEST(Ini, WriteChangesOnlyItsLineAndKeepsEverythingElse) {
  const std::string garbage = "\x01\x02\xff\xfe binary\x82\r\n";
  std::string text = "; comment\r\n[General]\r\nno equals sign here\r\n" + garbage +
                     "Version=0.9.2\r\n\r\n[Other]\nfoo = bar\rlast=x";
  IniFile ini(text);
  EXPECT_EQ(ini.Text(), text);  // round trip is byte-exact
  ini.Write("General", "Version", "1.0");
  std::string expected = text;
  expected.replace(expected.find("Version=0.9.2"), 13, "Version=1.0");
  EXPECT_EQ(ini.Text(), expected);
}

TEST(Ini, NewKeysGoAfterTheSectionsLastKeyAndNewSectionsAtTheEnd) {
  IniFile ini("[A]\r\nx=1\r\n\r\n[B]\r\ny=2");
  ini.Write("A", "z", "3");
  ini.Write("B", "w", "4");  // the last line had no line break
  ini.Write("C", "v", "5");
  EXPECT_EQ(ini.Text(), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\nw=4\r\n[C]\r\nv=5\r\n");
}

TEST(Ini, ValuesCannotInjectLines) {
  IniFile ini;
  ini.Write("Search", "History1", "a\r\n[Command]\nnamazuPath=evil.exe");
  EXPECT_EQ(ini.Read("Search", "History1"), "a [Command] namazuPath=evil.exe");
  EXPECT_FALSE(ini.HasKey("Command", "namazuPath"));
}

TEST(Ini, ALineBreakAfterALeadByteCannotSplitTheLineEither) {
  IniFile ini;
  ini.Write("S", "k", std::string("\x8A\n[X]\ny=1", 10));
  IniFile again(ini.Text());
  EXPECT_FALSE(again.HasKey("X", "y"));
  EXPECT_TRUE(again.HasKey("S", "k"));
}

TEST(Ini, WritingTheSameValueChangesNothing) {
  std::string text = "[A]\r\nx =  1  \r\n";
  IniFile ini(text);
  ini.Write("a", "X", "1");
  EXPECT_EQ(ini.Text(), text);
}

TEST(Ini, OddShiftJisAndLongLinesSurvive) {
  // A lead byte followed by '=' and "]" right after a lead byte must not confuse the parser.
  std::string longValue(100000, 'v');
  std::string text = "[表]\n能=ソ\n\x81=\x82\n[\x83]x\nk=" + longValue + "\n";
  IniFile ini(text);
  EXPECT_EQ(ini.Read("表", "能"), "ソ");
  EXPECT_EQ(ini.Read("\x83]x", "k", "none"), "none");  // "[\x83]" is no section: 0x83 0x5D is one character
  ini.Write("表", "new", "1");
  EXPECT_NE(ini.Text().find(longValue), std::string::npos);
  EXPECT_EQ(ini.Read("表", "new"), "1");
}

TEST(Ini, EmptyAndCrOnlyFiles) {
  IniFile empty("");
  EXPECT_EQ(empty.Text(), "");
  empty.Write("S", "k", "v");
  EXPECT_EQ(empty.Text(), "[S]\r\nk=v\r\n");
  IniFile cr("[S]\rk=1\r");
  EXPECT_EQ(cr.Read("S", "k"), "1");
  cr.Write("S", "j", "2");
  EXPECT_EQ(cr.Text(), "[S]\rk=1\rj=2\r\n");
}

// The bulk forms must do exactly what one Read or Write per key does.
TEST(Ini, ReadManyAndWriteManyMatchOneCallPerKey) {
  const std::string texts[] = {
      "",
      "[Search]\r\nHistory2=b\r\nhistory1 = a \r\nHISTORY2=dup\r\n\r\n; tail\r\n[Other]\r\nHistory1=x",
      "[Other]\nk=1\n[search]\nSort=None",  // no final line end, no list keys yet
      "[Search]\r\nHistory1=a\r\n[Search]\r\nHistory3=second section\r\n",
  };
  const std::vector<std::pair<std::string, std::string>> values = {
      {"History1", "a"}, {"History3", "三\r\nlines"}, {"history2", "two"}, {"History4", ""}, {"HISTORY3", "again"}};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    IniFile one(text), many(text);
    std::vector<std::string> keys, expected;
    for (const auto& kv : values) {
      keys.push_back(kv.first);
      expected.push_back(one.Read("SEARCH", kv.first, "-"));
    }
    EXPECT_EQ(many.ReadMany("SEARCH", keys, "-"), expected);
    for (const auto& kv : values) one.Write("Search", kv.first, kv.second);
    many.WriteMany("Search", values);
    EXPECT_EQ(many.Text(), one.Text());
  }
}
