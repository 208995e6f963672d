#include "caption/caption_hook.h"

#include "caption_test_support.h"
#include "soak_scale.h"

#include <random>

namespace {

struct TestForm {
    HWND window;
    HWND hWnd() const { return window; }
};

class CaptionHook : public testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        UseStartUpScheme();
        CaptionPaintState = CaptionPaintStateRecord{};
        form_.window = AddCaptionWindow();
        HookCaption(form_);
        fake::ClearCalls();
    }

    // Sends a message to the hooked window and returns what the hook returned.
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        Own().seenByOwnProcedure.clear();
        fake::ClearCalls();
        LRESULT result = SendMessageA(form_.window, message, wParam, lParam);
        EXPECT_EQ(CaptionPaintState.windowDC, nullptr);
        EXPECT_EQ(fake::Problems(), "");
        EXPECT_EQ(fake::LiveObjects(), 0);
        return result;
    }

    // The messages the form's own procedure saw, without the icon queries.
    std::vector<UINT> SeenByOwn() {
        std::vector<UINT> seen;
        for (const fake::Message& message : Own().seenByOwnProcedure) {
            if (message.message != WM_GETICON) seen.push_back(message.message);
        }
        return seen;
    }

    int Paints() { return static_cast<int>(fake::CallsNamed("GetWindowDC").size()); }

    fake::Window& Own() { return fake::WindowOf(form_.window); }

    TestForm form_{};
};

TEST_F(CaptionHook, HookReplacesTheProcedureThenStoresTheOldOne) {
    fake::Reset();
    form_.window = AddCaptionWindow();
    HookCaption(form_);
    ExpectCalls(fake::Calls(), {{"SetWindowLongPtrA"}, {"SetPropA", DcRole::None, {}, 1, "OldMeProc"}});
    EXPECT_EQ(Own().procedure, &CaptionWindowProc);
    EXPECT_EQ(Own().properties.at("OldMeProc"), reinterpret_cast<HANDLE>(&fake::OwnWindowProc));
}

TEST_F(CaptionHook, UnhookRestoresTheProcedureAndRemovesTheProperty) {
    UnhookCaption(form_);
    ExpectCalls(fake::Calls(), {{"GetPropA", DcRole::None, {}, 1, "OldMeProc"},
                                {"RemovePropA", DcRole::None, {}, 1, "OldMeProc"},
                                {"SetWindowLongPtrA"}});
    EXPECT_EQ(Own().procedure, &fake::OwnWindowProc);
    EXPECT_EQ(Own().properties.count("OldMeProc"), 0u);
}

TEST_F(CaptionHook, UnhookOfANeverHookedWindowChangesNothing) {
    TestForm other{AddCaptionWindow()};
    fake::ClearCalls();
    UnhookCaption(other);
    ExpectCalls(fake::Calls(), {{"GetPropA"}, {"RemovePropA"}});
    EXPECT_EQ(fake::WindowOf(other.window).procedure, &fake::OwnWindowProc);
}

TEST_F(CaptionHook, EveryMessageAsksForTheSmallIconOnce) {
    Send(WM_NCACTIVATE, 1);
    EXPECT_EQ(CaptionPaintState.captionIcon, kIcon);
    EXPECT_EQ(fake::CallsNamed("SendMessageA")[1].args,
              (std::vector<long long>{Handle(form_.window), WM_GETICON, ICON_SMALL, 0}));
    int queries = 0;
    for (const fake::Message& message : Own().seenByOwnProcedure) queries += message.message == WM_GETICON;
    EXPECT_EQ(queries, 1);  // the nested WM_GETICON is passed on, not asked again
    EXPECT_EQ(fake::CallsNamed("DrawIconEx").size(), 1u);
    Own().icon = nullptr;
    Send(WM_NCACTIVATE, 1);
    EXPECT_EQ(CaptionPaintState.captionIcon, nullptr);
    EXPECT_TRUE(fake::CallsNamed("DrawIconEx").empty());
}

TEST_F(CaptionHook, ActivationMessagesPaintAndReturnOneWithoutPassingOn) {
    for (UINT message : {WM_KILLFOCUS, WM_MOUSEACTIVATE, WM_NCACTIVATE, WM_MDIACTIVATE}) {
        SCOPED_TRACE(message);
        EXPECT_EQ(Send(message, 1), 1);
        EXPECT_EQ(Paints(), 1);
        EXPECT_TRUE(SeenByOwn().empty());
    }
    // The cycle decides from the message and its wParam, not from the active window alone.
    auto titleColour = [] { return fake::CallsNamed("SetTextColor").at(0).args[1]; };
    fake::script().activeWindow = form_.window;
    Send(WM_NCACTIVATE, 0);
    EXPECT_EQ(titleColour(), 0xC0C0C0);
    fake::script().activeWindow = nullptr;
    Send(WM_NCACTIVATE, 1);
    EXPECT_EQ(titleColour(), 0xFF00);
}

