// Thin helpers for the standard controls the forms use.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tvp {

bool IsChecked(HWND checkBox);
void SetChecked(HWND checkBox, bool checked);
std::string WindowText(HWND window);
// A tool tip ("hint") for a control of `form`.
void AddHint(HWND form, HWND control, const std::string& text);
// One simple status-bar panel.
void SetStatusText(HWND statusBar, const std::string& text);
std::string StatusText(HWND statusBar);

// A list of lines with check boxes (a list view in report style with one
// column). Ticks set by the program raise no click notifications.
class CheckList {
 public:
  void Create(HWND parent, int id, int x, int y, int w, int h, HFONT font);
  HWND Handle() const { return hwnd_; }
  void SetItems(const std::vector<std::string>& texts);
  int Count() const;
  bool Checked(int item) const;
  void SetChecked(int item, bool checked);
  std::vector<bool> Ticks() const;
  void SetTicks(const std::vector<bool>& ticks);
  // For a WM_NOTIFY from this list: the item whose tick the user changed, or -1.
  int ClickedCheck(const NMHDR* header) const;

 private:
  HWND hwnd_ = nullptr;
  bool programmatic_ = false;
};

}  // namespace tvp
