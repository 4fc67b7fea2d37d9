#include "core/results/rich_text.h"

#include <cstring>

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
const char kTitleStart[] = "{\\cf1\\b\\ul ";
const char kPathStart[] = "{\\cf2 ";
// A stream-in that replaces the whole text takes its last paragraph mark for
// the end of the document: one more keeps the text's own last break.
const char kTrailer[] = "\\par}";
constexpr size_t kMostPerByte = 5;  // "\par\n" for a lone CR, "\tab " for a tab

// Writes into a buffer sized for the worst case.
class Writer {
 public:
  explicit Writer(char* at) : at_(at) {}
  char* at() const { return at_; }
  void Put(char c) { *at_++ = c; }
  template <size_t N>
  void Put(const char (&s)[N]) {
    std::memcpy(at_, s, N - 1);
    at_ += N - 1;
  }
  void Hex(unsigned char c) {
    static const char kDigits[] = "0123456789abcdef";
    at_[0] = '\\';
    at_[1] = '\'';
    at_[2] = kDigits[c >> 4];
    at_[3] = kDigits[c & 15];
    at_ += 4;
  }

 private:
  char* at_;
};

void PutChar(Writer& out, const std::string& text, size_t i, size_t len) {
  unsigned char c = text[i];
  if (c == '\r' || c == '\n') {
    out.Put("\\par\n");
  } else if (len == 2) {
    out.Hex(c);
    out.Hex(static_cast<unsigned char>(text[i + 1]));
  } else if (c == '\t') {
    out.Put("\\tab ");
  } else if (c < 0x20 || c == 0x7F) {
    out.Put(' ');
  } else if (c == '\\' || c == '{' || c == '}') {
    out.Put('\\');
    out.Put(static_cast<char>(c));
  } else if (IsLeadByte(c)) {
    out.Put('?');  // the control would take the next byte with it
  } else if (c >= 0x80) {
    out.Hex(c);
  } else {
    out.Put(static_cast<char>(c));
  }
}

}  // namespace

std::string RichText(const std::string& text, const std::vector<TStyleRange>& styles) {
  std::string rtf(sizeof kHeader + text.size() * kMostPerByte + styles.size() * (sizeof kTitleStart + 1) +
                      sizeof kTrailer,
                  '\0');
  Writer out(&rtf[0]);
  out.Put(kHeader);
  size_t next = 0;  // first style not yet opened
  size_t end = 0;   // end of the open style's range
  bool open = false;
  for (size_t i = 0; i < text.size();) {
    if (open && i >= end) {
      out.Put('}');
      open = false;
    }
    while (!open && next < styles.size() &&
           static_cast<size_t>(styles[next].Start) + static_cast<size_t>(styles[next].Length) <= i)
      ++next;  // empty, or (against the contract) already passed
    if (!open && next < styles.size() && static_cast<size_t>(styles[next].Start) <= i) {
      if (styles[next].Kind == TStyleKind::Title) out.Put(kTitleStart);
      else out.Put(kPathStart);
      end = static_cast<size_t>(styles[next].Start) + static_cast<size_t>(styles[next].Length);
      open = true;
      ++next;
    }
    size_t len = ViewCharLen(text, i);
    PutChar(out, text, i, len);
    i += len;
  }
  if (open) out.Put('}');
  out.Put(kTrailer);
  rtf.resize(static_cast<size_t>(out.at() - rtf.data()));
  return rtf;
}

}  // namespace tvp