// Even with the caption's hit-test code as wParam: only WM_NCLBUTTONDOWN starts a move.
TEST_F(CaptionHook, RepaintOnlyMessagesReachTheOwnProcedureAsTheForwardOnly) {
    for (UINT message : {WM_SETTEXT, WM_NCPAINT, WM_NCRBUTTONDOWN, WM_INITMENUPOPUP}) {
        SCOPED_TRACE(message);
        EXPECT_EQ(Send(message, HTCAPTION, 0x99), Own().OwnResultFor(WM_NCPAINT));
        EXPECT_EQ(Paints(), 1);
        EXPECT_EQ(SeenByOwn(), std::vector<UINT>{WM_NCPAINT});
    }
}

TEST_F(CaptionHook, NcPaintForwardCarriesTheCyclesRegion) {
    Send(WM_NCPAINT, 0x5555, 0x99);
    auto region = static_cast<WPARAM>(fake::CallsNamed("CreateRectRgn")[0].args[4]);
    const fake::Message& forward = Own().seenByOwnProcedure.back();
    EXPECT_EQ(forward.wParam, region);
    EXPECT_EQ(forward.lParam, 0x99);
}

// What the region argument of the forwarded WM_NCPAINT pointed to, read while
// the message is handled.
int32_t noRegionSeen = -1;
LRESULT CALLBACK ReadNoRegion(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCPAINT && lParam) noRegionSeen = *reinterpret_cast<const int32_t*>(lParam);
    return fake::OwnWindowProc(window, message, wParam, lParam);
}

TEST_F(CaptionHook, SizePaintsBeforeTheOwnProcedureSeesIt) {
    Own().properties["OldMeProc"] = reinterpret_cast<HANDLE>(&ReadNoRegion);
    constexpr WPARAM kMaximized = 2;  // SIZE_MAXIMIZED
    EXPECT_EQ(Send(WM_SIZE, kMaximized, 0x00F00190), Own().OwnResultFor(WM_SIZE));
    EXPECT_EQ(SeenByOwn(), (std::vector<UINT>{WM_NCPAINT, WM_SIZE}));
    EXPECT_EQ(Own().seenByOwnProcedure.back().wParam, kMaximized);
    EXPECT_EQ(Own().seenByOwnProcedure.back().lParam, 0x00F00190);
    EXPECT_EQ(Paints(), 1);
    // The nested WM_NCPAINT carried the address of a 32-bit zero.
    EXPECT_EQ(noRegionSeen, 0);
    // The test's send, the icon query, the hook's WM_NCPAINT and its nested icon query.
    auto sends = fake::CallsNamed("SendMessageA");
    ASSERT_EQ(sends.size(), 4u);
    EXPECT_EQ(sends[2].args[1], WM_NCPAINT);
    EXPECT_EQ(sends[2].args[2], 0);
}

// The press answers with what the move answered, not with the repaint's answer.
TEST_F(CaptionHook, CaptionPressStartsAMoveUnlessZoomed) {
    EXPECT_EQ(Send(WM_NCLBUTTONDOWN, HTCAPTION), Own().OwnResultFor(WM_SYSCOMMAND));
    EXPECT_EQ(SeenByOwn(), (std::vector<UINT>{WM_NCPAINT, WM_NCPAINT, WM_SYSCOMMAND}));
    // After the test's send and the icon query.
    EXPECT_EQ(fake::CallsNamed("SendMessageA")[2].args,
              (std::vector<long long>{Handle(form_.window), WM_SYSCOMMAND, SC_MOVE, 0}));
    EXPECT_EQ(Paints(), 2);  // the press, then the move's own repaint

    Own().zoomed = true;
    EXPECT_EQ(Send(WM_NCLBUTTONDOWN, HTCAPTION), Own().OwnResultFor(WM_NCPAINT));
    EXPECT_EQ(SeenByOwn(), std::vector<UINT>{WM_NCPAINT});
}

