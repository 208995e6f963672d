#include "forms/controls.h"


namespace forms {

std::unique_ptr<Control> MakeControl(ControlHost& host, const ControlDescription& description) {
    switch (description.kind) {
        case ControlKind::Frame: return std::make_unique<Frame>(host, description);
        case ControlKind::TextBox: return std::make_unique<TextBox>(host, description);
        case ControlKind::Label: return std::make_unique<Label>(host, description);
        case ControlKind::CommandButton: return std::make_unique<CommandButton>(host, description);
        case ControlKind::Timer: return std::make_unique<Timer>(host, description);
    }
    return std::make_unique<Label>(host, description);  // every kind is listed above; the compiler asks for a return
}

bool RegisterControlClasses(HINSTANCE instance) {
    return Frame::RegisterClass(instance) && Label::RegisterClass(instance) && Timer::RegisterClass(instance);
}

}  // namespace forms
