// One search of the result window: check the request, remember the
// expression, write Namazu's configuration file, run namazu hidden and put
// its result into the result box.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/mailbox/folder_tree.h"
#include "core/results/render.h"
#include "core/search/search_exec.h"
#include "core/settings/settings.h"
#include "plugin/results/result_view.h"

namespace tvp {

// What a search needs of the result window (TfrmResult implements it).
class SearchWindow {
 public:
  virtual ~SearchWindow() = default;
  virtual HWND Handle() const = 0;      // owner of the message boxes
  virtual HWND HostWindow() const = 0;  // the host window it works for (account directory)
  virtual TTVPSettings& Settings() = 0;
  virtual const std::vector<TFolderInfo>& Folders() const = 0;
  virtual TTVPSearchInfo& Request() = 0;
  // The item list of cboKeyword (the expression history) and its text.
  virtual std::vector<std::string> KeywordHistory() const = 0;
  virtual void SetKeywordHistory(const std::vector<std::string>& items) = 0;
  virtual void SetKeywordText(const std::string& text) = 0;
  virtual void SetSearchEnabled(bool enabled) = 0;  // btnSearch
  // Activates page 0 of pge and gives edtResult the focus.
  virtual void ShowResultPage() = 0;
  virtual ResultView& ResultBox() = 0;  // edtResult
  // Stores CommandLine and WorkDir and enables btnViewCommandLine.
  virtual void SetCommandLine(const std::string& commandLine, const std::string& workDir) = 0;
  // The checked items of the sort, summary and count menus.
  virtual TResultMenuState MenuState() const = 0;
  // The hit table and link map of the last rendering.
  virtual TRenderedResult& Result() = 0;
  // Lets pending window messages run once.
  virtual void ProcessMessages() = 0;
};

extern const char kSearchingText[];  // "検索中....."

// Runs `expression` over the request's folders. A refused search (no
// folder, an empty expression, an expression that cannot be passed or whose
// command line would be too long) shows its message and changes nothing else.
// Otherwise the expression goes to the top of the history, btnSearch is
// disabled (the caller enables it again), namazu runs hidden in the index
// root and its result file is rendered into the result box and deleted;
// a missing or empty result file is reported (an empty one is kept). The
// request's Keyword holds the expression during the run and is empty after
// it. Throws FileError when the configuration file cannot be written or
// the result file of an earlier run cannot be removed (namazu is not run
// then and the box keeps kSearchingText), and runtime_error when the new
// result file exists but cannot be read.
void RunSearch(SearchWindow& window, const std::string& expression);

// Writes "namazurc" (Namazu 2) or "namazu.conf" (1.3) into `indexRoot`
// with the [AltURL] replacements of the account's settings file. Replaces
// the file in one step; throws FileError and leaves an old file as it was.
void WriteNamazuConfig(SearchWindow& window, const std::string& indexRoot);

// How the result window searches (btnSearch, and the menus that search
// again): RunSearch, with whatever it throws shown in an error box with the
// system's text (ReportException); afterwards, whatever happened, btnSearch
// is enabled and the request's Keyword emptied, so that no search stays
// pending.
void SearchAndReport(SearchWindow& window, const std::string& expression);

}  // namespace tvp
