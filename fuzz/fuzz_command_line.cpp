// Quotes arbitrary bytes as one argument of a Windows command line, and
// builds whole namazu command lines with them as the search expression:
// split again as the C runtime splits them, the argument comes back
// exactly, and the expression is the one argument after the end of
// namazu's options (Namazu 2) or the one argument before the index list.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/common/command_line.h"
#include "core/search/search_exec.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// The arguments of a namazu command line after the quoted program name.
std::vector<std::string> ArgsOf(const std::string& line) {
  size_t close = line.find('"', 1);
  Check(line[0] == '"' && close != std::string::npos);
  return tvp::SplitArguments(line.substr(close + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string arg(reinterpret_cast<const char*>(data), size);
  if (!tvp::IsPassableArgument(arg)) return 0;

  std::vector<std::string> split = tvp::SplitArguments(tvp::QuoteArgument(arg) + " " + tvp::QuoteArgument(arg + "\\") + "\tx");
  Check(split.size() == 3 && split[0] == arg && split[1] == arg + "\\" && split[2] == "x");

  tvp::TTVPSettings settings;
  settings.namazuPath = "C:\\Program Files\\namazu\\bin\\namazu.exe";
  settings.namazuOption = "-h";
  tvp::TResultMenuState menu;
  const std::string root = "C:\\Mail\\Acct\\Namazu";

  settings.NamazuVersion = "2";
  std::vector<std::string> v2 = ArgsOf(tvp::NamazuCommandLine(settings, menu, root, arg, "+b001 +inbox"));
  Check(v2.size() >= 4 && v2[v2.size() - 4] == "--" && v2[v2.size() - 3] == arg && v2[v2.size() - 2] == "+b001" &&
        v2.back() == "+inbox");

  settings.NamazuVersion = "1.3";
  std::vector<std::string> v13 = ArgsOf(tvp::NamazuCommandLine(settings, menu, root, arg, "b001"));
  Check(v13.size() >= 2 && v13.back() == "b001");
  const std::string& query = v13[v13.size() - 2];
  Check(query == arg || (arg[0] == '-' && query == " " + arg));
  return 0;
}
