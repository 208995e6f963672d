#include "forms/form.h"

#include "forms/application.h"
#include "forms/label_text.h"
#include "forms/layout.h"
#include "forms/timings.h"

#include <commctrl.h>

#include <cmath>
#include <cstring>

namespace forms {

struct Form::Control {
    const ControlDescription* description = nullptr;
    HWND window = nullptr;  // every control but a timer
    HBRUSH brush = nullptr;
    std::wstring caption;   // labels and buttons: what they show
    UINT_PTR timerId = 0;
};

namespace {

constexpr wchar_t kFormClass[] = L"ZemranaForm";
constexpr wchar_t kFrameClass[] = L"ZemranaFrame";
constexpr wchar_t kLabelClass[] = L"ZemranaLabel";
constexpr wchar_t kTimerClass[] = L"ZemranaTimer";
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
    HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    if (!dwm) return;
    using SetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    auto setAttribute = reinterpret_cast<SetWindowAttribute>(
        reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")));
    constexpr DWORD kNonClientRenderingPolicy = 2;  // DWMWA_NCRENDERING_POLICY
    constexpr int kRenderingDisabled = 1;           // DWMNCRP_DISABLED
    if (setAttribute) setAttribute(window, kNonClientRenderingPolicy, &kRenderingDisabled, sizeof kRenderingDisabled);
    FreeLibrary(dwm);
}

COLORREF ResolveColour(Colour colour, int defaultSystemColour) {
    if (colour == kDefaultColour) return GetSysColor(defaultSystemColour);
    if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFF));
    return colour;
}

UINT TextAlignment(const ControlDescription& control) {
    switch (control.alignment) {
        case Alignment::Left: return DT_LEFT;
        case Alignment::Right: return DT_RIGHT;
        case Alignment::Center: return DT_CENTER;
        case Alignment::Default: break;
    }
    // The default alignment is the reading order's leading edge.
    return control.rightToLeft ? DT_RIGHT : DT_LEFT;
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

// Runs a handler; no exception may cross a window procedure.
template <typename Call>
void Guarded(Call call) {
    try {
        call();
    } catch (...) {
    }
}

}  // namespace

Form::Form(const FormDescription& description, const EventBinding* events, size_t eventCount)
    : description_(description), events_(events), eventCount_(eventCount) {
    controls_.reserve(description.controlCount);
    for (size_t i = 0; i < description.controlCount; ++i) {
        Control control;
        control.description = &description.controls[i];
        if (control.description->caption) control.caption = control.description->caption;
        controls_.push_back(control);
    }
}

Form::~Form() {
    for (Control& control : controls_) {
        if (control.brush) DeleteObject(control.brush);
    }
    if (formBrush_) DeleteObject(formBrush_);
}

