#include "core/mailbox/folder_tree.h"

#include <algorithm>
#include <unordered_map>

#include "core/common/sjis.h"
#include "core/settings/ini.h"

namespace tvp {

namespace {

const char kInboxTitle[] = "郵便受け";
const char kOutboxTitle[] = "送信箱";

bool ReadIni(const FileSystem& fs, const std::string& path, IniFile& ini) {
  std::string text;
  if (!fs.ReadFile(path, text)) return false;
  ini.Parse(text);
  return true;
}

bool IsDigits(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// A folder found in a directory, waiting for the directory's Order to place it.
struct Candidate {
  TFolderInfo info;
  std::string order;  // folders of folders: the Order of their entry file
};

class TreeLoader {
 public:
  TreeLoader(const FileSystem& fs, const std::string& accountDir, const std::string& indexBase,
             std::vector<TFolderInfo>& out)
      : fs_(fs), accountDir_(accountDir), indexBase_(indexBase), out_(out) {}

  // Lists the folders of `dir` (ending in a backslash) in the sequence that
  // `order` gives them, each folder of folders followed by its own.
  void Scan(const std::string& dir, int level, const std::string& order) {
    const std::vector<Candidate>& candidates = Candidates(dir, level);
    if (order.empty()) {
      for (const Candidate& c : candidates) Append(c);
      return;
    }
    std::unordered_map<std::string, size_t> byName;  // lower-case entry name -> first candidate
    for (size_t i = 0; i < candidates.size(); ++i) {
      const std::string& d = candidates[i].info.Dir;
      byName.emplace(d.substr(dir.size(), d.size() - dir.size() - 1), i);
    }
    auto appendNamed = [&](const std::string& name) {
      auto it = byName.find(name);
      if (it != byName.end()) Append(candidates[it->second]);
    };
    for (size_t i = 0; i < order.size();) {
      std::string number = order.substr(i, 3);
      if (IsDigits(number)) {
        appendNamed("user" + std::string(3 - number.size(), '0') + number + ".box");
        i += number.size();
        continue;
      }
      if (order[i] == 'I') appendNamed("inbox.box");
      if (order[i] == 'O') appendNamed("outbox.box");
      i += CharLen(order, i);  // "T" and anything unknown add nothing
    }
  }

 private:
  // An Order may name a folder of folders again and again at every level:
  // each directory is read once, however often it is listed.
  const std::vector<Candidate>& Candidates(const std::string& dir, int level) {
    auto it = read_.find(dir);
    if (it == read_.end()) it = read_.emplace(dir, ReadCandidates(dir, level)).first;
    return it->second;
  }

  std::vector<Candidate> ReadCandidates(const std::string& dir, int level) const {
    std::vector<Candidate> candidates;
    for (const DirEntry& entry : fs_.ListDir(dir, "*.box")) {
      if (entry.hidden) continue;
      Candidate c;
      std::string type;
      if (EqualsNoCase(entry.name, "inbox.box")) {
        c.info.Title = kInboxTitle;
      } else if (EqualsNoCase(entry.name, "outbox.box")) {
        c.info.Title = kOutboxTitle;
      } else {
        IniFile ini;
        if (!ReadIni(fs_, dir + entry.name + "\\entry.ini", ini)) continue;
        c.info.Title = ini.Read("Property", "Title");
        type = ini.Read("Property", "Type");
        c.order = ini.Read("Property", "Order");
      }
      if (c.info.Title.empty()) continue;
      c.info.Kind = type == "Subfolder" ? 2 : 1;
      c.info.Dir = LowerAscii(dir + entry.name) + "\\";
      c.info.IndexPath = IndexPathFor(accountDir_, c.info.Dir, indexBase_);
      c.info.Level = level;
      candidates.push_back(std::move(c));
    }
    return candidates;
  }

  void Append(const Candidate& c) {
    // Repeated names or directory links can make the list endless.
    if (out_.size() >= kMaxFolders) return;
    out_.push_back(c.info);
    if (c.info.Kind == 2 && c.info.Level < kMaxFolderLevel) Scan(c.info.Dir, c.info.Level + 1, c.order);
  }

  const FileSystem& fs_;
  const std::string& accountDir_;
  const std::string& indexBase_;
  std::vector<TFolderInfo>& out_;
  std::unordered_map<std::string, std::vector<Candidate>> read_;  // directory -> its folders
};

}  // namespace

std::vector<TFolderInfo> LoadFolderTree(const FileSystem& fs, const std::string& accountDir,
                                        const std::string& indexBase) {
  std::vector<TFolderInfo> folders;
  const std::string account = IncludeTrailingBackslash(accountDir);
  IniFile ini;
  if (!ReadIni(fs, account + "account.ini", ini)) return folders;
  TreeLoader(fs, account, indexBase, folders).Scan(account, 0, ini.Read("Property", "Order"));
  return folders;
}

std::string IndexPathFor(const std::string& accountDir, const std::string& dir, const std::string& indexBase) {
  const std::string account = IncludeTrailingBackslash(accountDir);
  std::string part = dir.substr(std::min(account.size() - 1, dir.size()));  // from the account's last backslash
  part = ReplaceAll(ReplaceAll(part, ".box", ""), "user", "b");
  const std::string base = indexBase.empty() ? account : IncludeTrailingBackslash(indexBase);
  return base + "Namazu" + part;
}

int FindFolderByIndexDir(const std::vector<TFolderInfo>& folders, const std::string& path) {
  for (size_t i = 0; i < folders.size(); ++i)
    if (EqualsNoCase(folders[i].IndexPath, path)) return static_cast<int>(i);
  return -1;
}

std::string RelativeToAccount(const std::string& accountDir, const std::string& path) {
  return path.substr(std::min(IncludeTrailingBackslash(accountDir).size(), path.size()));
}

std::string AccountTitle(const FileSystem& fs, const std::string& accountDir) {
  IniFile ini;
  if (!ReadIni(fs, IncludeTrailingBackslash(accountDir) + "Account.ini", ini)) return "???";
  std::string title = ini.Read("Property", "Title", "???");
  // '"' is never a trail byte, so the last byte being one is the last character.
  if (title.size() >= 2 && title.front() == '"' && title.back() == '"')
    title = ReplaceAll(title.substr(1, title.size() - 2), "\"\"", "\"");
  return title;
}

int FindFromEnd(const std::string& text, const std::string& pattern, int n) {
  if (n < 1 || pattern.empty()) return 0;
  std::vector<size_t> hits;
  for (size_t i = 0; i + pattern.size() <= text.size(); i += CharLen(text, i))
    if (text[i] == pattern[0] && text.compare(i, pattern.size(), pattern) == 0) hits.push_back(i);
  if (hits.size() < static_cast<size_t>(n)) return 0;
  return static_cast<int>(hits[hits.size() - n]) + 1;
}

int StoredFolderPosition(const std::vector<TFolderInfo>& folders, const std::string& entry) {
  size_t colon = Find(entry, ":");
  if (colon == std::string::npos || colon == 0) return -1;
  int position = ToIntDef(entry.substr(0, colon), -1);
  if (position < 0 || static_cast<size_t>(position) >= folders.size()) return -1;
  return folders[position].Title == entry.substr(colon + 1) ? position : -1;
}

std::string StoredFolderEntry(const std::vector<TFolderInfo>& folders, int position) {
  std::string title = position >= 0 && static_cast<size_t>(position) < folders.size() ? folders[position].Title : "";
  return std::to_string(position) + ":" + title;
}

}  // namespace tvp
