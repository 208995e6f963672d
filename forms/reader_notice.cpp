#include "forms/reader_notice.h"

namespace forms {

void LiveRegion::Changed(HWND window, const ReaderServices& services, const std::wstring& text) {
    if (!markingTried_ && services.markPoliteLiveRegion) {
        markingTried_ = true;
        services.markPoliteLiveRegion(window);
    }
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, window, OBJID_CLIENT, CHILDID_SELF);
    SayPolitely(window, services, text);
}

void SayPolitely(HWND window, const ReaderServices& services, const std::wstring& text) {
    if (services.notify && !text.empty()) services.notify(window, text);
}

}  // namespace forms
