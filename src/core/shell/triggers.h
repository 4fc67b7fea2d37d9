// Decisions of the plug-in's entry points that need no window.
#pragma once

#include <string>

#include "core/settings/settings.h"

namespace tvp {

extern const char kPlugName[];    // "Tarvik for Namazu"
extern const char kWhenStartUp[];  // "StartUp"
extern const char kWhenCleanUp[];  // "CleanUp"
constexpr int kFolderMenuId = 101;

// True when `When` is exactly `when` and the received-mail counter has
// reached the interval (text that is not a number counts as 0).
bool IsIndexUpdateDue(const TTVPSettings& settings, const std::string& when);

// The account directory of a received mail: the path up to and including
// the backslash that opens its last "\Inbox.box\" (exact case). Empty when
// the path holds no such part.
std::string AccountDirOfMail(const std::string& mailPath);

// Text of the message shown when the host lacks one of its functions.
std::string BindingFailedMessage();
extern const char kBindingFailedCaption[];  // "プラグインエラー"

}  // namespace tvp
