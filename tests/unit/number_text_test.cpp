#include "calc/number_text.h"

#include "soak_scale.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <regex>

namespace {

// A copy of the text that ends where readable memory ends, so that reading a
// character past it faults. It lasts until the next call.
std::string_view AtMemoryEnd(std::string_view text) {
    static const size_t pageSize = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    static char* const pages = [] {
        auto* mapped = static_cast<char*>(
            mmap(nullptr, 2 * pageSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        mprotect(mapped + pageSize, pageSize, PROT_NONE);
        return mapped;
    }();
    char* start = pages + pageSize - text.size();
    std::memcpy(start, text.data(), text.size());
    return {start, text.size()};
}

TEST(TextToNumber, AcceptsDecimalNumbersWithBlanksAround) {
    EXPECT_EQ(TextToNumber(AtMemoryEnd("007")), 7.0);
    EXPECT_EQ(TextToNumber(AtMemoryEnd("5.")), 5.0);
    EXPECT_EQ(TextToNumber(AtMemoryEnd(".5")), 0.5);
    EXPECT_EQ(TextToNumber(AtMemoryEnd("  -12.25 ")), -12.25);
    EXPECT_EQ(TextToNumber(AtMemoryEnd("+3")), 3.0);
    EXPECT_EQ(TextToNumber(AtMemoryEnd("2.9999999969732E-05")), 2.9999999969732E-05);
    EXPECT_EQ(TextToNumber(AtMemoryEnd("1E+3")), 1000.0);
}

// "\xA0", the no-break space of the Windows code pages, is no blank.
TEST(TextToNumber, RejectsEverythingElse) {
    for (const char* text : {"", " ", ".", "1.2.3", "-", "+.", "E5", "1E", "1E+", "1e3", "12a", "a12", "1 2",
                             "--1", "1,5", "0x10", "inf", "nan", "1E999", "-1E999", "\xA0" "5"}) {
        EXPECT_FALSE(TextToNumber(AtMemoryEnd(text)).has_value()) << '"' << text << '"';
    }
}

TEST(LeadingNumber, ReadsTheLongestNumberPrefix) {
    EXPECT_EQ(LeadingNumber(AtMemoryEnd("  12.5abc")), 12.5);
    EXPECT_EQ(LeadingNumber(AtMemoryEnd("1.2.3")), 1.2);
    EXPECT_EQ(LeadingNumber(AtMemoryEnd("3E2x")), 300.0);
    EXPECT_EQ(LeadingNumber(AtMemoryEnd("3E")), 3.0);
    EXPECT_EQ(LeadingNumber(AtMemoryEnd("3e2")), 3.0);  // the exponent is "E" only
    EXPECT_EQ(LeadingNumber(AtMemoryEnd("3E-")), 3.0);
    EXPECT_EQ(LeadingNumber(AtMemoryEnd("-7")), -7.0);
    EXPECT_EQ(LeadingNumber(AtMemoryEnd("abc")), 0.0);
    EXPECT_EQ(LeadingNumber(AtMemoryEnd("")), 0.0);
    EXPECT_EQ(LeadingNumber(AtMemoryEnd(".")), 0.0);
    EXPECT_EQ(LeadingNumber(AtMemoryEnd("-.")), 0.0);
}

// Out of range, the digits of a long mantissa weigh against the exponent in
// telling a number too large (none) from one too small (zero).
TEST(NumberConventions, WeighLongMantissasAgainstTheExponent) {
    for (size_t zeros : {500, 1600, 2400}) {
        const std::string z(zeros, '0');
        for (const std::string& mantissa : {"0." + z + "1", "1" + z, z + "1"}) {
            for (const char* exponent : {"100", "999", "2000", "-100", "-999", "-2000", "9223372036854775808",
                                         "-9223372036854775808"}) {
                SCOPED_TRACE(mantissa.substr(0, 3) + "... with " + std::to_string(zeros) + " zeros, E" + exponent);
                std::string text = mantissa + "E" + exponent;
                double expected = std::strtod(text.c_str(), nullptr);
                EXPECT_EQ(TextToNumber(text), std::isinf(expected) ? std::nullopt : std::optional(expected));
                EXPECT_EQ(LeadingNumber(text), expected);
            }
        }
    }
    // Even a hundred million zeros do not outweigh an exponent of 1E9.
    EXPECT_FALSE(TextToNumber("0." + std::string(100000001, '0') + "1E1000000000").has_value());
}

TEST(NumberToText, WritesFifteenDigitsInGeneralFormat) {
    EXPECT_EQ(NumberToText(600000), "600000");
    EXPECT_EQ(NumberToText(740740.2 * 0.03), "22222.206");
    EXPECT_EQ(NumberToText(-960), "-960");
    EXPECT_EQ(NumberToText(0.6), "0.6");
    EXPECT_EQ(NumberToText(0.00001), "1E-05");
    EXPECT_EQ(NumberToText(0.0001), "0.0001");
    EXPECT_EQ(NumberToText(1e14), "100000000000000");
    EXPECT_EQ(NumberToText(1e15), "1E+15");
    EXPECT_EQ(NumberToText(1.5e300), "1.5E+300");
    EXPECT_EQ(NumberToText(-0.0), "0");
}

TEST(Round2, RoundsTheExactValueWithHalvesToEven) {
    EXPECT_EQ(Round2(0.125), 0.12);
    EXPECT_EQ(Round2(0.375), 0.38);
    EXPECT_EQ(Round2(0.135), 0.14);
    EXPECT_EQ(Round2(2.675), 2.67);  // stored as 2.67499999...
    EXPECT_EQ(Round2(22222.206), 22222.21);
    EXPECT_EQ(Round2(-599.99937), -600.0);
    EXPECT_EQ(Round2(1e20), 1e20);
    EXPECT_EQ(Round2(-INFINITY), -INFINITY);
    EXPECT_EQ(NumberToText(Round2(-0.001)), "0");
}

// The C library's %.15G, with the sign of zero dropped, is the reference.
std::string ReferenceText(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    return std::strcmp(buffer, "-0") == 0 ? "0" : buffer;
}

double RandomDouble(std::mt19937_64& random) {
    switch (random() % 3) {
        case 0: {  // any finite bit pattern
            double value;
            do {
                uint64_t bits = random();
                std::memcpy(&value, &bits, sizeof value);
            } while (!std::isfinite(value));
            return value;
        }
        case 1:  // the sizes the calculator sees
            return std::uniform_real_distribution<double>(-1e9, 1e9)(random);
        default:  // few digits, where ties and short texts are common
            return static_cast<double>(static_cast<int64_t>(random() % 2000001) - 1000000) / 1000.0;
    }
}

TEST(NumberConventionProperties, TextMatchesPrintfAndReadsBack) {
    std::mt19937_64 random(20261207);
    for (long long i = 0, rounds = SoakRounds(1000000); i < rounds; ++i) {
        double value = RandomDouble(random);
        std::string text = NumberToText(value);
        ASSERT_EQ(text, ReferenceText(value)) << "value bits of " << value;
        std::optional<double> back = TextToNumber(text);
        ASSERT_TRUE(back.has_value()) << text;
        ASSERT_EQ(NumberToText(*back), text);
        ASSERT_EQ(LeadingNumber(text + "x"), *back) << text;
    }
}

// The C library's %.2f rounds the exact value with halves to even; the double
// nearest to that text is what Round2 must return.
TEST(NumberConventionProperties, Round2IsTheDoubleNearestToPrintfsTwoDecimals) {
    std::mt19937_64 random(7);
    for (long long i = 0, rounds = SoakRounds(1000000); i < rounds; ++i) {
        double value = RandomDouble(random);
        char rounded[400];
        std::snprintf(rounded, sizeof rounded, "%.2f", value);
        double expected = std::strtod(rounded, nullptr);
        double actual = Round2(value);
        ASSERT_EQ(actual, expected) << rounded;
        ASSERT_EQ(NumberToText(actual), NumberToText(expected)) << rounded;  // and "-0" reads as "0"
    }
}

// Texts of up to 12 characters over an alphabet that makes numbers, near
// numbers and junk alike.
std::string RandomText(std::mt19937& random) {
    static const char alphabet[] = "0123456789..+-eE aX\t";
    std::string text;
    for (size_t length = random() % 13; length > 0; --length) text += alphabet[random() % (sizeof alphabet - 1)];
    return text;
}

TEST(NumberConventionProperties, RandomTextsAreNumbersExactlyWhenTheyHaveTheSyntaxAndFit) {
    const std::regex decimalNumber(R"([ \t]*[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)(E[+-]?[0-9]+)?[ \t]*)");
    std::mt19937 random(42);
    long long accepted = 0;
    for (long long i = 0, rounds = SoakRounds(1000000); i < rounds; ++i) {
        std::string text = RandomText(random);
        // A number beyond the range of a double (4E560) is refused as well.
        bool isNumber = std::regex_match(text, decimalNumber) && !std::isinf(std::strtod(text.c_str(), nullptr));
        std::optional<double> number = TextToNumber(text);
        ASSERT_EQ(number.has_value(), isNumber) << '"' << text << '"';
        if (number) {
            ASSERT_EQ(*number, std::strtod(text.c_str(), nullptr)) << '"' << text << '"';
        }
        accepted += isNumber;
    }
    EXPECT_GT(accepted, SoakRounds(1000000) / 100);  // the generator reaches both outcomes
}

TEST(NumberConventionProperties, LeadingNumberReadsTheLongestNumberPrefixOfRandomTexts) {
    const std::regex numberPrefix(R"([ \t]*[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)(E[+-]?[0-9]+)?)");
    std::mt19937 random(43);
    for (long long i = 0, rounds = SoakRounds(1000000); i < rounds; ++i) {
        std::string text = RandomText(random);
        std::smatch prefix;
        double expected = 0.0;
        if (std::regex_search(text, prefix, numberPrefix, std::regex_constants::match_continuous)) {
            expected = std::strtod(prefix.str().c_str(), nullptr);
        }
        double leading = LeadingNumber(text);
        ASSERT_TRUE(leading == expected || (std::isnan(leading) && std::isnan(expected))) << '"' << text << '"';
    }
}

}  // namespace
