#include "caption/draw_caption.h"

#include "caption_test_support.h"

namespace {

// DrawCaption as the paint cycle calls it: memoryDC holds a bitmap as wide as
// the window and 50 rows high, windowDC clips to the whole window.
class DrawCaptionTest : public testing::Test {
protected:
    void Prepare(LONG style = kCaptionButtons, const std::string& text = "Zemrana", int width = 400,
                 bool vertical = false) {
        fake::Reset();
        UseStartUpScheme();
        CaptionScheme.verticalGradient = vertical ? kTrue : kFalse;
        window_ = AddCaptionWindow(style, text, width);
        CaptionPaintState = CaptionPaintStateRecord{};
        CaptionPaintState.hookedWindow = window_;
        CaptionPaintState.captionIcon = kIcon;
        windowDC_ = GetWindowDC(window_);
        memoryDC_ = CreateCompatibleDC(windowDC_);
        bitmap_ = CreateCompatibleBitmap(windowDC_, width, 50);
        previousBitmap_ = SelectObject(memoryDC_, bitmap_);
        CaptionPaintState.captionBitmap = bitmap_;
        HRGN whole = CreateRectRgn(0, 0, width, 300);
        SelectClipRgn(windowDC_, whole);
        DeleteObject(whole);
        CaptionPaintState.windowDC = windowDC_;
        CaptionPaintState.memoryDC = memoryDC_;
        fake::ClearCalls();
    }

    void TearDown() override {
        SelectObject(memoryDC_, previousBitmap_);
        DeleteObject(CaptionPaintState.captionBitmap);
        DeleteDC(memoryDC_);
        ReleaseDC(window_, windowDC_);
        EXPECT_EQ(fake::Problems(), "");
        EXPECT_EQ(CaptionPaintState.captionFont, nullptr);
    }

    void DrawActive() { DrawCaption(CaptionScheme.activeStartColor, CaptionScheme.activeEndColor); }

    std::vector<std::vector<long long>> BandRects() const {
        std::vector<std::vector<long long>> bands;
        for (const fake::Call& call : fake::CallsNamed("FillRect")) bands.push_back(Args(call, 1, 4));
        return bands;
    }

    std::vector<long long> ButtonState(size_t index) const {
        auto buttons = fake::CallsNamed("DrawFrameControl");
        return index < buttons.size() ? Args(buttons[index], 5, 2) : std::vector<long long>{};
    }

