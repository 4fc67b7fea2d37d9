// Parses arbitrary bytes as a settings file, writes a few keys with values
// taken from the input, and checks that the file text survives unchanged
// where nothing was written and that a fresh parse reads the values back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/common/sjis.h"
#include "core/settings/ini.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// What Read returns for a value that was written: every line break (CR LF,
// CR or LF, even right after a lead byte) became one blank, surrounding
// blanks are gone.
std::string Stored(const std::string& value) {
  std::vector<std::string> lines = tvp::SplitLines(value + "x");
  std::string v = lines[0];
  for (size_t i = 1; i < lines.size(); ++i) v += " " + lines[i];
  v.pop_back();
  return tvp::Trim(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  tvp::IniFile ini(text);
  Check(ini.Text() == text);

  const std::string before = ini.Read("Command", "namazuPath", "<none>");
  const std::string first = text.substr(0, 40);
  const std::string last = text.substr(text.size() > 40 ? text.size() - 40 : 0);
  ini.Write("Search", "History1", first);
  ini.Write("altURL", "X1", last);
  ini.Write("Brand New", "Key", first + last);
  ini.Write("Search", "History2", "");

  tvp::IniFile again(ini.Text());
  Check(again.Text() == ini.Text());
  Check(again.Read("search", "history1") == Stored(first));
  Check(again.Read("AltURL", "x1") == Stored(last));
  Check(again.Read("Brand New", "Key") == Stored(first + last));
  Check(again.HasKey("Search", "History2") && again.Read("Search", "History2", "<none>").empty());
  Check(again.Read("Command", "namazuPath", "<none>") == before);
  return 0;
}
