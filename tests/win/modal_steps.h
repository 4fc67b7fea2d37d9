// Driving nested modal windows from inside their own message loops: a step
// armed here runs on the innermost modal form once it is a new one and, for
// a result window, once its search is over.
#pragma once

#include <functional>

#include "plugin/forms/form.h"

namespace tvp::test {

// `step` runs on the next modal form that is not `outer`.
void Arm(Form* outer, const std::function<void(Form&)>& step);
// `step` runs inside the next modal form that opens from here.
void InNextModal(const std::function<void(Form&)>& step);

}  // namespace tvp::test