    HWND window_ = nullptr;
    HDC windowDC_ = nullptr;
    HDC memoryDC_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
};

TEST_F(DrawCaptionTest, HorizontalWorkedExample) {
    Prepare();
    DrawActive();

    auto bands = BandRects();
    ASSERT_EQ(bands.size(), 49u);
    EXPECT_EQ(bands[0], Rect(4, 4, 12, 22));
    EXPECT_EQ(bands[1], Rect(12, 4, 20, 22));
    EXPECT_EQ(bands[47], Rect(380, 4, 388, 22));
    EXPECT_EQ(bands[48], Rect(388, 4, 396, 22));

    auto icon = fake::CallsNamed("DrawIconEx");
    ASSERT_EQ(icon.size(), 1u);
    EXPECT_EQ(icon[0].args, (std::vector<long long>{Handle(memoryDC_), 5, 5, Handle(kIcon), 16, 16, 0, 0, DI_IMAGE}));

    // The title is written in the font made for it, over the gradient, its
    // background left as it is.
    auto font = fake::CallsNamed("CreateFontIndirectA");
    ASSERT_EQ(font.size(), 1u);
    auto selections = fake::CallsNamed("SelectObject");
    ASSERT_EQ(selections.size(), 2u);
    EXPECT_EQ(selections[0].args, (std::vector<long long>{Handle(memoryDC_), font[0].args[2]}));
    auto mode = fake::CallsNamed("SetBkMode");
    ASSERT_EQ(mode.size(), 1u);
    EXPECT_EQ(mode[0].args, (std::vector<long long>{Handle(memoryDC_), TRANSPARENT}));

    auto text = fake::CallsNamed("DrawTextA");
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].text, "Zemrana");
    EXPECT_EQ(Args(text[0], 1, 1), (std::vector<long long>{7}));
    EXPECT_EQ(Args(text[0], 2, 4), Rect(26, 4, 394, 22));
    EXPECT_EQ(text[0].args[6], 0x8024);

    auto buttons = fake::CallsNamed("DrawFrameControl");
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(Args(buttons[0], 1, 4), Rect(378, 6, 394, 20));
    EXPECT_EQ(Args(buttons[1], 1, 4), Rect(360, 6, 376, 20));
    EXPECT_EQ(Args(buttons[2], 1, 4), Rect(344, 6, 360, 20));
    EXPECT_EQ(ButtonState(0), (std::vector<long long>{DFC_CAPTION, DFCS_CAPTIONCLOSE}));
    EXPECT_EQ(ButtonState(1), (std::vector<long long>{DFC_CAPTION, DFCS_CAPTIONMAX}));
    EXPECT_EQ(ButtonState(2), (std::vector<long long>{DFC_CAPTION, DFCS_CAPTIONMIN}));

    auto copy = fake::CallsNamed("BitBlt");
    ASSERT_EQ(copy.size(), 1u);
    EXPECT_EQ(copy[0].args,
              (std::vector<long long>{Handle(windowDC_), 4, 4, 392, 18, Handle(memoryDC_), 4, 4, SRCCOPY}));
    auto exclusion = fake::CallsNamed("ExcludeClipRect");
    ASSERT_EQ(exclusion.size(), 1u);
    EXPECT_EQ(Args(exclusion[0], 1, 4), Rect(4, 4, 396, 22));
}

// Everything is composed in memoryDC; the window's DC gets the copy and the exclusion only.
TEST_F(DrawCaptionTest, StepsRunInOrderAndEachBandBrushLivesForOneFill) {
    Prepare();
    DrawActive();
    using Dc = DcRole;
    std::vector<ExpectedCall> expected = {{"GetSystemMetrics", Dc::None, {SM_CXSIZE}, 0},
                                          {"GetWindowRect"},
                                          {"GetSystemMetrics", Dc::None, {SM_CYCAPTION}, 0},
                                          {"GetWindowTextA"},
                                          {"GetWindowLongA"},
                                          {"GetSystemMetrics", Dc::None, {SM_CXFRAME}, 0}};
    for (int band = 0; band < 49; ++band) {
        expected.insert(expected.end(), {{"CreateSolidBrush"}, {"FillRect", Dc::Memory}, {"DeleteObject"}});
    }
    expected.insert(expected.end(),
                    {{"DrawIconEx", Dc::Memory},
                     {"CreateFontIndirectA", Dc::None, {}, 1, CaptionPaintState.captionLogFont.lfFaceName},
                     {"SelectObject", Dc::Memory},
                     {"SetBkMode", Dc::Memory},
                     {"SetTextColor", Dc::Memory},
                     {"DrawTextA", Dc::Memory},
                     {"SelectObject", Dc::Memory},
                     {"DeleteObject"},
                     {"IsZoomed"},
                     {"DrawFrameControl", Dc::Memory},
                     {"DrawFrameControl", Dc::Memory},
                     {"DrawFrameControl", Dc::Memory},
                     {"BitBlt", Dc::Window},
                     {"ExcludeClipRect", Dc::Window}});
    ExpectCalls(fake::Calls(), expected, {Handle(windowDC_), Handle(memoryDC_)});
}

