#include "calc/key_filter.h"

#include <gtest/gtest.h>

#include <string>

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
    EXPECT_EQ(TypeIntoMarketValue(u"\u0661\u0627\u00b7"), "");  // Arabic-Indic one, alef, middle dot
    for (int16_t code : {-1, -32768, 47, 58, 0x0660 + 1}) {
        int16_t filtered = code;
        FilterMarketValueKey(filtered);
        EXPECT_EQ(filtered, 0) << code;
    }
}

}  // namespace
