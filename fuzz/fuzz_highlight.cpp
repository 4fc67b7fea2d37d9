// The searched words of arbitrary bytes as an expression, found in arbitrary
// bytes as a mail (the input split at its first NUL): every place lies
// inside the text, starts and ends on a character boundary, the places are
// ascending and apart, and each one folds to a word. Decoding the words of
// the mail's header leaves its body as it was; decoding its MIME ends. The vanished mark goes into a
// rendered result without breaking its tables.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/common/sjis.h"
#include "core/results/mail_mime.h"
#include "core/results/highlight.h"
#include "core/results/render.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Offsets where a character starts, and the end.
std::vector<bool> Boundaries(const std::string& s) {
  std::vector<bool> at(s.size() + 1, false);
  for (size_t i = 0; i < s.size(); i += tvp::CharLen(s, i)) at[i] = true;
  at[s.size()] = true;
  return at;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t nul = input.find('\0');
  std::string expression = input.substr(0, nul == std::string::npos ? 0 : nul);
  std::string text = nul == std::string::npos ? input : input.substr(nul + 1);

  std::vector<std::string> words = tvp::SearchWords(expression);
  for (const std::string& w : words) Check(!w.empty());
  std::vector<tvp::TextRange> ranges = tvp::FindWords(text, words);
  std::vector<bool> at = Boundaries(text);
  for (size_t k = 0; k < ranges.size(); ++k) {
    const tvp::TextRange& r = ranges[k];
    Check(r.Length > 0 && r.Start + r.Length <= text.size());
    Check(at[r.Start] && at[r.Start + r.Length]);
    Check(k == 0 || r.Start > ranges[k - 1].Start + ranges[k - 1].Length);
  }

  // The body: from the first empty line on.
  size_t body = text.size();
  for (size_t line = 0; line < text.size();) {
    if (text[line] == '\r' || text[line] == '\n') {
      body = line;
      break;
    }
    size_t end = text.find_first_of("\r\n", line);
    if (end == std::string::npos) break;
    line = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  auto same = [](const std::string&, const std::string& bytes) { return std::optional<std::string>(bytes); };
  std::string decoded = tvp::DecodeHeaderWords(text, same);
  const size_t bodySize = text.size() - body;
  Check(decoded.size() >= bodySize && decoded.compare(decoded.size() - bodySize, bodySize, text, body) == 0);
  // Decoding the whole mail only shrinks it, but for a line break after a part.
  Check(tvp::DecodeMailForView(text, same).size() <= 2 * text.size() + 2);

  // The same bytes as a result text: mark every hit vanished.
  tvp::TTVPSettings settings;
  tvp::TRenderedResult r = tvp::RenderResultText(input, settings, {}, {}, "C:\\Mail\\");
  for (size_t i = 0; i < r.Hits.size(); ++i) tvp::MarkVanished(r, static_cast<int>(i));
  Check(r.LinkMap.size() == r.Text.size());
  for (const tvp::TClickableInfo& h : r.Hits) {
    Check(h.TitleEnd + 1 - h.TitleStart == static_cast<int>(h.TitleText.size()));
    Check(r.Text.compare(static_cast<size_t>(h.TitleStart), h.TitleText.size(), h.TitleText) == 0);
    Check(h.PathEnd + 1 - h.PathStart == static_cast<int>(h.Path.size()));
    Check(r.Text.compare(static_cast<size_t>(h.PathStart), h.Path.size(), h.Path) == 0);
  }
  for (size_t k = 1; k < r.Styles.size(); ++k)
    Check(r.Styles[k - 1].Start + r.Styles[k - 1].Length <= r.Styles[k].Start);
  return 0;
}
