#pragma once
// A text box: the platform's edit box, with the described alignment, border,
// read-only state and length limit, coloured by its container.

#include "forms/platform_control.h"

namespace forms {

class TextBox final : public PlatformControl {
public:
    static constexpr ControlKind kKind = ControlKind::TextBox;
    using PlatformControl::PlatformControl;

    bool Create(HINSTANCE instance, HWND container) override;
    // The whole text selected, as when the box is tabbed into.
    void SelectAll() const;

private:
    void AddKindFacts(AccessibleFacts& facts) const override;
};

}  // namespace forms
