#include "app/lifecycle.h"

#include "caption_test_support.h"

#include <string>

namespace {

struct FakeApplication {
    bool previousInstance;
    bool PrevInstance() const {
        fake::Record("PrevInstance");
        return previousInstance;
    }
};

// A form of the forms runtime as far as the lifecycle uses it.
struct FakeForm {
    HWND window = nullptr;
    float width = 6000;
    float height = 4000;
    float left = -1;
    float top = -1;
    // The caption scheme as it stood when the hook last asked for the window.
    mutable CaptionSchemeRecord schemeWhenHooked{};

    HWND hWnd() const {
        schemeWhenHooked = CaptionScheme;
        return window;
    }
    void Unload() { fake::Record("Unload"); }
    struct {
        void SetInterval(int milliseconds) {
            fake::Record("SetTimerInterval Timer1", {milliseconds, CaptionScheme.customColors});
        }
    } Timer1;
    float Width() const { return width; }
    float Height() const { return height; }
    void Move(float newLeft, float newTop) {
        fake::Record("Move");
        left = newLeft;
        top = newTop;
    }
};

constexpr forms::ScreenMetrics kScreen{15, 15, 1024 * 15, 768 * 15};

class Lifecycle : public testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        CaptionScheme = CaptionSchemeRecord{};
        CaptionPaintState = CaptionPaintStateRecord{};
        form_.window = AddCaptionWindow();
    }
    FakeForm form_;
};

TEST_F(Lifecycle, FirstCopyStartsTheClockThenSetsUpTheCaption) {
    LoadForm(FakeApplication{false}, form_);
    EXPECT_EQ(fake::CallNames(), (std::vector<std::string>{"PrevInstance", "SetTimerInterval Timer1",
                                                           "SystemParametersInfoA", "SetWindowLongPtrA", "SetPropA"}));
    EXPECT_EQ(fake::CallsNamed("SetTimerInterval Timer1")[0].args, (std::vector<long long>{1, 0}));  // scheme not yet set
    EXPECT_EQ(fake::CallsNamed("SystemParametersInfoA")[0].args[0], SPI_GETNONCLIENTMETRICS);
    EXPECT_EQ(CaptionScheme.customColors, -1);
    EXPECT_EQ(CaptionScheme.verticalGradient, -1);
    EXPECT_EQ(CaptionScheme.activeTextColor, 0xFF00u);
    EXPECT_EQ(CaptionScheme.inactiveTextColor, 0xC0C0C0u);
    EXPECT_EQ(CaptionScheme.activeStartColor, 0x800000u);
    EXPECT_EQ(CaptionScheme.activeEndColor, 0xFFFF8000u);
    EXPECT_EQ(CaptionScheme.inactiveStartColor, 0u);
    EXPECT_EQ(CaptionScheme.inactiveEndColor, 0xFF0000u);
    EXPECT_EQ(fake::WindowOf(form_.window).procedure, &CaptionWindowProc);
    // The hook goes in with the whole scheme in place: its first message paints.
    EXPECT_EQ(form_.schemeWhenHooked.customColors, -1);
    EXPECT_EQ(form_.schemeWhenHooked.verticalGradient, -1);
    EXPECT_EQ(form_.schemeWhenHooked.activeEndColor, 0xFFFF8000u);
    EXPECT_EQ(form_.schemeWhenHooked.inactiveEndColor, 0xFF0000u);
}

TEST_F(Lifecycle, SecondCopyUnloadsAndTouchesNothingElse) {
    LoadForm(FakeApplication{true}, form_);
    EXPECT_EQ(fake::CallNames(), (std::vector<std::string>{"PrevInstance", "Unload"}));
    EXPECT_EQ(CaptionScheme.customColors, 0);
    EXPECT_EQ(CaptionScheme.activeEndColor, 0u);
    EXPECT_EQ(fake::WindowOf(form_.window).procedure, &fake::OwnWindowProc);
}

TEST_F(Lifecycle, UnloadUnhooksThenCentres) {
    LoadForm(FakeApplication{false}, form_);
    fake::ClearCalls();
    fake::script().workArea = RECT{0, 0, 1024, 738};
    UnloadForm(form_, kScreen);
    EXPECT_EQ(fake::CallNames(), (std::vector<std::string>{"GetPropA", "RemovePropA", "SetWindowLongPtrA",
                                                           "SystemParametersInfoA", "Move"}));
    EXPECT_EQ(fake::WindowOf(form_.window).procedure, &fake::OwnWindowProc);
}

TEST_F(Lifecycle, UnloadOfTheSecondCopyFindsNoHook) {
    fake::script().workArea = RECT{0, 0, 1024, 738};
    UnloadForm(form_, kScreen);
    EXPECT_TRUE(fake::CallsNamed("SetWindowLongPtrA").empty());
    EXPECT_EQ(fake::CallsNamed("Move").size(), 1u);
}

TEST_F(Lifecycle, CenterFormWorkedExample) {
    fake::script().workArea = RECT{0, 0, 1024, 738};
    CenterForm(form_, kScreen);
    EXPECT_EQ(fake::CallsNamed("SystemParametersInfoA")[0].args, (std::vector<long long>{SPI_GETWORKAREA, 0, 0, 0}));
    EXPECT_FLOAT_EQ(form_.left, 4680);  // (15360 - 6000) / 2
    EXPECT_FLOAT_EQ(form_.top, 3535);   // (11070 - 4000) / 2
}

TEST_F(Lifecycle, CenterFormMeasuresFromTheScreenOriginWithATaskbarOnTheLeft) {
    fake::script().workArea = RECT{100, 0, 1024, 738};
    fake::script().workAreaResult = -1;  // any nonzero answer is success
    CenterForm(form_, kScreen);
    EXPECT_FLOAT_EQ(form_.left, 4680);  // over 0..1024, not 100..1024
    EXPECT_FLOAT_EQ(form_.top, 3535);
}

TEST_F(Lifecycle, CenterFormFallsBackToTheScreenSize) {
    fake::script().workAreaResult = FALSE;
    CenterForm(form_, forms::ScreenMetrics{15, 15, 12000.5f, 9000});
    EXPECT_FLOAT_EQ(form_.left, 3000.25f);  // single precision, no rounding to whole twips
    EXPECT_FLOAT_EQ(form_.top, 2500);
}

}  // namespace
