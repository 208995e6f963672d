// A label's line of text: shaped by Uniscribe in the label's font, or in a
// smaller size of it where it is too wide, placed by its alignment and
// centred by its font's height; drawn by DrawTextW where Uniscribe is
// missing or cannot shape it. The fake's Uniscribe measures each character
// as half its font's height.

#include "fake_win32.h"
#include "forms/label_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace {

long long H(const void* handle) { return static_cast<long long>(reinterpret_cast<uintptr_t>(handle)); }

// 100 pixels wide and 30 high, away from the origin so that an edge taken for
// another shows.
constexpr RECT kArea{10, 20, 110, 50};

constexpr UINT kFallbackFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

// A memory DC with a font of its own selected, as a label paints with.
class FontedDc {
public:
    explicit FontedDc(LONG height, LONG width = 0) {
        LOGFONTW font{};
        font.lfHeight = height;
        font.lfWidth = width;
        font_ = CreateFontIndirectW(&font);
        dc_ = CreateCompatibleDC(nullptr);
        stockFont_ = SelectObject(dc_, font_);
        fake::ClearCalls();
    }
    ~FontedDc() {
        SelectObject(dc_, stockFont_);
        DeleteDC(dc_);
        DeleteObject(font_);
    }
    FontedDc(const FontedDc&) = delete;
    FontedDc& operator=(const FontedDc&) = delete;

    HDC Get() const { return dc_; }
    HFONT Font() const { return font_; }

private:
    HFONT font_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ stockFont_ = nullptr;
};

class LabelTextTest : public testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
};

struct PlaceCase {
    const char* name;
    friend void PrintTo(const PlaceCase& c, std::ostream* out) { *out << c.name; }
    UINT alignment;
    LONG fontHeight;
    size_t characters;
    long long x;
    long long y;
};

class Placed : public LabelTextTest, public testing::WithParamInterface<PlaceCase> {};

// The text is drawn once, where its alignment puts it a pixel in from its
// edge (left-aligned text too wide for that runs off the left instead, and
// right-aligned text off the right), its font's height centred in the area,
// clipped to the area and with nothing selected.
TEST_P(Placed, WhereItsAlignmentAndFontPutIt) {
    const PlaceCase& c = GetParam();
    FontedDc dc(c.fontHeight);
    forms::DrawLabelText(dc.Get(), std::wstring(c.characters, L'x'), kArea, c.alignment, false);
    auto out = fake::CallsNamed("ScriptStringOut");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].args[0], c.x);
    EXPECT_EQ(out[0].args[1], c.y);
    EXPECT_EQ(out[0].args[2], ETO_CLIPPED);
    EXPECT_EQ(std::vector<long long>(out[0].args.begin() + 3, out[0].args.begin() + 7),
              (std::vector<long long>{kArea.left, kArea.top, kArea.right, kArea.bottom}));
    EXPECT_GE(out[0].args[8], out[0].args[9]);  // ScriptStringOut's "no selection"
    EXPECT_EQ(fake::CallsNamed("ScriptStringFree").size(), 1u);
}

// Each font's height differs from the last one's, so that a height not read
// for this text cannot pass for it; a text drawn in 6 pixels is not made
// smaller, however wide.
INSTANTIATE_TEST_SUITE_P(
    Cases, Placed,
    testing::Values(PlaceCase{"left", DT_LEFT, -16, 4, 11, 27},           // 32 wide
                    PlaceCase{"left_as_wide", DT_LEFT, -20, 10, 10, 25},  // 100 wide
                    PlaceCase{"left_too_wide", DT_LEFT, -6, 40, -10, 32},  // 120 wide
                    PlaceCase{"centre", DT_CENTER, -18, 5, 37, 26},        // 45 wide
                    PlaceCase{"centre_too_wide", DT_CENTER, -6, 40, 0, 32},
                    PlaceCase{"right", DT_RIGHT, -14, 6, 67, 28},  // 42 wide
                    PlaceCase{"right_too_wide", DT_RIGHT, -6, 40, 10, 32},
                    PlaceCase{"taller_than_the_area", DT_CENTER, 40, 2, 40, 15},
                    PlaceCase{"cell_height", DT_RIGHT, 22, 3, 76, 24}),
    [](const testing::TestParamInfo<PlaceCase>& test) { return test.param.name; });

