#include "calc/key_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// Types each key as the market-value box would: a key the filter zeroes is
// dropped, Backspace deletes the last character.
std::string TypeIntoMarketValue(const std::u16string& keys) {
    std::string box;
    for (char16_t key : keys) {
        int16_t code = static_cast<int16_t>(key);
        FilterMarketValueKey(code);
        if (code == 8) {
            if (!box.empty()) box.pop_back();
        } else if (code != 0) {
            box += static_cast<char>(code);
        }
    }
    return box;
}

TEST(MarketValueKeys, LettersAndSignsAreDiscarded) {
    EXPECT_EQ(TypeIntoMarketValue(u"90a3.4-5"), "903.45");
}

TEST(MarketValueKeys, PointsAndLeadingZerosPassAsTyped) {
    EXPECT_EQ(TypeIntoMarketValue(u"1.2.3"), "1.2.3");
    EXPECT_EQ(TypeIntoMarketValue(u".007."), ".007.");
}

TEST(MarketValueKeys, BackspacePassesOtherControlCharactersDoNot) {
    EXPECT_EQ(TypeIntoMarketValue(u"12\b3"), "13");
    for (int16_t code : {3, 22, 24, 26, 13, 27, 9, 32, 127}) {  // Ctrl+C/V/X/Z, Enter, Esc, Tab, Space, Del
        int16_t filtered = code;
        FilterMarketValueKey(filtered);
        EXPECT_EQ(filtered, 0) << code;
    }
}

TEST(MarketValueKeys, WideAndNegativeCodesAreDiscarded) {
    EXPECT_EQ(TypeIntoMarketValue(u"\u0627\u00b7\u0632"), "");  // alef, middle dot, zain
    for (int16_t code : {-1, -32768, 47, 58, 0x0660 - 1, 0x0660 + 10, 0x06F0 - 1, 0x06F0 + 10}) {
        int16_t filtered = code;
        FilterMarketValueKey(filtered);
        EXPECT_EQ(filtered, 0) << code;
    }
}

// Digits as Egyptian documents and Persian keyboards write them enter as
// the ASCII digits they stand for, the Arabic decimal separator as ".";
// the Arabic thousands separator is no key of a number and is dropped.
TEST(MarketValueKeys, ArabicIndicAndPersianDigitsEnterAsAscii) {
    EXPECT_EQ(TypeIntoMarketValue(u"\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669"), "0123456789");
    EXPECT_EQ(TypeIntoMarketValue(u"\u06F0\u06F1\u06F2\u06F3\u06F4\u06F5\u06F6\u06F7\u06F8\u06F9"), "0123456789");
    EXPECT_EQ(TypeIntoMarketValue(u"\u0664\u0667\u0666\u0661\u0669\u0660\u066B\u0665"), "476190.5");
    EXPECT_EQ(TypeIntoMarketValue(u"\u0661\u066C\u0662\u0663\u0664"), "1234");
    EXPECT_EQ(TypeIntoMarketValue(u"\u0661\u0662\b\u06F3"), "13");
}

// The digits of the two scripts and the Arabic decimal separator have ASCII
// equivalents; their neighbours on either side are left as they are.
TEST(MarketValueKeys, OnlyTheDigitsAndTheSeparatorHaveAsciiEquivalents) {
    EXPECT_EQ(AsciiEquivalent(0x0660), u'0');
    EXPECT_EQ(AsciiEquivalent(0x0669), u'9');
    EXPECT_EQ(AsciiEquivalent(0x06F0), u'0');
    EXPECT_EQ(AsciiEquivalent(0x06F9), u'9');
    EXPECT_EQ(AsciiEquivalent(0x066B), u'.');
    for (char16_t neighbour : std::u16string(u"\u065F\u066A\u066C\u06EF\u06FA\uFFFFa5.")) {
        EXPECT_EQ(AsciiEquivalent(neighbour), neighbour) << static_cast<int>(neighbour);
    }
}

// A paste enters whole, its digits as ASCII and the marks that group them
// dropped, or not at all.
TEST(PastedMarketValue, EntersAsAsciiWithoutGroupingMarks) {
    const std::pair<std::u16string, std::u16string> entered[] = {
        {u"\u0661\u066C\u0662\u0663\u0664\u066C\u0665\u0666\u0667", u"1234567"},
        {u"1,000,000", u"1000000"},
        {u"\u06F1\u06F0\u06F0\u06F0\u06F0\u06F0\u06F0", u"1000000"},
        {u"\u0664\u0667\u0666\u0661\u0669\u0660\u066B\u0665", u"476190.5"},
        {u"1 000\u00A0000", u"1000000"},                  // blanks and no-break spaces group too
        {u"12\u202F345\u2007678", u"12345678"},
        {u"1,000.25", u"1000.25"},
        {u" \t1,234\r\n", u"1234"},                         // a copied cell or line
        {u"\u00A05000\u2007", u"5000"},                     // no-break blanks around it
        {u"\u202F5000\u202F", u"5000"},
        {u"\u200F\u0661\u0662\u061C\u200E", u"12"},      // direction marks from Arabic text
        {u"1.2.3", u"1.2.3"},                               // as typing would let it in
        {u"123456789", u"123456789"},                       // the box's limit cuts it, not this
    };
    for (const auto& [pasted, expected] : entered) {
        std::optional<std::u16string> result = PastedMarketValue(pasted);
        ASSERT_TRUE(result.has_value()) << std::string(pasted.begin(), pasted.end());
        EXPECT_EQ(*result, expected);
    }
}

// Anything but digits, points and marks between groups of three would enter
// as another number, or as none: the paste is refused whole.
TEST(PastedMarketValue, AnythingElseRefusesTheWhole) {
    const std::u16string refused[] = {
        u"", u"   ", u"\u200F", u"-42", u"1e5", u"+5", u"12a", u"\u0632\u0661", u"1;2", u"5\u066A", u"\uFF11",
        u"1,5",                // a decimal comma
        u"1.234,56",           // a decimal comma after grouping points
        u"1,000.000,5",        // a mark in the fraction
        u"1.234,567",          // a group of three in the fraction
        u"1a234", u"1-234",    // a sign between digits
        u"1,.25",              // a mark before the point
        u"1,23,456",           // groups of two
        u"12,3456",            // a group of four
        u"1,00",               // a group cut short
        u",123", u"123,",      // a mark with no digit before it, or no group after
        u"1,,000", u"1, 000",  // two marks in a row
        u"1200\t3400",         // two cells of a copied row
        u"12\n34",             // two lines
    };
    for (const std::u16string& pasted : refused) {
        EXPECT_FALSE(PastedMarketValue(pasted).has_value()) << std::string(pasted.begin(), pasted.end());
    }
}

}  // namespace
