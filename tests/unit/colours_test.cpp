#include "app/form1_description.h"
#include "fake_win32.h"
#include "forms/colours.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

namespace {

using forms::ColourPair;
using forms::ContrastRatio;
using forms::ControlColours;
using forms::ControlDescription;
using forms::ControlKind;
using forms::ReadableText;

constexpr COLORREF Rgb(int red, int green, int blue) {
    return static_cast<COLORREF>(red | (green << 8) | (blue << 16));
}

constexpr COLORREF kBlack = Rgb(0, 0, 0);
constexpr COLORREF kWhite = Rgb(255, 255, 255);
constexpr COLORREF kRed = Rgb(255, 0, 0);
constexpr COLORREF kLightCyan = Rgb(192, 255, 255);
constexpr COLORREF kLightOrange = Rgb(255, 224, 192);

// The system colours a window's client area is drawn with, as each scheme
// sets them (HKCU\Control Panel\Colors).
struct Scheme {
    const char* name;
    COLORREF window, windowText, buttonFace, buttonText, inactiveCaptionText;
};

constexpr Scheme kClassic{"Windows classic", kWhite, kBlack, Rgb(212, 208, 200), kBlack, Rgb(212, 208, 200)};
constexpr Scheme kWindows10{"Windows 10 and 11", kWhite, kBlack, Rgb(240, 240, 240), kBlack, kBlack};
constexpr Scheme kWindows7{"Windows 7", kWhite, kBlack, Rgb(240, 240, 240), kBlack, Rgb(67, 78, 84)};
constexpr Scheme kHighContrastBlack{"High Contrast Black", kBlack, kWhite, kBlack, kWhite, kWhite};
constexpr Scheme kHighContrastWhite{"High Contrast White", kWhite, kBlack, kWhite, kBlack, kBlack};
constexpr Scheme kSchemes[] = {kClassic, kWindows10, kWindows7, kHighContrastBlack, kHighContrastWhite};

void Use(const Scheme& scheme) {
    auto& colours = fake::script().sysColors;
    colours[COLOR_WINDOW] = scheme.window;
    colours[COLOR_WINDOWTEXT] = scheme.windowText;
    colours[COLOR_BTNFACE] = scheme.buttonFace;
    colours[COLOR_BTNTEXT] = scheme.buttonText;
    colours[COLOR_INACTIVECAPTIONTEXT] = scheme.inactiveCaptionText;
}

const ControlDescription& Control(const char* name) {
    for (size_t i = 0; i < kForm1.controlCount; ++i) {
        if (std::strcmp(kForm1.controls[i].name, name) == 0) return kForm1.controls[i];
    }
    throw std::invalid_argument(name);
}

std::string Hex(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(colour));
    return text;
}

class Colours : public testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
};

TEST_F(Colours, ContrastRunsFromOneToTwentyOneWhicheverColourComesFirst) {
    EXPECT_DOUBLE_EQ(ContrastRatio(kBlack, kWhite), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(kWhite, kBlack), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(kLightOrange, kLightOrange), 1.0);
    // The window's own least contrast: the red tax on light cyan.
    EXPECT_NEAR(ContrastRatio(kRed, kLightCyan), 3.61, 0.01);
    // Green weighs most, blue least, and the dark end of each channel is linear.
    EXPECT_GT(ContrastRatio(kBlack, Rgb(0, 255, 0)), ContrastRatio(kBlack, Rgb(255, 0, 0)));
    EXPECT_GT(ContrastRatio(kBlack, Rgb(255, 0, 0)), ContrastRatio(kBlack, Rgb(0, 0, 255)));
    EXPECT_NEAR(ContrastRatio(kBlack, Rgb(10, 10, 10)), (10 / 255.0 / 12.92 + 0.05) / 0.05, 1e-9);
    // Windows 7's inactive caption text under black: 2.5:1.
    EXPECT_NEAR(ContrastRatio(kBlack, Rgb(67, 78, 84)), 2.5, 0.05);
}

TEST_F(Colours, AReadingTextIsKeptAndAnotherTurnsBlackOrWhite) {
    EXPECT_EQ(ReadableText(kLightCyan, kRed), kRed);
    EXPECT_EQ(ReadableText(kBlack, kBlack), kWhite);
    EXPECT_EQ(ReadableText(kWhite, kWhite), kBlack);
    EXPECT_EQ(ReadableText(kLightOrange, kWhite), kBlack);
    EXPECT_EQ(ReadableText(Rgb(67, 78, 84), kBlack), kWhite);
    // On either side of 3:1: a grey that just reads is kept, one that just
    // does not is replaced.
    COLORREF justReads = Rgb(148, 148, 148);
    COLORREF justFails = Rgb(149, 149, 149);
    ASSERT_GE(ContrastRatio(kWhite, justReads), 3.0);
    ASSERT_LT(ContrastRatio(kWhite, justFails), 3.0);
    EXPECT_EQ(ReadableText(kWhite, justReads), justReads);
    EXPECT_EQ(ReadableText(kWhite, justFails), kBlack);
    // A mid grey takes whichever of the two contrasts more.
    EXPECT_EQ(ReadableText(Rgb(128, 128, 128), Rgb(128, 128, 128)), kBlack);
    EXPECT_EQ(ReadableText(Rgb(100, 100, 100), Rgb(100, 100, 100)), kWhite);
}

