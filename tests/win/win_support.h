// Shared helpers of the Windows tests: a seam that records message boxes and
// answers them, a scratch account directory, and file helpers.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "plugin/forms/form.h"
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
  bool GetClipboardText(HWND, std::string& text) override {
    text = clipboard;
    return clipboardHoldsText;
  }
  // The font dialog: records its preset and answers with `fontAnswer` (or cancels).
  bool PickFont(HWND, std::string& name, int& points, bool& bold) override {
    fontPresets.push_back({name, points, bold});
    if (!fontAnswer.confirmed) return false;
    name = fontAnswer.name;
    points = fontAnswer.points;
    bold = fontAnswer.bold;
    return true;
  }
  void OpenWithShell(const std::string& target) override { opened.push_back(target); }
  bool ShiftHeld() override { return shiftHeld; }
  void Beep() override { ++beeps; }
  int beeps = 0;
  std::string OpenFileName(HWND owner, const std::string& initialDir, const std::string& fileName,
                           const std::string& filter) override {
    fileDialogs.push_back({owner, initialDir, fileName, filter});
    return fileChoice;
  }
  struct FileDialog {
    HWND owner;
    std::string initialDir, fileName, filter;
  };
  std::vector<FileDialog> fileDialogs;
  std::string fileChoice;  // the file-open dialog's answer; empty: cancelled
  std::vector<std::string> opened;
  bool shiftHeld = false;
  std::vector<ShownMessage> messages;
  std::deque<int> answers;
  std::string clipboard;
  bool clipboardHoldsText = true;
  struct Font {
    std::string name;
    int points;
    bool bold;
    bool confirmed = true;
  };
  std::vector<Font> fontPresets;
  Font fontAnswer = {"ＭＳ 明朝", 12, true, false};
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

// Copies a directory tree.
void CopyTree(const std::string& from, const std::string& to);
std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);
void RemoveTree(const std::string& dir);
// Directory of the running test program, with a trailing backslash.
std::string ProgramDir();
// The project's source tree (tests run with it as their working directory).
std::string SourceDir();

// The Namazu bridge of the test build: perl.exe and namazu.exe run Debian's
// mknmz and namazu (directory with a trailing backslash).
std::string ShimDir();
// The short (8.3) form of a path.
std::string ShortPath(const std::string& path);
// Runs a command line in a directory with standard output and standard error
// captured through an anonymous pipe; the exit code, or -1 if it did not start.
int RunCaptured(const std::string& commandLine, const std::string& dir, std::string* output);

// Calls `open`, which runs a modal form, and `drive` on that form once its
// modal loop runs (not before `delayMs`, and never while the form is still
// being shown). A form still open after `timeoutMs` is closed and the result
// says so (false). A form that closes before its loop runs is never driven.
bool WhileModal(const std::function<void()>& open, const std::function<void(tvp::Form&)>& drive,
                unsigned delayMs = 50, unsigned timeoutMs = 20000);

}  // namespace tvp::test
