#include "app/form1_description.h"
#include "forms/layout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <ostream>
#include <set>
#include <string>

namespace forms {

bool operator==(const ScreenBox& a, const ScreenBox& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::ostream& operator<<(std::ostream& out, const ScreenBox& box) {
    return out << "(" << box.left << "," << box.top << ")-(" << box.right << "," << box.bottom << ")";
}

}  // namespace forms

namespace {

using forms::ControlDescription;
using forms::ControlKind;

std::map<std::string, const ControlDescription*> ControlsByName() {
    std::map<std::string, const ControlDescription*> byName;
    for (size_t i = 0; i < kForm1.controlCount; ++i) byName[kForm1.controls[i].name] = &kForm1.controls[i];
    return byName;
}

TEST(TwipsToPixels, FifteenTwipsPerPixelAt96Dpi) {
    EXPECT_EQ(forms::TwipsToPixels(6015, 96), 401);
    EXPECT_EQ(forms::TwipsToPixels(3660, 96), 244);
    EXPECT_EQ(forms::TwipsToPixels(15, 96), 1);
    EXPECT_EQ(forms::TwipsToPixels(7, 96), 0);
    EXPECT_EQ(forms::TwipsToPixels(8, 96), 1);  // half a pixel rounds up
    EXPECT_EQ(forms::TwipsToPixels(-8, 96), -1);
    EXPECT_EQ(forms::TwipsToPixels(6015, 144), 602);  // 150 % scaling
}

TEST(Form1Layout, TwentyTwoControlsWithUniqueNamesAndTabIndicesZeroToTwenty) {
    EXPECT_EQ(kForm1.controlCount, 22u);
    std::set<std::string> names;
    std::set<int> tabIndices;
    for (size_t i = 0; i < kForm1.controlCount; ++i) {
        names.insert(kForm1.controls[i].name);
        if (kForm1.controls[i].kind != ControlKind::Timer) tabIndices.insert(kForm1.controls[i].tabIndex);
    }
    EXPECT_EQ(names.size(), 22u);
    EXPECT_EQ(tabIndices.size(), 21u);
    EXPECT_EQ(*tabIndices.begin(), 0);
    EXPECT_EQ(*tabIndices.rbegin(), 20);
}

TEST(Form1Layout, TabStopsVisitTheCoveredControlsInOrder) {
    std::vector<size_t> stops = forms::TabStops(kForm1.controls, kForm1.controlCount);
    std::string order;
    for (size_t stop : stops) order += std::string(kForm1.controls[stop].name) + " ";
    EXPECT_EQ(order, "b c d f Command2 Command3 Command1 e g h ");
}

TEST(Form1Layout, TabCyclesBothWays) {
    EXPECT_EQ(forms::NextTabStop(10, 9, true), 0u);
    EXPECT_EQ(forms::NextTabStop(10, 0, false), 9u);
    EXPECT_EQ(forms::NextTabStop(10, 3, true), 4u);
    EXPECT_EQ(forms::NextTabStop(10, -1, true), 0u);   // focus outside the stops
    EXPECT_EQ(forms::NextTabStop(10, -1, false), 9u);
}

TEST(Form1Layout, CoveredControlsLieInsideTheFrameAndBelowIt) {
    auto byName = ControlsByName();
    const ControlDescription& frame = *byName["Frame1"];
    size_t frameOrder = static_cast<size_t>(byName["Frame1"] - kForm1.controls);
    for (const char* name : {"e", "Command1", "Command2", "Command3"}) {
        const ControlDescription& covered = *byName[name];
        SCOPED_TRACE(name);
        EXPECT_EQ(covered.container, forms::kOnForm);
        EXPECT_GE(covered.left, frame.left);
        EXPECT_GE(covered.top, frame.top);
        EXPECT_LE(covered.left + covered.width, frame.left + frame.width);
        EXPECT_LE(covered.top + covered.height, frame.top + frame.height);
        EXPECT_GT(static_cast<size_t>(byName[name] - kForm1.controls), frameOrder);  // listed later: beneath
    }
}

TEST(Form1Layout, RowsOverlapByOnePixelAndCaptionsMeetTheirBoxes) {
    auto byName = ControlsByName();
    const char* boxes[] = {"b", "c", "d", "g", "h", "f"};
    const char* captions[] = {"Label5", "Label6", "Label7", "Label8", "Label9", "Label10"};
    for (int row = 0; row < 6; ++row) {
        SCOPED_TRACE(boxes[row]);
        const ControlDescription& box = *byName[boxes[row]];
        const ControlDescription& caption = *byName[captions[row]];
        EXPECT_EQ(box.top, 360 + 480 * row);
        EXPECT_EQ(caption.top, box.top);
        EXPECT_EQ(caption.left, box.left + box.width - 15);
        EXPECT_EQ(caption.left + caption.width, kForm1.clientWidth);
        EXPECT_EQ(box.container, form1::Frame1.index);
    }
}

// A reader names each box by the caption beside it on screen; the covered
// box, which has none, by a name of its own; the frame, whose caption never
// shows, by the credit line across its top.
TEST(Form1Layout, EveryBoxAndTheFrameAreNamedForAReaderByWhatShowsBesideThem) {
    std::set<std::string> named;
    for (size_t i = 0; i < kForm1.readerNameCount; ++i) {
        const forms::ReaderName& reader = kForm1.readerNames[i];
        ASSERT_GE(reader.control, 0);
        ASSERT_LT(static_cast<size_t>(reader.control), kForm1.controlCount);
        const ControlDescription& control = kForm1.controls[reader.control];
        SCOPED_TRACE(control.name);
        EXPECT_TRUE(named.insert(control.name).second);
        EXPECT_NE(reader.label == forms::kNoLabel, reader.name == nullptr);  // one or the other
        if (reader.label == forms::kNoLabel) continue;
        ASSERT_GE(reader.label, 0);
        ASSERT_LT(static_cast<size_t>(reader.label), kForm1.controlCount);
        const ControlDescription& label = kForm1.controls[reader.label];
        EXPECT_EQ(label.kind, ControlKind::Label);
        if (control.kind == ControlKind::Frame) {
            EXPECT_EQ(label.container, reader.control);
            EXPECT_EQ(label.top, 0);
            EXPECT_EQ(label.width, control.width);
            continue;
        }
        EXPECT_EQ(control.kind, ControlKind::TextBox);
        EXPECT_EQ(label.top, control.top);
        EXPECT_EQ(label.container, control.container);
    }
    EXPECT_EQ(named, (std::set<std::string>{"Frame1", "b", "c", "d", "e", "f", "g", "h"}));
}

TEST(Form1Layout, InputAndReadOnlyBoxes) {
    auto byName = ControlsByName();
    EXPECT_FALSE(byName["b"]->readOnly);
    EXPECT_EQ(byName["b"]->maxLength, 8);
    for (const char* name : {"c", "d", "e", "f", "g", "h"}) EXPECT_TRUE(byName[name]->readOnly) << name;
    EXPECT_TRUE(byName["Command1"]->isDefault);
    EXPECT_TRUE(byName["Command2"]->isCancel);
    EXPECT_EQ(byName["Timer1"]->interval, 1000);
}

TEST(Form1Layout, RowCaptionsKeepTheirElongations) {
    auto byName = ControlsByName();
    auto elongations = [](const wchar_t* text) {
        int count = 0;
        for (; *text; ++text) count += *text == L'\u0640';
        return count;
    };
    EXPECT_EQ(elongations(byName["Label10"]->caption), 3);
    EXPECT_EQ(elongations(byName["Label5"]->caption), 1);
    EXPECT_EQ(elongations(byName["Label9"]->caption), 1);
    EXPECT_EQ(std::wstring(byName["Command3"]->caption), L"C");
}

TEST(FontOf, OwnFontElseTheContainersUpToTheForms) {
    const forms::FontDescription formFont{L"Form face", 10, 400, 178};
    const forms::FontDescription frameFont{L"Frame face", 12, 700, 178};
    const forms::FontDescription labelFont{L"Label face", 9, 400, 0};
    auto control = [](int container, const forms::FontDescription* font) {
        ControlDescription d{};
        d.container = container;
        d.font = font;
        return d;
    };
    const ControlDescription controls[] = {
        control(forms::kOnForm, &frameFont), control(0, nullptr), control(1, nullptr),
        control(0, &labelFont), control(forms::kOnForm, nullptr), control(6, nullptr)};  // the last: past the list
    forms::FormDescription form{};
    form.font = &formFont;
    form.controls = controls;
    form.controlCount = std::size(controls);
    EXPECT_EQ(&forms::FontOf(form, controls[1]), &frameFont);
    EXPECT_EQ(&forms::FontOf(form, controls[2]), &frameFont);
    EXPECT_EQ(&forms::FontOf(form, controls[3]), &labelFont);
    EXPECT_EQ(&forms::FontOf(form, controls[4]), &formFont);
    EXPECT_EQ(&forms::FontOf(form, controls[5]), &formFont);
}

TEST(PlaceInside, TheDesignPlaceWhereItFitsElseMovedInJustEnough) {
    const forms::ScreenBox screen{0, 0, 1024, 768};
    // The window at 96 DPI fits where it was designed, and so does one that
    // touches the work area's edges.
    EXPECT_EQ(forms::PlaceInside({151, 174, 558, 443}, screen), (forms::ScreenBox{151, 174, 558, 443}));
    EXPECT_EQ(forms::PlaceInside({0, 0, 1024, 768}, screen), (forms::ScreenBox{0, 0, 1024, 768}));
    // At 192 DPI its design place reaches past the right and bottom edges.
    EXPECT_EQ(forms::PlaceInside({305, 352, 1113, 883}, screen), (forms::ScreenBox{216, 237, 1024, 768}));
    // Past the left and top edges of a work area that starts elsewhere (a
    // taskbar on the left, a second monitor).
    const forms::ScreenBox second{1024, 30, 2048, 798};
    EXPECT_EQ(forms::PlaceInside({1000, 20, 1100, 120}, second), (forms::ScreenBox{1024, 30, 1124, 130}));
    // One axis moves, the other stays.
    EXPECT_EQ(forms::PlaceInside({990, 100, 1090, 200}, screen), (forms::ScreenBox{924, 100, 1024, 200}));
}

TEST(PlaceInside, LargerThanTheWorkAreaKeepsTheTopLeftCornerInside) {
    const forms::ScreenBox small{0, 40, 640, 480};
    EXPECT_EQ(forms::PlaceInside({100, 100, 900, 700}, small), (forms::ScreenBox{0, 40, 800, 640}));
    EXPECT_EQ(forms::PlaceInside({-300, -50, 500, 550}, small), (forms::ScreenBox{0, 40, 800, 640}));
}

}  // namespace
