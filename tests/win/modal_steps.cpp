#include "win/modal_steps.h"

#include <windows.h>

#include "plugin/results/frm_result.h"

namespace tvp::test {

namespace {

std::function<void(Form&)> g_step;
Form* g_outer = nullptr;

void CALLBACK StepTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (!g_step) return;
  Form* form = Form::ActiveModal();
  auto* window = dynamic_cast<TfrmResult*>(form);
  bool busy = window && (!IsWindowEnabled(window->btnSearch) || !window->request.Keyword.empty());
  if (!form || form == g_outer || busy) {
    SetTimer(nullptr, 0, 20, StepTimer);
    return;
  }
  auto step = std::move(g_step);
  g_step = nullptr;
  step(*form);
}

}  // namespace

void Arm(Form* outer, const std::function<void(Form&)>& step) {
  g_outer = outer;
  g_step = step;
  SetTimer(nullptr, 0, 20, StepTimer);
}

void InNextModal(const std::function<void(Form&)>& step) { Arm(Form::ActiveModal(), step); }

}  // namespace tvp::test