struct ShapeCase {
    const char* name;
    friend void PrintTo(const ShapeCase& c, std::ostream* out) { *out << c.name; }
    bool rightToLeft;
    std::wstring text;
    long long flags;
    long long bidiLevel;
    long long glyphs;
};

class Shaped : public LabelTextTest, public testing::WithParamInterface<ShapeCase> {};

// Every shaping of the text, in the label's font and in the smaller one it is
// fitted in, is of all of it, Unicode, in the label's reading order, with
// the glyph buffer Uniscribe asks for (one and a half glyphs a character and
// 16 more).
TEST_P(Shaped, InTheLabelsReadingOrder) {
    const ShapeCase& c = GetParam();
    FontedDc dc(-21);
    RECT narrow{0, 0, 40, 30};
    forms::DrawLabelText(dc.Get(), c.text, narrow, DT_RIGHT, c.rightToLeft);
    auto shaped = fake::CallsNamed("ScriptStringAnalyse");
    ASSERT_EQ(shaped.size(), 2u);  // too wide for 40 pixels in 21
    for (const fake::Call& call : shaped) {
        EXPECT_EQ(call.args[0], H(dc.Get()));
        EXPECT_EQ(call.args[1], static_cast<long long>(c.text.size()));
        EXPECT_EQ(call.args[2], c.flags);
        EXPECT_EQ(call.args[3], c.bidiLevel);
        EXPECT_EQ(call.args[5], c.glyphs);
        EXPECT_EQ(call.args[6], -1);  // the string is Unicode
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Shaped,
    testing::Values(ShapeCase{"left_to_right", false, L"12:52:45 AM", SSA_GLYPHS | SSA_FALLBACK, 0, 32},
                    ShapeCase{"right_to_left", true, L"\u0627\u0644\u064A\u0648\u0645",
                              SSA_GLYPHS | SSA_FALLBACK | SSA_RTL, 1, 23}),
    [](const testing::TestParamInfo<ShapeCase>& test) { return test.param.name; });

struct FitCase {
    const char* name;
    friend void PrintTo(const FitCase& c, std::ostream* out) { *out << c.name; }
    LONG fontHeight;
    LONG fontWidth;
    size_t characters;
    long long heightsMade;  // each smaller font's LOGFONT height
    std::vector<long long> heightsShaped;
};

class Fitted : public LabelTextTest, public testing::WithParamInterface<FitCase> {};

// A text wider than the area is shaped again in the largest size of the
// label's font it fits in, its height given in the font's own terms
// (character height negative, cell height positive) and its width left to
// the font mapper; never below 6 pixels, and a font of 6 or fewer is not
// made smaller. The label's own font is selected again once it is drawn,
// and the smaller font deleted.
TEST_P(Fitted, InTheLargestSizeThatFits) {
    const FitCase& c = GetParam();
    FontedDc dc(c.fontHeight, c.fontWidth);
    int liveBefore = fake::LiveObjects();
    forms::DrawLabelText(dc.Get(), std::wstring(c.characters, L'x'), kArea, DT_LEFT, false);
    std::vector<long long> shaped;
    for (const fake::Call& call : fake::CallsNamed("ScriptStringAnalyse")) shaped.push_back(call.args[4]);
    EXPECT_EQ(shaped, c.heightsShaped);
    auto made = fake::CallsNamed("CreateFontIndirectW");
    ASSERT_EQ(made.size(), c.heightsShaped.size() - 1);
    for (const fake::Call& call : made) {
        EXPECT_EQ(call.args[0], c.heightsMade);
        EXPECT_EQ(call.args[4], 0);  // lfWidth
    }
    EXPECT_EQ(fake::CallsNamed("ScriptStringOut").size(), 1u);
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), dc.Font());
    EXPECT_EQ(fake::LiveObjects(), liveBefore);
}

// The area is 100 pixels wide.
INSTANTIATE_TEST_SUITE_P(
    Cases, Fitted,
    testing::Values(FitCase{"as_wide_as_the_area", -20, 0, 10, 0, {20}},
                    FitCase{"character_height", -21, 10, 11, -18, {21, 18}},  // 115 wide, then 99
                    FitCase{"cell_height", 21, 10, 11, 18, {21, 18}},
                    FitCase{"far_too_wide", -21, 0, 200, -6, {21, 6}},
                    FitCase{"already_smallest", -6, 0, 40, 0, {6}},
                    FitCase{"smaller_than_smallest", -4, 0, 60, 0, {4}}),  // 120 wide
    [](const testing::TestParamInfo<FitCase>& test) { return test.param.name; });

