// Reads an account directory built from arbitrary bytes: the input, split at
// each 0xFF byte, gives the account's account.ini and the entry.ini files of
// up to 40 folders "userNNN.box", each placed below the account or below an
// earlier folder (chosen by its first byte). Checks that the walk ends, comes
// out the same twice, and gives a well-formed list: levels start at 0, grow
// by one only below a folder of folders and stay within the limit; every
// folder is a directory of the account with its own index directory.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/common/sjis.h"
#include "core/mailbox/folder_tree.h"
#include "core/memory_fs.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool Same(const tvp::TFolderInfo& a, const tvp::TFolderInfo& b) {
  return a.Kind == b.Kind && a.Title == b.Title && a.Dir == b.Dir && a.IndexPath == b.IndexPath && a.Level == b.Level;
}

const std::string kAcct = "C:\\Mail\\Acct\\";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> parts;
  for (size_t start = 0;;) {
    size_t cut = text.find('\xFF', start);
    parts.push_back(text.substr(start, cut == std::string::npos ? std::string::npos : cut - start));
    if (cut == std::string::npos || parts.size() > 40) break;
    start = cut + 1;
  }

  tvp::test::MemoryFileSystem fs;
  fs.AddFile(kAcct + "account.ini", parts[0]);
  fs.AddDir(kAcct + "Inbox.box");
  fs.AddDir(kAcct + "Outbox.box");
  std::vector<std::string> dirs = {kAcct};
  for (size_t k = 1; k < parts.size(); ++k) {
    const std::string& parent = parts[k].empty() ? dirs[0] : dirs[static_cast<unsigned char>(parts[k][0]) % dirs.size()];
    std::string number = std::to_string(k);
    std::string dir = parent + "user" + std::string(3 - number.size(), '0') + number + ".box\\";
    fs.AddDir(dir);
    fs.AddFile(dir + "entry.ini", parts[k]);
    dirs.push_back(dir);
  }

  std::vector<tvp::TFolderInfo> folders = tvp::LoadFolderTree(fs, kAcct, "");
  std::vector<tvp::TFolderInfo> again = tvp::LoadFolderTree(fs, kAcct, "");
  Check(folders.size() == again.size());
  for (size_t i = 0; i < folders.size(); ++i) {
    const tvp::TFolderInfo& f = folders[i];
    Check(Same(f, again[i]));
    Check(f.Kind == 1 || f.Kind == 2);
    Check(!f.Title.empty());
    Check(f.Level >= 0 && f.Level <= tvp::kMaxFolderLevel);
    Check(i > 0 || f.Level == 0);
    if (i > 0) Check(f.Level <= folders[i - 1].Level || (f.Level == folders[i - 1].Level + 1 && folders[i - 1].Kind == 2));
    Check(tvp::StartsWith(f.Dir, tvp::LowerAscii(kAcct)) && tvp::EndsWithBackslash(f.Dir));
    Check(f.IndexPath == tvp::IndexPathFor(kAcct, f.Dir, ""));
  }
  return 0;
}
