// The MIME encoded words of a mail's header ("=?ISO-2022-JP?B?...?="), as
// the mail view shows them: decoded, so that the sender and the subject can
// be read.
#pragma once

#include <string>

namespace tvp {

// The mail with the encoded words of its header (the lines before the first
// empty line) decoded into the mail's own bytes: ISO-2022-JP words become
// JIS text ending in ASCII, for the conversion to Shift-JIS that follows;
// US-ASCII words become their text. Words of other character sets, and
// words that do not decode, stay as written. Blanks and line folds between
// two decoded words go (they belong to no word); control characters that a
// word decodes to become blanks. The body is left exactly as it is.
std::string DecodeHeaderWords(const std::string& mail);

}  // namespace tvp