int Form::Run(HINSTANCE instance) {
    HDC screen = GetDC(nullptr);
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    timings::Mark("screen DPI (the display's first use)");
    fonts_ = std::make_unique<FontSet>(dpi_);
    for (const Control& control : controls_) fonts_->Get(FontOf(description_, *control.description));
    timings::Mark("font lookup");

    CreateFormWindow(instance);
    CreateControls(instance);
    StackControls();
    timings::Mark("control creation");

    Raise(description_.name, Event::Load);
    timings::Mark("Form_Load");
    if (unloaded_) return 0;

    ShowWindow(window_, SW_SHOW);
    std::vector<size_t> stops = TabStops(description_.controls, description_.controlCount);
    if (!stops.empty()) ::SetFocus(controls_[stops.front()].window);
    timings::Mark("show");
    {
        timings::PaintCosts costs("first paint");
        UpdateWindow(window_);
    }
    timings::Mark("first paint");
    // Nothing shows the tooltips before the pointer rests on a control: they
    // and their DLL wait until the window is painted.
    AddTooltips(instance);
    timings::Mark("tooltips");

    MSG message;
    for (;;) {
        timings::MeasureRepaintsOnceIdle(window_);
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
        if (PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void Form::CreateFormWindow(HINSTANCE instance) {
    HICON bigIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(description_.iconResource), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                                  LR_SHARED));
    HICON smallIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(description_.iconResource),
                                                    IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    RegisterWindowClass(instance, kFormClass, FormWindowProc, bigIcon, smallIcon);
    RegisterWindowClass(instance, kFrameClass, FrameWindowProc);
    RegisterWindowClass(instance, kLabelClass, LabelWindowProc);
    RegisterWindowClass(instance, kTimerClass, TimerWindowProc);
    timings::Mark("class registration");

    // Ticks go to a message-only window of their own, so that they never pass
    // through whatever procedure the form's window has been given.
    timerWindow_ = CreateWindowExW(0, kTimerClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);

    formBrush_ = CreateSolidBrush(ResolveColour(description_.backColour, COLOR_BTNFACE));
    RECT frame{0, 0, TwipsToPixels(description_.clientWidth, dpi_), TwipsToPixels(description_.clientHeight, dpi_)};
    AdjustWindowRectEx(&frame, kFormStyle, FALSE, 0);
    int left = TwipsToPixels(description_.left, dpi_) + frame.left;
    int top = TwipsToPixels(description_.top, dpi_) + frame.top;
    window_ = CreateWindowExW(0, kFormClass, description_.caption, kFormStyle, left, top, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, instance, this);
    TurnOffCompositedFrame(window_);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    timings::Mark("window creation");
}

void Form::CreateControls(HINSTANCE instance) {
    for (Control& control : controls_) {
        const ControlDescription& d = *control.description;
        const FontDescription& font = FontOf(description_, d);
        control.brush = d.kind == ControlKind::Timer ? nullptr
                                                     : CreateSolidBrush(ResolveColour(d.backColour, COLOR_WINDOW));
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
                break;
            }
            case ControlKind::CommandButton:
                control.window = CreateWindowExW(0, L"BUTTON", d.caption, clip | WS_TABSTOP | BS_OWNERDRAW, r.left, r.top,
                                                 r.right - r.left, r.bottom - r.top, ContainerWindow(control), id,
                                                 instance, nullptr);
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
}

// Within a container the controls listed first lie on top, and the labels
// beneath all the others.
void Form::StackControls() {
    HWND above[2] = {HWND_TOP, HWND_TOP};  // per container: the form, the frame
    for (bool labels : {false, true}) {
        for (Control& control : controls_) {
            if (!control.window || (control.description->kind == ControlKind::Label) != labels) continue;
            HWND& previous = above[control.description->container ? 1 : 0];
            SetWindowPos(control.window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            previous = control.window;
        }
    }
}

void Form::AddTooltips(HINSTANCE instance) {
    // comctl32 is loaded here, not imported, so that no start pays for it; it
    // stays loaded for as long as the tooltips it serves.
    HMODULE commonControls = LoadLibraryW(L"comctl32.dll");
    using InitCommonControls = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto initCommonControls = commonControls ? reinterpret_cast<InitCommonControls>(reinterpret_cast<void*>(
                                                   GetProcAddress(commonControls, "InitCommonControlsEx")))
                                             : nullptr;
    if (!initCommonControls) return;
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_WIN95_CLASSES;
    initCommonControls(&classes);
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance,
                               nullptr);
    for (Control& control : controls_) {
        const ControlDescription& d = *control.description;
        if (!d.tooltip) continue;
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;  // the size every comctl32 version accepts
        tool.uFlags = TTF_SUBCLASS | TTF_IDISHWND | (d.rightToLeft ? TTF_RTLREADING : 0);
        tool.lpszText = const_cast<wchar_t*>(d.tooltip);
        tool.hwnd = GetParent(control.window);
        tool.uId = reinterpret_cast<UINT_PTR>(control.window);
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

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

std::wstring Form::Text(const char* name) const {
    HWND window = Find(name).window;
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Form::SetText(const char* name, const std::wstring& text) { SetWindowTextW(Find(name).window, text.c_str()); }

void Form::SetCaption(const char* name, const std::wstring& caption) {
    Control& label = Find(name);
    if (label.caption == caption) return;  // nothing to repaint
    label.caption = caption;
    SetWindowTextW(label.window, caption.c_str());
    InvalidateRect(label.window, nullptr, FALSE);
}

void Form::SetFocus(const char* name) { ::SetFocus(Find(name).window); }

void Form::SetTimerInterval(const char* name, int milliseconds) {
    Control& timer = Find(name);
    KillTimer(timerWindow_, timer.timerId);
    if (milliseconds > 0) SetTimer(timerWindow_, timer.timerId, static_cast<UINT>(milliseconds), nullptr);
}

float Form::Width() const {
    RECT area;
    GetWindowRect(window_, &area);
    return static_cast<float>(area.right - area.left) * Screen().twipsPerPixelX;
}

float Form::Height() const {
    RECT area;
    GetWindowRect(window_, &area);
    return static_cast<float>(area.bottom - area.top) * Screen().twipsPerPixelY;
}

void Form::Move(float left, float top) {
    ScreenMetrics screen = Screen();
    SetWindowPos(window_, nullptr, static_cast<int>(std::lround(left / screen.twipsPerPixelX)),
                 static_cast<int>(std::lround(top / screen.twipsPerPixelY)), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Unload() {
    int16_t cancel = 0;
    RaiseWithCode(description_.name, Event::Unload, cancel);
    if (cancel != 0) return;
    unloaded_ = true;
    DestroyWindow(window_);
}

void Form::End() { ExitProcess(0); }

bool Form::Raise(const char* source, Event event) {
    for (size_t i = 0; i < eventCount_; ++i) {
        const EventBinding& binding = events_[i];
        if (binding.event == event && binding.plain && std::strcmp(binding.source, source) == 0) {
            Guarded(binding.plain);
            return true;
        }
    }
    return false;
}

bool Form::RaiseWithCode(const char* source, Event event, int16_t& code) {
    for (size_t i = 0; i < eventCount_; ++i) {
        const EventBinding& binding = events_[i];
        if (binding.event == event && binding.withCode && std::strcmp(binding.source, source) == 0) {
            Guarded([&] { binding.withCode(code); });
            return true;
        }
    }
    return false;
}

// Keys the window handles itself before any control sees them.
bool Form::PreTranslate(MSG& message) {
    // The message kind first: asking for the window's ancestry costs more, and
    // most messages (timer ticks among them) are no keys.
    if (message.message != WM_KEYDOWN && message.message != WM_CHAR) return false;
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
    return message.message == WM_KEYDOWN ? HandleKeyDown(message) : HandleCharacter(message);
}

bool Form::HandleKeyDown(MSG& message) {
    bool control = GetKeyState(VK_CONTROL) < 0;
    switch (message.wParam) {
        case VK_TAB:
            if (control) return false;
            MoveFocusAlongTabOrder(GetKeyState(VK_SHIFT) >= 0);
            return true;
        case VK_RETURN: {
            Control* focused = FindByWindow(GetFocus());
            if (focused && focused->description->kind == ControlKind::CommandButton) {
                Click(*focused);
                return true;
            }
            for (Control& button : controls_) {
                if (button.description->isDefault) Click(button);
            }
            return true;
        }
        case VK_ESCAPE:
            for (Control& button : controls_) {
                if (button.description->isCancel) Click(button);
            }
            return true;
        default:
            return false;
    }
}

// Key preview: the form sees every character first and may change or drop
// it; then the control that had the focus when the key was pressed.
bool Form::HandleCharacter(MSG& message) {
    int16_t code = static_cast<int16_t>(message.wParam);
    if (description_.keyPreview) RaiseWithCode(description_.name, Event::KeyPress, code);
    if (code == 0) return true;
    if (Control* target = FindByWindow(message.hwnd)) RaiseWithCode(target->description->name, Event::KeyPress, code);
    if (code == 0) return true;
    message.wParam = static_cast<WPARAM>(static_cast<uint16_t>(code));
    return false;
}

void Form::MoveFocusAlongTabOrder(bool forward) {
    std::vector<size_t> stops = TabStops(description_.controls, description_.controlCount);
    if (stops.empty()) return;
    std::ptrdiff_t current = -1;
    if (Control* focused = FindByWindow(GetFocus())) {
        size_t index = static_cast<size_t>(focused - controls_.data());
        for (size_t i = 0; i < stops.size(); ++i) {
            if (stops[i] == index) current = static_cast<std::ptrdiff_t>(i);
        }
    }
    Control& next = controls_[stops[NextTabStop(stops.size(), current, forward)]];
    ::SetFocus(next.window);
    if (next.description->kind == ControlKind::TextBox) SendMessageW(next.window, EM_SETSEL, 0, -1);
}

void Form::Click(const Control& button) { Raise(button.description->name, Event::Click); }

// The form a window of the runtime belongs to, stored with the window when
// it is created.
Form* Form::FormOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    return reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK Form::FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = FormOf(window, message, lParam);
    if (!form) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCCREATE) form->window_ = window;
    return form->FormProc(message, wParam, lParam);
}

LRESULT CALLBACK Form::FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = FormOf(window, message, lParam);
    if (!form) return DefWindowProcW(window, message, wParam, lParam);
    return form->FrameProc(window, message, wParam, lParam);
}

// Painting, colours and the buttons' notifications, alike for the form and
// the frame. Each container answers its own children, so that a box's
// notifications never travel up to the form.
bool Form::ContainerMessage(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_DRAWITEM:
            DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            result = TRUE;
            return true;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                if (Control* button = FindByWindow(reinterpret_cast<HWND>(lParam))) Click(*button);
            }
            result = 0;
            return true;
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(container, &paint);
            Control* self = FindByWindow(container);
            FillRect(dc, &paint.rcPaint, self ? self->brush : formBrush_);
            EndPaint(container, &paint);
            result = 0;
            return true;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            result = ColourControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
            return true;
    }
    return false;
}

LRESULT CALLBACK Form::TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = FormOf(window, message, lParam);
    if (form && message == WM_TIMER) {
        for (Control& timer : form->controls_) {
            if (timer.timerId == wParam) form->Raise(timer.description->name, Event::Timer);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Form::LabelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = FormOf(window, message, lParam);
    Control* label = form ? form->FindByWindow(window) : nullptr;
    if (!label) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_NCPAINT:  // no frame or scroll bar to paint: the border is drawn inside
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            form->PaintLabel(*label, dc);
            EndPaint(window, &paint);
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Form::FormProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ContainerMessage(window_, message, wParam, lParam, result)) return result;
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
        case WM_CLOSE:
            Unload();
            return 0;
        case WM_DESTROY:
            DestroyWindow(timerWindow_);
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT Form::FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ContainerMessage(frame, message, wParam, lParam, result)) return result;
    return DefWindowProcW(frame, message, wParam, lParam);
}