TEST_F(Colours, EveryTextOfTheWindowReadsInEveryScheme) {
    for (const Scheme& scheme : kSchemes) {
        Use(scheme);
        for (size_t i = 0; i < kForm1.controlCount; ++i) {
            const ControlDescription& control = kForm1.controls[i];
            if (control.kind == ControlKind::Timer) continue;
            ColourPair pair = ControlColours(control, false);
            EXPECT_GE(ContrastRatio(pair.back, pair.text), forms::kReadableContrast)
                << control.name << " in " << scheme.name << ": " << Hex(pair.text) << " on " << Hex(pair.back);
        }
    }
}

TEST_F(Colours, WhereTheDescribedColoursReadTheyAreDrawnAsDescribed) {
    Use(kClassic);
    const std::map<std::string, ColourPair> described = {
        {"Label2", {kLightOrange, kBlack}},         {"Label3", {Rgb(192, 192, 255), kBlack}},
        {"Label4", {kWhite, kBlack}},               {"Label5", {Rgb(212, 208, 200), kBlack}},
        {"Label10", {Rgb(212, 208, 200), kBlack}},  {"b", {kLightCyan, kBlack}},
        {"f", {kLightCyan, kRed}},                  {"e", {kLightCyan, kRed}},
        {"g", {kLightCyan, kBlack}},                {"Command1", {Rgb(192, 255, 192), kBlack}},
        {"Frame1", {Rgb(192, 192, 255), kBlack}},
    };
    for (const auto& [name, pair] : described) {
        ColourPair drawn = ControlColours(Control(name.c_str()), false);
        EXPECT_EQ(drawn.back, pair.back) << name;
        EXPECT_EQ(drawn.text, pair.text) << name;
    }
    EXPECT_EQ(forms::FormBackground(kForm1, false), kLightCyan);
}

TEST_F(Colours, TheBackgroundStaysAndOnlyTheTextThatWouldNotReadChanges) {
    // Windows 10 and 11: the row captions' system colour 19 is black, as is
    // the button text they were drawn in.
    Use(kWindows10);
    ColourPair rowCaption = ControlColours(Control("Label5"), false);
    EXPECT_EQ(rowCaption.back, kBlack);
    EXPECT_EQ(rowCaption.text, kWhite);
    EXPECT_EQ(ControlColours(Control("Label3"), false).text, kBlack);

    // High Contrast Black without the high-contrast switch: white window and
    // button text on the fixed light backgrounds turn black; the red and the
    // described black stay.
    Use(kHighContrastBlack);
    for (const char* name : {"b", "c", "d", "Label1", "Label2", "Label3", "Label4", "Label5"}) {
        EXPECT_EQ(ControlColours(Control(name), false).text, kBlack) << name;
    }
    EXPECT_EQ(ControlColours(Control("Label5"), false).back, kWhite);
    EXPECT_EQ(ControlColours(Control("f"), false).text, kRed);
    EXPECT_EQ(ControlColours(Control("g"), false).text, kBlack);
}

TEST_F(Colours, UnderHighContrastTheUsersOwnPairsReplaceTheDescribedOnes) {
    // Pairs that are the user's choice even where they would not read by the
    // window's own rule: they are kept as they are.
    fake::script().sysColors = {{COLOR_WINDOW, Rgb(0, 0, 64)},
                                {COLOR_WINDOWTEXT, Rgb(255, 255, 0)},
                                {COLOR_BTNFACE, Rgb(40, 40, 40)},
                                {COLOR_BTNTEXT, Rgb(90, 90, 90)},
                                {COLOR_INACTIVECAPTIONTEXT, kWhite}};
    for (const char* box : {"b", "c", "d", "e", "f", "g", "h"}) {
        ColourPair pair = ControlColours(Control(box), true);
        EXPECT_EQ(pair.back, Rgb(0, 0, 64)) << box;
        EXPECT_EQ(pair.text, Rgb(255, 255, 0)) << box;
    }
    for (const char* other : {"Label1", "Label5", "Label10", "Command1", "Command3", "Frame1"}) {
        ColourPair pair = ControlColours(Control(other), true);
        EXPECT_EQ(pair.back, Rgb(40, 40, 40)) << other;
        EXPECT_EQ(pair.text, Rgb(90, 90, 90)) << other;
    }
    EXPECT_EQ(forms::FormBackground(kForm1, true), Rgb(40, 40, 40));
}

TEST_F(Colours, HighContrastIsOnOnlyWhenThePlatformSaysSo) {
    fake::script().highContrastFlags = HCF_HIGHCONTRASTON | 0x2;
    EXPECT_TRUE(forms::HighContrastOn());
    fake::script().highContrastFlags = 0x2 | 0x4;  // available, hot key: not on
    EXPECT_FALSE(forms::HighContrastOn());
    fake::script().highContrastFlags = HCF_HIGHCONTRASTON;
    fake::script().highContrastResult = FALSE;  // a failed call tells nothing
    EXPECT_FALSE(forms::HighContrastOn());
    EXPECT_EQ(fake::Problems(), "");
    auto calls = fake::CallsNamed("SystemParametersInfoW");
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].args[0], SPI_GETHIGHCONTRAST);
}

}  // namespace
