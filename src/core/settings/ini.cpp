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

void IniFile::Write(const std::string& section, const std::string& key, const std::string& value) {
  // Parse splits at every CR and LF byte, also one that follows a lead byte
  // in broken text, so the value loses them byte by byte too.
  std::string v;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
    v += (value[i] == '\r' || value[i] == '\n') ? ' ' : value[i];
  }
  long s = FindSection(section);
  long k = FindKey(s, key);
  if (k >= 0) {
    Line& l = lines_[k];
    if (l.value == Trim(v)) return;
    l = ParseLine(l.name + "=" + v, l.eol);
    return;
  }
  if (s < 0) {
    Insert(lines_.size(), ParseLine("[" + section + "]", "\r\n"));
    s = static_cast<long>(lines_.size()) - 1;
  }
  // After the last key of the section, before blank or foreign lines that trail it.
  size_t at = s + 1, end = s + 1;
  while (end < lines_.size() && lines_[end].kind != Kind::Section) {
    if (lines_[end].kind == Kind::Key) at = end + 1;
    ++end;
  }
  Insert(at, ParseLine(key + "=" + v, "\r\n"));
}

}  // namespace tvp
