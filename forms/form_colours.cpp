#include "forms/form.h"

#include "forms/colours.h"

namespace forms {

// The colours of the form and its controls, and their brushes, for the
// colour scheme as it stands.
void Form::ApplyColours() {
    bool highContrast = HighContrastOn();
    formBrush_.Reset(CreateSolidBrush(FormBackground(description_, highContrast)));
    for (const auto& control : controls_) control->ApplyColours(highContrast);
}

// The user changed the colour scheme or high contrast while the window is
// open: everything is drawn again in the new colours.
void Form::Recolour() {
    ApplyColours();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace forms
