#include "calc/result_notice.h"

std::string TaxNotice(const std::string& taxCaption, const std::string& tax) { return taxCaption + ": " + tax; }

std::string NoNumberNotice(const std::string& marketValue) {
    bool nothingTyped = marketValue.find_first_not_of(" \t") == std::string::npos;
    return nothingTyped ? "اكتب القيمة السوقية للعقار أولاً"   // "Type the property's market value first"
                        : "القيمة السوقية المكتوبة ليست رقماً";  // "The market value written is not a number"
}
