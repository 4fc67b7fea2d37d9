// A mail in the mail view: where its body starts, and the text of the copy
// commands.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tvp {

// The first non-empty line after the first empty line (the line count when
// only empty lines follow); -1 when the mail has no empty line.
int BodyStartLine(const std::vector<std::string_view>& lines);

// The whole mail for the clipboard: every line followed by CR LF.
std::string WholeMailText(const std::vector<std::string_view>& lines);

// The body for the clipboard: the lines after the first empty line, each
// followed by CR LF, and one CR more when the last of them is not empty.
// A mail without an empty line has no body: the text is empty.
std::string BodyOnlyText(const std::vector<std::string_view>& lines);

// The name by which the host opens a mail: its full path without as many
// leading characters as the mailbox root has, and without its extension
// (C:\Mail\inbox.box\12.alm under C:\Mail\ -> inbox.box\12).
std::string MailNameForHost(const std::string& mailPath, const std::string& mailboxRoot);

}  // namespace tvp
