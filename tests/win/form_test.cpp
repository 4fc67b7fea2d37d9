// The form layer: dialog keys driven by real key input, and a modal loop
// that a failing handler cannot leave half undone.
#include <windows.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "plugin/forms/form.h"
#include "plugin/ui/controls.h"
#include "win/win_support.h"

using namespace tvp;
using namespace tvp::test;

namespace {

enum { kEdtName = 100, kEdtMail, kChkKeep, kBtnApply };

// Two labelled edits, a check box and three buttons, OK the default one.
class KeyForm : public Form {
 public:
  explicit KeyForm(HWND owner) {
    CreateForm(owner, owner, "keys", 300, 140, WS_POPUP | WS_CAPTION | WS_SYSMENU);
    AddControl("STATIC", "名前(&N):", SS_LEFT, 8, 8, 80, 16, -1);
    edtName = AddControl("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 90, 8, 120, 20, kEdtName);
    AddControl("STATIC", "メール(&M):", SS_LEFT, 8, 36, 80, 16, -1);
    edtMail = AddControl("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 90, 36, 120, 20, kEdtMail);
    chkKeep = AddControl("BUTTON", "保存(&K)", BS_AUTOCHECKBOX | WS_TABSTOP, 8, 64, 120, 20, kChkKeep);
    btnApply = AddControl("BUTTON", "適用(&A)", BS_PUSHBUTTON | WS_TABSTOP, 8, 100, 80, 25, kBtnApply);
    btnOk = AddControl("BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 120, 100, 80, 25, IDOK);
    btnCancel = AddControl("BUTTON", "キャンセル", BS_PUSHBUTTON | WS_TABSTOP, 210, 100, 80, 25, IDCANCEL);
  }
  HWND edtName, edtMail, chkKeep, btnApply, btnOk, btnCancel;
  std::vector<int> clicks;
  bool throwOnShow = false;

 protected:
  void OnCommand(int id, int code, HWND) override {
    if (code != BN_CLICKED) return;
    clicks.push_back(id);
    if (id == IDOK || id == IDCANCEL) SetModalResult(id);
  }
  void CMShowingChanged() override {
    if (throwOnShow) throw std::runtime_error("表示できません");
  }
};

// Keys as the keyboard sends them, to the window with the focus.
void Press(std::initializer_list<WORD> chord) {
  std::vector<INPUT> in;
  for (WORD vk : chord) {
    INPUT i = {};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    in.push_back(i);
  }
  for (auto it = chord.end(); it != chord.begin();) {
    INPUT i = {};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = *--it;
    i.ki.dwFlags = KEYEVENTF_KEYUP;
    in.push_back(i);
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// Lets messages run until `done` holds (generous bound for a slow machine).
bool PumpUntil(const std::function<bool()>& done) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < 10000;) {
    if (done()) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    ProcessMessages();
  }
  return done();
}

class FormKeys : public testing::Test {
 protected:
  void SetUp() override {
    owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                            nullptr, nullptr);
  }
  void TearDown() override {
    ProcessMessages();  // no key of this test reaches the next one
    DestroyWindow(owner);
  }
  // Shows the form, gives `start` the focus, presses the keys and waits for `done`.
  bool Keys(KeyForm& f, HWND start, std::initializer_list<WORD> chord, const std::function<bool()>& done) {
    f.Show();
    SetForegroundWindow(f.Handle());
    SetFocus(start);
    if (!PumpUntil([&] { return GetFocus() == start; })) return false;
    Press(chord);
    return PumpUntil(done);
  }
  HWND owner = nullptr;
};

}  // namespace

TEST_F(FormKeys, TabAndShiftTabMoveThroughTheTabStops) {
  KeyForm f(owner);
  EXPECT_TRUE(Keys(f, f.edtName, {VK_TAB}, [&] { return GetFocus() == f.edtMail; }));
  EXPECT_TRUE(Keys(f, f.edtMail, {VK_SHIFT, VK_TAB}, [&] { return GetFocus() == f.edtName; }));
  EXPECT_TRUE(Keys(f, f.btnCancel, {VK_TAB}, [&] { return GetFocus() == f.edtName; }));
}

TEST_F(FormKeys, AltLetterOfALabelFocusesItsControlAndOfAButtonClicksIt) {
  KeyForm f(owner);
  EXPECT_TRUE(Keys(f, f.btnCancel, {VK_MENU, 'M'}, [&] { return GetFocus() == f.edtMail; }));
  EXPECT_TRUE(Keys(f, f.edtMail, {VK_MENU, 'N'}, [&] { return GetFocus() == f.edtName; }));
  EXPECT_TRUE(Keys(f, f.edtName, {VK_MENU, 'K'}, [&] { return IsChecked(f.chkKeep); }));
  f.clicks.clear();
  EXPECT_TRUE(Keys(f, f.edtName, {VK_MENU, 'A'}, [&] { return !f.clicks.empty(); }));
  EXPECT_EQ(f.clicks, std::vector<int>{kBtnApply});
}

struct EnterCase {
  const char* name;
  HWND KeyForm::*start;
  WORD key;
  int clicked;
};

TEST_F(FormKeys, EnterClicksTheDefaultOrFocusedButtonAndEscCancels) {
  const EnterCase cases[] = {
      {"Enter in an edit: the default button", &KeyForm::edtName, VK_RETURN, IDOK},
      {"Enter on a focused push button: that button", &KeyForm::btnApply, VK_RETURN, kBtnApply},
      {"Esc anywhere: the cancel button", &KeyForm::edtMail, VK_ESCAPE, IDCANCEL},
  };
  for (const EnterCase& c : cases) {
    SCOPED_TRACE(c.name);
    KeyForm f(owner);
    f.Show();
    // Reach the start control by Tab as a user does (a focused push button becomes the default one).
    SetForegroundWindow(f.Handle());
    SetFocus(f.edtName);
    for (int i = 0; i < 6 && GetFocus() != f.*c.start; ++i) {
      HWND before = GetFocus();
      Press({VK_TAB});
      ASSERT_TRUE(PumpUntil([&] { return GetFocus() != before; }));
    }
    ASSERT_EQ(GetFocus(), f.*c.start);
    Press({c.key});
    ASSERT_TRUE(PumpUntil([&] { return !f.clicks.empty(); }));
    EXPECT_EQ(f.clicks, std::vector<int>{c.clicked});
  }
}

TEST_F(FormKeys, ModalFormTakesTheKeysToo) {
  KeyForm f(owner);
  int result = 0;
  ASSERT_TRUE(WhileModal([&] { result = f.ShowModal(); }, [&](Form&) {
    SetFocus(f.edtName);
    Press({VK_ESCAPE});
  }));
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(FormKeys, AFailingShowHandlerIsReportedOnceAndTheModalLoopStillRestoresTheOwner) {
  RecordingUi ui;
  KeyForm f(owner);
  f.throwOnShow = true;
  bool ownerDisabledInside = false;
  Form* activeInside = nullptr;
  ASSERT_TRUE(WhileModal([&] { f.ShowModal(); }, [&](Form& active) {
    ownerDisabledInside = !IsWindowEnabled(owner);
    activeInside = &active;
    active.SetModalResult(mrCancel);
  }));
  EXPECT_TRUE(ownerDisabledInside);
  EXPECT_EQ(activeInside, &f);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(Form::ActiveModal(), nullptr);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "表示できません");
  EXPECT_EQ(ui.messages[0].owner, f.Handle());
}
