// A mail's MIME as the mail view shows it: decoded, so that the sender, the
// subject and a text sent in base64 or UTF-8 can be read.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tvp {

// The bytes of an encoded word in `charset` (lower case, without a language
// suffix) as Shift-JIS text; nothing when the character set is not known.
using WordConverter = std::function<std::optional<std::string>(const std::string& charset, const std::string& bytes)>;

// The mail (Shift-JIS) with the encoded words of its header (the lines
// before the first empty line) decoded: B and Q encodings, US-ASCII here and
// every other character set through `toSjis`. Words that do not decode, or
// of a character set that `toSjis` does not know, stay as written. Blanks and
// line folds between two decoded words go (they belong to no word); control
// characters that a word decodes to become blanks. The body is left exactly
// as it is.
std::string DecodeHeaderWords(const std::string& mail, const WordConverter& toSjis);

// The mail (Shift-JIS) as text: its header words decoded (see above), and a
// text body's transfer encoding (base64, quoted-printable) and character set
// (through `toSjis`; an unlabelled or US-ASCII text is taken as ISO-2022-JP,
// 7-bit or 8-bit ISO-2022-JP text as already converted) decoded. The parts of
// a multipart body get the same, each after its own header; the delimiter
// lines, the preamble and the epilogue stay, and so do parts that are not
// text (attachments) and whatever does not decode. NUL bytes become blanks.
std::string DecodeMailForView(const std::string& mail, const WordConverter& toSjis);

}  // namespace tvp
