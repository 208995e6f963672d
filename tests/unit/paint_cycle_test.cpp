#include "caption/paint_cycle.h"

#include "caption_test_support.h"
#include "caption/caption_colors.h"

#include <algorithm>

namespace {

class PaintCycle : public testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        UseStartUpScheme();
        window_ = AddCaptionWindow();
        CaptionPaintState = CaptionPaintStateRecord{};
        CaptionPaintState.hookedWindow = window_;
        CaptionPaintState.captionIcon = kIcon;
    }

    void TearDown() override {
        EXPECT_EQ(CaptionPaintState.windowDC, nullptr);
        EXPECT_EQ(CaptionPaintState.captionBitmap, nullptr);
        EXPECT_EQ(fake::LiveObjects(), 0);
        EXPECT_EQ(fake::Problems(), "");
    }

    // Whether the cycle painted the caption active, read from the title colour.
    bool PaintedActive() const {
        auto colour = fake::CallsNamed("SetTextColor");
        EXPECT_EQ(colour.size(), 1u);
        return !colour.empty() && colour[0].args[1] == 0xFF00;
    }

    bool RunActivation(UINT message, WPARAM wParam) {
        fake::ClearCalls();
        EXPECT_EQ(RunCaptionPaintCycle(CaptionMessageGroup::Activation, message, wParam, 0, fake::OwnWindowProc), 1);
        return PaintedActive();
    }

    bool RunRepaint(UINT message) {
        fake::ClearCalls();
        RunCaptionPaintCycle(CaptionMessageGroup::Repaint, message, 0, 0, fake::OwnWindowProc);
        return PaintedActive();
    }

    HWND window_ = nullptr;
};

// The calls of one cycle with DrawCaption's own calls left out.
std::vector<fake::Call> CycleCalls() {
    std::vector<fake::Call> cycle;
    bool inDrawCaption = false;
    for (const fake::Call& call : fake::Calls()) {
        if (call.name == "GetSystemMetrics" && !inDrawCaption && call.args[0] == SM_CXSIZE) inDrawCaption = true;
        if (!inDrawCaption) cycle.push_back(call);
        if (call.name == "ExcludeClipRect") inDrawCaption = false;
    }
    return cycle;
}

DcHandles CycleDcs() {
    return {fake::CallsNamed("GetWindowDC")[0].args[1], fake::CallsNamed("CreateCompatibleDC")[0].args[1]};
}

// A cycle of the window at (100, 50), 400 pixels wide: its caption bitmap,
// the clip of the whole window moved to the window DC's origin and back,
// with `decision` (how it tells active from inactive) and, for the repaint
// group, the frame handed to the own procedure between.
std::vector<ExpectedCall> CycleOfTheWindow(const std::string& decision, bool forwardsTheFrame) {
    using Dc = DcRole;
    std::vector<ExpectedCall> calls = {
        {"GetWindowRect"},          {"GetWindowDC"},         {"CreateCompatibleDC", Dc::Window},
        {"CreateCompatibleBitmap", Dc::Window, {400, 50}},   {"SelectObject", Dc::Memory},
        {"CreateRectRgn", Dc::None, {100, 50, 500, 350}, 0}, {"SelectClipRgn", Dc::Window},
        {"OffsetClipRgn", Dc::Window, {-100, -50}},          {decision},
        {"SelectObject", Dc::Memory},                        {"DeleteObject"},
        {"DeleteDC", Dc::Memory},                            {"OffsetClipRgn", Dc::Window, {100, 50}},
        {"GetClipRgn", Dc::Window}};
    if (forwardsTheFrame) calls.push_back({"CallWindowProcA"});
    calls.insert(calls.end(), {{"ReleaseDC"}, {"DeleteObject"}});
    return calls;
}

