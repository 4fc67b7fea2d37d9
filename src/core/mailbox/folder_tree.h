// The mail folders of an account, read from its directory on disk into one
// flat list in display order: every folder is followed directly by its
// subfolders. Positions in this list are what the settings file stores, so
// the list must come out the same every time for the same directory.
#pragma once

#include <string>
#include <vector>

#include "core/common/filesys.h"

namespace tvp {

struct TFolderInfo {
  int Kind = 1;           // 1: mail folder; 2: folder of folders ("Subfolder")
  std::string Title;      // display title
  std::string Dir;        // folder directory, lower case, ending in a backslash
  std::string IndexPath;  // its Namazu index directory, ending in a backslash
  int Level = 0;          // 0 for the folders of the account directory
};

// Folders nested deeper than this are not read (a directory junction that
// points back up would otherwise recurse forever); levels run 0..kMaxFolderLevel.
constexpr int kMaxFolderLevel = 31;
// No more entries than this are listed: an Order that names folders of
// folders twice at each level, or directory links, make the list grow
// without end. Each directory is read once however often it is listed.
constexpr size_t kMaxFolders = 10000;

// accountDir is the host's account directory (ending in a backslash);
// indexBase the setting IndexDir, empty for the account directory itself.
std::vector<TFolderInfo> LoadFolderTree(const FileSystem& fs, const std::string& accountDir,
                                        const std::string& indexBase);

// The index directory of the folder directory `dir` (lower case, below
// accountDir): base + "Namazu" + the part of dir from the account
// directory's final backslash on, without ".box" and with "user" -> "b".
std::string IndexPathFor(const std::string& accountDir, const std::string& dir, const std::string& indexBase);

// Position of the first folder whose IndexPath equals path (ASCII case
// ignored), or -1.
int FindFolderByIndexDir(const std::vector<TFolderInfo>& folders, const std::string& path);

// path without as many leading bytes as the account directory (with its
// trailing backslash) has: "Namazu\b001\" for an index directory below it.
std::string RelativeToAccount(const std::string& accountDir, const std::string& path);

// [Property] Title of the account's "Account.ini", one pair of enclosing
// double quotes removed (doubled quotes inside become single); "???" when
// the file or the key is missing.
std::string AccountTitle(const FileSystem& fs, const std::string& accountDir);

// 1-based position of the n-th occurrence of pattern in text counted from
// the end (exact bytes, matches start on character boundaries), or 0 when
// there are fewer than n.
int FindFromEnd(const std::string& text, const std::string& pattern, int n);

// A folder as the settings file stores it: "position:title". Reading gives
// the position when the title still matches the folder there, else -1 (also
// without a colon or with nothing before it).
std::string StoredFolderEntry(const std::vector<TFolderInfo>& folders, int position);
int StoredFolderPosition(const std::vector<TFolderInfo>& folders, const std::string& entry);

}  // namespace tvp
