#pragma once
// The market-value box takes only the characters of a decimal number.

#include <cstdint>

// Digits, "." and Backspace pass; every other character code becomes 0, which
// the forms runtime treats as "discard the key".
void FilterMarketValueKey(int16_t& keyCode);
