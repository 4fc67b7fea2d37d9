#include "plugin/search/frm_sel_folders.h"

#include <commctrl.h>
#include <imm.h>
#include <windowsx.h>

#include <algorithm>

#include "core/common/sjis.h"
#include "core/settings/aliases.h"
#include "plugin/files/win_fs.h"
#include "plugin/forms/input_box.h"
#include "plugin/settings/alias_store.h"
#include "plugin/shell/host_api.h"
#include "plugin/ui/controls.h"
#include "plugin/ui/guard.h"
#include "plugin/ui/ui_seam.h"

namespace tvp {

namespace {

enum ControlId { kBtnReset = 100, kBtnSaveAlias, kEltFolder, kMnuExpandTree, kMnuSelectItems };
constexpr int kScrollStep = 10;  // pixels per Ctrl+Left / Ctrl+Right
constexpr int kLineHeight = 17;

bool OnlyCtrl() {
  return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0;
}
bool NoModifier() {
  return GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0;
}

// State images: 1 an empty box, 2 a ticked one (0 is no box).
HIMAGELIST CheckBoxImages() {
  constexpr int size = 16;
  HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR24, 3, 0);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP strip = CreateCompatibleBitmap(screen, size * 3, size);
  HGDIOBJ old = SelectObject(dc, strip);
  RECT all = {0, 0, size * 3, size};
  FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
  for (int i = 1; i <= 2; ++i) {
    RECT box = {size * i + 2, 2, size * i + 15, 15};
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (i == 2 ? DFCS_CHECKED : 0));
  }
  SelectObject(dc, old);
  ImageList_Add(images, strip, nullptr);
  DeleteObject(strip);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return images;
}

}  // namespace

int ShowSelSearchFolders(HWND host, HWND owner, const std::vector<TFolderInfo>& folders,
                         const TTVPSearchInfo& request, std::vector<int>& chosen) {
  TfrmSelSearchFolders dialog(host, owner);
  CenterForm(dialog, owner, true);
  dialog.LoadTree(folders, request);
  int result = dialog.ShowModal();
  if (result == mrOk) chosen = dialog.CheckedFolders();
  return result;
}

