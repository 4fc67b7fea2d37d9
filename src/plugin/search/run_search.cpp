#include "plugin/search/run_search.h"

#include <stdexcept>

#include "core/results/highlight.h"
#include "core/settings/ini.h"
#include "plugin/files/file_utils.h"
#include "plugin/files/win_fs.h"
#include "plugin/console/run_command.h"
#include "plugin/shell/host_api.h"
#include "plugin/ui/guard.h"
#include "plugin/ui/ui_seam.h"

namespace tvp {

const char kSearchingText[] = "検索中.....";

namespace {

struct FileState {
  bool exists = false;
  unsigned long long size = 0;
};

FileState StateOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return {};
  return {true, (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

// Removes the result file of an earlier run. One that is there but cannot
// be removed would be shown again as this run's result if namazu cannot
// write it either: the search stops with the system's reason instead.
void DeleteOldResult(const std::string& resultFile) {
  if (DeleteFileA(resultFile.c_str())) return;
  DWORD code = GetLastError();
  if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND && StateOf(resultFile).exists)
    throw FileError(resultFile, SystemErrorText(code));
}

// The result file rendered into the result box; false when it cannot be read.
bool ShowResult(SearchWindow& window, const std::string& resultFile) {
  std::string raw;
  if (!DiskFileSystem().ReadFile(resultFile, raw)) return false;
  const TTVPSettings& settings = window.Settings();
  window.Result() = RenderResultText(raw, settings, window.Request(), window.Folders(), host::GetMailbox());
  window.Result().Words = SearchWords(window.Request().Keyword);
  window.ResultBox().Show(window.Result(), settings.Color == "1");
  return true;
}

}  // namespace

void WriteNamazuConfig(SearchWindow& window, const std::string& indexRoot) {
  bool namazu13 = IsNamazu13(window.Settings().NamazuVersion);
  std::string account = host::GetAccount(window.HostWindow());
  // [AltURL] is read from the file itself: the settings record does not carry it.
  IniFile settingsFile = ReadIniFile(DiskFileSystem(), SettingsPath(account));
  DiskFileSystem().WriteFile(NamazuConfigPath(indexRoot, namazu13),
                             NamazuConfigText(indexRoot, account, AltUrlValues(settingsFile), namazu13));
}

void RunSearch(SearchWindow& window, const std::string& expression) {
  const TTVPSettings& settings = window.Settings();
  bool namazu13 = IsNamazu13(settings.NamazuVersion);
  std::string indexRoot = IndexRoot(host::GetAccount(window.HostWindow()), settings.IndexDir);
  std::string commandLine =
      NamazuCommandLine(settings, window.MenuState(), indexRoot, expression,
                        IndexList(window.Request(), window.Folders(), indexRoot, namazu13));
  std::string refusal = SearchRefusal(window.Request(), expression);
  if (refusal.empty()) refusal = CommandLineRefusal(commandLine, expression);
  if (refusal.empty()) refusal = QueryLengthRefusal(expression);
  // Nothing indexed yet: say so, rather than that namazurc cannot be written.
  if (refusal.empty() && !DirectoryExists(indexRoot)) refusal = kNoIndexMessage + ("\n" + indexRoot);
  if (!refusal.empty()) {
    ShowError(window.Handle(), refusal);
    return;
  }
  window.Request().Keyword = expression;
  window.SetKeywordHistory(PushHistory(window.KeywordHistory(), expression));
  window.SetKeywordText(expression);
  window.SetSearchEnabled(false);
  window.Result() = TRenderedResult();

  window.ShowResultPage();
  window.ResultBox().SetText(kSearchingText);
  window.ProcessMessages();

  std::string resultFile = ResultFilePath(indexRoot);
  DeleteOldResult(resultFile);
  if (settings.Createnamazurc != "0") WriteNamazuConfig(window, indexRoot);

  window.SetCommandLine(commandLine, indexRoot);
  RunCommand(commandLine, indexRoot, rmHidden, nullptr);

  window.ShowResultPage();
  window.ResultBox().Clear();
  FileState state = StateOf(resultFile);
  std::string problem = ResultFileProblem(state.exists, state.size, resultFile);
  if (!problem.empty()) {
    ShowExclamation(window.Handle(), problem);
  } else {
    if (!ShowResult(window, resultFile)) throw std::runtime_error("検索結果のファイルを読み込めません。\n" + resultFile);
    DeleteFileA(resultFile.c_str());
  }
  window.Request().Keyword.clear();
}

void SearchAndReport(SearchWindow& window, const std::string& expression) {
  Guarded(window.Handle(), [&] { RunSearch(window, expression); });
  window.SetSearchEnabled(true);
  window.Request().Keyword.clear();
}

}  // namespace tvp
