// Shared helpers of the Windows tests: a seam that records message boxes and
// answers them, a scratch account directory, and file helpers.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "plugin/ui/ui_seam.h"

namespace tvp::test {

struct ShownMessage {
  HWND owner;
  std::string text, caption;
  UINT flags;
};

class RecordingUi : public UiSeam {
 public:
  RecordingUi() { SetUi(this); }
  ~RecordingUi() override { SetUi(nullptr); }
  int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) override {
    messages.push_back({owner, text, caption, flags});
    if (answers.empty()) return IDOK;
    int a = answers.front();
    answers.pop_front();
    return a;
  }
  bool SetClipboardText(HWND, const std::string& text) override {
    clipboard = text;
    return true;
  }
  std::vector<ShownMessage> messages;
  std::deque<int> answers;
  std::string clipboard;
};

// A fresh directory under the temporary directory, removed with its contents.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  const std::string& path() const { return path_; }  // ends in a backslash

 private:
  std::string path_;
};

std::string ReadFileText(const std::string& path);
// The path without its trailing backslash.
std::string ExcludeTrailing(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);
void RemoveTree(const std::string& dir);
// Directory of the running test program, with a trailing backslash.
std::string ProgramDir();
// The project's source tree (tests run with it as their working directory).
std::string SourceDir();

}  // namespace tvp::test