// A press passed on after the repaint reaches the own procedure whole, and
// its answer is the hook's.
TEST_F(CaptionHook, PressesOnTheSystemMenuIconAndOnBorders) {
    EXPECT_EQ(Send(WM_NCLBUTTONDOWN, HTSYSMENU), Own().OwnResultFor(WM_NCPAINT));
    EXPECT_EQ(SeenByOwn(), std::vector<UINT>{WM_NCPAINT});
    // HTCLIENT, HTGROWBOX, HTLEFT: the platform's handling (sizing, for a border) goes on.
    for (WPARAM hitTest : {WPARAM{1}, WPARAM{4}, WPARAM{10}}) {
        EXPECT_EQ(Send(WM_NCLBUTTONDOWN, hitTest, 0x00C80064), Own().OwnResultFor(WM_NCLBUTTONDOWN)) << hitTest;
        EXPECT_EQ(SeenByOwn(), (std::vector<UINT>{WM_NCPAINT, WM_NCLBUTTONDOWN})) << hitTest;
        EXPECT_EQ(Own().seenByOwnProcedure.back().wParam, hitTest);
        EXPECT_EQ(Own().seenByOwnProcedure.back().lParam, 0x00C80064);
    }
}

TEST_F(CaptionHook, MouseMenuCommandIsKeptOtherCommandsPassOn) {
    Send(WM_SYSCOMMAND, SC_MOUSEMENU);
    EXPECT_EQ(SeenByOwn(), std::vector<UINT>{WM_NCPAINT});
    for (WPARAM command : {WPARAM{0xF091}, WPARAM{0xF060}, WPARAM{SC_MOVE}}) {
        EXPECT_EQ(Send(WM_SYSCOMMAND, command, 0x00C80064), Own().OwnResultFor(WM_SYSCOMMAND)) << command;
        EXPECT_EQ(SeenByOwn(), (std::vector<UINT>{WM_NCPAINT, WM_SYSCOMMAND})) << command;
        EXPECT_EQ(Own().seenByOwnProcedure.back().wParam, command);
        EXPECT_EQ(Own().seenByOwnProcedure.back().lParam, 0x00C80064);
    }
}

TEST_F(CaptionHook, SizingCursorsOnTheBorders) {
    const std::pair<int, long long> table[] = {{10, 32644}, {11, 32644}, {12, 32645}, {15, 32645},
                                               {13, 32642}, {17, 32642}, {14, 32643}, {16, 32643}};
    for (auto [code, cursor] : table) {
        SCOPED_TRACE(code);
        EXPECT_EQ(Send(WM_SETCURSOR, 0, static_cast<LPARAM>(0x02000000 | code)), 1);
        EXPECT_EQ(fake::CallsNamed("LoadCursorA")[0].args, (std::vector<long long>{0, cursor}));
        EXPECT_EQ(fake::CurrentCursor(), reinterpret_cast<HCURSOR>(static_cast<uintptr_t>(0x700000 + cursor)));
        EXPECT_TRUE(SeenByOwn().empty());
    }
    const WPARAM overWindow = reinterpret_cast<WPARAM>(form_.window);
    for (LPARAM lParam : {LPARAM{1}, LPARAM{2}, LPARAM{9}, LPARAM{18}, LPARAM{0xFFFE}, LPARAM{0x1FFFF}, LPARAM{0x7FFF}}) {
        SCOPED_TRACE(lParam);
        EXPECT_EQ(Send(WM_SETCURSOR, overWindow, lParam), Own().OwnResultFor(WM_SETCURSOR));
        EXPECT_EQ(SeenByOwn(), std::vector<UINT>{WM_SETCURSOR});
        EXPECT_EQ(Own().seenByOwnProcedure.back().wParam, overWindow);
        EXPECT_EQ(Own().seenByOwnProcedure.back().lParam, lParam);
        EXPECT_TRUE(fake::CallsNamed("SetCursor").empty());
    }
}

TEST(LoWord, SignedLowSixteenBits) {
    EXPECT_EQ(LoWord(0x0002000D), 13);
    EXPECT_EQ(LoWord(0x0000FFFE), -2);
    EXPECT_EQ(LoWord(0x00008000), -32768);
    EXPECT_EQ(LoWord(-1), -1);
    EXPECT_EQ(LoWord(0x12347FFF), 32767);
}

TEST_F(CaptionHook, OtherMessagesPassOnUnchanged) {
    EXPECT_EQ(Send(0x400, 7, 8), Own().OwnResultFor(0x400));
    EXPECT_EQ(SeenByOwn(), std::vector<UINT>{0x400u});
    EXPECT_EQ(Own().seenByOwnProcedure.back().wParam, 7u);
    EXPECT_EQ(Own().seenByOwnProcedure.back().lParam, 8);
    EXPECT_EQ(Paints(), 0);
}

