#pragma once
// The calculator's one window, the controls its code uses, and the handlers
// of its events.

#include "app/form1_description.h"
#include "forms/form.h"

#include <cstdint>

class Form1Window final : public forms::Form {
public:
    // Builds the form's controls from its description and binds its events.
    Form1Window();

    forms::Timer& Timer1;
    forms::Label& Label1;   // the date
    forms::Label& Label2;   // the time
    forms::Label& Label10;  // the tax row's caption
    forms::CommandButton& Command1;
    forms::CommandButton& Command2;
    forms::CommandButton& Command3;
    forms::TextBox& b;
    forms::TextBox& c;
    forms::TextBox& d;
    forms::TextBox& e;
    forms::TextBox& f;
    forms::TextBox& g;
    forms::TextBox& h;
};

Form1Window& Form1();

void Form_Load();
void Form_Unload(int16_t& cancel);
void Timer1_Timer();
void Command1_Click();
void Command2_Click();
void Command3_Click();
void Form_KeyPress(int16_t& keyAscii);
void b_KeyPress(int16_t& keyAscii);
