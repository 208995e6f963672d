#include "forms/form.h"

#include "forms/container.h"
#include "forms/controls.h"
#include "forms/layout.h"
#include "forms/system_library.h"
#include "forms/timings.h"
#include "forms/window_boundary.h"
#include "forms/window_classes.h"

namespace forms {
namespace {

// A fixed single border: caption and close button, not resizable. The low
// bit 0x80 marks the frame as a dialog frame for code that measures it (the
// painted caption takes its width from SM_CXDLGFRAME then, which is the
// frame's real width); the window manager ignores it on a top-level window.
constexpr DWORD kFixedFrameMark = 0x80;
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | kFixedFrameMark;

// Under desktop composition the compositor draws the frame and hides what is
// painted through the window DC; the painted caption needs it off. dwmapi is
// loaded at run time so that the program starts where it does not exist.
void TurnOffCompositedFrame(HWND window) {
    HMODULE dwm = LoadSystemLibrary(L"dwmapi.dll");
    if (!dwm) return;
    using SetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    auto setAttribute = Exported<SetWindowAttribute>(dwm, "DwmSetWindowAttribute");
    constexpr DWORD kNonClientRenderingPolicy = 2;  // DWMWA_NCRENDERING_POLICY
    constexpr int kRenderingDisabled = 1;           // DWMNCRP_DISABLED
    if (setAttribute) setAttribute(window, kNonClientRenderingPolicy, &kRenderingDisabled, sizeof kRenderingDisabled);
    FreeLibrary(dwm);
}

// The window's design place, moved inside the work area of the monitor it
// opens on where it would reach past it (a small screen at a large scale).
ScreenBox OnScreen(const ScreenBox& design) {
    RECT area{design.left, design.top, design.right, design.bottom};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor)) return design;
    const RECT& work = monitor.rcWork;
    return PlaceInside(design, ScreenBox{work.left, work.top, work.right, work.bottom});
}

}  // namespace

bool Form::RegisterClasses(HINSTANCE instance) {
    bigIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(description_.iconResource), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
    smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(description_.iconResource), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_SHARED));
    bool registered = RegisterWindowClass(instance, kFormClass, FormWindowProc, bigIcon_, smallIcon_) &&
                      RegisterControlClasses(instance);
    timings::Mark("class registration");
    return registered;
}

bool Form::CreateFormWindow(HINSTANCE instance) {
    RECT frame{0, 0, TwipsToPixels(description_.clientWidth, dpi_), TwipsToPixels(description_.clientHeight, dpi_)};
    AdjustWindowRectEx(&frame, kFormStyle, FALSE, 0);
    int left = TwipsToPixels(description_.left, dpi_) + frame.left;
    int top = TwipsToPixels(description_.top, dpi_) + frame.top;
    ScreenBox place = OnScreen(ScreenBox{left, top, left + frame.right - frame.left, top + frame.bottom - frame.top});
    HWND made = CreateWindowExW(0, kFormClass, description_.caption, kFormStyle, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, nullptr, nullptr, instance, this);
    if (!made) {
        window_ = nullptr;
        return false;
    }
    TurnOffCompositedFrame(window_);
    timings::Mark("window creation");
    return true;
}

// The controls are created in their stacking order (below), so that the
// platform, which puts each new child beneath its siblings, stacks them as
// it creates them: every other control first, then the labels.
bool Form::CreateControls(HINSTANCE instance) {
    for (bool labels : {false, true}) {
        for (const auto& control : controls_) {
            if ((control->Kind() == ControlKind::Label) != labels) continue;
            int container = control->Description().container;
            HWND parent = container == kOnForm ? window_ : controls_[static_cast<size_t>(container)]->Window();
            if (!control->Create(instance, parent)) return false;
        }
    }
    // What readers call the controls that show no caption of their own, found
    // once here, so that no answer to a reader looks a control up.
    for (size_t i = 0; i < description_.readerNameCount; ++i) {
        const ReaderName& reader = description_.readerNames[i];
        Control& named = *controls_[static_cast<size_t>(reader.control)];
        HWND label = reader.label == kNoLabel ? nullptr : controls_[static_cast<size_t>(reader.label)]->Window();
        named.NameForReaders(label, reader.name);
    }
    return true;
}

// Within a container the controls listed first lie on top, and the labels
// beneath all the others. Created in that order they lie so already; a
// control is moved only where a platform put it elsewhere (asking costs a
// tenth of moving).
void Form::StackControls() {
    HWND above[2] = {HWND_TOP, HWND_TOP};  // per container: the form, the frame
    for (bool labels : {false, true}) {
        for (const auto& control : controls_) {
            HWND window = control->Window();
            if (!window || (control->Kind() == ControlKind::Label) != labels) continue;
            HWND& previous = above[control->Description().container == kOnForm ? 0 : 1];
            bool inPlace = previous == HWND_TOP ? GetWindow(window, GW_HWNDPREV) == nullptr
                                                : GetWindow(previous, GW_HWNDNEXT) == window;
            if (!inPlace) SetWindowPos(window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            previous = window;
        }
    }
}

// The form's window holds its form from its first message on.
LRESULT CALLBACK Form::FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        created->window_ = window;
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    auto platform = [&] { return DefWindowProcW(window, message, wParam, lParam); };
    if (!form) return platform();
    return WithinBoundary([&] { return form->FormProc(message, wParam, lParam); }, platform);
}

LRESULT Form::FormProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (AnswerAsContainer(window_, formBrush_.Get(), message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_ACTIVATE:
            // Give the focus back to the control that had it, not to the form.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(window_, focus)) focusOnDeactivate_ = focus;
                return 0;
            }
            if (focusOnDeactivate_ && IsWindow(focusOnDeactivate_)) {
                ::SetFocus(focusOnDeactivate_);
                return 0;
            }
            break;
        case WM_SETFOCUS:
            if (focusOnDeactivate_ && IsWindow(focusOnDeactivate_)) ::SetFocus(focusOnDeactivate_);
            return 0;
        case WM_GETICON:
            // The window's icons are its class's. Answered here rather than
            // set on the window too: under Wine each WM_SETICON writes the
            // icon to the display server once more (some 2.5 ms at start).
            return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? bigIcon_ : smallIcon_);
        case WM_SYSCOLORCHANGE:
            Recolour();
            return 0;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETHIGHCONTRAST) Recolour();
            break;
        case WM_CLOSE:
            Unload();
            return 0;
        case WM_DESTROY:
            for (const auto& control : controls_) control->FormDestroyed();
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace forms
