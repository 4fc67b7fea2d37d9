// Listing, deleting, copying and moving files by mask.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/common/sjis.h"
#include "plugin/files/file_utils.h"
#include "win/win_support.h"

using namespace tvp;
using namespace tvp::test;

namespace {
std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}
}  // namespace

TEST(FileUtils, ListFilesTakesPlainFilesOnly) {
  ScratchDir d;
  WriteFileText(d.path() + "NMZ.i", "x");
  WriteFileText(d.path() + "NMZ.w", "x");
  WriteFileText(d.path() + "other.txt", "x");
  WriteFileText(d.path() + "NMZ.hidden", "x");
  SetFileAttributesA((d.path() + "NMZ.hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
  CreateDirectoryA((d.path() + "NMZ.dir").c_str(), nullptr);
  std::vector<std::string> list = {"kept"};
  ListFiles(d.path(), "NMZ.*", list);
  EXPECT_EQ(Sorted(list), (std::vector<std::string>{d.path() + "NMZ.i", d.path() + "NMZ.w", "kept"}));
}

TEST(FileUtils, DeleteFilesByMaskLeavesTheRest) {
  ScratchDir d;
  WriteFileText(d.path() + "NMZ.i", "x");
  WriteFileText(d.path() + "NMZ.lock", "x");
  WriteFileText(d.path() + "keep.alm", "x");
  DeleteFiles(ExcludeTrailingBackslash(d.path()), "NMZ.*");
  EXPECT_FALSE(FileExists(d.path() + "NMZ.i"));
  EXPECT_FALSE(FileExists(d.path() + "NMZ.lock"));
  EXPECT_TRUE(FileExists(d.path() + "keep.alm"));
}

TEST(FileUtils, CopyAndMoveNeverTouchFilelistTxt) {
  ScratchDir from, to;
  WriteFileText(from.path() + "NMZ.i", "new index");
  WriteFileText(from.path() + "filelist.txt", "mine");
  WriteFileText(from.path() + "FileList.txt", "other case");
  WriteFileText(to.path() + "NMZ.i", "old index");
  WriteFileText(to.path() + "filelist.txt", "theirs");
  CopyFiles(ExcludeTrailingBackslash(from.path()), ExcludeTrailingBackslash(to.path()), 0);
  EXPECT_EQ(ReadFileText(to.path() + "NMZ.i"), "new index");
  EXPECT_EQ(ReadFileText(to.path() + "filelist.txt"), "theirs");
  EXPECT_TRUE(FileExists(from.path() + "NMZ.i"));

  WriteFileText(from.path() + "NMZ.w", "moved");
  CopyFiles(from.path(), to.path(), 1);
  EXPECT_EQ(ReadFileText(to.path() + "NMZ.w"), "moved");
  EXPECT_FALSE(FileExists(from.path() + "NMZ.w"));
  EXPECT_FALSE(FileExists(from.path() + "NMZ.i"));
  EXPECT_TRUE(FileExists(from.path() + "filelist.txt"));  // stays where it is
}

TEST(FileUtils, ForceDirectoriesCreatesParentsIncludingTrailByteNames) {
  ScratchDir d;
  std::string deep = d.path() + "Namazu\\表\\ソ\\b004\\";
  EXPECT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_TRUE(DirectoryExists(d.path() + "Namazu\\表"));
  EXPECT_TRUE(ForceDirectories(deep));  // already there
}
