#pragma once
// The calculator's one window and the handlers of its events.

#include "app/form1_description.h"
#include "app/form1_names.h"
#include "forms/form.h"

#include <cstdint>

forms::Form& Form1();

void Form_Load();
void Form_Unload(int16_t& cancel);
void Timer1_Timer();
void Command1_Click();
void Command2_Click();
void Command3_Click();
void Form_KeyPress(int16_t& keyAscii);
void b_KeyPress(int16_t& keyAscii);
