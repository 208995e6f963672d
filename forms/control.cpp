#include "forms/control.h"

#include "forms/layout.h"
#include "forms/reader_services.h"
#include "forms/window_text.h"

namespace forms {

void Control::ApplyColours(bool highContrast) {
    colours_ = ControlColours(description_, highContrast);
    brush_.Reset(CreateSolidBrush(colours_.back));
}

std::wstring Control::Text() const { return window_ ? WindowText(window_) : std::wstring(); }

void Control::SetText(const std::wstring& text) const {
    if (window_) SetWindowTextW(window_, text.c_str());
}

void Control::Focus() const {
    if (window_) SetFocus(window_);
}

LRESULT Control::ColourDeviceContext(HDC dc) const {
    SetBkColor(dc, colours_.back);
    SetTextColor(dc, colours_.text);
    return reinterpret_cast<LRESULT>(brush_.Get());
}

AccessibleFacts Control::Facts() const {
    AccessibleFacts facts;
    facts.nameSource = window_;
    if (description_.tooltip) facts.description = description_.tooltip;
    AddKindFacts(facts);
    if (namedForReaders_) {
        facts.nameSource = readerNameSource_;
        if (readerFixedName_) facts.fixedName = readerFixedName_;
    }
    return facts;
}

void Control::NameForReaders(HWND nameSource, const wchar_t* fixedName) {
    namedForReaders_ = true;
    readerNameSource_ = nameSource;
    readerFixedName_ = fixedName;
}

void Control::AnnounceResult(const std::wstring& text) {
    if (window_) liveRegion_.Changed(window_, PlatformReaderServices(), text);
}

void Control::Announce(const std::wstring& text) const {
    if (window_) SayPolitely(window_, PlatformReaderServices(), text);
}

// The window's user data holds its control, for every window the runtime
// makes for one: its own classes' and the platform's edit boxes and buttons
// alike (the slot is the program's on every window).
Control* Control::Of(HWND window) { return reinterpret_cast<Control*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

void Control::Tie(HWND window) { SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this)); }

bool Control::CreateChild(HINSTANCE instance, HWND container, DWORD exStyle, const wchar_t* windowClass,
                          DWORD style) {
    const ControlDescription& d = description_;
    int dpi = host_.Dpi();
    int left = TwipsToPixels(d.left, dpi);
    int top = TwipsToPixels(d.top, dpi);
    window_ = CreateWindowExW(exStyle, windowClass, d.caption, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, left,
                              top, TwipsToPixels(d.width, dpi), TwipsToPixels(d.height, dpi), container,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(d))), instance, nullptr);
    if (!window_) return false;
    Tie(window_);
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(host_.Font(d)), FALSE);
    return true;
}

bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HICON bigIcon,
                         HICON smallIcon) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = bigIcon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass) != 0;
}

}  // namespace forms