TfrmSelSearchFolders::TfrmSelSearchFolders(HWND host, HWND owner) {
  CreateForm(owner, host, "対象フォルダ選択", 273, 288, WS_POPUP | WS_CAPTION | WS_SYSMENU);
  Label1 = AddControl("STATIC", "対象フォルダにチェックを入れてください。", SS_LEFT, 8, 8, 257, 16, -1);
  eltFolder = AddControl(WC_TREEVIEWA, "",
                         TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | WS_TABSTOP | WS_GROUP, 8, 28, 257, 194,
                         kEltFolder, WS_EX_CLIENTEDGE);
  // Check boxes of our own: only mail folders get one, and only this dialog changes them.
  checkImages_ = CheckBoxImages();
  TreeView_SetImageList(eltFolder, checkImages_, TVSIL_STATE);
  TreeView_SetItemHeight(eltFolder, kLineHeight);
  lblSelCount = AddControl("STATIC", "選択 0個", SS_LEFT, 8, 234, 80, 16, -1);
  btnReset = AddControl("BUTTON", "リセット(&R)", BS_PUSHBUTTON | WS_TABSTOP, 95, 229, 82, 25, kBtnReset);
  btnSaveAlias = AddControl("BUTTON", "保存(&A)...", BS_PUSHBUTTON | WS_TABSTOP, 183, 229, 82, 25, kBtnSaveAlias);
  btnOK = AddControl("BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 103, 258, 78, 25, IDOK);
  btnCancel = AddControl("BUTTON", "キャンセル", BS_PUSHBUTTON | WS_TABSTOP, 187, 258, 78, 25, IDCANCEL);
  AddHint(Handle(), btnSaveAlias, "エイリアスとして保存します");
  pmnuTree = CreatePopupMenu();
  AppendMenuA(pmnuTree, MF_STRING, kMnuExpandTree, "下の階層をすべて展開(&X)\t*");
  AppendMenuA(pmnuTree, MF_STRING, kMnuSelectItems, "下の階層のフォルダをすべて選択/解除(&S)\tSpace");
  SetWindowSubclass(eltFolder, &TfrmSelSearchFolders::TreeProc, 1, reinterpret_cast<DWORD_PTR>(this));
  SetFocus(eltFolder);
}

TfrmSelSearchFolders::~TfrmSelSearchFolders() {
  RemoveWindowSubclass(eltFolder, &TfrmSelSearchFolders::TreeProc, 1);
  if (pmnuTree) DestroyMenu(pmnuTree);
  if (checkImages_) ImageList_Destroy(checkImages_);
}

void TfrmSelSearchFolders::LoadTree(const std::vector<TFolderInfo>& folders, const TTVPSearchInfo& request) {
  TreeView_DeleteAllItems(eltFolder);
  std::string title = AccountTitle(DiskFileSystem(), host::GetAccount(Tag()));
  TVINSERTSTRUCTA ins = {};
  ins.hParent = TVI_ROOT;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
  ins.item.pszText = const_cast<char*>(title.c_str());
  ins.item.lParam = -1;
  ins.item.stateMask = TVIS_STATEIMAGEMASK;
  ins.item.state = INDEXTOSTATEIMAGEMASK(0);
  HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessageA(eltFolder, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));

  std::vector<int> wanted(request.FolderIndexes.begin(),
                          request.FolderIndexes.begin() +
                              std::min<size_t>(std::max(request.FolderCount, 0), request.FolderIndexes.size()));
  HTREEITEM parent = root, last = nullptr;
  int parentDepth = 0;
  for (size_t i = 0; i < folders.size(); ++i) {
    const TFolderInfo& f = folders[i];
    if (parentDepth < f.Level && last) {
      parent = last;
      ++parentDepth;
    }
    while (parentDepth > f.Level) {
      parent = TreeView_GetParent(eltFolder, parent);
      --parentDepth;
    }
    ins.hParent = parent;
    ins.item.pszText = const_cast<char*>(f.Title.c_str());
    ins.item.lParam = static_cast<LPARAM>(i);
    bool mail = f.Kind == 1;
    bool ticked = mail && std::find(wanted.begin(), wanted.end(), static_cast<int>(i)) != wanted.end();
    ins.item.state = INDEXTOSTATEIMAGEMASK(mail ? (ticked ? 2 : 1) : 0);
    last = reinterpret_cast<HTREEITEM>(SendMessageA(eltFolder, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
    // Every ticked folder is visible: its parent and theirs are expanded.
    for (HTREEITEM up = ticked ? parent : nullptr; up; up = TreeView_GetParent(eltFolder, up))
      TreeView_Expand(eltFolder, up, TVE_EXPAND);
  }
  TreeView_Expand(eltFolder, root, TVE_EXPAND);
  TreeView_SelectItem(eltFolder, root);
  ShowSelCount();
}

std::vector<HTREEITEM> TfrmSelSearchFolders::Items() const {
  std::vector<HTREEITEM> items;
  // Depth first: a child, else the next sibling of the item or of an ancestor.
  for (HTREEITEM item = TreeView_GetRoot(eltFolder); item;) {
    items.push_back(item);
    HTREEITEM next = TreeView_GetChild(eltFolder, item);
    while (!next && item) {
      next = TreeView_GetNextSibling(eltFolder, item);
      if (!next) item = TreeView_GetParent(eltFolder, item);
    }
    item = next;
  }
  return items;
}

int TfrmSelSearchFolders::FolderOf(HTREEITEM item) const {
  TVITEMA tv = {};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  SendMessageA(eltFolder, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return static_cast<int>(tv.lParam);
}

bool TfrmSelSearchFolders::HasCheckBox(HTREEITEM item) const {
  return (TreeView_GetItemState(eltFolder, item, TVIS_STATEIMAGEMASK) >> 12) != 0;
}

bool TfrmSelSearchFolders::Checked(HTREEITEM item) const {
  return (TreeView_GetItemState(eltFolder, item, TVIS_STATEIMAGEMASK) >> 12) == 2;
}

void TfrmSelSearchFolders::SetChecked(HTREEITEM item, bool checked) {
  if (HasCheckBox(item)) TreeView_SetItemState(eltFolder, item, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), TVIS_STATEIMAGEMASK);
}

int TfrmSelSearchFolders::Depth(HTREEITEM item) const {
  int depth = 0;
  while ((item = TreeView_GetParent(eltFolder, item))) ++depth;
  return depth;
}

std::vector<int> TfrmSelSearchFolders::CheckedFolders() const {
  std::vector<int> out;
  for (HTREEITEM item : Items())
    if (Checked(item)) out.push_back(FolderOf(item));
  return out;
}

void TfrmSelSearchFolders::ShowSelCount() {
  int n = 0;
  for (HTREEITEM item : Items()) n += Checked(item) ? 1 : 0;
  SetWindowTextA(lblSelCount, ("選択 " + std::to_string(n) + "個").c_str());
}

void TfrmSelSearchFolders::SelectItems() {
  HTREEITEM selected = TreeView_GetSelection(eltFolder);
  if (!selected) return;
  if (HasCheckBox(selected)) {
    SetChecked(selected, !Checked(selected));
  } else {
    std::vector<HTREEITEM> items = Items();
    auto at = std::find(items.begin(), items.end(), selected);
    int depth = Depth(selected);
    std::vector<HTREEITEM> below;
    for (auto it = at + 1; it != items.end() && Depth(*it) > depth; ++it)
      if (HasCheckBox(*it)) below.push_back(*it);
    bool allTicked = std::all_of(below.begin(), below.end(), [&](HTREEITEM i) { return Checked(i); });
    for (HTREEITEM i : below) SetChecked(i, !allTicked);
  }
  ShowSelCount();
}

void TfrmSelSearchFolders::ExpandTree() {
  HTREEITEM selected = TreeView_GetSelection(eltFolder);
  if (!selected || !TreeView_GetChild(eltFolder, selected)) return;
  std::vector<HTREEITEM> items = Items();
  auto at = std::find(items.begin(), items.end(), selected);
  int depth = Depth(selected);
  TreeView_Expand(eltFolder, selected, TVE_EXPAND);
  for (auto it = at + 1; it != items.end() && Depth(*it) > depth; ++it)
    if (TreeView_GetChild(eltFolder, *it)) TreeView_Expand(eltFolder, *it, TVE_EXPAND);
}

void TfrmSelSearchFolders::btnResetClick() {
  for (HTREEITEM item : Items()) SetChecked(item, false);
  ShowSelCount();
}

void TfrmSelSearchFolders::btnSaveAliasClick() {
  std::vector<int> ticked = CheckedFolders();
  if (ticked.empty()) {
    ShowError(Handle(), "ひとつ以上のフォルダを選択してください。");
    return;
  }
  std::string name;
  if (!InputQuery(Handle(), "エイリアスとして保存",
                  "選択されているフォルダの組み合わせをエイリアスとして保存します。名前を入力してください。", name))
    return;
  name = Trim(name);
  if (name.empty()) return;
  TTVPAliases aliases;
  LoadAliases(Tag(), aliases);
  if (FindAlias(name, aliases) >= 0 &&
      Ui().MessageBox(Handle(), "同じ名前のエイリアスがすでに存在します。\n上書きしてもよろしいですか？", "上書きの確認",
                      MB_YESNO | MB_ICONQUESTION) == IDNO)
    return;
  std::string account = host::GetAccount(Tag());
  std::vector<TFolderInfo> own = LoadFolderTree(DiskFileSystem(), account, "");
  std::string dirs;
  for (int p : ticked)
    if (p >= 0 && static_cast<size_t>(p) < own.size()) dirs += RelativeToAccount(account, own[p].IndexPath) + "\r";
  AddOrReplaceAlias(aliases, name, Trim(dirs));
  try {
    SaveAliases(Tag(), aliases);
  } catch (...) {
    ReportException(Handle());  // the file stays as it was
  }
}

void TfrmSelSearchFolders::OnCommand(int id, int code, HWND) {
  switch (id) {
    case kBtnReset: if (code == BN_CLICKED) btnResetClick(); break;
    case kBtnSaveAlias: if (code == BN_CLICKED) btnSaveAliasClick(); break;
    case kMnuExpandTree: ExpandTree(); break;
    case kMnuSelectItems: SelectItems(); break;
    case IDOK: if (code == BN_CLICKED) SetModalResult(mrOk); break;
    case IDCANCEL: if (code == BN_CLICKED) SetModalResult(mrCancel); break;
  }
}

bool TfrmSelSearchFolders::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == WM_CONTEXTMENU && reinterpret_cast<HWND>(wp) == eltFolder) {
    POINT p = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    if (p.x == -1 && p.y == -1) {  // from the keyboard: below the selected item
      RECT r = {};
      TreeView_GetItemRect(eltFolder, TreeView_GetSelection(eltFolder), &r, TRUE);
      p = {r.left, r.bottom};
      ClientToScreen(eltFolder, &p);
    }
    TrackPopupMenu(pmnuTree, TPM_LEFTALIGN | TPM_TOPALIGN, p.x, p.y, 0, Handle(), nullptr);
    result = 0;
    return true;
  }
  return false;
}

