#include "calc/result_notice.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The tax is read after its row's caption, as the tax box shows it.
TEST(ResultNotice, TheTaxAfterItsRowsCaption) {
    EXPECT_EQ(TaxNotice("الضـريبــة 10 %", "955.55442"), "الضـريبــة 10 %: 955.55442");
    EXPECT_EQ(TaxNotice("الضـريبــة 10 %", "2.9999999969732E-05"), "الضـريبــة 10 %: 2.9999999969732E-05");
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
