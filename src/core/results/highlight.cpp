#include "core/results/highlight.h"

#include <algorithm>
#include <cstdint>

#include "core/common/sjis.h"

namespace tvp {

namespace {

// Full-width ASCII symbols of code page 932 and their ASCII forms.
struct WideSymbol {
  uint16_t wide;
  char ascii;
};
constexpr WideSymbol kWideSymbols[] = {
    {0x8143, ','}, {0x8144, '.'}, {0x8146, ':'}, {0x8147, ';'}, {0x8148, '?'}, {0x8149, '!'},
    {0x814F, '^'}, {0x8151, '_'}, {0x815E, '/'}, {0x815F, '\\'}, {0x8162, '|'}, {0x8169, '('},
    {0x816A, ')'}, {0x816D, '['}, {0x816E, ']'}, {0x816F, '{'}, {0x8170, '}'}, {0x817B, '+'},
    {0x817C, '-'}, {0x8181, '='}, {0x8183, '<'}, {0x8184, '>'}, {0x818F, '\\'}, {0x8190, '$'},
    {0x8193, '%'}, {0x8194, '#'}, {0x8195, '&'}, {0x8196, '*'}, {0x8197, '@'}};

// One character folded for comparison: ASCII letters in lower case,
// full-width ASCII as its ASCII form, any other double-byte character as its
// two bytes above the single-byte range.
uint32_t FoldChar(const std::string& s, size_t i, size_t len) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  if (len == 1) return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
  uint16_t w = static_cast<uint16_t>(c << 8 | static_cast<unsigned char>(s[i + 1]));
  if (w == 0x8140) return ' ';
  if (w >= 0x824F && w <= 0x8258) return '0' + (w - 0x824F);
  if (w >= 0x8260 && w <= 0x8279) return 'a' + (w - 0x8260);
  if (w >= 0x8281 && w <= 0x829A) return 'a' + (w - 0x8281);
  for (const WideSymbol& sym : kWideSymbols)
    if (sym.wide == w) return static_cast<unsigned char>(sym.ascii);
  return 0x10000u | w;
}

// A text as folded characters with the byte offset where each one starts
// (plus the end offset).
struct Folded {
  std::vector<uint32_t> chars;
  std::vector<size_t> starts;
};

Folded Fold(const std::string& s) {
  Folded f;
  f.chars.reserve(s.size());
  f.starts.reserve(s.size() + 1);
  for (size_t i = 0; i < s.size();) {
    size_t len = CharLen(s, i);
    f.chars.push_back(FoldChar(s, i, len));
    f.starts.push_back(i);
    i += len;
  }
  f.starts.push_back(s.size());
  return f;
}

// A token of the expression as folded characters with its original bytes.
struct Token {
  std::string text;
  Folded folded;
  bool empty() const { return folded.chars.empty(); }
  uint32_t front() const { return folded.chars.front(); }
  uint32_t back() const { return folded.chars.back(); }
  void Cut(size_t from, size_t to) {  // keep characters [from, to)
    text = text.substr(folded.starts[from], folded.starts[to] - folded.starts[from]);
    folded = Fold(text);
  }
  void DropFront() { Cut(1, folded.chars.size()); }
  void DropBack() { Cut(0, folded.chars.size() - 1); }
};

std::vector<Token> Tokens(const std::string& expression) {
  std::vector<Token> tokens;
  Folded f = Fold(expression);
  size_t i = 0, n = f.chars.size();
  while (i < n) {
    while (i < n && (f.chars[i] == ' ' || f.chars[i] == '\t')) ++i;
    size_t start = i;
    while (i < n && f.chars[i] != ' ' && f.chars[i] != '\t') ++i;
    if (i > start) {
      Token t;
      t.text = expression.substr(f.starts[start], f.starts[i] - f.starts[start]);
      t.folded = Fold(t.text);
      tokens.push_back(std::move(t));
    }
  }
  return tokens;
}

bool IsOperator(const Token& t) {
  static const char* const kOperators[] = {"and", "or", "not", "&", "|", "!"};
  for (const char* op : kOperators) {
    std::string s(op);
    if (t.folded.chars.size() == s.size() &&
        std::equal(s.begin(), s.end(), t.folded.chars.begin(),
                   [](char a, uint32_t b) { return static_cast<unsigned char>(a) == b; }))
      return true;
  }
  return false;
}

// "+name:" of a header condition, name of ASCII letters, digits, "-" and "_".
size_t HeaderPrefixLength(const Token& t) {
  const auto& c = t.folded.chars;
  if (c.empty() || c[0] != '+') return 0;
  for (size_t k = 1; k < c.size(); ++k) {
    if (c[k] == ':') return k > 1 ? k + 1 : 0;
    bool nameChar = (c[k] >= 'a' && c[k] <= 'z') || (c[k] >= '0' && c[k] <= '9') || c[k] == '-' || c[k] == '_';
    if (!nameChar) return 0;
  }
  return 0;
}

}  // namespace

