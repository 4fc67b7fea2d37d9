#include "core/results/header_words.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "core/common/sjis.h"

namespace tvp {

namespace {

// An encoded word is at most 75 characters; a little more is tolerated.
constexpr size_t kMaxWordLength = 200;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::string> DecodeBase64(const std::string& text) {
  static const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  unsigned bits = 0;
  int count = 0;
  size_t padding = 0;
  for (char c : text) {
    if (c == '=') {
      ++padding;
      continue;
    }
    size_t v = digits.find(c);
    if (v == std::string::npos || padding > 0) return std::nullopt;
    bits = (bits << 6) | static_cast<unsigned>(v);
    count += 6;
    if (count >= 8) {
      count -= 8;
      out += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  if (padding > 2) return std::nullopt;
  return out;
}

std::optional<std::string> DecodeQ(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '_') {
      out += ' ';
    } else if (text[i] == '=') {
      int high = i + 2 < text.size() ? HexValue(text[i + 1]) : -1, low = high >= 0 ? HexValue(text[i + 2]) : -1;
      if (low < 0) return std::nullopt;
      out += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The text of one encoded word "=?charset?e?text?=", or nothing when it is
// of an unknown character set or does not decode.
std::optional<std::string> DecodeWord(const std::string& charsetField, char encoding, const std::string& text,
                                      const WordConverter& toSjis) {
  std::string charset = LowerAscii(charsetField.substr(0, charsetField.find('*')));  // "*ja": a language
  std::optional<std::string> bytes;
  if (encoding == 'B' || encoding == 'b') bytes = DecodeBase64(text);
  else if (encoding == 'Q' || encoding == 'q') bytes = DecodeQ(text);
  if (!bytes) return std::nullopt;
  std::optional<std::string> decoded = charset == "us-ascii" ? bytes : toSjis(charset, *bytes);
  if (!decoded) return std::nullopt;
  // Control bytes are never part of a double-byte character.
  for (char& c : *decoded) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F || (charset == "us-ascii" && u >= 0x80)) c = ' ';
  }
  return decoded;
}

// Where the header ends: the start of its first empty line, or the end.
size_t HeaderEnd(const std::string& mail) {
  size_t lineStart = 0;
  while (lineStart < mail.size()) {
    if (mail[lineStart] == '\r' || mail[lineStart] == '\n') return lineStart;
    size_t end = mail.find_first_of("\r\n", lineStart);
    if (end == std::string::npos) return mail.size();
    lineStart = end + (mail.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return mail.size();
}

bool IsFoldingSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string DecodeHeaderWords(const std::string& mail, const WordConverter& toSjis) {
  const size_t headerEnd = HeaderEnd(mail);
  std::string out;
  out.reserve(mail.size());
  size_t i = 0, afterDecodedWord = std::string::npos;  // where the last decoded word ended in `out`
  while (i < headerEnd) {
    size_t start = mail.find("=?", i);
    if (start == std::string::npos || start >= headerEnd) break;
    // =?charset?e?text?= on one line, without blanks, looked for only as
    // far as a word can reach (so that garbage cannot make this slow).
    std::string_view word(mail.data() + start, std::min(kMaxWordLength, headerEnd - start));
    size_t q1 = word.find('?', 2), q2 = q1 == word.npos ? q1 : word.find('?', q1 + 1);
    size_t end = q2 == word.npos ? q2 : word.find("?=", q2 + 1);
    std::optional<std::string> decoded;
    if (end != word.npos && q1 > 2 && q2 == q1 + 2 && word.find_first_of(" \t\r\n") > end)
      decoded = DecodeWord(std::string(word.substr(2, q1 - 2)), word[q1 + 1],
                           std::string(word.substr(q2 + 1, end - q2 - 1)), toSjis);
    if (!decoded) {
      out.append(mail, i, start + 2 - i);
      i = start + 2;
      afterDecodedWord = std::string::npos;
      continue;
    }
    std::string between = mail.substr(i, start - i);
    bool onlySpace = true;
    for (char c : between) onlySpace = onlySpace && IsFoldingSpace(c);
    if (!(afterDecodedWord == out.size() && onlySpace)) out += between;
    out += *decoded;
    afterDecodedWord = out.size();
    i = start + end + 2;
  }
  out.append(mail, i, std::string::npos);
  return out;
}

}  // namespace tvp
