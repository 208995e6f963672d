#include "forms/accessibility.h"

#include "forms/system_library.h"
#include "forms/window_text.h"

#include <oleacc.h>

#include <new>

namespace forms {
namespace {

// {618736E0-3C3D-11CF-810C-00AA00389B71}, {00020400-…-46}, {00000000-…-46},
// {6D5140C1-7436-11CE-8034-00AA006009FA}
constexpr GUID kAccessibleId = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr GUID kDispatchId = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kUnknownId = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kServiceProviderId = {0x6D5140C1, 0x7436, 0x11CE, {0x80, 0x34, 0x00, 0xAA, 0x00, 0x60, 0x09, 0xFA}};

// oleacc's two entry points and oleaut32's string allocator, loaded once and
// kept: objects handed out may be held by a reader for as long as it likes.
struct Oleacc {
    decltype(&CreateStdAccessibleObject) createStandard = nullptr;
    decltype(&LresultFromObject) lresultFromObject = nullptr;
    decltype(&SysAllocString) allocString = nullptr;
};

const Oleacc* LoadedOleacc() {
    static const Oleacc functions = [] {
        HMODULE oleacc = LoadSystemLibrary(L"oleacc.dll");
        HMODULE oleaut = LoadSystemLibrary(L"oleaut32.dll");
        Oleacc loaded;
        loaded.createStandard = Exported<decltype(loaded.createStandard)>(oleacc, "CreateStdAccessibleObject");
        loaded.lresultFromObject = Exported<decltype(loaded.lresultFromObject)>(oleacc, "LresultFromObject");
        loaded.allocString = Exported<decltype(loaded.allocString)>(oleaut, "SysAllocString");
        return loaded;
    }();
    return functions.createStandard && functions.lresultFromObject && functions.allocString ? &functions : nullptr;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The platform's object for a window's client area, with what the runtime
// knows better put in its place; everything else is the platform's answer.
class AccessibleControl final : public IAccessible {
public:
    AccessibleControl(IAccessible* standard, HWND window, const AccessibleFacts& facts, const Oleacc& oleacc)
        : standard_(standard), window_(window), facts_(facts), oleacc_(oleacc) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object) return E_POINTER;
        if (id == kUnknownId || id == kDispatchId || id == kAccessibleId) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // The platform's object serves the service that marks it as the
        // platform's own proxy; UI Automation, which Narrator reads through,
        // would then take this object for that proxy and not wrap it.
        if (id == kServiceProviderId) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        return standard_->QueryInterface(id, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            standard_->Release();
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override {
        return standard_->Invoke(member, id, locale, flags, parameters, result, exception, argumentError);
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return standard_->get_accName(child, name);
        return Text(facts_.nameSource ? WindowText(facts_.nameSource) : facts_.fixedName, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!IsSelf(child) || !facts_.valueIsText) return standard_->get_accValue(child, value);
        return Text(WindowText(window_), value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (!IsSelf(child) || facts_.description.empty()) return standard_->get_accDescription(child, description);
        return Text(facts_.description, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child) || !facts_.role) return standard_->get_accRole(child, role);
        if (!role) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = facts_.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        HRESULT result = standard_->get_accState(child, state);
        if (SUCCEEDED(result) && IsSelf(child) && state && state->vt == VT_I4) state->lVal |= facts_.addedStates;
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!IsSelf(child) || facts_.defaultAction.empty()) return standard_->get_accDefaultAction(child, action);
        return Text(facts_.defaultAction, action);
    }
    // Posted, not sent: the click runs once the reader's call has returned.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child) || facts_.defaultAction.empty()) return standard_->accDoDefaultAction(child);
        return PostMessageW(window_, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    ~AccessibleControl() = default;

    // An empty text is no text: the reader is told there is none.
    HRESULT Text(const std::wstring& text, BSTR* result) const {
        if (!result) return E_POINTER;
        *result = text.empty() ? nullptr : oleacc_.allocString(text.c_str());
        if (text.empty()) return S_FALSE;
        return *result ? S_OK : E_OUTOFMEMORY;
    }

    IAccessible* standard_;
    HWND window_;
    AccessibleFacts facts_;
    const Oleacc& oleacc_;
    LONG references_ = 1;
};

}  // namespace

LRESULT AnswerAccessibleObject(HWND window, WPARAM flags, LPARAM objectId, const AccessibleFacts& facts) {
    if (static_cast<LONG>(objectId) != OBJID_CLIENT) return 0;
    const Oleacc* oleacc = LoadedOleacc();
    IAccessible* standard = nullptr;
    if (!oleacc || FAILED(oleacc->createStandard(window, OBJID_CLIENT, kAccessibleId,
                                                  reinterpret_cast<void**>(&standard))) || !standard) {
        return 0;
    }
    auto* control = new (std::nothrow) AccessibleControl(standard, window, facts, *oleacc);
    if (!control) {
        standard->Release();
        return 0;
    }
    LRESULT answer = oleacc->lresultFromObject(kAccessibleId, flags, control);
    control->Release();
    return answer;
}

}  // namespace forms
