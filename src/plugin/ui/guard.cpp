#include "plugin/ui/guard.h"

#include <exception>

#include "core/common/filesys.h"
#include "plugin/ui/ui_seam.h"

namespace tvp {

void ReportException(HWND owner) {
  std::string text;
  try {
    throw;
  } catch (const FileError& e) {
    text = "ファイル「" + e.path() + "」に書き込めません。\n" + e.reason();
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
    text = "予期しないエラーが発生しました。";
  }
  try {
    ShowError(owner, text);
  } catch (...) {
  }
}

}  // namespace tvp
