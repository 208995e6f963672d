#include "forms/form.h"

namespace forms {

// Every child of the form, and of its frame, is a control's window: no
// other window is asked for a control it does not hold.
Control* Form::ControlOf(HWND window) const {
    return window && IsChild(window_, window) ? Control::Of(window) : nullptr;
}

}  // namespace forms
