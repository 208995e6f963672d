// What a screen reader learns of each control, asked as one asks: through
// oleacc, from another process.
#include "scenarios.h"

#include <oleacc.h>

#include <string>
#include <vector>

namespace e2e {
namespace {

// One control as a reader hears it.
struct Heard {
    bool found = false;
    std::wstring name, value, description, defaultAction;
    long role = 0;
    long state = 0;
};

std::wstring Take(BSTR text) {
    std::wstring taken = text ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return taken;
}

// What a reader hears of an object, or of one of its children.
Heard HearObject(IAccessible* object, VARIANT child) {
    Heard heard;
    heard.found = true;
    BSTR text = nullptr;
    if (object->get_accName(child, &text) == S_OK) heard.name = Take(text);
    text = nullptr;
    if (object->get_accValue(child, &text) == S_OK) heard.value = Take(text);
    text = nullptr;
    if (object->get_accDescription(child, &text) == S_OK) heard.description = Take(text);
    text = nullptr;
    if (object->get_accDefaultAction(child, &text) == S_OK) heard.defaultAction = Take(text);
    VARIANT answer;
    VariantInit(&answer);
    if (SUCCEEDED(object->get_accRole(child, &answer)) && answer.vt == VT_I4) heard.role = answer.lVal;
    VariantClear(&answer);
    if (SUCCEEDED(object->get_accState(child, &answer)) && answer.vt == VT_I4) heard.state = answer.lVal;
    VariantClear(&answer);
    return heard;
}

Heard Hear(HWND window) {
    IAccessible* object = nullptr;
    if (!window || FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                                     reinterpret_cast<void**>(&object))) || !object) {
        return Heard{};
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    Heard heard = HearObject(object, self);
    object->Release();
    return heard;
}

std::string Described(const Heard& heard) {
    return "name '" + Narrow(heard.name) + "', role " + std::to_string(heard.role) + ", state 0x" +
           [](long state) {
               char hex[16];
               std::snprintf(hex, sizeof hex, "%lx", static_cast<unsigned long>(state));
               return std::string(hex);
           }(heard.state) +
           ", value '" + Narrow(heard.value) + "', description '" + Narrow(heard.description) + "'";
}

const wchar_t kStampValue[] = L"قيمة الدمغة";

void ValueBoxes(Checks& checks, const Program& program) {
    struct Box {
        int id;
        const char* name;
        const wchar_t* caption;
        bool readOnly;
        const wchar_t* description;
    };
    const Box boxes[] = {
        {kB, "b", L"القيمة السوقيـة للعقار", false, L""},
        {kC, "c", L"القيمة الرأسمالية 60 %", true, L""},
        {kD, "d", L"القيمة الإيجارية 3 %", true, L""},
        {kG, "g", L"مصاريف الصيانة 70 %", true, kStampValue},
        {kH, "h", L"صافي الوعـاء بعد خصم 6000 جم", true, kStampValue},
        {kF, "f", L"الضـريبــة 10 %", true, kStampValue},
        {kE, "e", L"الضريبة 10 % مقربة لرقمين عشريين", true, kStampValue},
    };
    for (const Box& box : boxes) {
        Heard heard = Hear(program.Control(box.id));
        bool readOnly = (heard.state & STATE_SYSTEM_READONLY) != 0;
        checks.Check(heard.found && heard.name == box.caption && heard.role == ROLE_SYSTEM_TEXT &&
                         readOnly == box.readOnly && heard.value == program.Text(box.id) &&
                         heard.description == box.description,
                     std::string("a reader hears box ") + box.name + " as its row's editable text" +
                         (box.readOnly ? ", read-only" : "") + ", valued at its text",
                     Described(heard));
    }
}

void Labels(Checks& checks, const Program& program) {
    const int labels[] = {kLabel1, kLabel2, kLabel3, kLabel4, kLabel5, kLabel6, kLabel7, kLabel8, kLabel9, kLabel10};
    std::string wrong;
    for (int id : labels) {
        Heard heard = Hear(program.Control(id));
        std::wstring shown = program.Text(id);
        std::wstring description = id == kLabel3 ? L"أسألكم الدعاء" : L"";
        if (!heard.found || heard.role != ROLE_SYSTEM_STATICTEXT || heard.name != shown ||
            heard.description != description) {
            wrong += " label " + std::to_string(id) + ": " + Described(heard) + ", shows '" + Narrow(shown) + "';";
        }
    }
    checks.Check(wrong.empty(), "a reader hears each label as static text named by what it shows, Label3 with its tip",
                 wrong);
}

void Buttons(Checks& checks, const Program& program) {
    const std::pair<int, const wchar_t*> buttons[] = {
        {kCommand1, L"إحسب"}, {kCommand2, L"خروج"}, {kCommand3, L"C"}};
    std::string wrong;
    for (const auto& [id, caption] : buttons) {
        Heard heard = Hear(program.Control(id));
        if (!heard.found || heard.role != ROLE_SYSTEM_PUSHBUTTON || heard.name != caption ||
            heard.defaultAction.empty()) {
            wrong += " button " + std::to_string(id) + ": " + Described(heard) + ", action '" +
                     Narrow(heard.defaultAction) + "';";
        }
    }
    checks.Check(wrong.empty(), "a reader hears the three buttons as push buttons named by their captions, "
                 "each with its default action", wrong);
}

void TheWindow(Checks& checks, const Program& program) {
    Heard heard = Hear(program.Form());
    checks.Check(heard.found && heard.name == L"Zemrana", "a reader hears the window named Zemrana",
                 Described(heard));
    // The frame's own caption is never shown: it is named by the credit
    // line across its top, which says what it holds.
    Heard frame = Hear(program.Control(kFrame1));
    checks.Check(frame.found && frame.role == ROLE_SYSTEM_GROUPING && frame.name == program.Text(kLabel4) &&
                     !frame.name.empty(),
                 "a reader hears the frame as a grouping named by its credit line, not 'Frame1'", Described(frame));
}

// The value follows the box; the time label's name follows the clock.
void ValuesAndTheClock(Checks& checks, const Program& program) {
    program.Press(VK_SPACE);
    program.Type(L"1234567");
    program.Press(VK_RETURN);
    bool calculated = WaitUntil([&] { return program.Text(kF) == L"955.55442"; });
    Heard capital = Hear(program.Control(kC));
    checks.Check(calculated && capital.value == L"740740.2", "after 1234567 and Enter a reader hears c valued 740740.2",
                 Described(capital));

    std::wstring before = Hear(program.Control(kLabel2)).name;
    bool changed = WaitUntil([&] { return Hear(program.Control(kLabel2)).name != before; }, 3000);
    Heard now = Hear(program.Control(kLabel2));
    checks.Check(!before.empty() && changed && now.name == program.Text(kLabel2),
                 "a reader hears the time label's name change with the clock",
                 "before '" + Narrow(before) + "', now '" + Narrow(now.name) + "'");
}

// The live-region changes the program raises, caught as a screen reader
// catches them: by an out-of-context WinEvent hook on the program's process,
// delivered while the driver's thread pumps its messages.
struct CaughtEvent {
    HWND window;
    LONG object;
    LONG child;
    DWORD caughtAt;
};
std::vector<CaughtEvent> caughtChanges;

void CALLBACK CatchLiveRegionChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    caughtChanges.push_back({window, object, child, GetTickCount()});
}

