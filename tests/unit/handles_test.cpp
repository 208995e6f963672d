#include "fake_win32.h"
#include "platform/handles.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

class Handles : public testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
    void TearDown() override {
        EXPECT_EQ(fake::LiveObjects(), 0);
        EXPECT_EQ(fake::Problems(), "");
    }
};

long long N(const void* handle) { return static_cast<long long>(reinterpret_cast<uintptr_t>(handle)); }

// Whoever holds the handle lets it go, once: moved, the new holder deletes
// it; moved onto itself, it is kept; a reset deletes the old one after the
// new one is in.
TEST_F(Handles, AnOwnedObjectIsDeletedOnceByWhoeverHoldsIt) {
    HBRUSH first = CreateSolidBrush(1);
    {
        platform::Brush held(first);
        platform::Brush moved(std::move(held));
        EXPECT_EQ(held.Get(), nullptr);
        EXPECT_EQ(moved.Get(), first);
        platform::Brush& same = moved;
        moved = std::move(same);
        EXPECT_EQ(moved.Get(), first);
        EXPECT_TRUE(fake::CallsNamed("DeleteObject").empty());
        HBRUSH second = CreateSolidBrush(2);
        fake::ClearCalls();
        moved.Reset(second);
        EXPECT_EQ(fake::CallNames(), (std::vector<std::string>{"DeleteObject"}));
        EXPECT_EQ(fake::Calls()[0].args[0], N(first));
        platform::Brush other(CreateSolidBrush(3));
        moved = std::move(other);  // the second goes, the third stays with `moved`
    }
    EXPECT_EQ(fake::CallsNamed("DeleteObject").size(), 3u);
}

TEST_F(Handles, ATakenHandleIsTheTakersAndNoneIsNothingToDelete) {
    platform::Font none;
    EXPECT_FALSE(none);
    none.Reset();
    platform::Font font(CreateFontIndirectA(&fake::script().captionFont));
    HFONT taken = font.Take();
    EXPECT_FALSE(font);
    DeleteObject(taken);
    EXPECT_EQ(fake::CallsNamed("DeleteObject").size(), 1u);
}

// A memory DC is deleted with DeleteDC; what a selection put in is put back
// before anything it selected goes.
TEST_F(Handles, ASelectionIsPutBackBeforeItsObjectAndItsDcGo) {
    HWND window = fake::AddWindow(RECT{0, 0, 100, 50}, 0, "");
    {
        platform::WindowDc screen(window);
        {
            platform::MemoryDc dc(CreateCompatibleDC(screen.Get()));
            platform::Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), 10, 10));
            platform::Selection selected(dc.Get(), bitmap.Get());
            fake::ClearCalls();
        }
        EXPECT_EQ(fake::CallNames(), (std::vector<std::string>{"SelectObject", "DeleteObject", "DeleteDC"}));
        fake::ClearCalls();
    }
    // The window's DC goes back to the window it came from.
    ASSERT_EQ(fake::CallNames(), std::vector<std::string>{"ReleaseDC"});
    EXPECT_EQ(fake::Calls()[0].args[0], N(window));
}

}  // namespace