TEST_F(CaptionHook, WithoutAStoredProcedureMessagesGetTheDefaultHandling) {
    Own().properties.erase("OldMeProc");
    EXPECT_EQ(Send(0x400, 7, 8), 0);
    auto handled = fake::CallsNamed("DefWindowProcA");  // the icon query and the message
    ASSERT_EQ(handled.size(), 2u);
    EXPECT_EQ(handled[1].args, (std::vector<long long>{Handle(form_.window), 0x400, 7, 8}));
    EXPECT_EQ(Send(WM_NCPAINT), 0);
    EXPECT_TRUE(SeenByOwn().empty());
}

// Nothing thrown inside the hook reaches the platform. A failure before the
// paint cycle holds anything hands the message to the form's own procedure,
// as if the caption were not hooked.
TEST_F(CaptionHook, AFailureBeforeTheCycleHandsTheMessageOnAsItCame) {
    fake::script().failingCall = "GetWindowRect";  // the cycle's first call
    for (UINT message : {WM_NCACTIVATE, WM_NCPAINT}) {
        EXPECT_EQ(Send(message, 1, 0x99), Own().OwnResultFor(message));
        ASSERT_EQ(SeenByOwn(), std::vector<UINT>{message});
        EXPECT_EQ(Own().seenByOwnProcedure.back().wParam, 1u);
        EXPECT_EQ(Own().seenByOwnProcedure.back().lParam, 0x99);
        EXPECT_EQ(Paints(), 0);
    }
}

// A caption that cannot be drawn (its ramp not allocated) is neither copied
// nor kept out of the frame's clip: the own procedure paints the whole frame,
// and the cycle releases all it holds (Send checks the ledger).
TEST_F(CaptionHook, ACaptionThatCannotBeDrawnLeavesTheWholeFrameToTheOwnProcedure) {
    fake::script().failingCall = "GetWindowLongA";  // the drawing's last call before its ramp is made
    EXPECT_EQ(Send(WM_NCPAINT, 1, 0x99), Own().OwnResultFor(WM_NCPAINT));
    EXPECT_EQ(SeenByOwn(), std::vector<UINT>{WM_NCPAINT});
    EXPECT_EQ(Paints(), 1);
    EXPECT_TRUE(fake::CallsNamed("BitBlt").empty());
    EXPECT_TRUE(fake::CallsNamed("ExcludeClipRect").empty());
    EXPECT_EQ(fake::CallsNamed("ReleaseDC").size(), 1u);
    EXPECT_EQ(Send(WM_NCACTIVATE, 1), 1);
    EXPECT_TRUE(SeenByOwn().empty());
}

TEST_F(CaptionHook, AHundredThousandMixedMessagesLeaveNothingBehind) {
    const UINT messages[] = {WM_SIZE,         WM_KILLFOCUS,     WM_SETTEXT,    WM_SETCURSOR,  WM_MOUSEACTIVATE,
                             WM_NCPAINT,      WM_NCACTIVATE,    WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_SYSCOMMAND,
                             WM_INITMENUPOPUP, WM_MDIACTIVATE,  WM_GETICON,    0x400};
    const WPARAM parameters[] = {0, 1, HTCAPTION, HTSYSMENU, 10, SC_MOVE, SC_MOUSEMENU, 0xF091};
    std::mt19937 random(2026);
    for (long long i = 0, rounds = FullSizeSoakRounds(100000); i < rounds; ++i) {
        Own().zoomed = random() % 4 == 0;
        Own().seenByOwnProcedure.clear();
        fake::script().activeWindow = random() % 2 ? form_.window : nullptr;
        fake::script().metrics[SM_CYCAPTION] = 15 + static_cast<int>(random() % 40);
        Own().rect.right = Own().rect.left + static_cast<LONG>(random() % 900);
        SendMessageA(form_.window, messages[random() % std::size(messages)], parameters[random() % std::size(parameters)],
                     static_cast<LPARAM>(random() % 20));
        ASSERT_EQ(CaptionPaintState.windowDC, nullptr) << i;
        ASSERT_EQ(CaptionPaintState.captionFont, nullptr) << i;
        ASSERT_EQ(fake::LiveObjects(), 0) << i;
        fake::ClearCalls();
        fake::ForgetReleasedObjects();
    }
    EXPECT_EQ(fake::Problems(), "");
}

}  // namespace