std::vector<std::string> SearchWords(const std::string& expression) {
  std::vector<std::string> words;
  std::vector<std::vector<uint32_t>> seen;
  auto add = [&](Token& t) {
    while (!t.empty() && t.front() == '*') t.DropFront();
    while (!t.empty() && t.back() == '*') t.DropBack();
    if (t.empty() || std::find(seen.begin(), seen.end(), t.folded.chars) != seen.end()) return;
    seen.push_back(t.folded.chars);
    words.push_back(t.text);
  };
  uint32_t closer = 0;  // the end mark of the phrase or pattern we are in
  bool inPattern = false;
  for (Token& t : Tokens(expression)) {
    if (closer == 0) {
      if (IsOperator(t)) continue;
      while (!t.empty() && t.front() == '(') t.DropFront();
      while (!t.empty() && t.back() == ')') t.DropBack();
      if (t.empty() || IsOperator(t)) continue;
      if (size_t p = HeaderPrefixLength(t)) t.Cut(p, t.folded.chars.size());
      if (t.empty()) continue;
      if (t.front() == '"' || t.front() == '{' || t.front() == '/') {
        closer = t.front() == '{' ? '}' : t.front();
        inPattern = t.front() == '/';
        t.DropFront();
      }
    }
    if (closer != 0 && !t.empty() && t.back() == closer) {
      t.DropBack();
      closer = 0;
      if (inPattern) {
        inPattern = false;
        continue;
      }
    }
    if (!inPattern) add(t);
  }
  return words;
}

std::vector<TextRange> FindWords(const std::string& text, const std::vector<std::string>& words) {
  std::vector<Folded> patterns;
  for (const std::string& w : words) {
    Folded p = Fold(w);
    if (!p.chars.empty()) patterns.push_back(std::move(p));
  }
  std::vector<TextRange> ranges;
  if (patterns.empty() || text.empty()) return ranges;
  Folded t = Fold(text);
  const size_t n = t.chars.size();
  for (size_t i = 0; i < n; ++i) {
    size_t longest = 0;
    for (const Folded& p : patterns) {
      size_t m = p.chars.size();
      if (m <= longest || m > n - i || t.chars[i] != p.chars[0]) continue;
      if (std::equal(p.chars.begin() + 1, p.chars.end(), t.chars.begin() + i + 1)) longest = m;
    }
    if (longest == 0) continue;
    size_t start = t.starts[i], end = t.starts[i + longest];
    if (!ranges.empty() && ranges.back().Start + ranges.back().Length >= start) {
      TextRange& last = ranges.back();
      last.Length = std::max(last.Start + last.Length, end) - last.Start;
    } else {
      ranges.push_back({start, end - start});
    }
  }
  return ranges;
}

int NextRangeStart(const std::vector<TextRange>& ranges, int pos) {
  auto after = std::upper_bound(ranges.begin(), ranges.end(), pos,
                                [](int p, const TextRange& r) { return p < static_cast<int>(r.Start); });
  return after == ranges.end() ? -1 : static_cast<int>(after->Start);
}

int PreviousRangeStart(const std::vector<TextRange>& ranges, int pos) {
  auto at = std::lower_bound(ranges.begin(), ranges.end(), pos,
                             [](const TextRange& r, int p) { return static_cast<int>(r.Start) < p; });
  return at == ranges.begin() ? -1 : static_cast<int>((at - 1)->Start);
}

}  // namespace tvp
