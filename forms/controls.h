#pragma once
// The kinds of control, made from their descriptions.

#include "forms/command_button.h"
#include "forms/control.h"
#include "forms/frame.h"
#include "forms/label.h"
#include "forms/text_box.h"
#include "forms/timer.h"

#include <memory>
#include <tuple>

namespace forms {

// The control of the described kind.
std::unique_ptr<Control> MakeControl(ControlHost& host, const ControlDescription& description);

// The class of each kind, listed in the order of ControlKind; each class
// names its own kind, so a list out of order fails to build.
using KindClasses = std::tuple<Frame, TextBox, Label, CommandButton, Timer>;
template <ControlKind Kind>
using KindClass = std::tuple_element_t<static_cast<size_t>(Kind), KindClasses>;
static_assert(KindClass<ControlKind::Frame>::kKind == ControlKind::Frame &&
              KindClass<ControlKind::TextBox>::kKind == ControlKind::TextBox &&
              KindClass<ControlKind::Label>::kKind == ControlKind::Label &&
              KindClass<ControlKind::CommandButton>::kKind == ControlKind::CommandButton &&
              KindClass<ControlKind::Timer>::kKind == ControlKind::Timer);

// The window classes of the kinds that have their own; false when one could
// not be registered.
bool RegisterControlClasses(HINSTANCE instance);

}  // namespace forms
