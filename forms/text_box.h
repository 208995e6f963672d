#pragma once
// A text box: the platform's edit box, with the described alignment, border,
// read-only state and length limit, coloured by its container. What an input
// method types passes the key handlers as a typed key does, and a paste
// enters as the box's paste rule lets it.

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
    bool Answer(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The clipboard's text put in place of the selection as the paste rule
    // lets it enter, no longer than the box's limit leaves room for.
    void PasteByRule() const;
};

}  // namespace forms