TEST_F(PaintCycle, ActivationGroupCallOrder) {
    fake::ClearCalls();
    RunCaptionPaintCycle(CaptionMessageGroup::Activation, WM_NCACTIVATE, 1, 0, fake::OwnWindowProc);
    ExpectCalls(CycleCalls(), CycleOfTheWindow("GetParent", false), CycleDcs());
    EXPECT_TRUE(fake::WindowOf(window_).seenByOwnProcedure.empty());
}

TEST_F(PaintCycle, RepaintGroupForwardsTheFrameOutsideTheCaption) {
    fake::script().activeWindow = window_;
    fake::ClearCalls();
    LRESULT result = RunCaptionPaintCycle(CaptionMessageGroup::Repaint, WM_NCPAINT, 0, 0x77, fake::OwnWindowProc);
    EXPECT_EQ(result, fake::WindowOf(window_).OwnResultFor(WM_NCPAINT));
    ExpectCalls(CycleCalls(), CycleOfTheWindow("GetActiveWindow", true), CycleDcs());
    // The active ramp's top row, from the end colour toward the start, reached the window.
    EXPECT_EQ(fake::WindowOf(window_).surface.At(200, 4), Rgb(0, 121, 248));

    auto region = reinterpret_cast<HRGN>(fake::CallsNamed("CreateRectRgn")[0].args[4]);
    const auto& seen = fake::WindowOf(window_).seenByOwnProcedure;
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].message, WM_NCPAINT);
    EXPECT_EQ(seen[0].wParam, reinterpret_cast<WPARAM>(region));
    EXPECT_EQ(seen[0].lParam, 0x77);

    // The window in screen coordinates less the caption's 18 rows.
    fake::Region expected(RECT{100, 50, 500, 350});
    expected.Subtract(RECT{104, 54, 496, 72});
    EXPECT_TRUE(fake::RegionOf(region)->Equals(expected));
    EXPECT_FALSE(fake::RegionOf(region)->Contains(300, 60));
    EXPECT_TRUE(fake::RegionOf(region)->Contains(300, 72));  // the caption's last row stays with the frame
}

// The rows of every caption bitmap a cycle made, in order.
std::vector<long long> BitmapRowsMade() {
    std::vector<long long> rows;
    for (const fake::Call& call : fake::CallsNamed("CreateCompatibleBitmap")) rows.push_back(call.args[2]);
    return rows;
}

// Up to 50 rows of frame and caption the cycle's one 50-row bitmap serves;
// a row more and the caption gets a bitmap of its own height (frame width
// 4, or 3 with the dialog-frame bit), made in place of the first.
TEST_F(PaintCycle, TheBitmapCoversFrameAndCaption) {
    struct Case {
        int captionHeight;
        LONG extraStyle;
        std::vector<long long> rows;
    };
    const Case cases[] = {
        {19, 0, {50}},       {46, 0, {50}},           {47, 0, {50, 51}},
        {47, 0x80, {50}},    {48, 0x80, {50, 51}},    {55, 0, {50, 59}},
    };
    LONG style = fake::WindowOf(window_).style;
    for (const Case& c : cases) {
        SCOPED_TRACE("caption " + std::to_string(c.captionHeight) + " style " + std::to_string(c.extraStyle));
        fake::script().metrics[SM_CYCAPTION] = c.captionHeight;
        fake::WindowOf(window_).style = style | c.extraStyle;
        fake::ClearCalls();
        RunCaptionPaintCycle(CaptionMessageGroup::Activation, WM_NCACTIVATE, 1, 0, fake::OwnWindowProc);
        EXPECT_EQ(BitmapRowsMade(), c.rows);
        // The cycle's own calls are those of every caption, the first bitmap
        // always 50 rows: a taller one is DrawCaption's.
        ExpectCalls(CycleCalls(), CycleOfTheWindow("GetParent", false), CycleDcs());
        auto deleted = fake::CallsNamed("DeleteObject");
        ASSERT_FALSE(deleted.empty());
        auto made = fake::CallsNamed("CreateCompatibleBitmap");
        EXPECT_EQ(deleted[deleted.size() - 2].args[0], made.back().args[3]) << "the cycle deletes the bitmap in use";
    }
}