// Left to right from the start colour to the end; top to bottom from the end colour back to the start.
TEST_F(DrawCaptionTest, BandsFollowTheRampBetweenTheColoursGiven) {
    for (bool vertical : {false, true}) {
        SCOPED_TRACE(vertical);
        Prepare(kCaptionButtons, "Zemrana", 400, vertical);
        DrawCaption(Rgb(0, 0, 49), Rgb(0, 0, 245));  // 49 steps of 4 blue, or 19 of -196 / 19
        auto brushes = fake::CallsNamed("CreateSolidBrush");
        ASSERT_EQ(brushes.size(), vertical ? 19u : 49u);
        EXPECT_EQ(brushes.front().args[0], vertical ? Rgb(0, 0, 235) : Rgb(0, 0, 53));
        EXPECT_EQ(brushes.back().args[0], vertical ? Rgb(0, 0, 49) : Rgb(0, 0, 245));
        TearDown();
    }
    Prepare();
}

TEST_F(DrawCaptionTest, VerticalWorkedExampleInPixels) {
    Prepare(kCaptionButtons, "Zemrana", 400, true);
    DrawActive();
    auto bands = BandRects();
    ASSERT_EQ(bands.size(), 19u);
    EXPECT_EQ(bands[0], Rect(4, 4, 404, 5));
    EXPECT_EQ(bands[1], Rect(4, 5, 404, 22));
    EXPECT_EQ(bands[17], Rect(4, 21, 404, 22));
    EXPECT_EQ(bands[18], Rect(4, 22, 404, 22));  // empty

    const fake::Pixels& surface = fake::WindowOf(window_).surface;
    EXPECT_EQ(surface.At(200, 4), Rgb(0, 121, 248));
    EXPECT_EQ(surface.At(200, 21), Rgb(0, 7, 135));
    EXPECT_EQ(surface.At(395, 12), surface.At(4, 12));  // every row is one colour to the copy's end
    EXPECT_EQ(surface.At(200, 22), 0xFFFFFFFFu);  // the last caption row is left to the frame
    EXPECT_EQ(surface.At(396, 12), 0xFFFFFFFFu);  // nor is anything right of the caption copied
    EXPECT_EQ(surface.At(3, 12), 0xFFFFFFFFu);
    const fake::Pixels& offscreen = *fake::BitmapPixels(bitmap_);
    for (int row = 4; row <= 21; ++row) EXPECT_EQ(offscreen.At(399, row), surface.At(200, row)) << row;

    auto copy = fake::CallsNamed("BitBlt");
    ASSERT_EQ(copy.size(), 1u);
    EXPECT_EQ(Args(copy[0], 1, 4), Rect(4, 4, 392, 18));
    EXPECT_EQ(Args(fake::CallsNamed("DrawTextA")[0], 2, 4), Rect(26, 4, 394, 22));
}

TEST_F(DrawCaptionTest, DialogFrameStyleBit) {
    fake::Reset();
    Prepare(kCaptionButtons | 0x80);
    DrawActive();
    auto bands = BandRects();
    ASSERT_EQ(bands.size(), 49u);  // W 397
    EXPECT_EQ(bands.back(), Rect(387, 3, 397, 21));
    EXPECT_EQ(Args(fake::CallsNamed("DrawTextA")[0], 2, 4), Rect(25, 3, 395, 21));
    EXPECT_EQ(Args(fake::CallsNamed("DrawFrameControl")[0], 1, 4), Rect(379, 5, 395, 19));
    EXPECT_EQ(Args(fake::CallsNamed("BitBlt")[0], 1, 4), Rect(3, 3, 394, 18));
    EXPECT_EQ(Args(fake::CallsNamed("ExcludeClipRect")[0], 1, 4), Rect(3, 3, 397, 21));
    EXPECT_EQ(fake::CallsNamed("GetSystemMetrics")[2].args[0], SM_CXDLGFRAME);

    // A two-pixel dialog frame: W 398, 49 bands of 8, the last to F + W - 3.
    fake::Reset();
    Prepare(kCaptionButtons | 0x80);
    fake::script().metrics[SM_CXDLGFRAME] = 2;
    DrawActive();
    EXPECT_EQ(BandRects().back(), Rect(386, 2, 397, 20));
}

