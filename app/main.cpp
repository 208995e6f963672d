#include "app/form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return Form1().Run(instance); }