Heard HearEvent(const CaughtEvent& event) {
    IAccessible* object = nullptr;
    VARIANT child;
    VariantInit(&child);
    if (FAILED(AccessibleObjectFromEvent(event.window, static_cast<DWORD>(event.object),
                                         static_cast<DWORD>(event.child), &object, &child)) || !object) {
        return Heard{};
    }
    Heard heard = HearObject(object, child);
    object->Release();
    VariantClear(&child);
    return heard;
}

// The focus stays in b after Enter: the result reaches a reader only as the
// tax box's live-region change, whose object reads the tax.
void ResultToldAfterEnter(Checks& checks, const Program& program) {
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                                         CatchLiveRegionChange, program.ProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    checks.Check(hook != nullptr, "the driver hooks the program's live-region changes");
    if (!hook) return;
    ClearWithSpace(program);
    program.Type(L"1234567");
    WaitUntil([&] { return program.Text(kB) == L"1234567"; });
    PumpMessages();
    caughtChanges.clear();
    DWORD pressed = GetTickCount();
    program.Press(VK_RETURN);
    bool told = WaitUntil([&] {
        PumpMessages();
        return !caughtChanges.empty();
    }, 2000);
    CaughtEvent change = told ? caughtChanges[0] : CaughtEvent{};
    DWORD process = 0;
    GetWindowThreadProcessId(change.window, &process);
    DWORD elapsed = change.caughtAt - pressed;
    checks.Check(told && change.window == program.Control(kF) && change.object == OBJID_CLIENT &&
                     change.child == CHILDID_SELF && process == program.ProcessId() && elapsed <= 1000,
                 "Enter raises the live-region change of the tax box f, from the program, within a second",
                 told ? std::to_string(elapsed) + " ms after Enter, window " + std::to_string(GetDlgCtrlID(change.window))
                      : "none within two seconds");
    Heard heard = told ? HearEvent(change) : Heard{};
    checks.Check(heard.found && heard.value == L"955.55442" && heard.name == L"الضـريبــة 10 %",
                 "the object the change names reads the tax, 955.55442, named by its row", Described(heard));

    ClearWithSpace(program);
    PumpMessages();
    caughtChanges.clear();
    program.Press(VK_RETURN);
    Sleep(500);
    PumpMessages();
    checks.Check(caughtChanges.empty() && program.Running(), "Enter with b empty fills no result and raises no change",
                 std::to_string(caughtChanges.size()) + " changes");
    UnhookWinEvent(hook);
}

}  // namespace

std::wstring ReaderName(HWND window) { return Hear(window).name; }

void RunReaderScenarios(Checks& checks, const std::wstring& exePath) {
    Program program(exePath);
    checks.Check(program.Started(), "the program starts for the screen-reader checks");
    if (!program.Started()) return;
    program.Activate();
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ValueBoxes(checks, program);
    Labels(checks, program);
    Buttons(checks, program);
    TheWindow(checks, program);
    ValuesAndTheClock(checks, program);
    ResultToldAfterEnter(checks, program);
    RunAutomationChecks(checks, program);
    if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace e2e
