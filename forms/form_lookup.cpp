#include "forms/form.h"

#include <cstring>

namespace forms {

Control* Form::Find(const char* name) const {
    for (const auto& control : controls_) {
        if (std::strcmp(control->Name(), name) == 0) return control.get();
    }
    return nullptr;
}

// Every child of the form, and of its frame, is a control's window: no
// other window is asked for a control it does not hold.
Control* Form::ControlOf(HWND window) const {
    return window && IsChild(window_, window) ? Control::Of(window) : nullptr;
}

}  // namespace forms
