// What a screen reader that reads through UI Automation (Narrator) hears:
// the platform's client object, asked from another process, and the
// platform's wrapper of the program's own accessible objects.
#include "scenarios.h"

#include <oleacc.h>
#include <uiautomationcore.h>

#include <string>

namespace e2e {

// The two interfaces of the UI Automation client that the driver calls, as
// far as those calls go (this MinGW has no header for them): the slots
// before them hold the methods it does not call, in the interfaces' order.
// Outside the anonymous namespace: there the compiler, seeing no class that
// implements them, would take every call through them for unreachable.
struct AutomationElement : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetFocus() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY** id) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindFirst(int scope, IUnknown* condition, AutomationElement** found) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAll(int scope, IUnknown* condition, IUnknown** found) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindFirstBuildCache(int scope, IUnknown* condition, IUnknown* cache,
                                                          AutomationElement** found) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAllBuildCache(int scope, IUnknown* condition, IUnknown* cache,
                                                        IUnknown** found) = 0;
    virtual HRESULT STDMETHODCALLTYPE BuildUpdatedCache(IUnknown* cache, AutomationElement** updated) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue(int property, VARIANT* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValueEx(int property, BOOL ignoreDefault, VARIANT* value) = 0;
};

struct Automation : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CompareElements(AutomationElement* first, AutomationElement* second,
                                                      BOOL* same) = 0;
    virtual HRESULT STDMETHODCALLTYPE CompareRuntimeIds(SAFEARRAY* first, SAFEARRAY* second, BOOL* same) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRootElement(AutomationElement** root) = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromHandle(HWND window, AutomationElement** element) = 0;
};

