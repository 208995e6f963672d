#include "app/form1.h"
#include "forms/application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    forms::Application application;
    return Form1().Run(instance);
}
