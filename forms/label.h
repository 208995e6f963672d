#pragma once
// A label: a caption the form's code may replace (the clock's, every
// second), drawn by the runtime in a window of its own class, so that its
// text can be read like any control's (screen readers, tools). It lies
// beneath every windowed control of its container.

#include "forms/control.h"

#include <string>

namespace forms {

class Label final : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::Label;
    Label(ControlHost& host, const ControlDescription& description);

    static bool RegisterClass(HINSTANCE instance);
    bool Create(HINSTANCE instance, HWND container) override;

    // Shows another caption; one that is already shown is not repainted.
    void SetCaption(const std::wstring& caption);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void AddKindFacts(AccessibleFacts& facts) const override;
    void Paint(HDC dc);
    void Draw(HDC dc, const RECT& area) const;

    std::wstring caption_;
    bool captionReplaced_ = false;  // since its last paint
};

}  // namespace forms
