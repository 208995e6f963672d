#include "forms/form.h"

#include "forms/colours.h"
#include "forms/form_control.h"
#include "forms/layout.h"
#include "forms/system_library.h"
#include "forms/timings.h"

namespace forms {
namespace {

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

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HICON bigIcon = nullptr,
                         HICON smallIcon = nullptr) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = bigIcon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
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

void Form::CreateFormWindow(HINSTANCE instance) {
    bigIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(description_.iconResource), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
    smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(description_.iconResource), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_SHARED));
    RegisterWindowClass(instance, kFormClass, FormWindowProc, bigIcon_, smallIcon_);
    RegisterWindowClass(instance, kFrameClass, FrameWindowProc);
    RegisterWindowClass(instance, kLabelClass, LabelWindowProc);
    RegisterWindowClass(instance, kTimerClass, TimerWindowProc);
    timings::Mark("class registration");

    // Ticks go to a message-only window of their own, so that they never pass
    // through whatever procedure the form's window has been given.
    timerWindow_ = CreateWindowExW(0, kTimerClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);

    RECT frame{0, 0, TwipsToPixels(description_.clientWidth, dpi_), TwipsToPixels(description_.clientHeight, dpi_)};
    AdjustWindowRectEx(&frame, kFormStyle, FALSE, 0);
    int left = TwipsToPixels(description_.left, dpi_) + frame.left;
    int top = TwipsToPixels(description_.top, dpi_) + frame.top;
    ScreenBox place = OnScreen(ScreenBox{left, top, left + frame.right - frame.left, top + frame.bottom - frame.top});
    window_ = CreateWindowExW(0, kFormClass, description_.caption, kFormStyle, place.left, place.top,
                              place.right - place.left, place.bottom - place.top, nullptr, nullptr, instance, this);
    TurnOffCompositedFrame(window_);
    timings::Mark("window creation");
}

// The controls are created in their stacking order (below), so that the
// platform, which puts each new child beneath its siblings, stacks them as
// it creates them.
void Form::CreateControls(HINSTANCE instance) {
    for (bool labels : {false, true}) {
        for (Control& control : controls_) {
            if ((control.description->kind == ControlKind::Label) == labels) CreateControl(instance, control);
        }
    }
}

void Form::CreateControl(HINSTANCE instance, Control& control) {
    const ControlDescription& d = *control.description;
    const FontDescription& font = FontOf(description_, d);
    RECT r = PixelRect(control);
    HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlIdBase + d.tabIndex));
    DWORD clip = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (d.kind) {
        case ControlKind::Frame:
            control.window = CreateWindowExW(WS_EX_CONTROLPARENT, kFrameClass, d.caption, clip | WS_CLIPCHILDREN,
                                             r.left, r.top, r.right - r.left, r.bottom - r.top,
                                             ContainerWindow(control), id, instance, this);
            break;
        case ControlKind::TextBox: {
            DWORD style = clip | WS_TABSTOP | ES_AUTOHSCROLL | (d.readOnly ? ES_READONLY : 0) |
                          (TextAlignment(d) == DT_RIGHT ? ES_RIGHT : TextAlignment(d) == DT_CENTER ? ES_CENTER : 0);
            DWORD exStyle = (d.border == Border::None ? 0 : WS_EX_CLIENTEDGE) | (d.rightToLeft ? WS_EX_RTLREADING : 0);
            control.window = CreateWindowExW(exStyle, L"EDIT", d.caption, style, r.left, r.top, r.right - r.left,
                                             r.bottom - r.top, ContainerWindow(control), id, instance, nullptr);
            if (d.maxLength > 0) SendMessageW(control.window, EM_SETLIMITTEXT, d.maxLength, 0);
            ListenForReaders(control.window);
            break;
        }
        case ControlKind::CommandButton:
            control.window = CreateWindowExW(0, L"BUTTON", d.caption, clip | WS_TABSTOP | BS_OWNERDRAW, r.left, r.top,
                                             r.right - r.left, r.bottom - r.top, ContainerWindow(control), id,
                                             instance, nullptr);
            ListenForReaders(control.window);
            break;
        case ControlKind::Timer:
            control.timerId = static_cast<UINT_PTR>(&control - controls_.data() + 1);
            if (d.interval > 0) SetTimer(timerWindow_, control.timerId, static_cast<UINT>(d.interval), nullptr);
            break;
        case ControlKind::Label:
            // A window of its own, so that its text can be read like any
            // control's (screen readers, tools); it lies beneath every
            // windowed control of its container.
            control.window = CreateWindowExW(0, kLabelClass, d.caption, clip, r.left, r.top, r.right - r.left,
                                             r.bottom - r.top, ContainerWindow(control), id, instance, this);
            break;
    }
    if (control.window) SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->Get(font)), FALSE);
}

// Within a container the controls listed first lie on top, and the labels
// beneath all the others. Created in that order they lie so already; a
// control is moved only where a platform put it elsewhere (asking costs a
// tenth of moving).
void Form::StackControls() {
    HWND above[2] = {HWND_TOP, HWND_TOP};  // per container: the form, the frame
    for (bool labels : {false, true}) {
        for (Control& control : controls_) {
            if (!control.window || (control.description->kind == ControlKind::Label) != labels) continue;
            HWND& previous = above[control.description->container ? 1 : 0];
            bool inPlace = previous == HWND_TOP ? GetWindow(control.window, GW_HWNDPREV) == nullptr
                                                : GetWindow(previous, GW_HWNDNEXT) == control.window;
            if (!inPlace) SetWindowPos(control.window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            previous = control.window;
        }
    }
}

}  // namespace forms
