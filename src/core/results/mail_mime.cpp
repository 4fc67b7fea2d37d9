#include "core/results/mail_mime.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

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

// Base64 (blanks and line breaks skipped); nothing when a byte is not of it.
std::optional<std::string> DecodeBase64(std::string_view text) {
  static const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  static const std::vector<int> value = [] {
    std::vector<int> v(256, -1);
    for (size_t i = 0; i < digits.size(); ++i) v[static_cast<unsigned char>(digits[i])] = static_cast<int>(i);
    return v;
  }();
  std::string out;
  out.reserve(text.size() / 4 * 3);
  unsigned bits = 0;
  int count = 0;
  size_t padding = 0;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    if (c == '=') {
      ++padding;
      continue;
    }
    int v = value[static_cast<unsigned char>(c)];
    if (v < 0 || padding > 0) return std::nullopt;
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

std::optional<std::string> DecodeQ(std::string_view text) {
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

// A MIME entity split at its first empty line: the header, the empty line's
// line break, the body. Without an empty line all of it is header.
struct Entity {
  std::string_view header, gap, body;
};

Entity SplitEntity(std::string_view text) {
  size_t lineStart = 0;
  while (lineStart < text.size()) {
    if (text[lineStart] == '\r' || text[lineStart] == '\n') {
      size_t gap = text.compare(lineStart, 2, "\r\n") == 0 ? 2 : 1;
      return {text.substr(0, lineStart), text.substr(lineStart, gap), text.substr(lineStart + gap)};
    }
    size_t end = text.find_first_of("\r\n", lineStart);
    if (end == text.npos) break;
    lineStart = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return {text, {}, {}};
}

bool IsFoldingSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Quoted-printable: "=XX" a byte, "=" at a line's end a soft break; any other
// "=" stays as it is.
std::string DecodeQuotedPrintable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '=') {
      out += text[i];
    } else if (text.compare(i + 1, 2, "\r\n") == 0) {
      i += 2;
    } else if (i + 1 < text.size() && text[i + 1] == '\n') {
      i += 1;
    } else if (i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out += '=';
    }
  }
  return out;
}

// Without blanks around it, and without a line break at its end.
std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && IsFoldingSpace(s.back())) s.remove_suffix(1);
  return s;
}

// The value of a header field (folded lines joined), "" when absent.
std::string FieldValue(std::string_view header, const std::string& name) {
  size_t lineStart = 0;
  while (lineStart < header.size()) {
    size_t end = header.find('\n', lineStart);
    if (end == header.npos) end = header.size();
    std::string_view line = header.substr(lineStart, end - lineStart);
    if (line.size() > name.size() && line[name.size()] == ':' &&
        EqualsNoCase(std::string(line.substr(0, name.size())), name)) {
      std::string value(TrimBlanks(line.substr(name.size() + 1)));
      for (size_t next = end + 1; next < header.size() && (header[next] == ' ' || header[next] == '\t');) {
        size_t nextEnd = std::min(header.find('\n', next), header.size());
        value += " " + std::string(TrimBlanks(header.substr(next, nextEnd - next)));
        next = nextEnd + 1;
      }
      return value;
    }
    lineStart = end + 1;
  }
  return "";
}

// A parameter of a field value ("charset" of "text/plain; charset=UTF-8"),
// quotes removed; "" when absent.
std::string Parameter(const std::string& value, const std::string& name) {
  size_t at = 0;
  while ((at = value.find(';', at)) != std::string::npos) {
    ++at;
    std::string_view rest = TrimBlanks(std::string_view(value).substr(at));
    if (rest.size() <= name.size() || rest[name.size()] != '=' ||
        !EqualsNoCase(std::string(rest.substr(0, name.size())), name))
      continue;
    rest.remove_prefix(name.size() + 1);
    if (!rest.empty() && rest.front() == '"') {
      rest.remove_prefix(1);
      return std::string(rest.substr(0, rest.find('"')));
    }
    return std::string(TrimBlanks(rest.substr(0, rest.find(';'))));
  }
  return "";
}

// Multiparts inside multiparts are followed this deep.
constexpr int kMaxDepth = 8;

std::string DecodeBody(std::string_view header, std::string_view body, const WordConverter& toSjis, int depth);