// Where Uniscribe is there but cannot shape the text, DrawTextW draws it, on
// one line, centred vertically, aligned and in the reading order asked.
TEST_F(LabelTextTest, TextUniscribeCannotShapeIsDrawnByDrawText) {
    fake::script().shapingFails = true;
    FontedDc dc(-21);
    forms::DrawLabelText(dc.Get(), L"1252", kArea, DT_CENTER, true);
    auto drawn = fake::CallsNamed("DrawTextW");
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].args, (std::vector<long long>{H(dc.Get()), kArea.left, kArea.top, kArea.right, kArea.bottom,
                                                     kFallbackFormat | DT_CENTER | DT_RTLREADING}));
    EXPECT_EQ(drawn[0].text, "1252");
    EXPECT_TRUE(fake::CallsNamed("ScriptStringOut").empty());
}

// An empty caption draws nothing: Uniscribe shapes no empty string.
TEST_F(LabelTextTest, AnEmptyTextIsNeitherShapedNorDrawn) {
    FontedDc dc(-21);
    forms::DrawLabelText(dc.Get(), L"", kArea, DT_CENTER, true);
    EXPECT_TRUE(fake::Calls().empty());
}

struct FallbackCase {
    const char* name;
    friend void PrintTo(const FallbackCase& c, std::ostream* out) { *out << c.name; }
    bool usp10Loads;
    const char* missingFunction;
    UINT alignment;
    bool rightToLeft;
};

// Draws a text with Uniscribe as the case has it and tells on stderr what
// drew it, then ends the process.
[[noreturn]] void DrawAndTell(const FallbackCase& c) {
    fake::Reset();
    fake::script().uniscribe = c.usp10Loads;
    fake::script().missingUniscribeFunction = c.missingFunction;
    FontedDc dc(-21);
    forms::DrawLabelText(dc.Get(), L"1252", kArea, c.alignment, c.rightToLeft);
    for (const fake::Call& call : fake::Calls()) {
        if (call.name.rfind("Script", 0) == 0) std::fprintf(stderr, "%s\n", call.name.c_str());
        if (call.name != "DrawTextW") continue;
        std::fprintf(stderr, "DrawTextW %s %lld %lld %lld %lld %lld %s\n",
                     call.args[0] == H(dc.Get()) ? "dc" : "another dc", call.args[1], call.args[2], call.args[3],
                     call.args[4], call.args[5], call.text.c_str());
    }
    std::exit(0);
}

class WithoutUniscribe : public testing::TestWithParam<FallbackCase> {};

// Without usp10.dll, or with one of the four functions missing from it,
// DrawTextW draws the text, and nothing of Uniscribe is called. Uniscribe is
// looked for once a process, at the first label's paint, so each case runs
// in a process of its own: a new one, as a forked one would inherit what
// this one found.
TEST_P(WithoutUniscribe, TheTextIsDrawnByDrawText) {
    const FallbackCase& c = GetParam();
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    UINT format = kFallbackFormat | c.alignment | (c.rightToLeft ? DT_RTLREADING : 0);
    std::string told = "^DrawTextW dc 10 20 110 50 " + std::to_string(format) + " 1252\n$";
    EXPECT_EXIT(DrawAndTell(c), testing::ExitedWithCode(0), told);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WithoutUniscribe,
    testing::Values(FallbackCase{"no_usp10", false, "", DT_LEFT, false},
                    FallbackCase{"no_usp10_right_to_left", false, "", DT_RIGHT, true},
                    FallbackCase{"no_analyse", true, "ScriptStringAnalyse", DT_CENTER, true},
                    FallbackCase{"no_size", true, "ScriptString_pSize", DT_RIGHT, false},
                    FallbackCase{"no_out", true, "ScriptStringOut", DT_LEFT, true},
                    FallbackCase{"no_free", true, "ScriptStringFree", DT_CENTER, false}),
    [](const testing::TestParamInfo<FallbackCase>& test) { return test.param.name; });

}  // namespace
