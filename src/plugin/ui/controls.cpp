#include "plugin/ui/controls.h"

#include <commctrl.h>

namespace tvp {

bool IsChecked(HWND checkBox) { return SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND checkBox, bool checked) {
  SendMessageA(checkBox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string WindowText(HWND window) {
  // The length may count characters; a Shift-JIS character takes two bytes.
  std::string s(GetWindowTextLengthA(window) * 2 + 1, '\0');
  s.resize(GetWindowTextA(window, &s[0], static_cast<int>(s.size())));
  return s;
}

void AddHint(HWND form, HWND control, const std::string& text) {
  static HWND tips = nullptr;
  if (!tips || GetParent(tips) != form) {
    tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr, nullptr, nullptr);
  }
  TTTOOLINFOA ti = {};
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = form;
  ti.uId = reinterpret_cast<UINT_PTR>(control);
  ti.lpszText = const_cast<char*>(text.c_str());
  SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void SetStatusText(HWND statusBar, const std::string& text) {
  int whole = -1;
  SendMessageA(statusBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&whole));
  SendMessageA(statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string StatusText(HWND statusBar) {
  // The length may count characters; a Shift-JIS character takes two bytes.
  std::string s(LOWORD(SendMessageA(statusBar, SB_GETTEXTLENGTHA, 0, 0)) * 2 + 1, '\0');
  SendMessageA(statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(&s[0]));
  return s.c_str();
}

void CheckList::Create(HWND parent, int id, int x, int y, int w, int h, HFONT font) {
  hwnd_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                              LVS_SHOWSELALWAYS,
                          x, y, w, h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  LVCOLUMNA col = {};
  col.mask = LVCF_WIDTH;
  col.cx = w - GetSystemMetrics(SM_CXVSCROLL) - 6;
  SendMessageA(hwnd_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
}

void CheckList::SetItems(const std::vector<std::string>& texts) {
  programmatic_ = true;
  ListView_DeleteAllItems(hwnd_);
  for (size_t i = 0; i < texts.size(); ++i) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<char*>(texts[i].c_str());
    SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  if (!texts.empty()) ListView_SetItemState(hwnd_, 0, LVIS_FOCUSED, LVIS_FOCUSED);
  programmatic_ = false;
}

int CheckList::Count() const { return ListView_GetItemCount(hwnd_); }

bool CheckList::Checked(int item) const { return ListView_GetCheckState(hwnd_, item) != 0; }

void CheckList::SetChecked(int item, bool checked) {
  programmatic_ = true;
  ListView_SetCheckState(hwnd_, item, checked ? TRUE : FALSE);
  programmatic_ = false;
}

std::vector<bool> CheckList::Ticks() const {
  std::vector<bool> ticks(Count());
  for (int i = 0; i < Count(); ++i) ticks[i] = Checked(i);
  return ticks;
}

void CheckList::SetTicks(const std::vector<bool>& ticks) {
  for (int i = 0; i < Count() && i < static_cast<int>(ticks.size()); ++i)
    if (Checked(i) != ticks[i]) SetChecked(i, ticks[i]);
}

int CheckList::ClickedCheck(const NMHDR* header) const {
  if (programmatic_ || header->hwndFrom != hwnd_ || header->code != LVN_ITEMCHANGED) return -1;
  const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
  bool tickChanged = (change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK);
  // The state image goes from none to unchecked when an item is first shown.
  bool fromNothing = (change->uOldState & LVIS_STATEIMAGEMASK) == 0;
  return tickChanged && !fromNothing ? change->iItem : -1;
}

}  // namespace tvp
