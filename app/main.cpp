#include "app/form1.h"
#include "forms/application.h"
#include "forms/system_library.h"
#include "forms/timings.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    forms::timings::Begin();
    forms::SearchSystemFolderOnly();
    forms::Application application;
    forms::timings::Mark("single-instance check");
    return Form1().Run(instance);
}
