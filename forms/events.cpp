#include "forms/form.h"

#include <cstring>

namespace forms {
namespace {

// Runs a handler; no exception may cross a window procedure.
template <typename Call>
void Guarded(Call call) {
    try {
        call();
    } catch (...) {
    }
}

}  // namespace

bool Form::Raise(const char* source, Event event) {
    for (size_t i = 0; i < eventCount_; ++i) {
        const EventBinding& binding = events_[i];
        if (binding.event == event && binding.plain && std::strcmp(binding.source, source) == 0) {
            Guarded(binding.plain);
            return true;
        }
    }
    return false;
}

bool Form::RaiseWithCode(const char* source, Event event, int16_t& code) {
    for (size_t i = 0; i < eventCount_; ++i) {
        const EventBinding& binding = events_[i];
        if (binding.event == event && binding.withCode && std::strcmp(binding.source, source) == 0) {
            Guarded([&] { binding.withCode(code); });
            return true;
        }
    }
    return false;
}

}  // namespace forms
