// The actions behind the plug-in's menu commands and entry points. The
// entry points reach them through one table so that the tests of the
// triggers can see which action ran without opening its dialog.
#pragma once

#include <windows.h>

namespace tvp {

struct CommandSet {
  void (*index)(HWND window);   // the index update dialog
  void (*search)(HWND window);  // search dialog, then the result window
  void (*setup)(HWND window);   // the settings dialog
  void (*about)(HWND window);   // the About box
};

CommandSet& Commands();

}  // namespace tvp
