#include "calc/result_notice.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The tax is read after its row's caption, as the tax box shows it.
TEST(ResultNotice, TheTaxAfterItsRowsCaption) {
    EXPECT_EQ(TaxNotice("الضـريبــة 10 %", "955.55442"), "الضـريبــة 10 %: 955.55442");
    EXPECT_EQ(TaxNotice("الضـريبــة 10 %", "2.9999999969732E-05"), "الضـريبــة 10 %: 2.9999999969732E-05");
}

// A market value that is no number: nothing typed yet is told apart from a
// text that is not a number.
TEST(ResultNotice, NoNumberSaysWhy) {
    const std::string nothingTyped = NoNumberNotice("");
    const std::string notANumber = NoNumberNotice("1.2.3");
    EXPECT_NE(nothingTyped, notANumber);
    EXPECT_EQ(NoNumberNotice("   "), nothingTyped);
    for (const char* text : {".", "1.2.3", "..", "1e"}) EXPECT_EQ(NoNumberNotice(text), notANumber) << text;
    // Arabic, and short enough to be heard at once.
    for (const std::string& sentence : {nothingTyped, notANumber}) {
        EXPECT_EQ(sentence.rfind("\xD8", 0), 0u) << sentence;  // begins with an Arabic letter (U+0600 block)
        EXPECT_LT(sentence.size(), 80u) << sentence;
    }
}

}  // namespace
