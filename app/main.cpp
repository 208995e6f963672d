#include "app/form1.h"
#include "forms/application.h"
#include "forms/timings.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    forms::timings::Begin(commandLine);
    forms::Application application;
    forms::timings::Mark("single-instance check");
    return Form1().Run(instance);
}
