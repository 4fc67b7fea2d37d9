#include "plugin/forms/input_box.h"

#include "plugin/ui/controls.h"

namespace tvp {

TfrmInputQuery::TfrmInputQuery(HWND owner, const std::string& caption, const std::string& prompt,
                               const std::string& value) {
  CreateForm(owner, owner, caption, 320, 124, WS_POPUP | WS_CAPTION | WS_SYSMENU);
  lblPrompt = AddControl("STATIC", prompt, SS_LEFT | SS_NOPREFIX, 8, 8, 304, 44, -1);
  edtValue = AddControl("EDIT", value, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 8, 56, 304, 22, 100,
                        WS_EX_CLIENTEDGE);
  btnOK = AddControl("BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 156, 90, 75, 25, IDOK);
  btnCancel = AddControl("BUTTON", "キャンセル", BS_PUSHBUTTON | WS_TABSTOP, 237, 90, 75, 25, IDCANCEL);
  SetFocus(edtValue);
  SendMessageA(edtValue, EM_SETSEL, 0, -1);
}

void TfrmInputQuery::OnCommand(int id, int code, HWND) {
  if ((id == IDOK || id == IDCANCEL) && code == BN_CLICKED) SetModalResult(id == IDOK ? mrOk : mrCancel);
}

bool InputQuery(HWND owner, const std::string& caption, const std::string& prompt, std::string& value) {
  TfrmInputQuery box(owner, caption, prompt, value);
  CenterForm(box, owner, true);
  if (box.ShowModal() != mrOk) return false;
  value = WindowText(box.edtValue);
  return true;
}

void TfrmInputQuery::CMShowingChanged() { SetFocus(edtValue); }

}  // namespace tvp
