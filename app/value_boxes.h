#pragma once
// The calculator's value boxes as the text boxes of Form1.

#include "calc/tax_chain.h"

class Form1ValueBoxes : public ValueBoxes {
public:
    std::string Text(ValueBox box) const override;
    void SetText(ValueBox box, const std::string& text) override;
};
