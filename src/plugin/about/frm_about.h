// The About box: the plug-in's name and version, its logo, and a menu of
// links to its user guide and to Namazu's pages.
#pragma once

#include <string>

#include "plugin/forms/form.h"

namespace tvp {

// Shows the About box modally, centred over `window` (not kept on the screen).
void ShowAboutBox(HWND window);

// The target of link menu item `tag` (1 to 4): the plug-in's user guide
// "tarvikp.txt" beside the DLL, or one of Namazu's web pages.
std::string LinkTarget(int tag);

class TfrmAbout : public Form {
 public:
  explicit TfrmAbout(HWND owner);
  ~TfrmAbout() override;

  void btnHomepageClick();
  void mnuWebPageClick(int tag);  // all four link items
  // Pops the link menu up; the item chosen, 0 for none. (Tests answer the menu.)
  static int (*TrackLinkMenu)(HMENU menu, int x, int y, HWND owner);

  HWND Image1 = nullptr, Label1 = nullptr, Label2 = nullptr, btnOK = nullptr, btnHomepage = nullptr;
  HMENU mnuLink = nullptr;

 protected:
  void OnCommand(int id, int code, HWND control) override;
  void CMShowingChanged() override;

 private:
  HBITMAP logo_ = nullptr;
  HFONT titleFont_ = nullptr;
};

}  // namespace tvp