TEST_F(DrawCaptionTest, DialogFrameStyleBitVertical) {
    Prepare(kCaptionButtons | 0x80, "Zemrana", 407, true);
    CaptionScheme.verticalGradient = 1;  // any nonzero value
    DrawActive();
    EXPECT_EQ(BandRects()[0], Rect(3, 3, 412, 4));  // 2F + W + 2
    // The copy covers the caption from frame to frame: 401 columns from 3.
    EXPECT_EQ(Args(fake::CallsNamed("BitBlt")[0], 1, 4), Rect(3, 3, 401, 18));
    EXPECT_EQ(Args(fake::CallsNamed("ExcludeClipRect")[0], 1, 4), Rect(3, 3, 404, 21));
}

TEST_F(DrawCaptionTest, TitleColourTable) {
    Prepare();
    CaptionScheme.customColors = 1;  // any nonzero value
    auto titleColour = [&](COLORREF start, COLORREF end) {
        fake::ClearCalls();
        DrawCaption(start, end);
        return static_cast<COLORREF>(fake::CallsNamed("SetTextColor")[0].args[1]);
    };
    EXPECT_EQ(titleColour(0x800000, 0xFFFF8000), 0xFF00u);
    EXPECT_EQ(titleColour(0, 0xFF0000), 0xC0C0C0u);
    // Only the start colour decides: an end colour matching the active one does not.
    EXPECT_EQ(titleColour(0x800001, 0xFFFF8000), 0xC0C0C0u);
    CaptionScheme.inactiveStartColor = CaptionScheme.activeStartColor;
    EXPECT_EQ(titleColour(CaptionScheme.inactiveStartColor, CaptionScheme.inactiveEndColor), 0xFF00u);

    CaptionScheme.customColors = kFalse;
    fake::script().sysColors[COLOR_CAPTIONTEXT] = Rgb(1, 1, 1);
    fake::script().sysColors[COLOR_INACTIVECAPTIONTEXT] = Rgb(2, 2, 2);
    EXPECT_EQ(titleColour(0, fake::script().sysColors[COLOR_ACTIVECAPTION]), Rgb(1, 1, 1));
    EXPECT_EQ(titleColour(0, fake::script().sysColors[COLOR_INACTIVECAPTION]), Rgb(2, 2, 2));
    EXPECT_EQ(titleColour(0, fake::script().sysColors[COLOR_ACTIVECAPTION] - 1), Rgb(2, 2, 2));
    fake::script().sysColors[COLOR_INACTIVECAPTION] = fake::script().sysColors[COLOR_ACTIVECAPTION];
    EXPECT_EQ(titleColour(0, fake::script().sysColors[COLOR_INACTIVECAPTION]), Rgb(1, 1, 1));
}

TEST_F(DrawCaptionTest, ButtonStatesFollowTheStyleAndZoom) {
    struct Row {
        LONG style;
        bool zoomed;
        std::vector<long long> states;
    };
    const Row rows[] = {
        {kCaptionButtons, false, {0, 2, 1}},
        {kCaptionButtons, true, {0, 3, 1}},
        {WS_SYSMENU | WS_MAXIMIZEBOX, false, {0, 2, 0x101}},
        {WS_SYSMENU | WS_MINIMIZEBOX, false, {0, 0x102, 1}},
        {WS_SYSMENU | WS_MINIMIZEBOX, true, {0, 0x103, 1}},
        {WS_SYSMENU, false, {0}},
        {WS_MAXIMIZEBOX | WS_MINIMIZEBOX, true, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << row.style << " zoomed " << row.zoomed);
        Prepare(row.style);
        fake::WindowOf(window_).zoomed = row.zoomed;
        DrawActive();
        std::vector<long long> states;
        for (const fake::Call& call : fake::CallsNamed("DrawFrameControl")) states.push_back(call.args[6]);
        EXPECT_EQ(states, row.states);
        EXPECT_EQ(fake::CallsNamed("IsZoomed").size(), (row.style & WS_SYSMENU) ? 1u : 0u);
        TearDown();
    }
    Prepare();
}

