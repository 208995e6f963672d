#include "calc/tax_chain.h"

#include "calc/number_text.h"

namespace {

constexpr double kCapitalValueFactor = 0.6;
constexpr double kRentalValueFactor = 0.03;
constexpr double kMaintenanceFactor = 0.7;
constexpr double kExemption = 6000;
constexpr double kTaxRate = 0.1;

constexpr ValueBox kResultBoxes[] = {ValueBox::c, ValueBox::d, ValueBox::g,
                                     ValueBox::h, ValueBox::e, ValueBox::f};

// Every text read after the first stage was written by NumberToText, which
// always reads back.
double NumberIn(const ValueBoxes& boxes, ValueBox box) {
    return TextToNumber(boxes.Text(box)).value_or(0.0);
}

void RoundInPlace(ValueBoxes& boxes, ValueBox box) {
    boxes.SetText(box, NumberToText(Round2(LeadingNumber(boxes.Text(box)))));
}

}  // namespace

double CapitalValue(double marketValue) { return marketValue * kCapitalValueFactor; }
double RentalValue(double capitalValue) { return capitalValue * kRentalValueFactor; }
double ValueAfterMaintenance(double rentalValue) { return rentalValue * kMaintenanceFactor; }
double NetBase(double valueAfterMaintenance) { return valueAfterMaintenance - kExemption; }
double Tax(double netBase) { return netBase * kTaxRate; }

bool CalculateTaxChain(ValueBoxes& boxes) {
    std::optional<double> marketValue = TextToNumber(boxes.Text(ValueBox::b));
    if (!marketValue) {
        for (ValueBox box : kResultBoxes) boxes.SetText(box, "");
        return false;
    }
    boxes.SetText(ValueBox::c, NumberToText(CapitalValue(*marketValue)));
    boxes.SetText(ValueBox::d, NumberToText(RentalValue(NumberIn(boxes, ValueBox::c))));
    boxes.SetText(ValueBox::g, NumberToText(ValueAfterMaintenance(NumberIn(boxes, ValueBox::d))));
    boxes.SetText(ValueBox::h, NumberToText(NetBase(NumberIn(boxes, ValueBox::g))));
    boxes.SetText(ValueBox::e, NumberToText(Tax(NumberIn(boxes, ValueBox::h))));
    boxes.SetText(ValueBox::f, boxes.Text(ValueBox::e));
    if (!(NumberIn(boxes, ValueBox::e) > 0)) boxes.SetText(ValueBox::f, "0");
    RoundInPlace(boxes, ValueBox::c);
    RoundInPlace(boxes, ValueBox::d);
    RoundInPlace(boxes, ValueBox::e);
    return true;
}

void ClearValueBoxes(ValueBoxes& boxes) {
    for (ValueBox box : {ValueBox::b, ValueBox::c, ValueBox::d, ValueBox::e, ValueBox::f}) {
        boxes.SetText(box, "");
    }
}
