#include "calc/result_notice.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The tax is heard after its row's caption, as the tax box shows it, every
// digit and the exponent kept.
TEST(ResultNotice, TheTaxFollowsItsRowsCaption) {
    const std::string caption = "الضـريبــة 10 %";
    for (const std::string tax : {"955.55442", "2.9999999969732E-05", "0"}) {
        std::string notice = TaxNotice(caption, tax);
        EXPECT_EQ(notice.rfind(caption, 0), 0u) << notice;
        EXPECT_GT(notice.size(), caption.size() + tax.size()) << "caption and tax run together: " << notice;
        EXPECT_EQ(notice.substr(notice.size() - tax.size()), tax) << notice;
    }
}

// A market value that is no number: nothing typed yet ("type the property's
// market value first") is told apart from a text that is no number ("the
// market value written is not a number").
TEST(ResultNotice, NoNumberSaysWhy) {
    const std::string nothingTyped = "اكتب القيمة السوقية للعقار أولاً";
    const std::string notANumber = "القيمة السوقية المكتوبة ليست رقماً";
    for (const char* text : {"", "   ", "\t"}) EXPECT_EQ(NoNumberNotice(text), nothingTyped) << '"' << text << '"';
    for (const char* text : {".", "1.2.3", "..", " . "}) EXPECT_EQ(NoNumberNotice(text), notANumber) << text;
}

}  // namespace
