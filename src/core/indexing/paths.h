// Conversions between file paths and the links of Namazu's result text,
// and small path searches. Positions are 1-based; every search skips
// Shift-JIS trail bytes, so "表" (95 5C) never counts as a backslash.
#pragma once

#include <string>

namespace tvp {

// A link of the result text to a path: "http://", "ftp://", "gopher://" and
// "telnet://" links come back unchanged; otherwise a leading "file://" goes,
// "/" becomes "\", "|" becomes ":", and one leading backslash is dropped
// (file:///C|/mail/a.txt -> C:\mail\a.txt).
std::string UrlToPath(const std::string& url);

// A path to the link form Namazu writes: "/" in front, the part before the
// first ":" upper-cased, ":" -> "|", "\" -> "/" (c:\mail -> /C|/mail).
std::string PathToUrl(const std::string& path);

// Position of the last occurrence of sub in text; 0 if none (and for an
// empty sub).
int LastPos(const std::string& text, const std::string& sub);

// The path up to and including the last "\" or "/" before its last
// character: the parent of a directory path that ends in a backslash.
// Empty if there is none.
std::string ParentDir(const std::string& path);

// The directory part of a file path: the text before its last "\" or ":",
// without a trailing backslash except for a root ("C:\", "\");
// C:\namazu\bin\mknmz -> C:\namazu\bin, C:\perl.exe -> C:\, C:perl -> C:.
// Empty when there is no delimiter.
std::string ExtractFileDir(const std::string& path);

}  // namespace tvp
