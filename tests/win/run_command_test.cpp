// Starting programs: waiting, capturing into an output window, failures.
#include <gtest/gtest.h>

#include "core/common/sjis.h"
#include "core/indexing/command_output.h"
#include "plugin/console/frm_window.h"
#include "plugin/console/run_command.h"
#include "win/win_support.h"

using namespace tvp;
using namespace tvp::test;

namespace {

std::string Child(const std::string& args) { return "\"" + ProgramDir() + "tvp_child.exe\" " + args; }

class RunCommandTest : public testing::Test {
 protected:
  void SetUp() override {
    window = new TfrmWindow(nullptr);
    window->SetReleaseNotify(&window);
  }
  void TearDown() override {
    if (window) {
      window->edt.finished = 1;
      window->Close();
      for (int i = 0; i < 20 && window; ++i) ProcessMessages();
    }
    delete window;  // only if it never released itself
  }
  std::vector<std::string> Lines() { return SplitLines(window->edt.Text()); }

  RecordingUi ui;
  ScratchDir dir;
  TfrmWindow* window = nullptr;
};

}  // namespace

TEST_F(RunCommandTest, WaitingModesReturnOnlyWhenTheProgramHasEnded) {
  for (int mode : {rmHidden, rmNormal, rmMinimized}) {
    std::string file = dir.path() + "done" + std::to_string(mode);
    RunCommand(Child("touch \"" + file + "\" 300"), dir.path(), mode, nullptr);
    EXPECT_TRUE(FileExists(file)) << "mode " << mode;
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RunCommandTest, AMissingProgramIsReportedWithErrorCode2InEveryMode) {
  std::string missing = "\"" + dir.path() + "nothere.exe\" -x";
  for (int mode : {rmHidden, rmCapture, rmNormal, rmMinimized}) {
    RunCommand(missing, dir.path(), mode, &window->edt);
    ASSERT_EQ(ui.messages.size(), 1u) << "mode " << mode;
    EXPECT_EQ(ui.messages[0].text, "コマンドの実行に失敗しました。\n\n作業ディレクトリ: " + dir.path() +
                                       "\nコマンド: " + missing + "\nエラーコード： 2");
    EXPECT_EQ(window->edt.finished, 1);
    ui.messages.clear();
  }
}

TEST_F(RunCommandTest, UnknownModesDoNothing) {
  std::string file = dir.path() + "never";
  RunCommand(Child("touch \"" + file + "\" 0"), dir.path(), 4, &window->edt);
  RunCommand(Child("touch \"" + file + "\" 0"), dir.path(), -1, &window->edt);
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(window->edt.HasLines());
}

TEST_F(RunCommandTest, CaptureShowsHeaderLinesAndOutputWithATrailingSpace) {
  RunCommand(Child("lines 3"), dir.path(), rmCapture, &window->edt);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"WorkDir: " + dir.path(), "CommandLine: ", Child("lines 3"), "", "",
                                                "line 1 ", "line 2 ", "line 3 ", ""}));
  EXPECT_EQ(window->edt.finished, 1);
}

TEST_F(RunCommandTest, CaptureRunsInTheWorkingDirectoryAndTakesStandardError) {
  RunCommand(Child("cwd"), dir.path(), rmCapture, &window->edt);
  RunCommand(Child("stderr"), dir.path(), rmCapture, &window->edt);
  auto lines = Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), ExcludeTrailingBackslash(dir.path()) + " "), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "to stderr "), lines.end());
}

TEST_F(RunCommandTest, OutputWithoutLineFeedsWaitsForTheLineAndTheTailIsKept) {
  RunCommand(Child("chunks"), dir.path(), rmCapture, &window->edt);
  auto lines = Lines();
  ASSERT_GE(lines.size(), 9u);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 5, lines.end()),
            (std::vector<std::string>{"abcdefghi ", "second line ", "tail without a line feed ", ""}));
}

TEST_F(RunCommandTest, ACommandThatPrintsNothingStillGetsItsHeaderAndAnEmptyLine) {
  RunCommand(Child("silent"), dir.path(), rmCapture, &window->edt);
  EXPECT_EQ(Lines().size(), 6u);
  EXPECT_EQ(Lines().back(), "");
  EXPECT_EQ(window->edt.finished, 1);
}

TEST_F(RunCommandTest, TwoCommandsInOneWindowAreSeparatedByTwoEmptyLines) {
  RunCommand(Child("lines 1"), dir.path(), rmCapture, &window->edt);
  RunCommand(Child("lines 2"), dir.path(), rmCapture, &window->edt);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"WorkDir: " + dir.path(), "CommandLine: ", Child("lines 1"), "", "",
                                                "line 1 ", "", "", "", "WorkDir: " + dir.path(), "CommandLine: ",
                                                Child("lines 2"), "", "", "line 1 ", "line 2 ", ""}));
}

TEST_F(RunCommandTest, ALargeOutputArrivesWhole) {
  RunCommand(Child("lines 20000"), dir.path(), rmCapture, &window->edt);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 5u + 20000u + 1u);
  EXPECT_EQ(lines[5], "line 1 ");
  EXPECT_EQ(lines[5 + 19999], "line 20000 ");
}

// More than the pipe holds and more than the window keeps: what is kept is
// the end of the output, every line in order, and the count adds up.
TEST_F(RunCommandTest, AnOutputLargerThanThePipeAndTheWindowKeepsItsEndInOrder) {
  const int total = 400000;  // about 5 MB
  RunCommand(Child("lines " + std::to_string(total)), dir.path(), rmCapture, &window->edt);
  auto lines = Lines();
  const unsigned long long dropped = window->edt.DroppedLines();
  ASSERT_GT(dropped, 5u);  // the header and the first lines of output
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines.front(), DroppedLinesNotice(dropped));
  EXPECT_EQ(lines.back(), "");
  const int first = total - static_cast<int>(lines.size() - 2) + 1;
  EXPECT_EQ(dropped, 5u + static_cast<unsigned long long>(first - 1));
  for (size_t i = 1; i + 1 < lines.size(); ++i)
    ASSERT_EQ(lines[i], "line " + std::to_string(first + static_cast<int>(i) - 1) + " ") << "line " << i;
}

