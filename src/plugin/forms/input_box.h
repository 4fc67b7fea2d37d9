// A small modal input form: a prompt, one line of text, OK and Cancel.
#pragma once

#include <string>

#include "plugin/forms/form.h"

namespace tvp {

class TfrmInputQuery : public Form {
 public:
  TfrmInputQuery(HWND owner, const std::string& caption, const std::string& prompt, const std::string& value);
  HWND lblPrompt = nullptr, edtValue = nullptr, btnOK = nullptr, btnCancel = nullptr;

 protected:
  void OnCommand(int id, int code, HWND control) override;
  void CMShowingChanged() override;
};

// Asks for a line of text over `owner`; false after Cancel. `value` is the
// default on entry and the text typed on return.
bool InputQuery(HWND owner, const std::string& caption, const std::string& prompt, std::string& value);

}  // namespace tvp
