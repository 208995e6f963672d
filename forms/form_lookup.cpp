#include "forms/form.h"

#include "forms/form_control.h"
#include "forms/layout.h"

#include <cstring>

namespace forms {

Form::Control& Form::Find(const char* name) {
    for (Control& control : controls_) {
        if (std::strcmp(control.description->name, name) == 0) return control;
    }
    return controls_.front();  // names come from the form's own code and table
}

const Form::Control& Form::Find(const char* name) const { return const_cast<Form*>(this)->Find(name); }

Form::Control* Form::FindByWindow(HWND window) {
    for (Control& control : controls_) {
        if (control.window && control.window == window) return &control;
    }
    return nullptr;
}

HWND Form::ContainerWindow(const Control& control) const {
    return control.description->container ? Find(control.description->container).window : window_;
}

RECT Form::PixelRect(const Control& control) const {
    const ControlDescription& d = *control.description;
    int left = TwipsToPixels(d.left, dpi_);
    int top = TwipsToPixels(d.top, dpi_);
    return RECT{left, top, left + TwipsToPixels(d.width, dpi_), top + TwipsToPixels(d.height, dpi_)};
}

}  // namespace forms
