#include "forms/instance_check.h"

namespace forms {

InstanceClaim ClaimInstance(LPCWSTR mutexName) {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, mutexName);
    DWORD error = GetLastError();
    // A copy with higher rights (an elevated one) made a mutex that this copy
    // may not open: it runs all the same.
    bool anotherCopyRuns = mutex ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
    return InstanceClaim{mutex, anotherCopyRuns};
}

}  // namespace forms
