#include "scenarios.h"

namespace e2e {
namespace {

// A market value entered as a user of Arabic-Indic or Persian digits enters
// it, then Enter: b holds its ASCII digits and the chain is that number's.
struct Entry {
    const char* name;
    std::wstring keys;
    bool pasted;
    std::wstring b;
    std::wstring h;
    std::wstring e;
    std::wstring f;
};

void EntersAndCalculates(Checks& checks, const Program& program, const Entry& entry) {
    ClearWithSpace(program);
    if (entry.pasted) {
        program.Paste(entry.keys);
    } else {
        program.Type(entry.keys);
    }
    bool entered = WaitUntil([&] { return program.Text(kB) == entry.b; });
    program.Press(VK_RETURN);
    bool calculated = WaitUntil([&] { return program.Text(kF) == entry.f; });
    checks.Check(entered && calculated && program.Text(kH) == entry.h && program.Text(kE) == entry.e &&
                     program.FocusId() == kB,
                 std::string(entry.name) + " enters b as " + Narrow(entry.b) + " and gives its chain",
                 Describe(program));
}

// What an input method delivers, one WM_IME_CHAR per character, posted to b
// as the platform posts it to the focused window.
void FromInputMethod(const Program& program, const std::wstring& characters) {
    for (wchar_t character : characters) PostMessageW(program.Control(kB), WM_IME_CHAR, character, 1);
}

void OtherCharactersAreRefused(Checks& checks, const Program& program) {
    // Latin letters, the minus sign, zain and the Arabic thousands separator.
    const std::wstring refused = L"a-\u0632\u066C";

    ClearWithSpace(program);
    program.Type(refused);
    program.Type(L"0");  // a marker: once it shows, every key before it was handled
    bool typed = WaitUntil([&] { return program.Text(kB) == L"0"; });
    checks.Check(typed, "typed letters, '-', zain and the Arabic thousands separator are refused", Describe(program));

    ClearWithSpace(program);
    FromInputMethod(program, refused + L"\u0663");
    bool fromInputMethod = WaitUntil([&] { return program.Text(kB) == L"3"; });
    checks.Check(fromInputMethod,
                 "through WM_IME_CHAR the same are refused, and an Arabic-Indic three enters as 3", Describe(program));

    ClearWithSpace(program);
    program.Type(L"5");
    WaitUntil([&] { return program.Text(kB) == L"5"; });
    program.Paste(L"12abc");
    program.Type(L"6");
    bool pasted = WaitUntil([&] { return program.Text(kB) == L"56"; });
    checks.Check(pasted, "a paste with a letter in it is refused whole", Describe(program));

    ClearWithSpace(program);
    program.Type(L"1234");
    WaitUntil([&] { return program.Text(kB) == L"1234"; });
    program.Paste(L"\u0665\u0666\u0667\u066C\u0668\u0669\u0660");
    bool limited = WaitUntil([&] { return program.Text(kB) == L"12345678"; });
    checks.Check(limited, "a paste stops at 8 characters, counted as they enter b", Describe(program));

    // The edit box's context menu pastes with WM_PASTE: the same rule.
    ClearWithSpace(program);
    SetClipboardText(L"\u0665\u066C\u0660\u0660\u0660");
    SendMessageW(program.Control(kB), WM_PASTE, 0, 0);
    bool throughMessage = WaitUntil([&] { return program.Text(kB) == L"5000"; });
    SetClipboardText(L"1,5");
    SendMessageW(program.Control(kB), WM_PASTE, 0, 0);
    checks.Check(throughMessage && program.Text(kB) == L"5000",
                 "WM_PASTE enters 5,000 in Arabic-Indic digits as 5000 and refuses the decimal comma of 1,5",
                 Describe(program));
}

}  // namespace

void RunDigitScenarios(Checks& checks, const std::wstring& exePath) {
    Program program(exePath);
    checks.Check(program.Started(), "the program starts for the digit checks");
    if (!program.Started()) return;
    program.Activate();
    const Entry entries[] = {
        {"1234567 typed in Arabic-Indic digits", L"\u0661\u0662\u0663\u0664\u0665\u0666\u0667", false, L"1234567",
         L"9555.5442", L"955.55", L"955.55442"},
        {"1,234,567 pasted in Arabic-Indic digits with Arabic thousands separators",
         L"\u0661\u066C\u0662\u0663\u0664\u066C\u0665\u0666\u0667", true, L"1234567", L"9555.5442", L"955.55",
         L"955.55442"},
        {"1000000 typed in Persian digits", L"\u06F1\u06F0\u06F0\u06F0\u06F0\u06F0\u06F0", false, L"1000000",
         L"6600", L"660", L"660"},
        {"476190.5 typed with the Arabic decimal separator", L"\u0664\u0667\u0666\u0661\u0669\u0660\u066B\u0665",
         false, L"476190.5", L"0.00029999999969732", L"0", L"2.9999999969732E-05"},
        {"1,000,000 pasted", L"1,000,000", true, L"1000000", L"6600", L"660", L"660"},
    };
    for (const Entry& entry : entries) EntersAndCalculates(checks, program, entry);
    OtherCharactersAreRefused(checks, program);
}

}  // namespace e2e
