// What only Windows answers for the forms runtime, stood in for natively: a
// screen reader's accessible objects (none: the platform's own answer then
// serves) and the readers' services (missing, as on a Windows without them,
// unless a test asks for them).

#include "fake_state.h"
#include "forms/accessibility.h"
#include "forms/reader_services.h"

namespace forms {

LRESULT AnswerAccessibleObject(HWND window, WPARAM flags, LPARAM objectId, const AccessibleFacts& facts) {
    fake::Log("AnswerAccessibleObject",
              {fake::N(window), static_cast<long long>(flags), objectId, facts.role, facts.addedStates,
               facts.valueIsText, fake::N(facts.nameSource), static_cast<long long>(facts.fixedName.size()),
               static_cast<long long>(facts.description.size())},
              fake::Narrow(facts.defaultAction));
    return fake::script().accessibleAnswer;
}

const ReaderServices& PlatformReaderServices() {
    static const ReaderServices none;
    static const ReaderServices logging = [] {
        ReaderServices services;
        services.markPoliteLiveRegion = [](HWND window) {
            fake::Log("MarkPoliteLiveRegion", {fake::N(window)});
            return true;
        };
        services.notify = [](HWND window, const std::wstring& text) {
            fake::Log("Notify", {fake::N(window)}, fake::Narrow(text.c_str()));
            return true;
        };
        return services;
    }();
    return fake::script().readerServices ? logging : none;
}

}  // namespace forms
