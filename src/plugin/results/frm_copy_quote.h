// Copy with quotation: the user picks the prefix, the headers to quote and
// whether to append to the clipboard; the defaults live in [QuoteCopy].
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/results/quote_copy.h"
#include "plugin/forms/form.h"

namespace tvp {

// Opens the dialog over `owner` for the lines of a view (`fromMailView`:
// the mail view, else the result view) and its selected text; `host`
// locates the settings file.
void OpenQuoteCopy(HWND host, HWND owner, const std::vector<std::string>& lines, bool fromMailView,
                   const std::string& selectedText);

class TfrmCopyQuote : public Form {
 public:
  TfrmCopyQuote(HWND host, HWND owner, const std::vector<std::string>& lines, bool fromMailView,
                const std::string& selectedText);

  void btnSaveMarkClick();
  void rbtnClick();  // any of the three header choices
  void btnUpClick();
  void btnDownClick();
  void btnDeleteClick();
  void btnGetFromMsgClick();
  void btnOKClick();
  void btnCancelClick() { SetModalResult(mrCancel); }

  // The list: items in order and which are selected.
  std::vector<std::string> HeaderItems() const;
  std::vector<int> SelectedItems() const;  // 0-based, ascending
  void SelectItem(int index, bool selected);
  int CurrentItem() const;
  void SetCurrentItem(int index);

  HWND lblPrefix = nullptr, edtPrefix = nullptr, btnSaveMark = nullptr, grpHeaders = nullptr, rbtnNone = nullptr,
       rbtnAll = nullptr, rbtnSelect = nullptr, lstHeaderList = nullptr, btnUp = nullptr, btnDown = nullptr,
       btnDelete = nullptr, btnGetFromMsg = nullptr, chkAdd = nullptr, btnOK = nullptr, btnCancel = nullptr;
  TQuoteSource source;
  bool fromMailView = false;

 protected:
  void OnCommand(int id, int code, HWND control) override;

 private:
  void LoadDefaults();
  void MoveCurrent(int by);
  THeaderChoice Choice() const;
};

}  // namespace tvp
