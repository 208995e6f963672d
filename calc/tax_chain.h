#pragma once
// The chain of the annual property tax over the value boxes of the window.
// The boxes are the only storage: every stage reads the text that the stage
// before it has just written and writes its own result as text.

#include <string>

enum class ValueBox { b, c, d, e, f, g, h };

class ValueBoxes {
public:
    virtual ~ValueBoxes() = default;
    virtual std::string Text(ValueBox box) const = 0;
    virtual void SetText(ValueBox box, const std::string& text) = 0;
};

// The chain's stages, one operation each, its result rounded to double once.
double CapitalValue(double marketValue);             // 60 % of the market value
double RentalValue(double capitalValue);             // 3 %
double ValueAfterMaintenance(double rentalValue);    // 70 %
double NetBase(double valueAfterMaintenance);        // less the 6000 exemption
double Tax(double netBase);                          // 10 %

// Fills c, d, g, h, e and f from the market value in b. Returns false when b
// holds no number: the six result boxes are then emptied and b is kept.
bool CalculateTaxChain(ValueBoxes& boxes);

// Empties b, c, d, e and f; g and h keep the last calculation's texts.
void ClearValueBoxes(ValueBoxes& boxes);
