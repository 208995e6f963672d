#include "forms/form.h"

#include "forms/system_library.h"

namespace forms {

// Nothing shows a tip before the pointer rests on a control, so the tips and
// their DLL wait for the pointer's first move over the form: a start pays
// nothing for them, and one worked from the keyboard alone never loads them.
// comctl32 is loaded, not imported, and stays for as long as the tips it serves.
void Form::AddTooltips() {
    using InitCommonControls = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto initCommonControls =
        Exported<InitCommonControls>(LoadSystemLibrary(L"comctl32.dll"), "InitCommonControlsEx");
    if (!initCommonControls) return;
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_WIN95_CLASSES;
    initCommonControls(&classes);
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_,
                               nullptr);
    for (const auto& control : controls_) {
        const ControlDescription& d = control->Description();
        if (!d.tooltip || !control->Window()) continue;
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;  // the size every comctl32 version accepts
        tool.uFlags = TTF_IDISHWND | (d.rightToLeft ? TTF_RTLREADING : 0);
        tool.lpszText = const_cast<wchar_t*>(d.tooltip);
        tool.hwnd = GetParent(control->Window());
        tool.uId = reinterpret_cast<UINT_PTR>(control->Window());
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// The pointer's moves reach the tooltip from the message loop rather than by
// subclassing its tools: a subclassed window pays for the subclass on every
// message it gets, its paints included (a tenth of a full repaint under Wine).
void Form::RelayToTooltip(const MSG& message) {
    if (message.message < WM_MOUSEFIRST || message.message > WM_MOUSELAST) return;
    if (!tooltipsAdded_) {
        tooltipsAdded_ = true;
        AddTooltips();
    }
    if (tooltip_) SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

}  // namespace forms
