#include "calc/tax_chain.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iomanip>
#include <map>

namespace {

class BoxTexts : public ValueBoxes {
public:
    std::string Text(ValueBox box) const override {
        auto it = texts_.find(box);
        return it == texts_.end() ? std::string() : it->second;
    }
    void SetText(ValueBox box, const std::string& text) override {
        texts_[box] = text;
        writes.push_back(box);
    }
    std::vector<ValueBox> writes;

private:
    std::map<ValueBox, std::string> texts_;
};

struct ChainRow {
    const char* b;
    const char* c;
    const char* d;
    const char* g;
    const char* h;
    const char* e;
    const char* f;
};

void PrintTo(const ChainRow& row, std::ostream* os) { *os << "b=" << row.b; }

class TaxChainRows : public testing::TestWithParam<ChainRow> {};

TEST_P(TaxChainRows, FillsEveryBoxWithTheChain) {
    const ChainRow& row = GetParam();
    BoxTexts boxes;
    boxes.SetText(ValueBox::b, row.b);
    ASSERT_TRUE(CalculateTaxChain(boxes));
    EXPECT_EQ(boxes.Text(ValueBox::b), row.b);
    EXPECT_EQ(boxes.Text(ValueBox::c), row.c);
    EXPECT_EQ(boxes.Text(ValueBox::d), row.d);
    EXPECT_EQ(boxes.Text(ValueBox::g), row.g);
    EXPECT_EQ(boxes.Text(ValueBox::h), row.h);
    EXPECT_EQ(boxes.Text(ValueBox::e), row.e);
    EXPECT_EQ(boxes.Text(ValueBox::f), row.f);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, TaxChainRows,
    testing::Values(
        ChainRow{"1000000", "600000", "18000", "12600", "6600", "660", "660"},
        ChainRow{"1234567", "740740.2", "22222.21", "15555.5442", "9555.5442", "955.55", "955.55442"},
        ChainRow{"12345678", "7407406.8", "222222.2", "155555.5428", "149555.5428", "14955.55",
                 "14955.55428"},
        ChainRow{"400000", "240000", "7200", "5040", "-960", "-96", "0"},
        ChainRow{"007", "4.2", "0.13", "0.0882", "-5999.9118", "-599.99", "0"},
        // A positive tax too small to survive rounding still shows unrounded in f.
        ChainRow{"476191", "285714.6", "8571.44", "6000.0066", "0.00659999999970751", "0",
                 "0.000659999999970751"},
        // h in plain notation (exponent -4), f in exponent notation (exponent -5).
        ChainRow{"476190.5", "285714.3", "8571.43", "6000.0003", "0.00029999999969732", "0",
                 "2.9999999969732E-05"},
        // A net base of exactly zero: the tax test is "greater than 0".
        ChainRow{"476190", "285714", "8571.42", "5999.994", "-0.00600000000031287", "0", "0"},
        ChainRow{"5.", "3", "0.09", "0.063", "-5999.937", "-599.99", "0"},
        ChainRow{".5", "0.3", "0.01", "0.0063", "-5999.9937", "-600", "0"}));

uint64_t Bits(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double FromBits(uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

struct StageRow {
    const char* stage;
    double (*apply)(double);
    double operand;
    uint64_t resultBits;
};

// Each exact result lies so near the midpoint between two doubles that
// rounding it first to 64 bits, as x87 arithmetic does, and then to double
// gives the other neighbour (in the comments).
TEST(TaxChainStages, RoundEachResultToDoubleOnce) {
    const StageRow rows[] = {
        {"CapitalValue", CapitalValue, 12283, 0x40BCC9CCCCCCCCCD},  // x87: 7369.7999999999993
        {"CapitalValue", CapitalValue, 6139, 0x40ACC6CCCCCCCCCD},   // x87: 3683.3999999999996
        {"RentalValue", RentalValue, 288.3, 0x40214C49BA5E353F},    // x87: 8.6490000000000009
        {"RentalValue", RentalValue, 416.3, 0x4028FA5E353F7CED},    // x87: 12.489000000000001
        {"ValueAfterMaintenance", ValueAfterMaintenance, 47.97, 0x4040CA1CAC083127},  // x87: 33.578999999999994
        {"NetBase", NetBase, 0.006124, 0xC0B76FFE6EA85447},  // x87: -5999.9938760000005
        {"Tax", Tax, 0.7495, 0x3FB32FEC56D5CFAB},            // x87: 0.074950000000000017
    };
    for (const StageRow& row : rows) {
        double result = row.apply(row.operand);
        EXPECT_EQ(Bits(result), row.resultBits)
            << std::setprecision(17) << row.stage << "(" << row.operand << ") = " << result << ", expected "
            << FromBits(row.resultBits);
    }
}

TEST(TaxChain, StagesReadTheUnroundedTextOfTheStageBefore) {
    BoxTexts boxes;
    boxes.SetText(ValueBox::b, "1234567");
    boxes.writes.clear();
    CalculateTaxChain(boxes);
    // c, d, g, h, e, f in order, then the three roundings.
    std::vector<ValueBox> expected = {ValueBox::c, ValueBox::d, ValueBox::g, ValueBox::h, ValueBox::e,
                                      ValueBox::f, ValueBox::c, ValueBox::d, ValueBox::e};
    EXPECT_EQ(boxes.writes, expected);
    // d was computed from 740740.2 (unrounded c): 22222.206 rounds to 22222.21.
    EXPECT_EQ(boxes.Text(ValueBox::d), "22222.21");
}

TEST(TaxChain, RunningTwiceGivesTheSameTexts) {
    BoxTexts boxes;
    boxes.SetText(ValueBox::b, "12345678");
    CalculateTaxChain(boxes);
    BoxTexts first = boxes;
    CalculateTaxChain(boxes);
    for (ValueBox box : {ValueBox::b, ValueBox::c, ValueBox::d, ValueBox::e, ValueBox::f, ValueBox::g,
                         ValueBox::h}) {
        EXPECT_EQ(boxes.Text(box), first.Text(box));
    }
}

// No market value gives a net base of exactly zero (15-digit texts step over
// it), so these boxes keep g at "6000" whatever the chain writes there.
class BoxesWithFixedG : public BoxTexts {
public:
    void SetText(ValueBox box, const std::string& text) override {
        BoxTexts::SetText(box, box == ValueBox::g ? std::string("6000") : text);
    }
};

TEST(TaxChain, ZeroNetBaseGivesZeroTaxInBothBoxes) {
    BoxesWithFixedG boxes;
    boxes.SetText(ValueBox::b, "476190");
    CalculateTaxChain(boxes);
    EXPECT_EQ(boxes.Text(ValueBox::h), "0");
    EXPECT_EQ(boxes.Text(ValueBox::e), "0");
    EXPECT_EQ(boxes.Text(ValueBox::f), "0");
}

TEST(TaxChain, NotANumberEmptiesTheResultsAndKeepsTheInput) {
    for (const char* input : {"", ".", "1.2.3", "abc", "12a", "1E999"}) {
        SCOPED_TRACE(input);
        BoxTexts boxes;
        boxes.SetText(ValueBox::b, "1000000");
        CalculateTaxChain(boxes);
        boxes.SetText(ValueBox::b, input);
        EXPECT_FALSE(CalculateTaxChain(boxes));
        EXPECT_EQ(boxes.Text(ValueBox::b), input);
        for (ValueBox box : {ValueBox::c, ValueBox::d, ValueBox::e, ValueBox::f, ValueBox::g, ValueBox::h}) {
            EXPECT_EQ(boxes.Text(box), "");
        }
    }
}

TEST(TaxChain, ClearEmptiesInputAndFourResultsButKeepsGAndH) {
    BoxTexts boxes;
    boxes.SetText(ValueBox::b, "1234567");
    CalculateTaxChain(boxes);
    ClearValueBoxes(boxes);
    for (ValueBox box : {ValueBox::b, ValueBox::c, ValueBox::d, ValueBox::e, ValueBox::f}) {
        EXPECT_EQ(boxes.Text(box), "");
    }
    EXPECT_EQ(boxes.Text(ValueBox::g), "15555.5442");
    EXPECT_EQ(boxes.Text(ValueBox::h), "9555.5442");
}

}  // namespace