// A part of a multipart: its header words and its body decoded.
std::string DecodePart(std::string_view part, const WordConverter& toSjis, int depth) {
  Entity e = SplitEntity(part);
  std::string out = DecodeHeaderWords(std::string(e.header), toSjis);
  out += e.gap;
  out += DecodeBody(e.header, e.body, toSjis, depth);
  return out;
}

// The parts of a multipart body decoded; the preamble, the delimiter lines
// and the epilogue as they are.
std::string DecodeMultipart(std::string_view body, const std::string& boundary, const WordConverter& toSjis,
                            int depth) {
  const std::string delimiter = "--" + boundary, closing = delimiter + "--";
  std::string out;
  out.reserve(body.size());
  size_t partStart = std::string::npos;  // inside a part: where it began
  for (size_t pos = 0; pos < body.size();) {
    size_t eol = body.find('\n', pos);
    size_t next = eol == body.npos ? body.size() : eol + 1;
    std::string_view line = body.substr(pos, next - pos), bare = TrimBlanks(line);
    bool opens = bare == delimiter, closes = bare == closing;
    if (opens || closes) {
      if (partStart != std::string::npos) out += DecodePart(body.substr(partStart, pos - partStart), toSjis, depth);
      out += line;
      partStart = opens ? next : std::string::npos;
    } else if (partStart == std::string::npos) {
      out += line;
    }
    pos = next;
  }
  if (partStart != std::string::npos && partStart < body.size())
    out += DecodePart(body.substr(partStart), toSjis, depth);
  return out;
}

// A body as text: a text part's transfer encoding and character set
// decoded, a multipart's parts in turn; anything else, and what does not
// decode, as it is.
std::string DecodeBody(std::string_view header, std::string_view body, const WordConverter& toSjis, int depth) {
  const std::string contentType = FieldValue(header, "Content-Type");
  const std::string type = LowerAscii(std::string(TrimBlanks(contentType.substr(0, contentType.find(';')))));
  if (depth < kMaxDepth && type.compare(0, 10, "multipart/") == 0) {
    std::string boundary = Parameter(contentType, "boundary");
    return boundary.empty() ? std::string(body) : DecodeMultipart(body, boundary, toSjis, depth + 1);
  }
  if (!type.empty() && type.compare(0, 5, "text/") != 0) return std::string(body);
  const std::string encoding = LowerAscii(FieldValue(header, "Content-Transfer-Encoding"));
  std::string charset = LowerAscii(Parameter(contentType, "charset"));
  // Unlabelled or ASCII text is taken as ISO-2022-JP, which ASCII also is.
  if (charset.empty() || charset == "us-ascii") charset = "iso-2022-jp";
  std::optional<std::string> bytes;
  if (encoding == "base64") bytes = DecodeBase64(body);
  else if (encoding == "quoted-printable") bytes = DecodeQuotedPrintable(body);
  else if (charset != "iso-2022-jp") bytes = std::string(body);  // 8bit text; JIS text is converted already
  std::optional<std::string> text = bytes ? toSjis(charset, *bytes) : std::nullopt;
  if (!text) return std::string(body);
  for (char& c : *text)
    if (c == '\0') c = ' ';
  // What follows (a delimiter line) keeps its own line.
  if (!body.empty() && body.back() == '\n' && (text->empty() || text->back() != '\n')) *text += "\r\n";
  return *text;
}

}  // namespace

std::string DecodeHeaderWords(const std::string& mail, const WordConverter& toSjis) {
  const size_t headerEnd = SplitEntity(mail).header.size();
  std::string out;
  out.reserve(mail.size());
  size_t i = 0;
  bool afterDecodedWord = false;  // the last thing written is a decoded word
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
      afterDecodedWord = false;
      continue;
    }
    std::string between = mail.substr(i, start - i);
    bool onlySpace = true;
    for (char c : between) onlySpace = onlySpace && IsFoldingSpace(c);
    if (!(afterDecodedWord && onlySpace)) out += between;
    out += *decoded;
    afterDecodedWord = true;
    i = start + end + 2;
  }
  out.append(mail, i, std::string::npos);
  return out;
}

std::string DecodeMailForView(const std::string& mail, const WordConverter& toSjis) {
  Entity e = SplitEntity(mail);
  std::string out = DecodeHeaderWords(std::string(e.header), toSjis);
  out += e.gap;
  out += DecodeBody(e.header, e.body, toSjis, 0);
  return out;
}

}  // namespace tvp
