#include "forms/form.h"

#include "forms/controls.h"
#include "forms/layout.h"
#include "forms/timings.h"

namespace forms {

Form::Form(const FormDescription& description) : description_(description) {
    controls_.reserve(description.controlCount);
    for (size_t i = 0; i < description.controlCount; ++i) {
        controls_.push_back(MakeControl(*this, description.controls[i]));
    }
}

Form::~Form() = default;

HFONT Form::Font(const ControlDescription& control) { return fonts_->Get(FontOf(description_, control)); }

int Form::Run(HINSTANCE instance) {
    instance_ = instance;
    HDC screen = GetDC(nullptr);
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    timings::Mark("screen DPI (the display's first use)");
    fonts_ = std::make_unique<FontSet>(dpi_);
    for (const auto& control : controls_) Font(control->Description());
    timings::Mark("font lookup");

    ApplyColours();
    if (!RegisterClasses(instance)) return kExitClassNotRegistered;
    if (!CreateFormWindow(instance)) return kExitWindowNotCreated;
    if (!CreateControls(instance)) {
        DestroyWindow(window_);
        return kExitWindowNotCreated;
    }
    StackControls();
    timings::Mark("control creation");

    onLoad.Raise();
    timings::Mark("Form_Load");
    if (unloaded_) return 0;

    ShowWindow(window_, SW_SHOW);
    std::vector<size_t> stops = TabStops(description_.controls, description_.controlCount);
    if (!stops.empty()) ::SetFocus(controls_[stops.front()]->Window());
    timings::Mark("show");
    {
        timings::PaintCosts costs("first paint");
        UpdateWindow(window_);
    }
    timings::Mark("first paint");

    MSG message{};  // a failed wait leaves it as it was: exit status 0
    for (;;) {
        timings::MeasureRepaintsOnceIdle(window_);
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
        RelayToTooltip(message);
        if (PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void Form::Unload() {
    int16_t cancel = 0;
    onUnload.Raise(cancel);
    if (cancel != 0) return;
    unloaded_ = true;
    DestroyWindow(window_);
}

void Form::End() { ExitProcess(0); }

}  // namespace forms
