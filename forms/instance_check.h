#pragma once
// Whether another copy of the program is running, told by a named mutex that
// the first copy creates and holds for as long as it runs.

#include "platform/win32.h"

namespace forms {

struct InstanceClaim {
    HANDLE mutex;  // held until the program ends; 0 when this copy could not have it
    bool anotherCopyRuns;
};

// Creating a named mutex is atomic: of two copies started together exactly
// one is first.
InstanceClaim ClaimInstance(LPCWSTR mutexName);

}  // namespace forms
