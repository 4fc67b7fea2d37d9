#include "core/results/quote_copy.h"

#include <gtest/gtest.h>

using namespace tvp;

namespace {

std::vector<std::string> Mail() {
  return {"Subject: a", "From: b", "To: x", " y", "Received: r1", "\tcont", "Received: r2",
          "X-Test:value", "", "body1", "body2"};
}

TQuoteRequest Request(THeaderChoice headers, std::vector<std::string> names = {}) {
  TQuoteRequest r;
  r.Prefix = ">";
  r.Headers = headers;
  r.SelectedNames = std::move(names);
  return r;
}

}  // namespace

TEST(QuoteCopy, HeaderNamesAndTheHeaderBlock) {
  struct Case {
    const char *line, *previous, *name;
  } cases[] = {{"Subject: a", "", "Subject:"},       {"X-Test:value", "", ""},
               {" continued", "To:", "To:"},         {"\tcontinued", "", ""},
               {"", "To:", ""},                      {"件名表: x", "", "件名表:"},
               {"a:b: c", "", "a:b:"}};
  for (const Case& c : cases) EXPECT_EQ(HeaderName(c.line, c.previous), c.name) << c.line;

  TQuoteSource s = SplitQuoteSource(Mail(), "");
  EXPECT_EQ(s.Headers.size(), 7u);  // "X-Test:value" has no name: it ends the block
  EXPECT_EQ(s.Body.front(), "X-Test:value");
  EXPECT_EQ(HeaderNamesOf({"Received: 1", "received: 2", "From: b", " c"}),
            (std::vector<std::string>{"Received:", "From:"}));
  EXPECT_TRUE(SplitQuoteSource(Mail(), "").Selection.empty());
  EXPECT_EQ(SplitQuoteSource(Mail(), "s1\r\ns2").Selection, (std::vector<std::string>{"s1", "s2"}));
}

TEST(QuoteCopy, SelectedHeadersInListOrderThenBody) {
  TQuoteSource s = SplitQuoteSource({"Subject: a", "From: b", "", "hello", "world"}, "");
  EXPECT_EQ(QuoteCopyText(s, Request(THeaderChoice::Select, {"From:", "Subject:"})),
            ">From: b\r\n>Subject: a\r\n>\r\n>\r\n>hello\r\n>world\r\n");
}

TEST(QuoteCopy, HeaderTextRules) {
  TQuoteSource s = SplitQuoteSource(Mail(), "");
  EXPECT_EQ(HeaderText(s.Headers, "To:", ">"), ">To: x\r\n> y");
  EXPECT_EQ(HeaderText(s.Headers, "Received:", ">"), ">Received: r1\r\n>\tcont\r\n>Received: r2");
  EXPECT_EQ(HeaderText({"Message-ID: <1>"}, "Message-Id:", ">"), "");
  // Names the mail lacks give empty lines.
  EXPECT_EQ(QuoteCopyText(SplitQuoteSource({"From: b", "", "x"}, ""), Request(THeaderChoice::Select, {"Cc:", "Bcc:"})),
            "\r\n\r\n>\r\n>\r\n>x\r\n");
}

TEST(QuoteCopy, AllHeadersAppendSelectionAndPrefix) {
  TQuoteSource s = SplitQuoteSource({"From: b", " c", "", "x"}, "");
  TQuoteRequest all = Request(THeaderChoice::All);
  all.Prefix = "> ";
  EXPECT_EQ(QuoteCopyText(s, all), "> From: b\r\n>  c\r\n> \r\n> \r\n> x\r\n");

  TQuoteRequest append = Request(THeaderChoice::None);
  append.Append = true;
  append.ClipboardText = "old";
  EXPECT_EQ(QuoteCopyText(s, append), "old\r\n\r\n>\r\n>x\r\n");
  append.ClipboardText = "";  // nothing on the clipboard: as without 追加
  EXPECT_EQ(QuoteCopyText(s, append), ">\r\n>x\r\n");

  TQuoteSource selected = SplitQuoteSource({"1. hit", "/C|/a.txt"}, "1. hit\r\n");
  EXPECT_EQ(QuoteCopyText(selected, Request(THeaderChoice::None)), ">1. hit\r\n");
}

TEST(QuoteCopy, StoredSettings) {
  IniFile fresh;
  TQuoteCopySettings d = LoadQuoteCopySettings(fresh);
  EXPECT_EQ(d.Prefix, ">");
  EXPECT_EQ(d.HeaderType, 0);
  EXPECT_EQ(d.HeaderCount, -1);

  IniFile ini;
  SavePrefix(ini, "it's >");
  EXPECT_EQ(ini.Read("QuoteCopy", "DefaultPrefix"), "'it''s >'");
  SaveHeaderChoice(ini, THeaderChoice::Select, {"From:", "To:", "Cc:"}, {1, 3});
  TQuoteCopySettings s = LoadQuoteCopySettings(ini);
  EXPECT_EQ(s.Prefix, "it's >");
  EXPECT_EQ(s.HeaderType, 2);
  EXPECT_EQ(s.Items, (std::vector<std::string>{"From:", "To:", "Cc:"}));
  EXPECT_EQ(s.Selected, (std::vector<int>{1, 3}));

  SaveHeaderChoice(ini, THeaderChoice::All, {}, {});  // the list keys stay
  EXPECT_EQ(ini.Read("QuoteCopy", "HeaderCount"), "3");
  EXPECT_EQ(ini.Read("QuoteCopy", "HeaderType"), "1");

  IniFile odd("[QuoteCopy]\r\nDefaultPrefix=>\r\nHeaderSelected=2,x,,-1,5\r\nHeaderCount=abc\r\n");
  TQuoteCopySettings o = LoadQuoteCopySettings(odd);
  EXPECT_EQ(o.Prefix, "");
  EXPECT_EQ(o.Selected, (std::vector<int>{2, 5}));
  EXPECT_EQ(o.HeaderCount, -1);
}