// A caption of 60 rows at frame width 4: every painted row, down to row 62,
// reaches the window in its ramp colour; nothing is copied from outside the
// picture, and the first bitmap is deleted as soon as the second is in.
TEST_F(PaintCycle, ATallCaptionReachesTheWindowWhole) {
    const int captionHeight = 60;
    fake::script().metrics[SM_CYCAPTION] = captionHeight;
    fake::ClearCalls();
    RunCaptionPaintCycle(CaptionMessageGroup::Activation, WM_NCACTIVATE, 1, 0, fake::OwnWindowProc);

    std::vector<COLORREF> ramp(captionHeight + 1);
    BuildGradient(ramp, CaptionScheme.activeEndColor, CaptionScheme.activeStartColor);
    const fake::Pixels& shown = fake::WindowOf(window_).surface;
    std::string wrong;
    for (int row = 0; row < captionHeight - 1; ++row) {
        for (int x : {4, 200, 395}) {
            if (shown.At(x, 4 + row) != ramp[static_cast<size_t>(row)]) {
                wrong += " (" + std::to_string(x) + "," + std::to_string(4 + row) + ")";
            }
        }
    }
    EXPECT_EQ(wrong, "") << "pixels not in their row's ramp colour";

    auto names = fake::CallNames();
    auto first = std::find(names.begin(), names.end(), "CreateCompatibleBitmap");
    auto second = std::find(first + 1, names.end(), "CreateCompatibleBitmap");
    auto firstBitmap = fake::CallsNamed("CreateCompatibleBitmap")[0].args[3];
    ASSERT_GE(names.end() - second, 3);
    EXPECT_EQ(std::vector<std::string>(second, second + 3),
              (std::vector<std::string>{"CreateCompatibleBitmap", "SelectObject", "DeleteObject"}));
    EXPECT_EQ(fake::Calls()[static_cast<size_t>(second - names.begin()) + 2].args[0], firstBitmap);
    // As wide as the window and compatible with its DC, as the first.
    auto made = fake::CallsNamed("CreateCompatibleBitmap");
    EXPECT_EQ(Args(made[1], 0, 3), (std::vector<long long>{CycleDcs().window, 400, 64}));
}

// Where no taller bitmap can be made, or it cannot be put in, the caption is
// painted into the 50 rows it has, and nothing is lost or leaked (TearDown).
TEST_F(PaintCycle, ATallCaptionWithoutATallerBitmapKeepsTheFirst) {
    fake::script().metrics[SM_CYCAPTION] = 60;
    for (bool made : {false, true}) {
        SCOPED_TRACE(made ? "made, not selected" : "not made");
        fake::script().bitmapRowsLimit = made ? 0 : 50;
        fake::script().selectableRowsLimit = made ? 50 : 0;
        fake::ClearCalls();
        RunCaptionPaintCycle(CaptionMessageGroup::Activation, WM_NCACTIVATE, 1, 0, fake::OwnWindowProc);
        EXPECT_EQ(BitmapRowsMade(), (std::vector<long long>{50, 64}));
        EXPECT_EQ(fake::CallsNamed("BitBlt").size(), 1u);
        EXPECT_NE(fake::WindowOf(window_).surface.At(200, 49), 0xFFFFFFFFu) << "row 49 painted";
        EXPECT_EQ(fake::LiveObjects(), 0);
        for (const fake::Call& selected : fake::CallsNamed("SelectObject")) {
            EXPECT_NE(selected.args[1], 0) << "a bitmap not made is not put in";
        }
    }
}

