#pragma once
// The kinds of control, made from their descriptions.

#include "forms/command_button.h"
#include "forms/control.h"
#include "forms/frame.h"
#include "forms/label.h"
#include "forms/text_box.h"
#include "forms/timer.h"

#include <memory>

namespace forms {

// The control of the described kind.
std::unique_ptr<Control> MakeControl(ControlHost& host, const ControlDescription& description);

// The class of each kind.
template <ControlKind Kind>
struct KindClass;
template <>
struct KindClass<ControlKind::Frame> {
    using Type = Frame;
};
template <>
struct KindClass<ControlKind::TextBox> {
    using Type = TextBox;
};
template <>
struct KindClass<ControlKind::Label> {
    using Type = Label;
};
template <>
struct KindClass<ControlKind::CommandButton> {
    using Type = CommandButton;
};
template <>
struct KindClass<ControlKind::Timer> {
    using Type = Timer;
};

// The window classes of the kinds that have their own; false when one could
// not be registered.
bool RegisterControlClasses(HINSTANCE instance);

}  // namespace forms
