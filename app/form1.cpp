#include "app/form1.h"

namespace {

using forms::Event;

// The events Form1 delivers; every other event of every control is ignored.
constexpr forms::EventBinding kForm1Events[] = {
    {form1::kForm, Event::Load, Form_Load, nullptr},
    {form1::kForm, Event::Unload, nullptr, Form_Unload},
    {form1::kTimer1, Event::Timer, Timer1_Timer, nullptr},
    {form1::kForm, Event::KeyPress, nullptr, Form_KeyPress},
    {form1::kB, Event::KeyPress, nullptr, b_KeyPress},
    {form1::kCommand1, Event::Click, Command1_Click, nullptr},
    {form1::kCommand2, Event::Click, Command2_Click, nullptr},
    {form1::kCommand3, Event::Click, Command3_Click, nullptr},
};

}  // namespace

forms::Form& Form1() {
    static forms::Form form(kForm1, kForm1Events, sizeof kForm1Events / sizeof kForm1Events[0]);
    return form;
}
