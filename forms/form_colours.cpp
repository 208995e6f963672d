#include "forms/form.h"

#include "forms/colours.h"
#include "forms/form_control.h"

namespace forms {
namespace {

void ReplaceBrush(HBRUSH& brush, COLORREF colour) {
    HBRUSH old = brush;
    brush = CreateSolidBrush(colour);
    if (old) DeleteObject(old);
}

}  // namespace

// The colours of the form and its controls, and their brushes, for the
// colour scheme as it stands.
void Form::ApplyColours() {
    bool highContrast = HighContrastOn();
    ReplaceBrush(formBrush_, FormBackground(description_, highContrast));
    for (Control& control : controls_) {
        if (control.description->kind == ControlKind::Timer) continue;
        control.colours = ControlColours(*control.description, highContrast);
        ReplaceBrush(control.brush, control.colours.back);
    }
}

// The user changed the colour scheme or high contrast while the window is
// open: everything is drawn again in the new colours.
void Form::Recolour() {
    ApplyColours();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace forms
