#pragma once
// An event of a form or of a control, and the handler the form's code binds
// to it. An event nobody bound is ignored.

#include <cstdint>

namespace forms {

template <typename... Arguments>
class EventHandler {
public:
    using Function = void (*)(Arguments...);

    EventHandler& operator=(Function handler) {
        handler_ = handler;
        return *this;
    }
    bool Bound() const { return handler_ != nullptr; }

    // Runs the bound handler, if any. No exception may cross the window
    // procedure that raised the event: what a handler throws ends there.
    void Raise(Arguments... arguments) const noexcept {
        if (!handler_) return;
        try {
            handler_(arguments...);
        } catch (...) {
        }
    }

private:
    Function handler_ = nullptr;
};

// Load, Click, Timer.
using PlainEvent = EventHandler<>;
// KeyPress's key code, which the handler may change or zero; Unload's cancel flag.
using CodeEvent = EventHandler<int16_t&>;

}  // namespace forms
