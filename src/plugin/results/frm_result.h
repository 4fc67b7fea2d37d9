// The result window: runs the search it was opened with, shows the hits on
// its first page and a hit's mail on its second, moves between them, opens
// mails in the host, copies text (plain or quoted), and keeps its menus,
// fonts, position and size in the settings.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/results/highlight.h"
#include "core/results/result_window.h"
#include "plugin/forms/form.h"
#include "plugin/results/result_view.h"
#include "plugin/search/run_search.h"

namespace tvp {

// Opens the result window for a host window and a filled search request;
// returns when it has closed (its modal result).
int OpenResultWindow(HWND host, const TTVPSearchInfo& request);

// The search command of the host menu: the search dialog, then, on OK, the
// result window with the request the dialog filled.
void SearchCommand(HWND host);

class TfrmResult : public Form, public SearchWindow {
 public:
  // Creates the window for `host` with its settings, folders, menus,
  // fonts, history, size and place (not shown yet).
  explicit TfrmResult(HWND host);
  ~TfrmResult() override;

  // ---- SearchWindow ----
  HWND Handle() const override { return Form::Handle(); }
  HWND HostWindow() const override { return Tag(); }
  TTVPSettings& Settings() override { return settings; }
  const std::vector<TFolderInfo>& Folders() const override { return folders; }
  TTVPSearchInfo& Request() override { return request; }
  std::vector<std::string> KeywordHistory() const override;
  void SetKeywordHistory(const std::vector<std::string>& items) override;
  void SetKeywordText(const std::string& text) override;
  void SetSearchEnabled(bool enabled) override;
  void ShowResultPage() override;
  ResultView& ResultBox() override { return edtResult; }
  void SetCommandLine(const std::string& commandLine, const std::string& workDir) override;
  TResultMenuState MenuState() const override;
  TRenderedResult& Result() override { return result; }
  void ProcessMessages() override;

  // ---- handlers ----
  void FormActivate();
  void cboKeywordEnter();  // the input method opens when SwitchIME is "1"
  void btnSearchClick();
  void btnSetCriteriaClick();
  void btnViewCommandLineClick();
  void btnCloseClick() { Close(); }
  void btnMailView1Click();  // Shift+Enter in the result view
  void btnMailViewClick();   // Shift+Enter in the mail view
  void btnPreviousClick() { ShowMail(CurrentHit - 1); }
  void btnNextClick() { ShowMail(CurrentHit + 1); }
  void mnuSortClick(TSortItem item);
  void mnuSortDirectionClick(bool ascend);
  void mnuContentsClick(bool off);
  void mnuListCountClick(TListCountItem item);
  void mnuSettingColorClick();
  void mnuSettingHighlightClick();
  void mnuSettingSavePositionClick();
  void mnuSettingSaveSizeClick();
  void mnuSettingFontClick(bool mailView);
  void mnuHelpNamazuClick();
  void mnuHelpAboutClick();
  void mnuConvertClick(bool jisToSjis);
  void EditCopyExecute();
  void EditCopyQuoteExecute();
  void tmrTimer();
  // Keys of the views: a key pressed (Enter, Backspace, Ctrl+C) or a
  // character typed (n, p, blank); true when the view must not see it.
  bool edtResultKeyDown(WPARAM key);
  bool edtResultKeyPress(char key);
  bool edtMailKeyDown(WPARAM key);
  bool edtMailKeyPress(char key);
  void edtResultScroll();  // marks the vanished mails of the hits that came into view
  void edtResultMouseMove(POINT client);
  bool edtResultMouseDown();

  // ---- the reading side ----
  void ShowHitAt(int pos);
  void ShowMail(int i);
  void OpenMailInHost();
  // Looks for the mail file `path` of hit i and marks the hit as found or
  // vanished; true when it is there.
  bool CheckMail(int i, const std::string& path);
  // CheckMail, and when the file is gone the user is told which one.
  bool MailIsThere(int i, const std::string& path);
  // F3 (forward) and Shift+F3: the caret to the next lit word.
  void FindNextWord(bool forward);
  void PageDown(TextView& view);
  void PageUp(TextView& view);
  // Keys both views share: Backspace pages up, Esc closes, Ctrl+C and Ctrl+Shift+C copy.
  bool ViewKeyDown(TextView& view, WPARAM key);
  int ActivePage() const;
  void ActivatePage(int page);
  // Enabling of the four copy items for the view that has the focus.
  void UpdateEditItems();

  // ---- controls (captions as the user sees them) ----
  HWND lblKeyword = nullptr, cboKeyword = nullptr, btnSearch = nullptr, pge = nullptr;
  HWND btnMailView1 = nullptr, lblResultKeys = nullptr;                     // page 0
  HWND pnlSubject = nullptr, btnPrevious = nullptr, btnNext = nullptr, btnMailView = nullptr,
       lblMailKeys = nullptr;                                               // page 1
  HWND btnViewCommandLine = nullptr, btnSetCriteria = nullptr, btnClose = nullptr;
  ResultView edtResult;
  TextView edtMail;
  HMENU menuBar = nullptr, popEdit = nullptr;

  // ---- state ----
  TTVPSettings settings;
  TTVPSearchInfo request;
  std::vector<TFolderInfo> folders;
  TRenderedResult result;
  int CurrentHit = -1;
  int HoverPos = 0;
  std::string CommandLine, WorkDir, CurrentMailPath;
  TSortMenu sortMenu;
  bool contentsOff = false, noColour = false, savePosition = false, saveSize = false, convertJis = true;
  bool highlightWords = true;
  std::vector<TextRange> Highlights;  // the lit words of the mail shown
  TListCountItem listCount = TListCountItem::Twenty;

 protected:
  bool FormCloseQuery() override;
  void CMShowingChanged() override;
  void OnCommand(int id, int code, HWND control) override;
  void OnTimer(UINT_PTR id) override;
  void OnResize(int width, int height) override;
  LRESULT OnNotify(NMHDR* header) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  void CreateControls();
  void CreateMenus();
  void ApplySettings();  // menus, history and the command-line button from `settings`
  void PlaceOver(HWND host);
  void ShowPage(int page);
  void UpdateMenus();  // check and enable the items from the state above
  void Layout(int width, int height);
  void SearchAfterMenuChange();
  void OpenMailOfHit(int i);
  void OnEnter();  // Enter (IDOK) for the control that has the focus
  bool SelectionInResult() const;

  HFONT resultFont_ = nullptr, mailFont_ = nullptr;
  bool hoverLink_ = false;
  bool inCriteriaDialog_ = false;
  bool timerOn_ = false;
};

}  // namespace tvp
