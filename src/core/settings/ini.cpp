#include "core/settings/ini.h"

#include "core/common/sjis.h"

namespace tvp {

IniFile::Line IniFile::ParseLine(const std::string& text, const std::string& eol) {
  Line line;
  line.text = text;
  line.eol = eol;
  std::string t = Trim(text);
  if (!t.empty() && t[0] == '[') {
    size_t close = Find(t, "]");
    if (close != std::string::npos) {
      line.kind = Kind::Section;
      line.name = Trim(t.substr(1, close - 1));
      return line;
    }
  }
  if (!t.empty() && t[0] != ';') {
    size_t eq = Find(text, "=");
    if (eq != std::string::npos) {
      line.kind = Kind::Key;
      line.name = Trim(text.substr(0, eq));
      line.value = Trim(text.substr(eq + 1));
    }
  }
  return line;
}

void IniFile::Parse(const std::string& text) {
  lines_.clear();
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    size_t eolLen = (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    lines_.push_back(ParseLine(text.substr(start, i - start), text.substr(i, eolLen)));
    i += eolLen - 1;
    start = i + 1;
  }
  if (start < text.size()) lines_.push_back(ParseLine(text.substr(start), ""));
}

std::string IniFile::Text() const {
  std::string out;
  for (const Line& l : lines_) out += l.text + l.eol;
  return out;
}

long IniFile::FindSection(const std::string& section) const {
  for (size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].kind == Kind::Section && EqualsNoCase(lines_[i].name, section)) return static_cast<long>(i);
  return -1;
}

long IniFile::FindKey(long sectionLine, const std::string& key) const {
  if (sectionLine < 0) return -1;
  for (size_t i = sectionLine + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
    if (lines_[i].kind == Kind::Key && EqualsNoCase(lines_[i].name, key)) return static_cast<long>(i);
  return -1;
}

bool IniFile::HasKey(const std::string& section, const std::string& key) const {
  return FindKey(FindSection(section), key) >= 0;
}

std::string IniFile::Read(const std::string& section, const std::string& key, const std::string& fallback) const {
  long k = FindKey(FindSection(section), key);
  return k < 0 ? fallback : lines_[k].value;
}

void IniFile::Insert(size_t at, Line line) {
  // The line before the new one needs a line end of its own.
  if (at > 0 && lines_[at - 1].eol.empty()) lines_[at - 1].eol = "\r\n";
  lines_.insert(lines_.begin() + static_cast<long>(at), std::move(line));
}

std::string IniFile::CleanValue(const std::string& value) {
  // Parse splits at every CR and LF byte, also one that follows a lead byte
  // in broken text, so the value loses them byte by byte too.
  std::string v;
  v.reserve(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
    v += (value[i] == '\r' || value[i] == '\n') ? ' ' : value[i];
  }
  return v;
}

void IniFile::Write(const std::string& section, const std::string& key, const std::string& value) {
  std::string v = CleanValue(value);
  long s = FindSection(section);
  long k = FindKey(s, key);
  if (k >= 0) {
    Line& l = lines_[k];
    if (l.value != Trim(v)) l = ParseLine(l.name + "=" + v, l.eol);
    return;
  }
  if (s < 0) {
    Insert(lines_.size(), ParseLine("[" + section + "]", "\r\n"));
    s = static_cast<long>(lines_.size()) - 1;
  }
  // After the last key of the section, before blank or foreign lines that trail it.
  size_t at = s + 1;
  for (size_t i = s + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
    if (lines_[i].kind == Kind::Key) at = i + 1;
  Insert(at, ParseLine(key + "=" + v, "\r\n"));
}

std::unordered_map<std::string, size_t> IniFile::KeyLines(long sectionLine, size_t& end) const {
  std::unordered_map<std::string, size_t> keys;
  end = sectionLine + 1;
  for (size_t i = sectionLine + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i) {
    if (lines_[i].kind != Kind::Key) continue;
    keys.emplace(LowerAscii(lines_[i].name), i);
    end = i + 1;
  }
  return keys;
}

std::vector<std::string> IniFile::ReadMany(const std::string& section, const std::vector<std::string>& keys,
                                           const std::string& fallback) const {
  std::vector<std::string> values(keys.size(), fallback);
  long s = FindSection(section);
  if (s < 0) return values;
  size_t end;
  std::unordered_map<std::string, size_t> lines = KeyLines(s, end);
  for (size_t i = 0; i < keys.size(); ++i) {
    auto it = lines.find(LowerAscii(keys[i]));
    if (it != lines.end()) values[i] = lines_[it->second].value;
  }
  return values;
}

void IniFile::WriteMany(const std::string& section, const std::vector<std::pair<std::string, std::string>>& values) {
  if (values.empty()) return;
  long s = FindSection(section);
  if (s < 0) {
    Insert(lines_.size(), ParseLine("[" + section + "]", "\r\n"));
    s = static_cast<long>(lines_.size()) - 1;
  }
  size_t at;
  std::unordered_map<std::string, size_t> lines = KeyLines(s, at);
  // New keys go together after the last key of the section, before blank
  // or foreign lines that trail it; a key named twice is written once.
  std::vector<Line> added;
  std::unordered_map<std::string, size_t> addedAt;
  for (const auto& kv : values) {
    std::string v = CleanValue(kv.second);
    std::string name = LowerAscii(kv.first);
    auto it = lines.find(name);
    if (it != lines.end()) {
      Line& l = lines_[it->second];
      if (l.value != Trim(v)) l = ParseLine(l.name + "=" + v, l.eol);
      continue;
    }
    auto a = addedAt.find(name);
    if (a != addedAt.end()) {
      added[a->second] = ParseLine(added[a->second].name + "=" + v, "\r\n");
      continue;
    }
    addedAt.emplace(name, added.size());
    added.push_back(ParseLine(kv.first + "=" + v, "\r\n"));
  }
  if (added.empty()) return;
  // The line before the new ones needs a line end of its own.
  if (at > 0 && lines_[at - 1].eol.empty()) lines_[at - 1].eol = "\r\n";
  lines_.insert(lines_.begin() + static_cast<long>(at), std::make_move_iterator(added.begin()),
                std::make_move_iterator(added.end()));
}

}  // namespace tvp
