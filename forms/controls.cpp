#include "forms/controls.h"

#include "forms/command_button.h"
#include "forms/frame.h"
#include "forms/label.h"
#include "forms/text_box.h"
#include "forms/timer.h"

namespace forms {

std::unique_ptr<Control> MakeControl(Form& form, const ControlDescription& description) {
    switch (description.kind) {
        case ControlKind::Frame: return std::make_unique<Frame>(form, description);
        case ControlKind::TextBox: return std::make_unique<TextBox>(form, description);
        case ControlKind::Label: return std::make_unique<Label>(form, description);
        case ControlKind::CommandButton: return std::make_unique<CommandButton>(form, description);
        case ControlKind::Timer: return std::make_unique<Timer>(form, description);
    }
    return std::make_unique<Label>(form, description);  // every kind is listed above; the compiler asks for a return
}

bool RegisterControlClasses(HINSTANCE instance) {
    return Frame::RegisterClass(instance) && Label::RegisterClass(instance) && Timer::RegisterClass(instance);
}

}  // namespace forms
