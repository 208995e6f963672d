#pragma once
// A window procedure is where the platform calls into the runtime, and the
// platform's own frames cannot be unwound: nothing thrown inside one may
// reach it. What fails (an allocation, most likely) is handed to the
// platform's default handling of the message instead.

#include "platform/win32.h"

namespace forms {

template <typename Handle, typename Fallback>
LRESULT WithinBoundary(Handle handle, Fallback fallback) noexcept {
    try {
        return handle();
    } catch (...) {
        return fallback();
    }
}

}  // namespace forms
