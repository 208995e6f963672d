#include "forms/reader_services.h"

#include "forms/system_library.h"

#include <objbase.h>
#include <oleacc.h>

namespace forms {
namespace {

// {B5F8350B-0548-48B1-A6EE-88BD00B4A5E7}, {6E26E776-04F0-495D-80E4-3330352E3169},
// {C12BCD8E-2A8E-4950-8AE7-3625111D58EB}
constexpr GUID kAnnotationClass = {0xB5F8350B, 0x0548, 0x48B1, {0xA6, 0xEE, 0x88, 0xBD, 0x00, 0xB4, 0xA5, 0xE7}};
constexpr GUID kAnnotationId = {0x6E26E776, 0x04F0, 0x495D, {0x80, 0xE4, 0x33, 0x30, 0x35, 0x2E, 0x31, 0x69}};
constexpr GUID kLiveSettingProperty = {0xC12BCD8E, 0x2A8E, 0x4950, {0x8A, 0xE7, 0x36, 0x25, 0x11, 0x1D, 0x58, 0xEB}};
constexpr long kPolite = 1;  // LiveSetting: off 0, polite 1, assertive 2

// ole32's two entry points, loaded once and kept.
struct Ole32 {
    decltype(&CoInitializeEx) initialize = nullptr;
    decltype(&CoCreateInstance) create = nullptr;
};

const Ole32* LoadedOle32() {
    static const Ole32 functions = [] {
        HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
        Ole32 loaded;
        loaded.initialize = Exported<decltype(loaded.initialize)>(ole32, "CoInitializeEx");
        loaded.create = Exported<decltype(loaded.create)>(ole32, "CoCreateInstance");
        return loaded;
    }();
    return functions.initialize && functions.create ? &functions : nullptr;
}

bool MarkPoliteLiveRegion(HWND window) {
    IAccPropServices* annotations = nullptr;
    if (FAILED(LoadedOle32()->create(kAnnotationClass, nullptr, CLSCTX_INPROC_SERVER, kAnnotationId,
                                     reinterpret_cast<void**>(&annotations))) ||
        !annotations) {
        return false;
    }
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    HRESULT set = annotations->SetHwndProp(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                           kLiveSettingProperty, polite);
    annotations->Release();
    return SUCCEEDED(set);
}

// uiautomationcore's entry points and oleaut32's strings, loaded once and
// kept; none where the platform has no notifications (before Windows 10 1709).
struct Automation {
    using HostProvider = HRESULT(WINAPI*)(HWND window, IUnknown** provider);
    using RaiseNotification = HRESULT(WINAPI*)(IUnknown* provider, int kind, int processing, BSTR text,
                                               BSTR activity);
    HostProvider hostProvider = nullptr;
    RaiseNotification raiseNotification = nullptr;
    decltype(&SysAllocString) allocString = nullptr;
    decltype(&SysFreeString) freeString = nullptr;
};

const Automation* LoadedAutomation() {
    static const Automation functions = [] {
        HMODULE automation = LoadSystemLibrary(L"uiautomationcore.dll");
        HMODULE oleaut = LoadSystemLibrary(L"oleaut32.dll");
        Automation loaded;
        loaded.hostProvider = Exported<Automation::HostProvider>(automation, "UiaHostProviderFromHwnd");
        loaded.raiseNotification = Exported<Automation::RaiseNotification>(automation, "UiaRaiseNotificationEvent");
        loaded.allocString = Exported<decltype(loaded.allocString)>(oleaut, "SysAllocString");
        loaded.freeString = Exported<decltype(loaded.freeString)>(oleaut, "SysFreeString");
        return loaded;
    }();
    bool complete = functions.hostProvider && functions.raiseNotification && functions.allocString &&
                    functions.freeString;
    return complete ? &functions : nullptr;
}

constexpr int kActionCompleted = 2;        // NotificationKind_ActionCompleted
constexpr int kCurrentThenMostRecent = 4;  // NotificationProcessing: after what is being said, the latest only
constexpr wchar_t kActivity[] = L"Zemrana.Result";

bool Notify(HWND window, const std::wstring& text) {
    const Automation* automation = LoadedAutomation();
    IUnknown* provider = nullptr;
    if (!automation || FAILED(automation->hostProvider(window, &provider)) || !provider) return false;
    BSTR display = automation->allocString(text.c_str());
    BSTR activity = automation->allocString(kActivity);
    HRESULT raised = display && activity ? automation->raiseNotification(provider, kActionCompleted,
                                                                         kCurrentThenMostRecent, display, activity)
                                         : E_OUTOFMEMORY;
    automation->freeString(display);
    automation->freeString(activity);
    provider->Release();
    return SUCCEEDED(raised);
}

}  // namespace

// Both services speak COM: the window's thread becomes the single-threaded
// apartment a window's thread should be, at the first result and for the
// rest of its life (one already there serves). Without COM there is neither.
const ReaderServices& PlatformReaderServices() {
    static const ReaderServices services = [] {
        ReaderServices found;
        const Ole32* ole32 = LoadedOle32();
        if (!ole32) return found;
        ole32->initialize(nullptr, COINIT_APARTMENTTHREADED);
        found.markPoliteLiveRegion = MarkPoliteLiveRegion;
        if (LoadedAutomation()) found.notify = Notify;
        return found;
    }();
    return services;
}

}  // namespace forms
