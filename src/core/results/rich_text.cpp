#include "core/results/rich_text.h"

#include "core/common/sjis.h"
#include "core/results/text_positions.h"

namespace tvp {

namespace {

// No font and no \plain: the text keeps the control's default format (the
// view's font) and gets only the colours and effects of the styles.
const char kHeader[] =
    "{\\rtf1\\ansi\\ansicpg932"
    "{\\colortbl ;\\red0\\green0\\blue255;\\red0\\green128\\blue128;}"
    "\\uc1 ";

void AppendHex(std::string& out, unsigned char c) {
  static const char kDigits[] = "0123456789abcdef";
  out += "\\'";
  out += kDigits[c >> 4];
  out += kDigits[c & 15];
}

void AppendChar(std::string& out, const std::string& text, size_t i, size_t len) {
  unsigned char c = text[i];
  if (len == 2 && c == '\r') {
    out += "\\par\n";
  } else if (len == 2) {
    AppendHex(out, c);
    AppendHex(out, static_cast<unsigned char>(text[i + 1]));
  } else if (c == '\r' || c == '\n') {
    out += "\\par\n";
  } else if (c == '\t') {
    out += "\\tab ";
  } else if (c < 0x20 || c == 0x7F) {
    out += ' ';
  } else if (c == '\\' || c == '{' || c == '}') {
    out += '\\';
    out += static_cast<char>(c);
  } else if (IsLeadByte(c)) {
    out += '?';  // the control would take the next byte with it
  } else if (c >= 0x80) {
    AppendHex(out, c);
  } else {
    out += static_cast<char>(c);
  }
}

const char* GroupStart(TStyleKind kind) { return kind == TStyleKind::Title ? "{\\cf1\\b\\ul " : "{\\cf2 "; }

}  // namespace

std::string RichText(const std::string& text, const std::vector<TStyleRange>& styles) {
  std::string out = kHeader;
  out.reserve(text.size() * 2 + styles.size() * 16 + sizeof kHeader);
  size_t next = 0;  // first style not yet opened
  size_t end = 0;   // end of the open style's range
  bool open = false;
  for (size_t i = 0; i < text.size();) {
    if (open && i >= end) {
      out += '}';
      open = false;
    }
    while (!open && next < styles.size() &&
           static_cast<size_t>(styles[next].Start) + static_cast<size_t>(styles[next].Length) <= i)
      ++next;  // empty, or (against the contract) already passed
    if (!open && next < styles.size() && static_cast<size_t>(styles[next].Start) <= i) {
      out += GroupStart(styles[next].Kind);
      end = static_cast<size_t>(styles[next].Start) + static_cast<size_t>(styles[next].Length);
      open = true;
      ++next;
    }
    size_t len = ViewCharLen(text, i);
    AppendChar(out, text, i, len);
    i += len;
  }
  if (open) out += '}';
  // A stream-in that replaces the whole text takes its last paragraph mark
  // for the end of the document: one more keeps the text's own last break.
  return out + "\\par}";
}

}  // namespace tvp
