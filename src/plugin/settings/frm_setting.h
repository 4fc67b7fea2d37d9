// The settings dialog: the user-editable settings on six pages, defaults
// for paths and options, and the command-line help of mknmz and namazu in
// an output window.
#pragma once

#include <vector>

#include "core/settings/setting_form.h"
#include "plugin/forms/form.h"
#include "plugin/console/frm_window.h"

namespace tvp {

// Opens the dialog for a host window and runs it until it closes.
void ShowSettingDialog(HWND host);

class TfrmSetting : public Form {
 public:
  // The pages in tab order.
  enum Page { tab1, tab2, tab3, tab4, tab5, TabSheet1, kPageCount };

  explicit TfrmSetting(HWND host);
  ~TfrmSetting() override;

  // Fills the controls from `settings`.
  void LoadControls();
  TSettingFields Fields() const;
  void ShowPage(int page);
  int ActivePage() const;

  void rbtnUpdate1Click(HWND sender);  // shared by the three radio buttons
  void chkShowWindowClick();
  void btnDefaultPathClick();
  void btnDefautOptionClick();
  void btnBrowse1Click();
  void btnBrowse2Click();
  void btnBrowse3Click();
  void btnShowOptionsClick();
  void btnOKClick();
  void btnCancelClick();

  HWND pgeSetting = nullptr;
  // tab1
  HWND grpUpdateIndex = nullptr, rbtnUpdate1 = nullptr, rbtnUpdate2 = nullptr, rbtnUpdate3 = nullptr,
       Label1 = nullptr, edtNumberOfMail = nullptr, UpDown1 = nullptr, Label2 = nullptr, chkForceIndexing = nullptr,
       chkExitIndexingOnFinish = nullptr;
  // tab2
  HWND chkExitSearchOnMailView = nullptr, chkSearchOnChangeSettings = nullptr, chkRenameToFolderName = nullptr,
       chkConfirmCommandLine = nullptr, chkSwitchIME = nullptr, chkHighlightWords = nullptr;
  // tab3
  HWND Label4 = nullptr, edtNamazuOption = nullptr, btnShowOptions = nullptr, Label3 = nullptr,
       edtMknmzOption = nullptr, Label13 = nullptr, cboDateOption = nullptr, btnDefautOption = nullptr,
       grpMknmzMode = nullptr, chkShowWindow = nullptr, chkInDosWindow = nullptr, chkMinimize = nullptr;
  // tab4
  HWND grpMenu = nullptr, Label5 = nullptr, edtIndexingMenu = nullptr, Label6 = nullptr, edtNamazuMenu = nullptr,
       Label7 = nullptr;
  // tab5
  HWND Label8 = nullptr, Label9 = nullptr, edtPerlPath = nullptr, btnBrowse1 = nullptr, Label10 = nullptr,
       edtMknmzPath = nullptr, btnBrowse2 = nullptr, Label11 = nullptr, edtNamazuPath = nullptr,
       btnBrowse3 = nullptr, btnDefaultPath = nullptr;
  // TabSheet1
  HWND chkUseTempDirectory = nullptr, chkDontCreateNamazurc = nullptr;
  HWND btnOK = nullptr, btnCancel = nullptr;

  TTVPSettings settings;
  TfrmWindow* helpWindow = nullptr;  // the command-line help, while it is open

 protected:
  bool FormCloseQuery() override;
  void CMShowingChanged() override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(NMHDR* header) override;

 private:
  HWND AddPageControl(Page page, const char* className, const std::string& text, DWORD style, int x, int y, int w,
                      int h, int id = -1);
  void Browse(HWND field, const std::string& loaded, const char* filter);
  void CloseWith(int result);
  void CloseHelpWindow();

  std::vector<HWND> pages_[kPageCount];
  HWND activeControl_ = nullptr;  // focused when the dialog shows
  HBRUSH pageBrush_ = nullptr;    // the tab control's page colour
  bool helpRunning_ = false;  // a help command writes into the help window
  int deferredResult_ = mrNone;  // how to close once it has finished
};

}  // namespace tvp
