#pragma once
// Facts about the running program that the forms runtime offers its forms:
// whether another copy is running, the screen, the date and time as text.

#include "forms/screen.h"

#include <windows.h>

#include <string>

namespace forms {

// One per process, made first thing in the program's entry point.
class Application {
public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application& Current();

    // True when another copy of this program was already running when this
    // one started, whatever its rights. A named mutex in the user's session
    // tells.
    bool PrevInstance() const { return previousInstance_; }

private:
    HANDLE instanceMutex_ = nullptr;
    bool previousInstance_ = false;
};

// The current time and date in the user's time and short date formats.
std::wstring CurrentTimeText();
std::wstring CurrentDateText();

}  // namespace forms
