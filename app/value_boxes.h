#pragma once
// The calculator's value boxes as the text boxes of Form1.

#include "calc/tax_chain.h"

#include <string>

// Texts cross between the window (UTF-16) and the calculator (UTF-8).
std::string Utf8FromWide(const std::wstring& wide);
std::wstring WideFromUtf8(const std::string& utf8);

class Form1ValueBoxes : public ValueBoxes {
public:
    std::string Text(ValueBox box) const override;
    void SetText(ValueBox box, const std::string& text) override;
};
