#include "app/form1.h"

// Every other event of every control is ignored.
Form1Window::Form1Window()
    : Form(kForm1),
      Timer1((*this)[form1::Timer1]),
      Label1((*this)[form1::Label1]),
      Label2((*this)[form1::Label2]),
      Label10((*this)[form1::Label10]),
      Command1((*this)[form1::Command1]),
      Command2((*this)[form1::Command2]),
      Command3((*this)[form1::Command3]),
      b((*this)[form1::b]),
      c((*this)[form1::c]),
      d((*this)[form1::d]),
      e((*this)[form1::e]),
      f((*this)[form1::f]),
      g((*this)[form1::g]),
      h((*this)[form1::h]) {
    onLoad = Form_Load;
    onUnload = Form_Unload;
    onKeyPress = Form_KeyPress;
    Timer1.onTimer = Timer1_Timer;
    b.onKeyPress = b_KeyPress;
    Command1.onClick = Command1_Click;
    Command2.onClick = Command2_Click;
    Command3.onClick = Command3_Click;
}

Form1Window& Form1() {
    static Form1Window form;
    return form;
}
