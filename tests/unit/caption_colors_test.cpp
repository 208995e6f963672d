#include "caption/caption_colors.h"

#include "fake_win32.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr COLORREF Rgb(int red, int green, int blue) {
    return static_cast<COLORREF>(red | (green << 8) | (blue << 16));
}

void UseStartUpScheme() {
    CaptionScheme = CaptionSchemeRecord{kTrue, kTrue, 0xFF00, 0xC0C0C0, 0x800000, 0xFFFF8000, 0, 0xFF0000};
}

class CaptionColors : public testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        UseStartUpScheme();
    }
};

TEST_F(CaptionColors, CustomSchemeValuesPassUnchanged) {
    COLORREF start = 1, end = 1;
    GetCaptionColors(kTrue, start, end);
    EXPECT_EQ(start, 0x800000u);
    EXPECT_EQ(end, 0xFFFF8000u);  // the top byte is not masked here
    GetCaptionColors(kFalse, start, end);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0xFF0000u);
    CaptionScheme.inactiveStartColor = 0x404040;  // a scheme whose inactive ramp does not start at black
    GetCaptionColors(kFalse, start, end);
    EXPECT_EQ(start, 0x404040u);
    EXPECT_TRUE(fake::CallsNamed("GetSysColor").empty());
}

// Both the active flag and customColors count as true whenever they are nonzero.
TEST_F(CaptionColors, AnyNonzeroFlagIsTrue) {
    for (int16_t flag : {int16_t{1}, int16_t{-1}, int16_t{0x100}, int16_t{-32768}}) {
        CaptionScheme.customColors = flag;
        COLORREF start = 0, end = 0;
        GetCaptionColors(flag, start, end);
        EXPECT_EQ(start, 0x800000u) << flag;
        GetCaptionColors(kFalse, start, end);
        EXPECT_EQ(end, 0xFF0000u) << flag;
    }
}

TEST_F(CaptionColors, WithoutCustomColorsTheSystemCaptionColourIsReadAtEveryCall) {
    CaptionScheme.customColors = kFalse;
    COLORREF start = 1, end = 1;
    GetCaptionColors(kTrue, start, end);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0x00D1B499u);
    fake::script().sysColors[COLOR_INACTIVECAPTION] = Rgb(1, 2, 3);
    GetCaptionColors(kFalse, start, end);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, Rgb(1, 2, 3));
    fake::script().sysColors[COLOR_ACTIVECAPTION] = Rgb(9, 9, 9);
    GetCaptionColors(kTrue, start, end);
    EXPECT_EQ(end, Rgb(9, 9, 9));
}

TEST(CaptionFont, CapturesTheCaptionFontFromA340ByteStructure) {
    fake::Reset();
    std::memset(&CaptionPaintState.captionLogFont, 0x55, sizeof(LOGFONTA));
    LoadCaptionFont();
    auto calls = fake::CallsNamed("SystemParametersInfoA");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args, (std::vector<long long>{SPI_GETNONCLIENTMETRICS, 0, 340, 0}));
    EXPECT_STREQ(CaptionPaintState.captionLogFont.lfFaceName, "Tahoma");
    EXPECT_EQ(CaptionPaintState.captionLogFont.lfHeight, -11);
    EXPECT_EQ(CaptionPaintState.captionLogFont.lfWeight, 700);
}

TEST(CaptionFont, AFailedQueryLeavesSixtyZeroBytes) {
    fake::Reset();
    fake::script().parametersResult = FALSE;
    std::memset(&CaptionPaintState.captionLogFont, 0x55, sizeof(LOGFONTA));
    LoadCaptionFont();
    LOGFONTA zeros{};
    EXPECT_EQ(std::memcmp(&CaptionPaintState.captionLogFont, &zeros, sizeof zeros), 0);
}

std::vector<COLORREF> Ramp(size_t upperBound, COLORREF start, COLORREF end) {
    std::vector<COLORREF> ramp(upperBound + 1, 0xDEADBEEF);
    EXPECT_TRUE(BuildGradient(ramp, start, end));
    return ramp;
}

TEST(BuildGradient, WorkedExamples) {
    EXPECT_EQ(Ramp(4, Rgb(0, 0, 0), Rgb(0, 0, 255)),
              (std::vector<COLORREF>{Rgb(0, 0, 64), Rgb(0, 0, 128), Rgb(0, 0, 191), Rgb(0, 0, 255), Rgb(0, 0, 255)}));
    EXPECT_EQ(Ramp(4, Rgb(0, 0, 255), Rgb(0, 0, 0)),
              (std::vector<COLORREF>{Rgb(0, 0, 191), Rgb(0, 0, 128), Rgb(0, 0, 64), Rgb(0, 0, 0), Rgb(0, 0, 0)}));
    EXPECT_EQ(Ramp(2, Rgb(0, 0, 0), Rgb(5, 0, 0)), (std::vector<COLORREF>{Rgb(2, 0, 0), Rgb(5, 0, 0), Rgb(8, 0, 0)}));
    EXPECT_EQ(Ramp(1, Rgb(0, 0, 128), 0xFFFF8000), (std::vector<COLORREF>{Rgb(0, 128, 255), Rgb(0, 255, 255)}));
}

TEST(BuildGradient, EqualEndsGiveTheStartWithItsTopByteCleared) {
    // Every channel odd: no bit of any channel is lost.
    EXPECT_EQ(Ramp(3, 0xAB133557, 0xCD133557), (std::vector<COLORREF>(4, 0x00133557)));
}

TEST(BuildGradient, StartUpActiveRampStaysInsideTheChannels) {
    // The caption's vertical ramp runs from the end colour back to the start.
    std::vector<COLORREF> ramp = Ramp(19, 0xFFFF8000, 0x800000);
    EXPECT_EQ(ramp[0], Rgb(0, 121, 248));
    EXPECT_EQ(ramp[17], Rgb(0, 7, 135));
    for (COLORREF entry : ramp) EXPECT_EQ(entry >> 24, 0u);
}

TEST(BuildGradient, OvershootIsClampedWhateverTheDistance) {
    std::vector<COLORREF> rising = Ramp(1, Rgb(10, 250, 0), Rgb(200, 255, 255));
    EXPECT_EQ(rising[1], Rgb(255, 255, 255));
    std::vector<COLORREF> falling = Ramp(1, Rgb(250, 5, 255), Rgb(100, 0, 1));
    EXPECT_EQ(falling[1], Rgb(0, 0, 0));
    // Only what lies beyond 0..255 is clamped: red passes 254.25, blue 0.75 on the way.
    EXPECT_EQ(Ramp(4, Rgb(252, 0, 3), Rgb(255, 0, 0)), (std::vector<COLORREF>{Rgb(253, 0, 2), Rgb(254, 0, 2),
                                                                             Rgb(254, 0, 1), Rgb(255, 0, 0),
                                                                             Rgb(255, 0, 0)}));
}

TEST(BuildGradient, UpperBoundZeroFailsAndLeavesTheRamp) {
    std::vector<COLORREF> ramp(1, 0x123456);
    EXPECT_FALSE(BuildGradient(ramp, 0, 0xFFFFFF));
    EXPECT_EQ(ramp[0], 0x123456u);
    std::vector<COLORREF> empty;
    EXPECT_FALSE(BuildGradient(empty, 0, 0xFFFFFF));
}

}  // namespace