LRESULT Form::ColourControl(HDC dc, HWND window) {
    Control* control = FindByWindow(window);
    if (!control) return 0;
    SetBkColor(dc, ResolveColour(control->description->backColour, COLOR_WINDOW));
    SetTextColor(dc, ResolveColour(control->description->textColour, COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(control->brush);
}

// A label is composed off-screen and copied once, so that a clock that
// rewrites it many times a second never flickers.
void Form::PaintLabel(const Control& label, HDC dc) {
    const ControlDescription& d = *label.description;
    RECT area;
    GetClientRect(label.window, &area);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, area.right, area.bottom);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    FillRect(memory, &area, label.brush);
    RECT inside = area;
    if (d.border == Border::FixedSingle) DrawEdge(memory, &inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    InflateRect(&inside, -1, 0);
    HGDIOBJ oldFont = SelectObject(memory, fonts_->Get(FontOf(description_, d)));
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, ResolveColour(d.textColour, COLOR_BTNTEXT));
    DrawLabelText(memory, label.caption, inside, TextAlignment(d), d.rightToLeft);
    SelectObject(memory, oldFont);
    BitBlt(dc, 0, 0, area.right, area.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void Form::DrawButton(const DRAWITEMSTRUCT& item) {
    Control* button = FindByWindow(item.hwndItem);
    if (!button) return;
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, button->brush);
    DrawEdge(item.hDC, &area, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, ResolveColour(button->description->textColour, COLOR_BTNTEXT));
    DrawTextW(item.hDC, button->caption.c_str(), static_cast<int>(button->caption.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&area, -2, -2);
        DrawFocusRect(item.hDC, &area);
    }
}

}  // namespace forms
