// The alias edit dialog: rename an alias, move it to another place in the
// order, or delete it; shows the folders of the alias chosen. Every change is
// written to the settings file at once.
#pragma once

#include <string>
#include <vector>

#include "core/mailbox/folder_tree.h"
#include "core/settings/aliases.h"
#include "plugin/forms/form.h"

namespace tvp {

// Opens the dialog over `owner` with the alias names of the caller, the alias
// at `selected` (-1: none) chosen. True when the stored aliases changed.
bool ShowAliasEditDialog(HWND host, HWND owner, const std::vector<std::string>& names, int selected);

class TfrmAliasSaveAs : public Form {
 public:
  TfrmAliasSaveAs(HWND host, HWND owner);

  void SetNames(const std::vector<std::string>& names);
  void BuildInsertPositions();
  void cboOldAliasNameClick();
  void btnSaveClick();
  void btnDeleteClick();
  void btnCancelClick();

  HWND lblMessage = nullptr, lblOldAlias = nullptr, cboOldAliasName = nullptr, lstFolderNames = nullptr,
       lblNewAlias = nullptr, cboNewAliasName = nullptr, Label1 = nullptr, cboInsertPosition = nullptr,
       btnSave = nullptr, btnDelete = nullptr, btnCancel = nullptr;
  TTVPAliases aliases;
  std::vector<TFolderInfo> folders;
  bool changed = false;

 protected:
  void OnCommand(int id, int code, HWND control) override;
  void CMShowingChanged() override;

 private:
  void ShowFolders(int index);
  // Whether the list on disk is still the one the dialog shows; if not, says
  // so and shows the list on disk instead.
  bool ListUnchangedOnDisk();
  bool Save();
};

}  // namespace tvp