void TfrmSelSearchFolders::CMShowingChanged() {
  // "*", Space and the incremental search need plain keys.
  ImmAssociateContext(eltFolder, nullptr);
  SetFocus(eltFolder);
}

LRESULT CALLBACK TfrmSelSearchFolders::TreeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                                DWORD_PTR self) {
  bool handled = false;
  LRESULT result = 0;
  Guarded(GetParent(hwnd), [&] {
    result = reinterpret_cast<TfrmSelSearchFolders*>(self)->TreeMessage(msg, wp, lp, handled);
  });
  return handled ? result : DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT TfrmSelSearchFolders::TreeMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
  switch (msg) {
    case WM_KEYDOWN:
      if (wp == VK_SPACE && NoModifier()) {
        SelectItems();
        handled = true;
      } else if ((wp == VK_LEFT || wp == VK_RIGHT) && OnlyCtrl()) {
        int pos = GetScrollPos(eltFolder, SB_HORZ) + (wp == VK_RIGHT ? kScrollStep : -kScrollStep);
        DefSubclassProc(eltFolder, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, std::max(pos, 0)), 0);
        handled = true;
      } else if (wp == VK_MULTIPLY) {
        ExpandTree();
        handled = true;
      }
      break;
    case WM_CHAR:
      if (wp == ' ' || wp == '*') {
        if (wp == '*') ExpandTree();
        handled = true;
      } else {
        LRESULT r = DefSubclassProc(eltFolder, msg, wp, lp);  // the incremental search
        ShowSelCount();
        handled = true;
        return r;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      TVHITTESTINFO hit = {};
      hit.pt = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      TreeView_HitTest(eltFolder, &hit);
      if (hit.hItem && (hit.flags & TVHT_ONITEMSTATEICON)) {
        // The box itself: containers and the root have none and never take a tick.
        SetFocus(eltFolder);
        TreeView_SelectItem(eltFolder, hit.hItem);
        if (HasCheckBox(hit.hItem)) SetChecked(hit.hItem, !Checked(hit.hItem));
        ShowSelCount();
        handled = true;
      }
      break;
    }
  }
  return 0;
}

}  // namespace tvp
