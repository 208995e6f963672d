#include "harness.h"

#include "app/form1_description.h"
#include "forms/layout.h"
#include "forms/window_classes.h"

#include <cstdio>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace e2e {

void Checks::Check(bool passed, const std::string& name, const std::string& detail) {
    if (passed) {
        ++passed_;
        std::printf("ok - %s\n", name.c_str());
    } else {
        ++failed_;
        std::printf("not ok - %s%s%s\n", name.c_str(), detail.empty() ? "" : ": ", detail.c_str());
    }
    std::fflush(stdout);
}

void Checks::Skip(const std::string& name, const std::string& reason) {
    ++skipped_;
    std::printf("skip - %s: %s\n", name.c_str(), reason.c_str());
    std::fflush(stdout);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(10);
    }
}

namespace {

struct FormSearch {
    DWORD processId;
    bool shownOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK NoteForm(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<FormSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if ((search->processId == 0 || processId == search->processId) && lstrcmpW(className, forms::kFormClass) == 0 &&
        (!search->shownOnly || IsWindowVisible(window))) {
        search->found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> Forms(DWORD processId, bool shownOnly) {
    FormSearch search{processId, shownOnly, {}};
    EnumWindows(NoteForm, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct TextRequest {
    HWND window;
    std::wstring text;
};

DWORD WINAPI AskText(void* parameter) {
    auto* request = static_cast<TextRequest*>(parameter);
    request->text = WindowText(request->window);
    return 0;
}

void SendKey(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

HINSTANCE RegisterDriverClass(const wchar_t* className, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    return windowClass.hInstance;
}

}  // namespace

std::vector<HWND> VisibleForms(DWORD processId) { return Forms(processId, true); }

std::wstring WindowText(HWND window) {
    wchar_t buffer[512] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, &copied);
    return std::wstring(buffer, copied);
}

void SetClipboardText(const std::wstring& text) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(memory));
        GlobalUnlock(memory);
    }
    CloseClipboard();
    return text;
}

void MovePointer(int x, int y) {
    SetCursorPos(x, y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

void PointerAwayFromTheWindow() {
    MovePointer(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

HWND CreateDriverWindow(const wchar_t* className, WNDPROC procedure, int left, int top) {
    HINSTANCE instance = RegisterDriverClass(className, procedure);
    return CreateWindowExW(0, className, className, WS_OVERLAPPEDWINDOW | WS_VISIBLE, left, top, 240, 160, nullptr,
                           nullptr, instance, nullptr);
}

HWND CreateDriverChild(const wchar_t* className, WNDPROC procedure, HWND parent) {
    HINSTANCE instance = RegisterDriverClass(className, procedure);
    return CreateWindowExW(WS_EX_NOPARENTNOTIFY, className, L"", WS_CHILD, 0, 0, 1, 1, parent, nullptr, instance,
                           nullptr);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

Program::Program(const std::wstring& exePath, bool waitForWindow, const std::wstring& arguments) {
    PointerAwayFromTheWindow();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exePath + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
        return;
    }
    if (!waitForWindow) return;
    WaitForInputIdle(process_.hProcess, 10000);
    WaitUntil([&] { return TakeForm(true); }, 10000);
}

bool Program::TakeForm(bool shownOnly) {
    std::vector<HWND> forms = Forms(process_.dwProcessId, shownOnly);
    form_ = forms.empty() ? nullptr : forms.front();
    if (form_) threadId_ = GetWindowThreadProcessId(form_, nullptr);
    return form_ != nullptr;
}

bool Program::CatchForm(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (!TakeForm(false)) {
        if (GetTickCount() - start > milliseconds || !Running()) return false;
    }
    return true;
}

Program::~Program() {
    if (process_.hProcess) {
        if (Running()) TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

bool Program::Running() const { return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

bool Program::WaitForExit(DWORD milliseconds) const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

namespace {
struct ControlSearch {
    int id;
    HWND found;
};
BOOL CALLBACK FindControlId(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<ControlSearch*>(parameter);
    if (GetDlgCtrlID(window) == search->id) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND Program::Control(int id) const {
    ControlSearch search{id, nullptr};
    EnumChildWindows(form_, FindControlId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::Tooltip() const {
    HWND tooltip = FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr);
    while (tooltip && GetWindow(tooltip, GW_OWNER) != form_) {
        tooltip = FindWindowExW(nullptr, tooltip, L"tooltips_class32", nullptr);
    }
    return tooltip;
}

std::wstring Program::Text(int id) const { return WindowText(Control(id)); }

std::vector<std::wstring> Program::TextsAtOnce(const std::vector<int>& ids) const {
    std::vector<TextRequest> requests;
    for (int id : ids) requests.push_back({Control(id), L""});
    std::vector<HANDLE> threads;
    for (TextRequest& request : requests) threads.push_back(CreateThread(nullptr, 0, AskText, &request, 0, nullptr));
    WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, INFINITE);
    std::vector<std::wstring> texts;
    for (size_t i = 0; i < threads.size(); ++i) {
        CloseHandle(threads[i]);
        texts.push_back(requests[i].text);
    }
    return texts;
}

HWND Program::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(threadId_, &info);
    return info.hwndFocus;
}

int Program::FocusId() const {
    HWND focus = Focus();
    return focus ? GetDlgCtrlID(focus) : 0;
}

void Program::Activate() const {
    SetForegroundWindow(form_);
    WaitUntil([&] { return GetForegroundWindow() == form_; }, 2000);
}

void Program::Type(const std::wstring& characters) const {
    for (wchar_t character : characters) {
        INPUT input[2] = {};
        for (INPUT& key : input) {
            key.type = INPUT_KEYBOARD;
            key.ki.wScan = character;
            key.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof input[0]);
    }
}

void Program::Press(WORD virtualKey, WORD modifier) const {
    if (modifier) SendKey(modifier, false);
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    if (modifier) SendKey(modifier, true);
}

void Program::Paste(const std::wstring& clipboardText) const {
    SetClipboardText(clipboardText);
    Press(VK_INSERT, VK_SHIFT);
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

std::string ColourText(COLORREF colour) {
    return "(" + std::to_string(GetRValue(colour)) + "," + std::to_string(GetGValue(colour)) + "," +
           std::to_string(GetBValue(colour)) + ")";
}

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
}

Canvas::~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

Image Canvas::Pixels() const {
    GdiFlush();
    Image image{width_, height_, {}};
    const auto* bits = static_cast<const BYTE*>(bits_);  // blue, green, red, unused
    for (int i = 0; i < width_ * height_; ++i, bits += 4) image.pixels.push_back(RGB(bits[2], bits[1], bits[0]));
    return image;
}

Image CaptureScreen(const RECT& area) {
    Canvas canvas(area.right - area.left, area.bottom - area.top);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.Dc(), 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left, area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return canvas.Pixels();
}

bool SaveWindowImage(HWND window, const std::wstring& path) {
    RECT area;
    GetWindowRect(window, &area);
    Image image = CaptureScreen(area);
    DWORD stride = static_cast<DWORD>((image.width * 3 + 3) & ~3);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = image.width;
    info.biHeight = image.height;  // bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + stride * static_cast<DWORD>(image.height);
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    std::vector<char> row(stride);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            COLORREF colour = image.At(x, y);
            row[x * 3] = static_cast<char>(GetBValue(colour));
            row[x * 3 + 1] = static_cast<char>(GetGValue(colour));
            row[x * 3 + 2] = static_cast<char>(GetRValue(colour));
        }
        out.write(row.data(), stride);
    }
    return out.good();
}

bool TakeScreenshot(const std::wstring& exePath, const std::wstring& imagePath) {
    Program program(exePath);
    if (!program.Started()) return false;
    program.Activate();
    Sleep(500);  // let the first paint settle
    bool saved = SaveWindowImage(program.Form(), imagePath);
    PostMessageW(program.Form(), WM_CLOSE, 0, 0);
    program.WaitForExit(5000);
    return saved;
}

// The rows as the gradient rule paints them for a caption `height` pixels
// high: the ramp runs in `height` steps from `top` toward `bottom`, row i one
// step further than row i - 1 and row 0 already one step in; each channel is
// held within 0..255 and rounded to the nearest integer, halves to even.
std::vector<COLORREF> ExpectedCaptionRows(int height, COLORREF top, COLORREF bottom) {
    double value[3];
    double step[3];
    for (int channel = 0; channel < 3; ++channel) {
        value[channel] = (top >> (8 * channel)) & 0xFF;
        step[channel] = (static_cast<double>((bottom >> (8 * channel)) & 0xFF) - value[channel]) / height;
    }
    std::vector<COLORREF> rows;
    for (int row = 0; row < height - 1; ++row) {
        COLORREF colour = 0;
        for (int channel = 0; channel < 3; ++channel) {
            value[channel] = std::min(255.0, std::max(0.0, value[channel] + step[channel]));
            colour |= static_cast<COLORREF>(std::nearbyint(value[channel])) << (8 * channel);
        }
        rows.push_back(colour);
    }
    return rows;
}

std::string Narrow(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, nullptr, nullptr);
    return narrow;
}

std::vector<Figure> ReadFigures(const std::wstring& path) {
    std::vector<Figure> figures;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return figures;
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    CloseHandle(file);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        size_t bar = line.rfind('|');
        if (bar != std::string::npos) figures.push_back({line.substr(0, bar), std::atof(line.c_str() + bar + 1)});
        start = end + 1;
    }
    return figures;
}

}  // namespace e2e
