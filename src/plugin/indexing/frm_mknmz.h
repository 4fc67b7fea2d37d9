// The index update dialog: the user ticks mail folders and mknmz rebuilds
// or refreshes the Namazu index of each, one after another.
#pragma once

#include <vector>

#include "core/mailbox/folder_tree.h"
#include "core/settings/settings.h"
#include "plugin/forms/form.h"
#include "plugin/console/frm_window.h"
#include "plugin/ui/controls.h"

namespace tvp {

// Opens the dialog for a host window and runs it until it closes.
void ShowIndexUpdateDialog(HWND host);

class TfrmMknmz : public Form {
 public:
  explicit TfrmMknmz(HWND host);
  ~TfrmMknmz() override;

  void btnSelectAllClick(bool selectAll);  // shared by 全選択 and 全解除
  void lstFolderClickCheck(int item);
  void btnUpdateIndexClick();
  void btnCancelClick();
  void tmrTimer();

  HWND Label1 = nullptr, btnSelectAll = nullptr, btnSelectNone = nullptr, chkRebuild = nullptr,
       chkSaveTarget = nullptr, btnUpdateIndex = nullptr, btnCancel = nullptr, sbrInfo = nullptr;
  CheckList lstFolder;
  TTVPSettings settings;
  std::vector<TFolderInfo> folders;
  TfrmWindow* outputWindow = nullptr;  // created on first need, reused

 protected:
  bool FormCloseQuery() override;
  void FormClose() override;
  void CMShowingChanged() override;
  void OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(NMHDR* header) override;
  void OnTimer(UINT_PTR id) override;

 private:
  void LoadFolders();
  void StoreTargets();
  void CloseOutputWindow();
  void IndexFolder(const TFolderInfo& folder, size_t n, size_t total, const std::string& workDir);
  bool ClearLeftOverLock(const TFolderInfo& folder);
  bool running_ = false;         // an update is running
  bool closeRequested_ = false;  // a close came while it ran
  void RunIndexer(const std::string& commandLine, const std::string& workDir, const std::string& title, size_t n,
                  size_t total);
};

}  // namespace tvp
