#include "core/mailbox/folder_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/memory_fs.h"

using namespace tvp;
using tvp::test::MemoryFileSystem;

namespace {

const std::string kAcct = "C:\\Mail\\Acct\\";

void AccountIni(MemoryFileSystem& fs, const std::string& order) {
  fs.AddFile(kAcct + "account.ini", "[Property]\r\nTitle=\"acct\"\r\nOrder=" + order + "\r\n");
}

// A folder directory (relative to the account) with its entry file.
void Folder(MemoryFileSystem& fs, const std::string& rel, const std::string& title, const std::string& type = "",
            const std::string& order = "") {
  fs.AddDir(kAcct + rel);
  fs.AddFile(kAcct + rel + "\\entry.ini",
             "[Property]\r\nTitle=" + title + "\r\nType=" + type + "\r\nOrder=" + order + "\r\n");
}

// Each folder as "level kind dir-below-the-account title".
std::vector<std::string> Describe(const std::vector<TFolderInfo>& folders) {
  std::vector<std::string> out;
  for (const TFolderInfo& f : folders)
    out.push_back(std::to_string(f.Level) + " " + std::to_string(f.Kind) + " " + f.Dir.substr(kAcct.size()) + " " +
                  f.Title);
  return out;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(FolderTree, OrderChoosesAndSortsTheTopLevelFolders) {
  MemoryFileSystem fs;
  AccountIni(fs, "IO001002T");
  fs.AddDir(kAcct + "user003.box");
  fs.AddFile(kAcct + "user003.box\\entry.ini", "[Property]\r\nTitle=three\r\n");
  Folder(fs, "user002.box", "two");
  Folder(fs, "user001.box", "one");
  fs.AddDir(kAcct + "Outbox.box");
  Folder(fs, "INBOX.BOX", "not the inbox's title");  // the inbox's entry file is not read
  auto folders = LoadFolderTree(fs, kAcct, "");
  EXPECT_EQ(Describe(folders), (Lines{"0 1 inbox.box\\ 郵便受け", "0 1 outbox.box\\ 送信箱", "0 1 user001.box\\ one",
                                      "0 1 user002.box\\ two"}));
  ASSERT_EQ(folders.size(), 4u);
  EXPECT_EQ(folders[0].Dir, "c:\\mail\\acct\\inbox.box\\");
  EXPECT_EQ(folders[0].IndexPath, "C:\\Mail\\Acct\\Namazu\\inbox\\");
  EXPECT_EQ(folders[3].IndexPath, "C:\\Mail\\Acct\\Namazu\\b002\\");
}

TEST(FolderTree, EmptyOrMissingOrderKeepsTheFileSystemsOrder) {
  for (const std::string accountIni : {"[Property]\r\nOrder=\r\n", "[Property]\r\nTitle=x\r\n", ""}) {
    MemoryFileSystem fs;
    fs.AddFile(kAcct + "account.ini", accountIni);
    Folder(fs, "user003.box", "three");
    fs.AddDir(kAcct + "inbox.box");
    Folder(fs, "user001.box", "one");
    EXPECT_EQ(Describe(LoadFolderTree(fs, kAcct, "")),
              (Lines{"0 1 user003.box\\ three", "0 1 inbox.box\\ 郵便受け", "0 1 user001.box\\ one"}))
        << accountIni;
  }
}

TEST(FolderTree, SubfoldersFollowTheirContainerAtTheNextLevel) {
  MemoryFileSystem fs;
  AccountIni(fs, "002001");
  Folder(fs, "user001.box", "after");
  Folder(fs, "user002.box", "box", "Subfolder", "003");
  Folder(fs, "user002.box\\user003.box", "inner", "Subfolder", "001");
  Folder(fs, "user002.box\\user003.box\\user001.box", "deepest");
  Folder(fs, "user002.box\\user004.box", "not in the container's Order");
  auto folders = LoadFolderTree(fs, kAcct, "");
  EXPECT_EQ(Describe(folders), (Lines{"0 2 user002.box\\ box", "1 2 user002.box\\user003.box\\ inner",
                                      "2 1 user002.box\\user003.box\\user001.box\\ deepest", "0 1 user001.box\\ after"}));
  ASSERT_EQ(folders.size(), 4u);
  EXPECT_EQ(folders[2].IndexPath, "C:\\Mail\\Acct\\Namazu\\b002\\b003\\b001\\");
}

TEST(FolderTree, ContainerOrderEdgeCases) {
  MemoryFileSystem fs;
  AccountIni(fs, "001002003");
  Folder(fs, "user001.box", "empty order", "Subfolder", "");  // lists its folders as they come
  Folder(fs, "user001.box\\user009.box", "nine");
  Folder(fs, "user001.box\\user008.box", "eight");
  Folder(fs, "user002.box", "names only missing folders", "Subfolder", "007T");
  Folder(fs, "user002.box\\user001.box", "one");
  Folder(fs, "user003.box", "lower-case type", "subfolder", "001");  // only "Subfolder" makes a container
  Folder(fs, "user003.box\\user001.box", "one");
  EXPECT_EQ(Describe(LoadFolderTree(fs, kAcct, "")),
            (Lines{"0 2 user001.box\\ empty order", "1 1 user001.box\\user009.box\\ nine",
                   "1 1 user001.box\\user008.box\\ eight", "0 2 user002.box\\ names only missing folders",
                   "0 1 user003.box\\ lower-case type"}));
}

TEST(FolderTree, MissingAccountFileGivesNoFolders) {
  MemoryFileSystem fs;
  fs.AddDir(kAcct + "inbox.box");
  Folder(fs, "user001.box", "one");
  EXPECT_TRUE(LoadFolderTree(fs, kAcct, "").empty());
}

TEST(FolderTree, DirectoriesWithoutEntryFileOrTitleAreLeftOut) {
  MemoryFileSystem fs;
  AccountIni(fs, "");
  fs.AddFile(kAcct + "user001.box\\1.alm", "mail");  // no entry file
  Folder(fs, "user002.box", "");                      // empty title
  Folder(fs, "user003.box\\user001.box", "below a directory without entry file", "Subfolder", "");
  fs.AddFile(kAcct + "user004.box", "a plain file");
  fs.AddFile(kAcct + "outbox.box", "a plain file counts like a directory");
  Folder(fs, "notes.txt", "not a box");
  EXPECT_EQ(Describe(LoadFolderTree(fs, kAcct, "")), (Lines{"0 1 outbox.box\\ 送信箱"}));
}

TEST(FolderTree, OrderWalkSkipsUnknownAndMissingAndRepeatsNamedTwice) {
  MemoryFileSystem fs;
  // "！" is 81 49: its trail byte is an "I" and must not name the inbox.
  AccountIni(fs, "x！O005-001 T001I12");
  fs.AddDir(kAcct + "inbox.box");
  fs.AddDir(kAcct + "outbox.box");
  Folder(fs, "user001.box", "one");
  Folder(fs, "user012.box", "twelve");  // "12" at the very end still names a folder
  EXPECT_EQ(Describe(LoadFolderTree(fs, kAcct, "")),
            (Lines{"0 1 outbox.box\\ 送信箱", "0 1 user001.box\\ one", "0 1 user001.box\\ one", "0 1 inbox.box\\ 郵便受け",
                   "0 1 user012.box\\ twelve"}));
}

TEST(FolderTree, ContainerNamedTwiceBringsItsFoldersTwice) {
  MemoryFileSystem fs;
  AccountIni(fs, "001001");
  Folder(fs, "user001.box", "box", "Subfolder", "002");
  Folder(fs, "user001.box\\user002.box", "two");
  EXPECT_EQ(Describe(LoadFolderTree(fs, kAcct, "")),
            (Lines{"0 2 user001.box\\ box", "1 1 user001.box\\user002.box\\ two", "0 2 user001.box\\ box",
                   "1 1 user001.box\\user002.box\\ two"}));
}

TEST(FolderTree, IndexBaseWithOrWithoutTrailingBackslash) {
  MemoryFileSystem fs;
  AccountIni(fs, "I002");
  fs.AddDir(kAcct + "inbox.box");
  Folder(fs, "user002.box", "box", "Subfolder", "004");
  Folder(fs, "user002.box\\user004.box", "four");
  for (const std::string base : {"D:\\idx", "D:\\idx\\"}) {
    auto folders = LoadFolderTree(fs, kAcct, base);
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(folders[0].IndexPath, "D:\\idx\\Namazu\\inbox\\");
    EXPECT_EQ(folders[2].IndexPath, "D:\\idx\\Namazu\\b002\\b004\\");
  }
  auto folders = LoadFolderTree(fs, kAcct, "");
  EXPECT_EQ(folders[2].IndexPath, kAcct + "Namazu\\b002\\b004\\");
}

TEST(FolderTree, HiddenEntriesAreSkipped) {
  MemoryFileSystem fs;
  AccountIni(fs, "I001002");
  fs.AddDir(kAcct + "inbox.box");
  Folder(fs, "user001.box", "hidden");
  Folder(fs, "user002.box", "shown");
  fs.SetHidden(kAcct + "inbox.box");
  fs.SetHidden(kAcct + "user001.box");
  EXPECT_EQ(Describe(LoadFolderTree(fs, kAcct, "")), (Lines{"0 1 user002.box\\ shown"}));
}

// "表", "ソ" and "能" end in 5C (a backslash); "ア" is 83 41 (an "A" trail byte).
TEST(FolderTree, DoubleByteTitlesAndNamesComeThroughIntact) {
  const std::string acct = "C:\\表\\Acct\\";
  MemoryFileSystem fs;
  fs.AddFile(acct + "account.ini", "[Property]\r\nOrder=\r\n");
  fs.AddDir(acct + "ソフト.box");
  fs.AddFile(acct + "ソフト.box\\entry.ini", "[Property]\r\nTitle=ソフト開発\r\nType=Subfolder\r\n");
  fs.AddDir(acct + "ソフト.box\\User表.box");
  fs.AddFile(acct + "ソフト.box\\User表.box\\entry.ini", "[Property]\r\nTitle=表計算\r\n");
  fs.AddDir(acct + "アUSER.BOX");
  fs.AddFile(acct + "アUSER.BOX\\entry.ini", "[Property]\r\nTitle=能力\r\n");
  auto folders = LoadFolderTree(fs, acct, "");
  ASSERT_EQ(folders.size(), 3u);
  EXPECT_EQ(folders[0].Title, "ソフト開発");
  EXPECT_EQ(folders[0].Dir, "c:\\表\\acct\\ソフト.box\\");
  EXPECT_EQ(folders[0].IndexPath, acct + "Namazu\\ソフト\\");
  EXPECT_EQ(folders[1].Title, "表計算");
  EXPECT_EQ(folders[1].Level, 1);
  EXPECT_EQ(folders[1].Dir, "c:\\表\\acct\\ソフト.box\\user表.box\\");
  EXPECT_EQ(folders[1].IndexPath, acct + "Namazu\\ソフト\\b表\\");
  EXPECT_EQ(folders[2].Title, "能力");
  EXPECT_EQ(folders[2].Dir, "c:\\表\\acct\\アuser.box\\");
  EXPECT_EQ(RelativeToAccount(acct, folders[1].IndexPath), "Namazu\\ソフト\\b表\\");
}

TEST(FolderTree, NestingStopsAtTheDepthLimit) {
  MemoryFileSystem fs;
  AccountIni(fs, "001");
  std::string rel = "user001.box";
  for (int level = 0; level < kMaxFolderLevel + 10; ++level) {
    Folder(fs, rel, "level " + std::to_string(level), "Subfolder", "001");
    rel += "\\user001.box";
  }
  auto folders = LoadFolderTree(fs, kAcct, "");
  ASSERT_EQ(folders.size(), static_cast<size_t>(kMaxFolderLevel + 1));
  EXPECT_EQ(folders.back().Level, kMaxFolderLevel);
  EXPECT_EQ(folders.back().Title, "level " + std::to_string(kMaxFolderLevel));
}

TEST(FolderTree, FindFolderByIndexDirIgnoresCase) {
  std::vector<TFolderInfo> folders(3);
  folders[0].IndexPath = "C:\\a\\Namazu\\inbox\\";
  folders[1].IndexPath = "C:\\a\\Namazu\\b001\\";
  folders[2].IndexPath = "C:\\a\\Namazu\\b001\\";
  EXPECT_EQ(FindFolderByIndexDir(folders, "c:\\A\\NAMAZU\\B001\\"), 1);
  EXPECT_EQ(FindFolderByIndexDir(folders, "C:\\a\\Namazu\\b001"), -1);
  EXPECT_EQ(FindFolderByIndexDir({}, ""), -1);
}

TEST(FolderTree, RelativeToAccountDropsTheAccountDirectory) {
  EXPECT_EQ(RelativeToAccount("C:\\m\\acct\\", "C:\\m\\acct\\Namazu\\b001\\"), "Namazu\\b001\\");
  EXPECT_EQ(RelativeToAccount("C:\\m\\acct", "C:\\m\\acct\\Namazu\\inbox\\"), "Namazu\\inbox\\");
  EXPECT_EQ(RelativeToAccount("C:\\m\\acct\\", "C:\\m"), "");
}

TEST(FolderTree, AccountTitleRemovesOnePairOfQuotes) {
  auto title = [](const std::string& file) {
    MemoryFileSystem fs;
    fs.AddFile(kAcct + "Account.ini", file);
    return AccountTitle(fs, kAcct);
  };
  EXPECT_EQ(title("[Property]\r\nTitle=\"サンプル アカウント\"\r\n"), "サンプル アカウント");
  EXPECT_EQ(title("[property]\r\ntitle=plain\r\n"), "plain");
  EXPECT_EQ(title("[Property]\r\nTitle=\"say \"\"hi\"\"\"\r\n"), "say \"hi\"");
  EXPECT_EQ(title("[Property]\r\nTitle=\"open\r\n"), "\"open");
  EXPECT_EQ(title("[Property]\r\nTitle=\"\r\n"), "\"");
  EXPECT_EQ(title("[Property]\r\nTitle=\"\"\r\n"), "");
  EXPECT_EQ(title("[Property]\r\nOrder=IO\r\n"), "???");
  EXPECT_EQ(AccountTitle(MemoryFileSystem(), kAcct), "???");
}

TEST(FolderTree, FindFromEndCountsOccurrencesFromTheEnd) {
  const std::string path = "C:\\m\\Inbox.box\\1.alm";
  EXPECT_EQ(FindFromEnd(path, "\\Inbox.box\\", 1), 5);
  EXPECT_EQ(FindFromEnd(path, "\\Inbox.box\\", 2), 0);
  EXPECT_EQ(FindFromEnd(path, "\\inbox.box\\", 1), 0);  // case counts
  EXPECT_EQ(FindFromEnd("abcabcabc", "abc", 1), 7);
  EXPECT_EQ(FindFromEnd("abcabcabc", "abc", 3), 1);
  EXPECT_EQ(FindFromEnd("abcabcabc", "abc", 0), 0);
  EXPECT_EQ(FindFromEnd("abc", "", 1), 0);
  EXPECT_EQ(FindFromEnd("ab", "abc", 1), 0);
  // The trail byte of "表" is not a backslash.
  EXPECT_EQ(FindFromEnd("C:\\表\\x表", "\\", 1), 6);
  EXPECT_EQ(FindFromEnd("C:\\表\\x表", "\\", 2), 3);
  EXPECT_EQ(FindFromEnd("C:\\表\\x表", "\\", 3), 0);
}

namespace {

// samples/account of the source tree, loaded below `acct`.
MemoryFileSystem LoadSampleAccount(const std::string& acct) {
  namespace fsys = std::filesystem;
  const fsys::path root = fsys::path(__FILE__).parent_path().parent_path().parent_path() / "samples" / "account";
  MemoryFileSystem fs;
  if (!fsys::is_directory(root)) return fs;
  for (const auto& file : fsys::recursive_directory_iterator(root)) {
    if (!file.is_regular_file()) continue;
    std::ifstream in(file.path(), std::ios::binary);
    std::stringstream contents;
    contents << in.rdbuf();
    fs.AddFile(acct + ReplaceAll(fsys::relative(file.path(), root).generic_string(), "/", "\\"), contents.str());
  }
  return fs;
}

}  // namespace

TEST(FolderTree, SampleAccountGivesTheDocumentedList) {
  const std::string acct = "Z:\\work\\samples\\account\\";
  MemoryFileSystem fs = LoadSampleAccount(acct);
  ASSERT_TRUE(fs.FileExists(acct + "account.ini")) << "samples/account is missing";
  for (const std::string ini : {"account.ini", "user002.box\\entry.ini"}) {
    const std::string rest = ReplaceAll(fs.Contents(acct + ini), "\r\n", "");
    EXPECT_EQ(rest.find_first_of("\r\n"), std::string::npos) << "line ends other than CR LF in " << ini;
  }
  EXPECT_EQ(AccountTitle(fs, acct), "サンプル アカウント");
  auto folders = LoadFolderTree(fs, acct, "");
  std::vector<std::string> described;
  for (const TFolderInfo& f : folders)
    described.push_back(std::to_string(f.Level) + " " + std::to_string(f.Kind) + " " + RelativeToAccount(acct, f.IndexPath) +
                        " " + f.Title);
  EXPECT_EQ(described, (Lines{"0 1 Namazu\\inbox\\ 郵便受け", "0 1 Namazu\\outbox\\ 送信箱", "0 1 Namazu\\b001\\ 表計算",
                              "0 2 Namazu\\b002\\ ソフト開発", "1 1 Namazu\\b002\\b001\\ プロジェクトα",
                              "1 2 Namazu\\b002\\b002\\ 過去ログ", "2 1 Namazu\\b002\\b002\\b002\\ 2024年度",
                              "2 1 Namazu\\b002\\b002\\b001\\ 2023年度", "0 1 Namazu\\b003\\ 会議録",
                              "0 1 Namazu\\b004\\ 能登旅行"}));

  // Every mail folder's own word is in all of its mails and in no other mail.
  const Lines words = {"inboxonly",   "outboxonly",  "sheetcalc",   "", "projalpha",
                       "",            "archive2024", "archive2023", "minutesonly", "nototrip"};
  ASSERT_EQ(folders.size(), words.size());
  for (size_t i = 0; i < folders.size(); ++i) {
    auto mails = fs.ListDir(folders[i].Dir, "*.alm");
    EXPECT_EQ(mails.empty(), words[i].empty()) << folders[i].Dir;
    for (const DirEntry& m : mails) {
      std::string text = fs.Contents(folders[i].Dir + m.name);
      for (size_t j = 0; j < words.size(); ++j)
        if (!words[j].empty()) {
          EXPECT_EQ(Contains(text, words[j]), i == j) << folders[i].Dir << m.name << " " << words[j];
        }
      EXPECT_FALSE(Contains(text, "orphanbox"));
    }
  }
}

// A folder of folders named twice at each of 20 levels would list 2^21
// entries: the list stops at its bound, in the listed order, reading each
// directory once.
TEST(FolderTree, RepeatedNamesAtEveryLevelStopAtTheBound) {
  class CountingFs : public MemoryFileSystem {
   public:
    std::vector<DirEntry> ListDir(const std::string& dir, const std::string& mask) const override {
      ++lists;
      return MemoryFileSystem::ListDir(dir, mask);
    }
    mutable int lists = 0;
  } fs;
  AccountIni(fs, "001001");
  std::string rel = "user001.box";
  const int levels = 20;
  for (int level = 0; level < levels; ++level) {
    Folder(fs, rel, "level " + std::to_string(level), "Subfolder", "001001");
    rel += "\\user001.box";
  }
  auto folders = LoadFolderTree(fs, kAcct, "");
  ASSERT_EQ(folders.size(), kMaxFolders);
  for (int level = 0; level < levels; ++level) EXPECT_EQ(folders[level].Level, level);  // depth first, as listed
  EXPECT_EQ(fs.lists, levels + 1);
}
