// What only Windows answers for the forms runtime, stood in for natively: a
// screen reader's accessible objects (none: the platform's own answer then
// serves) and the readers' services (missing, as on a Windows without them).

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
    return none;
}

}  // namespace forms
