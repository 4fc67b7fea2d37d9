#include "core/shell/triggers.h"

#include "core/common/sjis.h"

namespace tvp {

const char kPlugName[] = "Tarvik for Namazu";
const char kWhenStartUp[] = "StartUp";
const char kWhenCleanUp[] = "CleanUp";
const char kBindingFailedCaption[] = "プラグインエラー";

bool IsIndexUpdateDue(const TTVPSettings& settings, const std::string& when) {
  return settings.When == when && ToIntDef(settings.NowCountMail, 0) >= ToIntDef(settings.IntervalCountMail, 0);
}

std::string AccountDirOfMail(const std::string& mailPath) {
  size_t at = FindLast(mailPath, "\\Inbox.box\\");
  return at == std::string::npos ? std::string() : mailPath.substr(0, at + 1);
}

std::string BindingFailedMessage() {
  return std::string("プラグイン「") + kPlugName + "」でエラーが発生しました。\r\n" +
         "AL-Mail32とプラグインのバージョンを確認してください";
}

}  // namespace tvp
