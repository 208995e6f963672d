#include "app/form1.h"
#include "app/value_boxes.h"
#include "calc/key_filter.h"
#include "calc/result_notice.h"

namespace {
constexpr int16_t kSpace = 32;
}

// The focus stays in b, so a reader hears of the result only when told: the
// tax box's change, once the focus has settled, or why there is no tax.
void Command1_Click() {
    Form1ValueBoxes boxes;
    bool filled = CalculateTaxChain(boxes);
    if (!filled) MessageBeep(MB_OK);  // b holds no number; nothing is lost
    Form1().b.Focus();
    if (filled) {
        std::string notice = TaxNotice(Utf8FromWide(Form1().Label10.Text()), boxes.Text(ValueBox::f));
        Form1().f.AnnounceResult(WideFromUtf8(notice));
    } else {
        Form1().b.Announce(WideFromUtf8(NoNumberNotice(boxes.Text(ValueBox::b))));
    }
}

void Command3_Click() {
    Form1ValueBoxes boxes;
    ClearValueBoxes(boxes);
    Form1().b.Focus();
}

void Form_KeyPress(int16_t& keyAscii) {
    if (keyAscii == kSpace) {
        Form1().Command3.Focus();
        Command3_Click();
    }
}

void b_KeyPress(int16_t& keyAscii) { FilterMarketValueKey(keyAscii); }
