#include "app/form1.h"
#include "app/lifecycle.h"
#include "forms/application.h"

void Form_Load() { LoadForm(forms::Application::Current(), Form1()); }

void Form_Unload(int16_t& cancel) {
    static_cast<void>(cancel);  // left as the runtime passed it: the window always closes
    UnloadForm(Form1(), forms::Screen());
}

// The clock: both labels are rewritten at every tick.
void Timer1_Timer() {
    Form1().Label2.SetCaption(forms::CurrentTimeText());
    Form1().Label1.SetCaption(forms::CurrentDateText());
}

// Exit: ends the program at once, with no unload.
void Command2_Click() { forms::Form::End(); }