TEST_F(DrawCaptionTest, WithoutAnIconTheTitleStartsAtTheFrame) {
    Prepare();
    CaptionPaintState.captionIcon = nullptr;
    DrawActive();
    EXPECT_TRUE(fake::CallsNamed("DrawIconEx").empty());
    EXPECT_EQ(fake::CallsNamed("DrawTextA")[0].args[2], 4 + 2);
}

TEST_F(DrawCaptionTest, WithoutAWindowDCNothingIsCopiedOrExcluded) {
    Prepare();
    CaptionPaintState.windowDC = nullptr;
    DrawActive();
    EXPECT_TRUE(fake::CallsNamed("BitBlt").empty());
    EXPECT_TRUE(fake::CallsNamed("ExcludeClipRect").empty());
    EXPECT_EQ(fake::ClipOf(windowDC_)->Area(), 400 * 300);
    EXPECT_EQ(fake::BitmapPixels(bitmap_)->At(200, 10), fake::CallsNamed("CreateSolidBrush")[24].args[0]);
}

TEST_F(DrawCaptionTest, TitleTrimming) {
    struct Row {
        std::string windowText;
        std::string drawn;
    };
    const Row rows[] = {
        {"", ""},
        {"   Zemrana  ", "Zemrana  "},
        {std::string(300, 'x'), std::string(254, 'x')},
        {"     ", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.windowText);
        Prepare(kCaptionButtons, row.windowText);
        DrawActive();
        auto text = fake::CallsNamed("DrawTextA");
        ASSERT_EQ(text.size(), 1u);
        EXPECT_EQ(text[0].text, row.drawn);
        EXPECT_EQ(text[0].args[1], static_cast<long long>(row.drawn.size()));
        EXPECT_EQ(fake::CallsNamed("GetWindowTextA")[0].args[1], 255);
        TearDown();
    }
    Prepare();
}

TEST_F(DrawCaptionTest, ACaptionTooNarrowForABandPaintsAndCopiesNothing) {
    for (int width : {11, 4, 0}) {  // W = 7, 0 and -4
        SCOPED_TRACE(width);
        Prepare(kCaptionButtons, "Zemrana", width);
        DrawActive();
        EXPECT_TRUE(fake::CallsNamed("FillRect").empty());
        EXPECT_TRUE(fake::CallsNamed("BitBlt").empty());
        EXPECT_EQ(fake::CallsNamed("DrawTextA").size(), 1u);
        TearDown();
        Prepare(kCaptionButtons, "Zemrana", width, true);
        fake::script().metrics[SM_CYCAPTION] = 0;
        DrawActive();
        EXPECT_TRUE(fake::CallsNamed("FillRect").empty());
        EXPECT_TRUE(fake::CallsNamed("BitBlt").empty());
        TearDown();
    }
    Prepare();
}

TEST_F(DrawCaptionTest, OneBandCaption) {
    Prepare(kCaptionButtons, "Zemrana", 16);  // W 12: one band of 12
    DrawActive();
    auto bands = BandRects();
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0], Rect(4, 4, 16, 22));
    // band.right after the loop is F + 2W = 28, then -10 for the text and +12.
    EXPECT_EQ(Args(fake::CallsNamed("BitBlt")[0], 1, 4), Rect(4, 4, 16, 18));
    TearDown();
    Prepare(kCaptionButtons, "Zemrana", 400, true);
    fake::script().metrics[SM_CYCAPTION] = 1;  // one row: one band
    DrawActive();
    EXPECT_EQ(BandRects(), std::vector<std::vector<long long>>{Rect(4, 4, 404, 5)});
}

}  // namespace
