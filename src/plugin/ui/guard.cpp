#include "plugin/ui/guard.h"

#include <exception>
#include <new>
#include <stdexcept>

#include "core/common/filesys.h"
#include "plugin/ui/ui_seam.h"

namespace tvp {

void ReportException(HWND owner) {
  std::string text;
  try {
    throw;
  } catch (const FileReadError& e) {
    text = "ファイル「" + e.path() + "」を読み込めません。\n" + e.reason();
  } catch (const FileError& e) {
    text = "ファイル「" + e.path() + "」に書き込めません。\n" + e.reason();
  } catch (const std::bad_alloc&) {
    text = "メモリが足りません。";
  } catch (const std::runtime_error& e) {
    text = e.what();  // the plug-in's own failures, in its own words
  } catch (...) {
    text = "予期しないエラーが発生しました。";
  }
  try {
    ShowError(owner, text);
  } catch (...) {
  }
}

}  // namespace tvp
