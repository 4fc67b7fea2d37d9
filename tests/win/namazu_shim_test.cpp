// The bridge to the real Namazu: perl.exe and namazu.exe of the test build
// (the launcher and its Linux shim) index and search Japanese mails with
// Debian's mknmz and namazu, as the plug-in's command lines ask.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/common/sjis.h"
#include "win/win_support.h"

using namespace tvp;
using namespace tvp::test;

namespace {

// ISO-2022-JP form of a Shift-JIS text of ASCII and double-byte characters.
std::string SjisToJis(const std::string& s) {
  std::string out;
  bool kanji = false;
  for (size_t i = 0; i < s.size(); i += CharLen(s, i)) {
    unsigned char c1 = s[i];
    if (CharLen(s, i) == 1) {
      if (kanji) out += "\x1b(B";
      kanji = false;
      out += static_cast<char>(c1);
      continue;
    }
    if (!kanji) out += "\x1b$B";
    kanji = true;
    unsigned char c2 = s[i + 1];
    int row = ((c1 >= 0xE0 ? c1 - 0x40 : c1) - 0x81) * 2 + 0x21;
    int cell = c2 >= 0x9F ? (++row, c2 - 0x9F + 0x21) : c2 - 0x40 + 0x21 - (c2 >= 0x80 ? 1 : 0);
    out += static_cast<char>(row);
    out += static_cast<char>(cell);
  }
  if (kanji) out += "\x1b(B";
  return out;
}

std::string Mail(const std::string& subject, const std::string& date, const std::string& body) {
  return SjisToJis("From: taro@example.jp\r\nTo: hanako@example.jp\r\nSubject: " + subject + "\r\nDate: " + date +
                   "\r\nMIME-Version: 1.0\r\nContent-Type: text/plain; charset=ISO-2022-JP\r\n\r\n" + body + "\r\n");
}

std::string Slashes(const std::string& path) { return ReplaceAll(path, "\\", "/"); }

// An account on drive Z: whose path holds a blank and Japanese, with one mail
// folder of three mails and the index directory of that folder.
class NamazuShim : public testing::Test {
 protected:
  void SetUp() override {
    top = "Z:\\tmp\\tvp shim " + std::to_string(GetCurrentProcessId()) + "\\";
    account = top + "アカウント\\";
    folder = account + "inbox.box\\";
    indexRoot = account + "Namazu";
    indexDir = indexRoot + "\\inbox";
    RemoveTree(top);
    for (const std::string& d : {top, account, folder, indexRoot + "\\", indexDir + "\\"})
      ASSERT_TRUE(CreateDirectoryA(d.c_str(), nullptr)) << d;
    WriteFileText(folder + "1.alm", Mail("会議の件", "Mon, 1 Jan 2024 10:00:00 +0900", "明日の会議は十時からです。"));
    WriteFileText(folder + "2.alm", Mail("新しい機能", "Tue, 2 Jan 2024 11:00:00 +0900", "検索の機能を追加しました。"));
    WriteFileText(folder + "3.alm", Mail("予算の相談", "Wed, 3 Jan 2024 09:00:00 +0900", "来週の会議で予算を決めます。"));
  }
  void TearDown() override { RemoveTree(top); }

  // mknmz through perl.exe, as the plug-in runs it for Namazu 2.
  int Index(const std::string& outputDir, std::string* output) {
    return RunCaptured("\"" + ShimDir() + "perl.exe\" \"C:\\namazu\\bin\\mknmz\" --use-kakasi --mailnews -EHK "
                       "--allow=\".*\\.alm\" --output-dir=\"" + outputDir + "\" --replace=\"s#" + Slashes(account) +
                       "#account/#i\" .", folder, output);
  }
  // namazu.exe with the plug-in's configuration file, in the index root.
  int Search(const std::string& query, std::string* output) {
    WriteFileText(indexRoot + "\\namazurc", "INDEX        \"" + Slashes(indexRoot) + "\"\r\nLang        ja_JP.SJIS\r\n"
                                            "REPLACE        account/        \"/Z|" + Slashes(account.substr(2)) + "\"\r\n");
    return RunCaptured("\"" + ShimDir() + "namazu.exe\" --sort=score --max=\"20\" --output=\"result.txt\" "
                       "--config=\"namazurc\"  \"" + query + "\" +inbox", indexRoot, output);
  }
  std::vector<std::string> ResultLines() { return SplitLines(ReadFileText(indexRoot + "\\result.txt")); }
  // The result's path lines of the mails of the folder.
  std::vector<std::string> Hits() {
    std::vector<std::string> hits;
    std::string prefix = "/Z|/tmp/tvp shim " + std::to_string(GetCurrentProcessId()) + "/アカウント/inbox.box/";
    for (const std::string& line : ResultLines())
      if (StartsWith(line, prefix)) hits.push_back(line.substr(prefix.size(), Find(line, " ", prefix.size()) - prefix.size()));
    return hits;
  }

  std::string top, account, folder, indexRoot, indexDir;
};

}  // namespace

TEST_F(NamazuShim, IndexesAFolderAndFindsItsMailsInShiftJis) {
  std::string output;
  std::string shortDir = ShortPath(indexDir);
  ASSERT_FALSE(shortDir.empty());
  ASSERT_EQ(Find(shortDir, " "), std::string::npos) << shortDir;  // Wine's hashed 8.3 names
  ASSERT_EQ(Index(shortDir, &output), 0) << output;
  EXPECT_TRUE(FileExists(indexDir + "\\NMZ.i"));
  // The progress reached the pipe, in Shift-JIS, with the account part replaced.
  EXPECT_TRUE(Contains(output, "3個のファイルがインデックス作成の対象として見つかりました")) << output;
  EXPECT_TRUE(Contains(output, "account/inbox.box/1.alm")) << output;

  ASSERT_EQ(Search("会議", &output), 0) << output;
  ASSERT_TRUE(FileExists(indexRoot + "\\result.txt"));
  std::vector<std::string> lines = ResultLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "参考ヒット数:  [ 会議: 2 ] "), lines.end());
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return StartsWith(l, "1. 会議の件 ("); }));
  EXPECT_EQ(Hits(), (std::vector<std::string>{"1.alm", "3.alm"}));

  // The query's last byte is 0x5C, the second byte of "能": still one argument.
  ASSERT_EQ(Search("機能", &output), 0) << output;
  EXPECT_EQ(Hits(), std::vector<std::string>{"2.alm"});
}

TEST_F(NamazuShim, AMissingOutputDirectoryFailsWithMknmzExitCode) {
  std::string output;
  EXPECT_EQ(Index(indexRoot + "\\missing", &output), 2) << output;
  EXPECT_TRUE(Contains(output, "mknmz:")) << output;
  EXPECT_FALSE(FileExists(indexDir + "\\NMZ.i"));
}
