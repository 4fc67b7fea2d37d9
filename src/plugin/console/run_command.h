// The one way the plug-in starts external programs.
#pragma once

#include <string>

#include "plugin/console/output_viewer.h"

namespace tvp {

enum RunMode { rmHidden = 0, rmCapture = 1, rmNormal = 2, rmMinimized = 3 };

// Runs `commandLine` in `workDir` and waits for it. rmCapture writes the
// command's standard output and error into `viewer` as it arrives, keeping
// the windows alive meanwhile; the other modes ignore the viewer. A program
// that cannot be started is reported in a message box. Other modes do nothing.
void RunCommand(const std::string& commandLine, const std::string& workDir, int mode, OutputViewer* viewer);

}  // namespace tvp