namespace {

// {FF48DBA4-60EF-4201-AA87-54103EEF594E}, {30CBE57D-D9D0-452A-AB13-7AC5AC4825EE}
constexpr GUID kAutomationClass = {0xFF48DBA4, 0x60EF, 0x4201, {0xAA, 0x87, 0x54, 0x10, 0x3E, 0xEF, 0x59, 0x4E}};
constexpr GUID kAutomationId = {0x30CBE57D, 0xD9D0, 0x452A, {0xAB, 0x13, 0x7A, 0xC5, 0xAC, 0x48, 0x25, 0xEE}};

constexpr int kNameProperty = 30005;
constexpr int kControlTypeProperty = 30003;
constexpr long kButton = 50000;
constexpr long kEdit = 50004;
constexpr long kText = 50020;
constexpr long kGroup = 50026;

struct Heard {
    bool found = false;
    std::wstring name;
    long controlType = 0;
};

Heard HearThrough(Automation& automation, HWND window) {
    Heard heard;
    AutomationElement* element = nullptr;
    if (FAILED(automation.ElementFromHandle(window, &element)) || !element) return heard;
    heard.found = true;
    VARIANT value;
    VariantInit(&value);
    if (SUCCEEDED(element->GetCurrentPropertyValueEx(kNameProperty, FALSE, &value)) && value.vt == VT_BSTR && value.bstrVal) {
        heard.name.assign(value.bstrVal, SysStringLen(value.bstrVal));
    }
    VariantClear(&value);
    if (SUCCEEDED(element->GetCurrentPropertyValueEx(kControlTypeProperty, FALSE, &value)) && value.vt == VT_I4) {
        heard.controlType = value.lVal;
    }
    VariantClear(&value);
    element->Release();
    return heard;
}

struct Expected {
    int id;
    long controlType;
    std::wstring name;
};

// Every control the program answers a reader for itself, as UI Automation
// should hear it.
std::vector<Expected> ExpectedControls(const Program& program) {
    std::vector<Expected> expected = {
        {kB, kEdit, program.Text(kLabel5)},      {kC, kEdit, program.Text(kLabel6)},
        {kD, kEdit, program.Text(kLabel7)},      {kG, kEdit, program.Text(kLabel8)},
        {kH, kEdit, program.Text(kLabel9)},      {kF, kEdit, program.Text(kLabel10)},
        {kE, kEdit, L"الضريبة 10 % مقربة لرقمين عشريين"},
        {kCommand1, kButton, L"إحسب"},           {kCommand2, kButton, L"خروج"},
        {kCommand3, kButton, L"C"},              {kFrame1, kGroup, program.Text(kLabel4)},
    };
    for (int label : {kLabel1, kLabel2, kLabel3, kLabel4, kLabel5, kLabel6, kLabel7, kLabel8, kLabel9, kLabel10}) {
        expected.push_back({label, kText, program.Text(label)});
    }
    return expected;
}

void NamesAndControlTypes(Checks& checks, const Program& program, Automation& automation) {
    std::string wrong;
    for (const Expected& control : ExpectedControls(program)) {
        // A label is heard by what it shows, and the clock's labels change
        // every second: its name may be its text from just before it is
        // heard, or from just after (a slow hearing spans a tick).
        bool label = control.controlType == kText;
        std::wstring before = label ? program.Text(control.id) : control.name;
        Heard heard = HearThrough(automation, program.Control(control.id));
        std::wstring after = label ? program.Text(control.id) : control.name;
        bool named = heard.name == before || heard.name == after;
        if (!heard.found || !named || heard.controlType != control.controlType) {
            wrong += " control " + std::to_string(control.id) + ": '" + Narrow(heard.name) + "' type " +
                     std::to_string(heard.controlType) + ";";
        }
    }
    checks.Check(wrong.empty(),
                 "UI Automation hears every box by its row caption as an edit, the labels as text, the buttons "
                 "by their captions, the frame as a group named by its credit line (not 'Frame1')",
                 wrong);
}

using ProviderFromAccessible = HRESULT(WINAPI*)(IAccessible*, long, DWORD, IRawElementProviderSimple**);

// The platform wraps an accessible object for UI Automation unless the
// object says it is the platform's own proxy.
void WrappedForUiAutomation(Checks& checks, const Program& program, ProviderFromAccessible providerFromAccessible) {
    std::string refused;
    for (const Expected& control : ExpectedControls(program)) {
        IAccessible* object = nullptr;
        HRESULT result = AccessibleObjectFromWindow(program.Control(control.id), static_cast<DWORD>(OBJID_CLIENT),
                                                    __uuidof(IAccessible), reinterpret_cast<void**>(&object));
        IRawElementProviderSimple* provider = nullptr;
        if (SUCCEEDED(result) && object) result = providerFromAccessible(object, CHILDID_SELF, 0, &provider);
        if (provider) provider->Release();
        if (object) object->Release();
        if (FAILED(result) || !provider) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08lx", static_cast<unsigned long>(result));
            refused += " control " + std::to_string(control.id) + ": " + hex + ";";
        }
    }
    checks.Check(refused.empty(), "UiaProviderFromIAccessible wraps the object of every control", refused);
}

}  // namespace

void RunAutomationChecks(Checks& checks, const Program& program) {
    Automation* automation = nullptr;
    HRESULT created = CoCreateInstance(kAutomationClass, nullptr, CLSCTX_INPROC_SERVER, kAutomationId,
                                       reinterpret_cast<void**>(&automation));
    auto providerFromAccessible = reinterpret_cast<ProviderFromAccessible>(reinterpret_cast<void*>(
        GetProcAddress(LoadLibraryW(L"uiautomationcore.dll"), "UiaProviderFromIAccessible")));
    if (FAILED(created) || !automation || !providerFromAccessible) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%08lx", static_cast<unsigned long>(created));
        checks.Skip("what UI Automation hears",
                    std::string("this platform has no UI Automation client (creating it: ") + hex +
                        (providerFromAccessible ? "" : ", no UiaProviderFromIAccessible") + ")");
        if (automation) automation->Release();
        return;
    }
    NamesAndControlTypes(checks, program, *automation);
    WrappedForUiAutomation(checks, program, providerFromAccessible);
    automation->Release();
}

}  // namespace e2e
