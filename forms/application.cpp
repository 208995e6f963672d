#include "forms/application.h"

#include "forms/layout.h"

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
    return L"Local\\" + name + L".instance";
}

int ScreenDpi(int axis) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

Application::Application() {
    instanceMutex_ = CreateMutexW(nullptr, FALSE, InstanceMutexName().c_str());
    previousInstance_ = GetLastError() == ERROR_ALREADY_EXISTS;
    current = this;
}

Application::~Application() {
    if (instanceMutex_) CloseHandle(instanceMutex_);
    current = nullptr;
}

Application& Application::Current() { return *current; }

ScreenMetrics Screen() {
    float twipsPerPixelX = static_cast<float>(kTwipsPerInch) / static_cast<float>(ScreenDpi(LOGPIXELSX));
    float twipsPerPixelY = static_cast<float>(kTwipsPerInch) / static_cast<float>(ScreenDpi(LOGPIXELSY));
    return ScreenMetrics{twipsPerPixelX, twipsPerPixelY,
                         static_cast<float>(GetSystemMetrics(SM_CXSCREEN)) * twipsPerPixelX,
                         static_cast<float>(GetSystemMetrics(SM_CYSCREEN)) * twipsPerPixelY};
}

// The clock asks many times a second; the texts change once a second and
// once a day, so they are formatted only then.
std::wstring CurrentTimeText() {
    static SYSTEMTIME formatted{};
    static std::wstring text;
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (text.empty() || now.wSecond != formatted.wSecond || now.wMinute != formatted.wMinute ||
        now.wHour != formatted.wHour || now.wDay != formatted.wDay) {
        wchar_t buffer[128] = {};
        int length = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, nullptr, buffer, 128);
        text.assign(buffer, length > 0 ? static_cast<size_t>(length - 1) : 0);
        formatted = now;
    }
    return text;
}

std::wstring CurrentDateText() {
    static SYSTEMTIME formatted{};
    static std::wstring text;
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (text.empty() || now.wDay != formatted.wDay || now.wMonth != formatted.wMonth || now.wYear != formatted.wYear) {
        wchar_t buffer[128] = {};
        int length = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, buffer, 128);
        text.assign(buffer, length > 0 ? static_cast<size_t>(length - 1) : 0);
        formatted = now;
    }
    return text;
}

}  // namespace forms
