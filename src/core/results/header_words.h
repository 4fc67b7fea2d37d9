// The MIME encoded words of a mail's header ("=?ISO-2022-JP?B?...?="), as
// the mail view shows them: decoded, so that the sender and the subject can
// be read.
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

}  // namespace tvp
