#include "forms/application.h"

#include "forms/instance_check.h"

namespace forms {
namespace {

Application* current = nullptr;

// The mutex is named after the program file, as a second start of the same
// program is what it must recognise; "Local\" keeps it to this session.
std::wstring InstanceMutexName() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    CharLowerW(name.data());  // file names are not case-sensitive; mutex names are
    return L"Local\\" + name + L".instance";
}


}  // namespace

Application::Application() {
    InstanceClaim claim = ClaimInstance(InstanceMutexName().c_str());
    instanceMutex_ = claim.mutex;
    previousInstance_ = claim.anotherCopyRuns;
    current = this;
}

Application::~Application() {
    if (instanceMutex_) CloseHandle(instanceMutex_);
    current = nullptr;
}

Application& Application::Current() { return *current; }


// The clock asks many times a second; the texts change at most once a second,
// so they are formatted only when the second has turned. The system time is
// the cheapest clock to read, and local seconds turn with it.
std::wstring FormatOncePerSecond(ULONGLONG& formattedSecond, std::wstring& text,
                                 int (*format)(const SYSTEMTIME&, wchar_t*, int)) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULONGLONG second = ((static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000000;
    if (second != formattedSecond) {
        SYSTEMTIME local;
        GetLocalTime(&local);
        wchar_t buffer[128] = {};
        int length = format(local, buffer, 128);
        text.assign(buffer, length > 0 ? static_cast<size_t>(length - 1) : 0);
        formattedSecond = second;
    }
    return text;
}

std::wstring CurrentTimeText() {
    static ULONGLONG formattedSecond = ~0ULL;
    static std::wstring text;
    return FormatOncePerSecond(formattedSecond, text, [](const SYSTEMTIME& time, wchar_t* buffer, int size) {
        return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, buffer, size);
    });
}

std::wstring CurrentDateText() {
    static ULONGLONG formattedSecond = ~0ULL;
    static std::wstring text;
    return FormatOncePerSecond(formattedSecond, text, [](const SYSTEMTIME& time, wchar_t* buffer, int size) {
        return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, size);
    });
}

}  // namespace forms