TEST_F(RunCommandTest, TheOutputWindowClosesOnlyWhenFinishedAndThenReleasesItself) {
  window->Show();
  window->edt.finished = 0;
  EXPECT_FALSE(window->Close());
  EXPECT_TRUE(IsWindowVisible(window->Handle()));
  window->edt.finished = 1;
  EXPECT_TRUE(window->Close());
  for (int i = 0; i < 20 && window; ++i) ProcessMessages();
  EXPECT_EQ(window, nullptr);
}

TEST_F(RunCommandTest, CopyPutsTheSelectionOnTheClipboard) {
  RunCommand(Child("lines 2"), dir.path(), rmCapture, &window->edt);
  // Without a selection the clipboard keeps what it holds.
  ui.clipboard = "kept";
  SendMessageA(window->Handle(), WM_COMMAND, 101, 0);
  EXPECT_EQ(ui.clipboard, "kept");
  window->edt.View().Select(0, static_cast<int>(window->edt.Text().size()));
  SendMessageA(window->Handle(), WM_COMMAND, 101, 0);
  EXPECT_EQ(ui.clipboard, window->edt.Text());
  EXPECT_NE(ui.clipboard.find("line 1 \r\nline 2 \r\n"), std::string::npos);
}

namespace {

// A viewer that fails when the command's output arrives.
class FailingViewer : public OutputViewer {
 public:
  bool HasLines() const override { return false; }
  void AppendLines(const std::vector<std::string>& lines) override {
    if (++calls > 1 && !lines.empty() && lines[0] != "") throw std::bad_alloc();
  }
  void MoveCaretToEnd() override {}
  void RepaintNow() override {}
  void ScrollLines(int) override {}
  int calls = 0;
};

}  // namespace

TEST_F(RunCommandTest, AViewerThatThrowsLeavesTheWindowClosableAndNoHandleOpen) {
  FailingViewer viewer;
  DWORD before = 0, after = 0;
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
  for (int i = 0; i < 5; ++i) {
    viewer.finished = 0;
    EXPECT_THROW(RunCommand(Child("lines 3"), dir.path(), rmCapture, &viewer), std::bad_alloc);
    EXPECT_EQ(viewer.finished, 1);
  }
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
  EXPECT_LE(after, before);
}

// Lines, the caret and a link: the link is underlined and a click opens it.
TEST_F(RunCommandTest, ALinkInTheOutputOpensWithAClick) {
  window->Show();
  window->edt.AppendLines({"mknmz: see http://www.namazu.org/ for help "});
  int pos = static_cast<int>(window->edt.Text().find("namazu.org"));
  const TextStyle* style = window->edt.View().StyleAt(pos);
  ASSERT_NE(style, nullptr);
  EXPECT_TRUE(style->Underline);
  POINT p = window->edt.View().PointAt(pos);
  SendMessageA(window->edt.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x + 1, p.y + 2));
  SendMessageA(window->edt.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x + 1, p.y + 2));
  EXPECT_EQ(ui.opened, std::vector<std::string>{"http://www.namazu.org/"});
  // Plain text opens nothing.
  SendMessageA(window->edt.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageA(window->edt.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(ui.opened.size(), 1u);
}

// The menu asked for from the keyboard (Shift+F10: x and y -1) opens at
// the caret, not at the screen's corner.
TEST_F(RunCommandTest, TheKeyboardPopupMenuOpensAtTheCaret) {
  window->Show();
  window->edt.AppendLines({"line one ", "line two "});
  window->edt.View().SetCaret(12);
  POINT caret = window->edt.View().PointAt(12);
  ClientToScreen(window->edt.Handle(), &caret);
  RECT menu = {-100, -100, -100, -100};
  static RECT* seen;
  seen = &menu;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    if (HWND popup = FindWindowA("#32768", nullptr); popup && IsWindowVisible(popup)) {
      GetWindowRect(popup, seen);
      EndMenu();
    }
  });
  SendMessageA(window->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window->edt.Handle()), MAKELPARAM(-1, -1));
  KillTimer(nullptr, timer);
  EXPECT_EQ(menu.left, caret.x);
  EXPECT_EQ(menu.top, caret.y);
}

// A long run keeps the last few megabytes and says how many lines went.
TEST_F(RunCommandTest, ALongRunKeepsItsLastLinesAndSaysHowManyWereDropped) {
  const std::string line(99, 'x');
  std::vector<std::string> block(1000, line);
  const int blocks = 60;  // 6 MB
  for (int b = 0; b < blocks; ++b) {
    block.back() = "last of block " + std::to_string(b);
    window->edt.AppendLines(block);
    ASSERT_LE(window->edt.Text().size(), OutputView::kLimitBytes);
  }
  std::vector<std::string> lines = Lines();
  unsigned long long dropped = window->edt.DroppedLines();
  ASSERT_GT(dropped, 0u);
  EXPECT_EQ(lines.front(), DroppedLinesNotice(dropped));
  EXPECT_EQ(dropped + lines.size() - 1, static_cast<unsigned long long>(blocks) * 1000);
  EXPECT_EQ(lines.back(), "last of block " + std::to_string(blocks - 1));
  EXPECT_EQ(window->edt.View().LineCount(), static_cast<int>(lines.size()) + 1);
}
