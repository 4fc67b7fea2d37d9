// Multibyte-aware helpers for Shift-JIS (code page 932) byte strings.
// Every string in the plug-in is Shift-JIS; a trail byte may be 0x5C ('\\')
// or 0x7C ('|'), so no search may start a match on a trail byte.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tvp {

bool IsLeadByte(unsigned char c);

// Byte length of the character that starts at s[i] (1 or 2; 1 at the end).
size_t CharLen(const std::string& s, size_t i);

// First occurrence of pat at or after byte `from`, starting on a character
// boundary; std::string::npos if none. An empty pattern matches at `from`.
size_t Find(const std::string& s, const std::string& pat, size_t from = 0);

// Last occurrence of pat starting on a character boundary; npos if none.
size_t FindLast(const std::string& s, const std::string& pat);

bool Contains(const std::string& s, const std::string& pat);
bool StartsWith(const std::string& s, const std::string& prefix);
bool EndsWith(const std::string& s, const std::string& suffix);

// Replaces every occurrence of `from` (character-boundary matches only).
std::string ReplaceAll(const std::string& s, const std::string& from, const std::string& to);

// ASCII letters only; double-byte characters are left exactly as they are.
std::string LowerAscii(const std::string& s);
std::string UpperAscii(const std::string& s);
bool EqualsNoCase(const std::string& a, const std::string& b);

// Removes leading and trailing bytes <= 0x20 (blanks and control characters).
std::string Trim(const std::string& s);
std::string TrimRight(const std::string& s);

// Splits at CR LF, lone CR or lone LF. A final line break does not add an
// empty last line; an empty text has no lines.
std::vector<std::string> SplitLines(const std::string& s);
// The same lines as views into `s`, which must outlive them.
std::vector<std::string_view> SplitLineViews(std::string_view s);

// Decimal text to integer; `fallback` when the text (after trimming blanks)
// is not a whole decimal number (optional sign) within the int range.
int ToIntDef(const std::string& s, int fallback);

// Directory path with a trailing backslash (a trail byte 0x5C does not count).
std::string IncludeTrailingBackslash(const std::string& path);
std::string ExcludeTrailingBackslash(const std::string& path);
bool EndsWithBackslash(const std::string& path);

}  // namespace tvp
