#pragma once
// The kinds of control, made from their descriptions.

#include "forms/control.h"

#include <memory>

namespace forms {

// The control of the described kind.
std::unique_ptr<Control> MakeControl(Form& form, const ControlDescription& description);

// The window classes of the kinds that have their own; false when one could
// not be registered.
bool RegisterControlClasses(HINSTANCE instance);

}  // namespace forms
