// The search dialog: the folders to search (one by one from the folder tree
// or as an alias), the search expression with its history, and header
// conditions. Starting the search composes one Namazu expression and stores
// the folder choice and the alias chosen.
#pragma once

#include <string>
#include <vector>

#include "core/mailbox/folder_tree.h"
#include "core/search/search_form.h"
#include "core/settings/aliases.h"
#include "core/settings/settings.h"
#include "plugin/forms/form.h"

namespace tvp {

// Opens the search dialog over `ownerWindow` for the account of `hostWindow`
// with `request`, which is written back when the dialog closes, whatever
// closed it. Returns 1 when the user started the search, else 2.
int ShowSearchDialog(HWND hostWindow, HWND ownerWindow, TTVPSearchInfo& request);

class TfrmSearch : public Form {
 public:
  TfrmSearch(HWND host, HWND owner);
  ~TfrmSearch() override;

  void cboAliasClick();
  void btnEditAliasClick();
  void btnFolderBrowseClick();
  void btnAddClick();
  void btnDeleteClick();
  void btnSearchClick();
  void btnCancelClick();
  void FillAliasList();
  // The folder display and its hint (one title per line).
  void SetFolderNames(const std::string& text);
  std::string FolderHint() const;
  std::vector<THeaderCondition> HeaderRows() const;
  // Which button Enter presses now (btnAdd while a header field has the focus).
  HWND DefaultButton() const { return addIsDefault_ ? btnAdd : btnSearch; }

  HWND grpFolder = nullptr, Label1 = nullptr, cboAlias = nullptr, btnEditAlias = nullptr, edtFolderName = nullptr,
       btnFolderBrowse = nullptr, Label2 = nullptr, cboKeyword = nullptr, grpHeader = nullptr,
       cboHeaderName = nullptr, edtHeaderKeyword = nullptr, btnAdd = nullptr, btnDelete = nullptr,
       lstHeader = nullptr, btnSearch = nullptr, btnCancel = nullptr;

  TTVPSettings settings;
  std::vector<TFolderInfo> folders;
  TTVPAliases aliases;
  std::string currentAlias;  // the alias whose folders are shown; empty when none
  TTVPSearchInfo request;

 protected:
  void OnCommand(int id, int code, HWND control) override;
  void CMShowingChanged() override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  void SetDefaultToAdd(bool add);
  void ReloadAliases();
  static BOOL CALLBACK AddKeyPreview(HWND child, LPARAM form);
  static BOOL CALLBACK RemoveKeyPreview(HWND child, LPARAM);
  static LRESULT CALLBACK KeyPreview(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR form);

  bool addIsDefault_ = false;
  HWND folderTip_ = nullptr;
  std::string folderHint_;
  HBITMAP editAliasPicture_ = nullptr;
};

}  // namespace tvp
