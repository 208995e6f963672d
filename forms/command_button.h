#pragma once
// A command button: the platform's push button, drawn by the runtime in the
// control's colours; a click raises its Click event.

#include "forms/platform_control.h"

namespace forms {

class CommandButton final : public PlatformControl {
public:
    static constexpr ControlKind kKind = ControlKind::CommandButton;
    using PlatformControl::PlatformControl;

    PlainEvent onClick;

    bool Create(HINSTANCE instance, HWND container) override;
    // Raises the button's Click event.
    void Click() const { onClick.Raise(); }
    // Answers the button's WM_DRAWITEM, sent to its container.
    void Draw(const DRAWITEMSTRUCT& item) const;

private:
    void AddKindFacts(AccessibleFacts& facts) const override;
};

}  // namespace forms
