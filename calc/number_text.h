#pragma once
// The calculator's four number conventions. They are locale-free: "." is the
// only decimal point, and the results do not depend on the C runtime's printf.

#include <optional>
#include <string>
#include <string_view>

// The whole text (blanks around it allowed) must be one decimal number:
// optional sign, digits with at most one ".", optional exponent ("E",
// optional sign, digits). Anything else, and a number too large for a double,
// is no number.
std::optional<double> TextToNumber(std::string_view text);

// The value of the longest decimal number that starts the text after leading
// blanks; 0 when there is none. Never fails.
double LeadingNumber(std::string_view text);

// The value rounded to 15 significant digits in general format: plain from
// 1E-04 up to 15 integer digits, exponent notation ("1E-05") outside that.
// Zero is written "0", never "-0".
std::string NumberToText(double value);

// The nearest multiple of 0.01 to the exact value of the double; exact halves
// go to the even hundredth.
double Round2(double value);
