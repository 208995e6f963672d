#include "app/form1.h"

namespace {

using forms::Event;

// The events Form1 delivers; every other event of every control is ignored.
constexpr forms::EventBinding kForm1Events[] = {
    {"Form1", Event::Load, Form_Load, nullptr},
    {"Form1", Event::Unload, nullptr, Form_Unload},
    {"Timer1", Event::Timer, Timer1_Timer, nullptr},
    {"Form1", Event::KeyPress, nullptr, Form_KeyPress},
    {"b", Event::KeyPress, nullptr, b_KeyPress},
    {"Command1", Event::Click, Command1_Click, nullptr},
    {"Command2", Event::Click, Command2_Click, nullptr},
    {"Command3", Event::Click, Command3_Click, nullptr},
};

}  // namespace

forms::Form& Form1() {
    static forms::Form form(kForm1, kForm1Events, sizeof kForm1Events / sizeof kForm1Events[0]);
    return form;
}