TEST_F(PaintCycle, ActivationFlagWithoutParent) {
    fake::script().activeWindow = window_;
    EXPECT_TRUE(RunActivation(WM_NCACTIVATE, 1));
    EXPECT_TRUE(RunActivation(WM_NCACTIVATE, 0x10000));
    EXPECT_FALSE(RunActivation(WM_NCACTIVATE, 0));  // even though it is the active window
    EXPECT_TRUE(RunActivation(WM_KILLFOCUS, 0));
    EXPECT_TRUE(RunActivation(WM_MOUSEACTIVATE, 0));
    // Without a parent the window itself in wParam decides nothing, and no
    // MDI parent is asked.
    EXPECT_TRUE(RunActivation(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(window_)));
    EXPECT_TRUE(fake::CallsNamed("SendMessageA").empty());
    fake::script().activeWindow = nullptr;
    EXPECT_TRUE(RunActivation(WM_NCACTIVATE, 1));
    EXPECT_FALSE(RunActivation(WM_KILLFOCUS, 0));
    EXPECT_FALSE(RunActivation(WM_MDIACTIVATE, 1));  // only WM_NCACTIVATE follows its wParam
}

TEST_F(PaintCycle, ActivationFlagWithParent) {
    HWND parent = fake::AddWindow(RECT{0, 0, 800, 600}, 0, "parent");
    fake::WindowOf(window_).parent = parent;
    fake::script().activeWindow = window_;
    fake::script().mdiActiveChild = window_;
    EXPECT_FALSE(RunActivation(WM_KILLFOCUS, 0));                                  // row 1
    EXPECT_FALSE(RunActivation(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window_)));  // row 4
    EXPECT_TRUE(RunActivation(WM_NCACTIVATE, 0));                                  // row 5: the MDI parent decides
    auto query = fake::CallsNamed("SendMessageA");
    ASSERT_EQ(query.size(), 1u);
    // lParam is the address of a 32-bit zero, logged after it.
    EXPECT_EQ(query[0].args, (std::vector<long long>{Handle(parent), WM_MDIGETACTIVE, 0, query[0].args[3], 0}));
    fake::script().activeWindow = parent;
    EXPECT_TRUE(RunActivation(WM_NCACTIVATE, 0));  // row 5 alone: the window is not the active one
    fake::script().activeWindow = window_;
    fake::script().mdiActiveChild = nullptr;
    // Row 6; another window is being deactivated (its handle lies above this one's).
    EXPECT_TRUE(RunActivation(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(parent)));
    fake::script().activeWindow = parent;
    EXPECT_FALSE(RunActivation(WM_NCACTIVATE, 1));  // row 7: another window is active
}

TEST_F(PaintCycle, RepaintFlag) {
    HWND parent = fake::AddWindow(RECT{0, 0, 800, 600}, 0, "parent");
    fake::script().activeWindow = window_;
    EXPECT_TRUE(RunRepaint(WM_SETTEXT));
    for (HWND active : {HWND{nullptr}, parent}) {  // none, or another window (not yet the parent)
        fake::script().activeWindow = active;
        EXPECT_FALSE(RunRepaint(WM_NCPAINT));
    }
    fake::WindowOf(window_).parent = parent;
    fake::script().mdiActiveChild = window_;
    EXPECT_TRUE(RunRepaint(WM_NCPAINT));
    EXPECT_EQ(fake::CallsNamed("SendMessageA")[0].args[0], Handle(parent));
    fake::script().mdiActiveChild = parent;
    EXPECT_FALSE(RunRepaint(WM_NCPAINT));
}

TEST_F(PaintCycle, CaptionRectHasZeroWidth) {
    RECT rect{9, 9, 9, 9};
    fake::WindowOf(window_).style |= 0x7F;  // the bits below 0x80 leave the sizing frame
    GetCaptionRect(window_, rect);
    EXPECT_EQ((std::vector<long long>{rect.left, rect.top, rect.right, rect.bottom}), Rect(4, 4, 4, 22));
    fake::WindowOf(window_).style |= 0x80;
    GetCaptionRect(window_, rect);
    EXPECT_EQ((std::vector<long long>{rect.left, rect.top, rect.right, rect.bottom}), Rect(3, 3, 3, 21));
}

}  // namespace
