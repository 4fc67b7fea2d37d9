// Windows command lines: how a program's C runtime splits its command line
// into arguments, and how to quote one argument so that it comes back from
// that split exactly as it was. Shift-JIS aware: a trail byte 0x5C is part
// of its character, never a backslash, as for the multibyte C runtime.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tvp {

// The longest command line CreateProcess takes, in characters (32767
// including the terminating null).
constexpr size_t kMaxCommandLineChars = 32766;

// Characters of a Shift-JIS text (a lead byte and its trail count once).
size_t CharCount(const std::string& s);

// True when `arg` can be handed over on a command line at all: no NUL byte,
// and every lead byte followed by a valid trail byte (40-7E, 80-FC). Other
// bytes after a lead byte are split differently by different runtimes.
bool IsPassableArgument(const std::string& arg);

// `arg` between double quotes; a double quote inside becomes \", and
// backslashes directly before a double quote or before the closing quote
// are doubled. Only for passable arguments.
std::string QuoteArgument(const std::string& arg);

// The arguments of a command line after the program name, split as the
// C runtime does: blanks and tabs separate outside double quotes; 2n
// backslashes before a double quote give n backslashes and the quote opens
// or closes, 2n+1 give n backslashes and a literal quote; "" inside quotes
// is a literal quote; other backslashes are literal; a lead byte takes the
// next byte with it.
std::vector<std::string> SplitArguments(const std::string& args);

}  // namespace tvp
