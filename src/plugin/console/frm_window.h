// The output window: a modeless window that shows what console commands
// print while they run. It refuses to close while a command is being
// captured and destroys itself when closed.
#pragma once

#include "plugin/console/output_view.h"
#include "plugin/forms/form.h"

namespace tvp {

class TfrmWindow : public Form {
 public:
  // Owned by `owner` (the host window); caption "DOS画面" until changed.
  explicit TfrmWindow(HWND owner);
  ~TfrmWindow() override;

  // `*ref` is set to nullptr when the window has destroyed itself.
  void SetReleaseNotify(TfrmWindow** ref) { releaseNotify_ = ref; }

  OutputView edt;

 protected:
  bool FormCloseQuery() override;
  void FormClose() override;
  void OnCommand(int id, int code, HWND control) override;
  void OnResize(int width, int height) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  // At a screen point, or at the caret (else the view's corner) when the
  // menu was asked for from the keyboard (x and y -1).
  void pmnuPopup(int x, int y);
  void mnuCopyClick();

  HMENU pmnu_ = nullptr;
  TfrmWindow** releaseNotify_ = nullptr;
};

}  // namespace tvp
