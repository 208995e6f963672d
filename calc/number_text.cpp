#include "calc/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct NumberSyntax {
    size_t length = 0;   // characters that form the number, 0 when none
    bool mantissaIsZero = true;
    long long decimalExponent = 0;  // of the first significant digit, roughly
};

// Scans the longest prefix of `text` that is a decimal number. The extra facts
// let a caller tell an overflow from an underflow without converting.
NumberSyntax ScanNumber(std::string_view text) {
    NumberSyntax result;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;

    long long integerDigits = 0;  // significant digits before the point
    long long leadingFractionZeros = 0;
    bool seenSignificant = false;
    size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
        if (text[i] != '0') seenSignificant = true;
        if (seenSignificant) ++integerDigits;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
            if (text[i] != '0') seenSignificant = true;
            if (!seenSignificant) ++leadingFractionZeros;
        }
    }
    if (digits == 0) return result;

    size_t mantissaEnd = i;
    long long exponent = 0;
    if (i < text.size() && text[i] == 'E') {
        size_t j = i + 1;
        bool negative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) negative = text[j++] == '-';
        size_t firstExponentDigit = j;
        for (; j < text.size() && IsDigit(text[j]); ++j) {
            // Past 1E17 no mantissa that fits in memory has the digits to
            // outweigh the exponent, so it need not grow (nor overflow).
            if (exponent < 100'000'000'000'000'000) exponent = exponent * 10 + (text[j] - '0');
        }
        if (j > firstExponentDigit) {
            mantissaEnd = j;
            if (negative) exponent = -exponent;
        }
    }
    result.length = mantissaEnd;
    result.mantissaIsZero = !seenSignificant;
    result.decimalExponent = exponent + (integerDigits > 0 ? integerDigits : -leadingFractionZeros);
    return result;
}

// Converts a text that ScanNumber accepted whole. Out-of-range values come
// back as infinity (too large) or a signed zero (too small).
double ConvertScanned(std::string_view number, const NumberSyntax& syntax) {
    bool negative = !number.empty() && number[0] == '-';
    std::string_view unsigned_ = number;
    if (!number.empty() && (number[0] == '+' || number[0] == '-')) unsigned_.remove_prefix(1);
    double value = 0.0;
    auto [end, error] = std::from_chars(unsigned_.data(), unsigned_.data() + unsigned_.size(), value,
                                        std::chars_format::general);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        value = (!syntax.mantissaIsZero && syntax.decimalExponent > 0)
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    }
    return negative ? -value : value;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<double> TextToNumber(std::string_view text) {
    std::string_view number = TrimBlanks(text);
    NumberSyntax syntax = ScanNumber(number);
    if (syntax.length == 0 || syntax.length != number.size()) return std::nullopt;
    double value = ConvertScanned(number, syntax);
    if (std::isinf(value)) return std::nullopt;
    return value;
}

double LeadingNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    NumberSyntax syntax = ScanNumber(text);
    if (syntax.length == 0) return 0.0;
    return ConvertScanned(text.substr(0, syntax.length), syntax);
}

std::string NumberToText(double value) {
    if (value == 0.0) return "0";
    std::array<char, 64> buffer{};
    auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
    (void)error;  // 64 characters hold any double at 15 digits
    std::string text(buffer.data(), end);
    for (char& c : text) {
        if (c == 'e') c = 'E';
    }
    return text;
}

double Round2(double value) {
    if (!std::isfinite(value)) return value;
    // Fixed notation with two decimals rounds the exact binary value, halves to
    // even; reading it back gives the double nearest to that hundredth.
    std::array<char, 400> buffer{};
    auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 2);
    (void)error;  // 309 integer digits, a sign, a point and two decimals fit
    double rounded = 0.0;
    std::from_chars(buffer.data(), end, rounded, std::chars_format::fixed);
    return rounded;
}
