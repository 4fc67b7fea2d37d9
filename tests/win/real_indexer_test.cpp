// End to end: the stand-in host runs the plug-in's index update dialog over
// the sample account with the real mknmz (through the Namazu bridge), and
// the real namazu then finds in each folder's index exactly the mails of
// that folder.
#include <gtest/gtest.h>

#include "core/settings/ini.h"
#include "plugin/indexing/frm_mknmz.h"
#include "plugin/shell/exports.h"
#include "standin-host/standin.h"
#include "win/sample_account.h"

using namespace tvp;
using namespace tvp::test;

namespace {

// The sample account's mail folders: index directory, a word only its mails
// hold, and how many mails it has.
struct SampleFolder {
  const char* index;
  const char* word;
  int mails;
};
const SampleFolder kFolders[] = {
    {"inbox", "inboxonly", 6},          {"outbox", "outboxonly", 4},        {"b001", "sheetcalc", 4},
    {"b002\\b001", "projalpha", 5},     {"b002\\b002\\b002", "archive2024", 3}, {"b002\\b002\\b001", "archive2023", 3},
    {"b003", "minutesonly", 4},         {"b004", "nototrip", 3},
};

class RealIndexer : public SampleAccount<testing::TestWithParam<bool>> {
 protected:
  // Hits of the real namazu for `word` in one index directory.
  int Count(const std::string& indexDir, const std::string& word) {
    std::string out;
    int rc = RunCaptured("\"" + ShimDir() + "namazu.exe\" --count \"" + word + "\" \"" + indexDir + "\"", indexDir, &out);
    EXPECT_EQ(rc, 0) << out;
    return ToInt(out);
  }
  static int ToInt(const std::string& s) {
    size_t at = s.find_first_of("0123456789");
    return at == std::string::npos ? -1 : atoi(s.c_str() + at);
  }
};

}  // namespace

// Parameter: true = output window, false = hidden.
TEST_P(RealIndexer, EveryMailFolderGetsAWorkingIndexOfItsOwnMails) {
  bool outputWindow = GetParam();
  WriteFileText(IniPath(), std::string("[Mknmz]\r\nShowWindow=") + (outputWindow ? "1" : "0") +
                               "\r\nNowCountMail=42\r\n[Command]\r\nPerlPath=" + ShimDir() + "perl.exe\r\n" +
                               "mknmzPath=C:\\namazu\\bin\\mknmz\r\n"
                               "mknmzOption=--use-kakasi --mailnews -EHK --allow=\".*\\.alm\"\r\n");
  std::string output, caption;
  ASSERT_TRUE(WhileModal([&] { ShowIndexUpdateDialog(host); },
                         [&](Form& f) {
                           auto& d = dynamic_cast<TfrmMknmz&>(f);
                           d.btnSelectAllClick(true);
                           d.btnUpdateIndexClick();
                           if (d.outputWindow) {
                             output = d.outputWindow->edt.Text();
                             caption = d.outputWindow->Caption();
                           }
                           d.btnCancelClick();
                         },
                         50, 120000));
  EXPECT_TRUE(ui.messages.empty());
  if (outputWindow) {
    EXPECT_EQ(caption, "「能登旅行」フォルダのインデックス作成中 (8/8) ... 終了");
    EXPECT_NE(output.find("CommandLine: "), std::string::npos);
    EXPECT_NE(output.find("account/user004.box/1.alm"), std::string::npos);  // mknmz's own progress lines
  }
  const size_t n = sizeof kFolders / sizeof kFolders[0];
  for (size_t i = 0; i < n; ++i) {
    const SampleFolder& f = kFolders[i];
    std::string index = accountDir + "Namazu\\" + f.index;
    ASSERT_TRUE(FileExists(index + "\\NMZ.i")) << f.index;
    EXPECT_EQ(Count(index, f.word), f.mails) << f.index;
    // The next folder's word is not in this index.
    EXPECT_EQ(Count(index, kFolders[(i + 1) % n].word), 0) << f.index;
  }
  IniFile ini(ReadFileText(IniPath()));
  EXPECT_EQ(ini.Read("Mknmz", "NowCountMail"), "0");
  EXPECT_EQ(ini.Read("Mknmz", "LastDate").size(), 16u);
  EXPECT_FALSE(FileExists(accountDir + "Namazu\\b002\\NMZ.i"));  // groups are not indexed
}

INSTANTIATE_TEST_SUITE_P(OutputWindowAndHidden, RealIndexer, testing::Values(true, false));
