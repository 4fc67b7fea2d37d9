// The folder selection dialog: the account's folders as a tree with a check
// box at every mail folder (containers and the account have none); the ticked folders become the folders to search
// and can be stored as an alias.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "core/mailbox/folder_tree.h"
#include "core/search/search_exec.h"
#include "plugin/forms/form.h"

namespace tvp {

// Opens the dialog over `owner` with `folders` (the search dialog's list) and
// the folders of `request` ticked. Returns 1 (OK) or 2; after OK `chosen`
// holds the ticked folders' positions in tree order.
int ShowSelSearchFolders(HWND host, HWND owner, const std::vector<TFolderInfo>& folders,
                         const TTVPSearchInfo& request, std::vector<int>& chosen);

class TfrmSelSearchFolders : public Form {
 public:
  TfrmSelSearchFolders(HWND host, HWND owner);
  ~TfrmSelSearchFolders() override;

  // Builds the tree under the account title with the request's folders ticked.
  void LoadTree(const std::vector<TFolderInfo>& folders, const TTVPSearchInfo& request);
  void ShowSelCount();
  void SelectItems();  // the Space command on the selected item
  void ExpandTree();   // "*": the selected item and everything below it
  void btnResetClick();
  void btnSaveAliasClick();
  // Folder positions of the ticked items in tree order.
  std::vector<int> CheckedFolders() const;
  // Tree items in flat order (parents before their children), root first.
  std::vector<HTREEITEM> Items() const;
  int FolderOf(HTREEITEM item) const;  // -1 for the root
  bool HasCheckBox(HTREEITEM item) const;
  bool Checked(HTREEITEM item) const;
  void SetChecked(HTREEITEM item, bool checked);

  HWND Label1 = nullptr, lblSelCount = nullptr, btnReset = nullptr, btnSaveAlias = nullptr, eltFolder = nullptr,
       btnOK = nullptr, btnCancel = nullptr;
  HMENU pmnuTree = nullptr;  // items mnuExpandTree, mnuSelectItems

 protected:
  void OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void CMShowingChanged() override;

 private:
  static LRESULT CALLBACK TreeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  LRESULT TreeMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled);
  int Depth(HTREEITEM item) const;
  HIMAGELIST checkImages_ = nullptr;
};

}  // namespace tvp
