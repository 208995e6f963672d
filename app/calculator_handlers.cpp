#include "app/form1.h"
#include "app/value_boxes.h"
#include "calc/key_filter.h"

namespace {
constexpr int16_t kSpace = 32;
}

void Command1_Click() {
    Form1ValueBoxes boxes;
    if (!CalculateTaxChain(boxes)) MessageBeep(MB_OK);  // b holds no number; nothing is lost
    Form1().SetFocus(form1::kB);
}

void Command3_Click() {
    Form1ValueBoxes boxes;
    ClearValueBoxes(boxes);
    Form1().SetFocus(form1::kB);
}

void Form_KeyPress(int16_t& keyAscii) {
    if (keyAscii == kSpace) {
        Form1().SetFocus(form1::kCommand3);
        Command3_Click();
    }
}

void b_KeyPress(int16_t& keyAscii) { FilterMarketValueKey(keyAscii); }
