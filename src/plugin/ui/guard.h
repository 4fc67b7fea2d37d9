// No C++ exception may leave an export, a menu callback or a window
// procedure: the host is not C++. Guarded runs an action and shows what
// escaped it in an error box over `owner`.
#pragma once

#include <windows.h>

#include <string>

namespace tvp {

void ReportException(HWND owner);  // call inside a catch block

template <typename Action>
void Guarded(HWND owner, Action action) noexcept {
  try {
    action();
  } catch (...) {
    ReportException(owner);
  }
}

}  // namespace tvp
