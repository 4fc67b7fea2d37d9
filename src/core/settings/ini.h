// A Windows ini file held whole in memory. Reading keeps every line as it
// stands (comments, garbage, duplicate sections and keys, its own line end),
// so that writing the file back changes only the keys that were set.
// Section and key names are matched without regard to ASCII letter case;
// the first matching section and the first matching key win.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tvp {

class IniFile {
 public:
  IniFile() = default;
  explicit IniFile(const std::string& text) { Parse(text); }

  void Parse(const std::string& text);
  std::string Text() const;

  bool HasKey(const std::string& section, const std::string& key) const;
  // The value with surrounding blanks removed; `fallback` when absent.
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& fallback = std::string()) const;
  // Sets the value of the first matching key, or adds the key at the end of
  // the first matching section (a new section goes to the end of the file).
  // Line breaks inside the value are replaced by blanks so that a value can
  // never add lines of its own.
  void Write(const std::string& section, const std::string& key, const std::string& value);

  // Many keys of one section at once, each as Read and Write do it, in time
  // linear in the file and the keys (numbered lists run to tens of thousands).
  std::vector<std::string> ReadMany(const std::string& section, const std::vector<std::string>& keys,
                                    const std::string& fallback = std::string()) const;
  void WriteMany(const std::string& section, const std::vector<std::pair<std::string, std::string>>& values);

 private:
  enum class Kind { Other, Section, Key };
  struct Line {
    std::string text;  // without its line end
    std::string eol;   // "\r\n", "\n", "\r" or "" (last line without a break)
    Kind kind = Kind::Other;
    std::string name;  // section name or key name, trimmed
    std::string value; // key lines: trimmed value
  };
  static Line ParseLine(const std::string& text, const std::string& eol);
  long FindSection(const std::string& section) const;
  long FindKey(long sectionLine, const std::string& key) const;
  void Insert(size_t at, Line line);
  // Line index of each key of the section starting at `sectionLine`, by
  // lower-case name (the first one wins); `end` gets the line after its last key.
  std::unordered_map<std::string, size_t> KeyLines(long sectionLine, size_t& end) const;
  static std::string CleanValue(const std::string& value);

  std::vector<Line> lines_;
};

}  // namespace tvp
