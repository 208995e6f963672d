#include "app/form1_description.h"

#include "app/resource_ids.h"
#include "calc/key_filter.h"

#include <iterator>

// Form1: the calculator's one window. Within each container, controls are
// listed top of the stacking order first; the labels, each a window of its
// own drawn by the runtime, always lie beneath the other controls. A paste
// into b enters as the calculator's key filter would take it.

namespace {

using forms::Alignment;
using forms::Border;
using forms::ControlKind;
using forms::kDefaultColour;
using forms::SystemColour;

constexpr forms::FontDescription kFormFont{L"Arabic Transparent", 15.75, 400, 178};
constexpr forms::FontDescription kCreditFont{L"Arabic Transparent", 14.25, 400, 178};

constexpr forms::Colour kLightCyan = 0x00FFFFC0;
constexpr forms::Colour kLightOrange = 0x00C0E0FF;
constexpr forms::Colour kLightBlue = 0x00FFC0C0;
constexpr forms::Colour kWhite = 0x00FFFFFF;
constexpr forms::Colour kLightGreen = 0x00C0FFC0;
constexpr forms::Colour kLightYellow = 0x00C0FFFF;
constexpr forms::Colour kBlack = 0x00000000;
constexpr forms::Colour kRed = 0x000000FF;
constexpr forms::Colour kRowCaption = SystemColour(19);

constexpr const wchar_t* kStampValueTip = L"قيمة الدمغة";

constexpr ControlKind Frame = ControlKind::Frame;
constexpr ControlKind TextBox = ControlKind::TextBox;
constexpr ControlKind Label = ControlKind::Label;
constexpr ControlKind Button = ControlKind::CommandButton;
constexpr ControlKind Timer = ControlKind::Timer;
constexpr Border Single = Border::FixedSingle;
constexpr Border NoBorder = Border::None;
constexpr Alignment Centre = Alignment::Center;
constexpr Alignment Right = Alignment::Right;
constexpr Alignment Default = Alignment::Default;
constexpr bool RTL = true;
constexpr bool LTR = false;
constexpr bool ReadOnly = true;
constexpr bool Editable = false;
constexpr int Form = forms::kOnForm;
constexpr int InFrame = forms::In(form1::Frame1);

// clang-format off
constexpr forms::ControlDescription kControls[] = {
//   name        kind     container  left  top   width height caption                          font          back          text            border    align   tab  read-only  max  default cancel  reading tooltip         interval
    {"Frame1",   Frame,   Form,      0,    360,  6015, 3375, L"Frame1",                        nullptr,      kLightBlue,   kDefaultColour, NoBorder, Default, 11, Editable,  0,   false,  false,  LTR,    nullptr,        0},
    {"e",        TextBox, Form,      2040, 1200, 2175, 495,  L"",                              nullptr,      kLightCyan,   kRed,           Single,   Right,   10, ReadOnly,  0,   false,  false,  RTL,    kStampValueTip, 0},
    {"Command1", Button,  Form,      3240, 720,  855,  495,  L"إحسب",                  nullptr,      kLightGreen,  kDefaultColour, Single,   Centre,   9, Editable,  0,   true,   false,  LTR,    nullptr,        0},
    {"Command3", Button,  Form,      2640, 720,  495,  495,  L"C",                  nullptr,      kLightYellow, kDefaultColour, Single,   Centre,   8, Editable,  0,   false,  false,  LTR,    nullptr,        0},
    {"Command2", Button,  Form,      1080, 840,  975,  495,  L"خروج",                  nullptr,      kLightGreen,  kDefaultColour, Single,   Centre,   7, Editable,  0,   false,  true,   LTR,    nullptr,        0},
    {"Label3",   Label,   Form,      1440, 0,    2895, 375,  L"برمجة: فريق زمرانة",                   &kCreditFont, kLightBlue,   kDefaultColour, Single,   Centre,   0, Editable,  0,   false,  false,  RTL,    L"أسألكم الدعاء",    0},
    {"Label2",   Label,   Form,      0,    0,    1455, 375,  L"",                              nullptr,      kLightOrange, kDefaultColour, Single,   Default,  6, Editable,  0,   false,  false,  RTL,    nullptr,        0},
    {"Label1",   Label,   Form,      4320, 0,    1695, 375,  L"",                              nullptr,      kLightOrange, kDefaultColour, Single,   Centre,   5, Editable,  0,   false,  false,  RTL,    nullptr,        0},
    {"Timer1",   Timer,   Form,      0,    0,    0,    0,    nullptr,                          nullptr,      kDefaultColour, kDefaultColour, NoBorder, Default, -1, Editable, 0,   false,  false,  LTR,    nullptr,        1000},

    {"h",        TextBox, InFrame,   0,    2280, 2175, 495,  L"",                              nullptr,      kLightCyan,   kBlack,         Single,   Right,   18, ReadOnly,  0,   false,  false,  RTL,    kStampValueTip, 0},
    {"g",        TextBox, InFrame,   0,    1800, 2175, 495,  L"",                              nullptr,      kLightCyan,   kBlack,         Single,   Right,   17, ReadOnly,  0,   false,  false,  RTL,    kStampValueTip, 0},
    {"b",        TextBox, InFrame,   0,    360,  2175, 495,  L"",                              nullptr,      kLightCyan,   kDefaultColour, Single,   Right,    1, Editable,  8,   false,  false,  RTL,    nullptr,        0, PastedMarketValue},
    {"c",        TextBox, InFrame,   0,    840,  2175, 495,  L"",                              nullptr,      kLightCyan,   kDefaultColour, Single,   Right,    2, ReadOnly,  0,   false,  false,  RTL,    nullptr,        0},
    {"d",        TextBox, InFrame,   0,    1320, 2175, 495,  L"",                              nullptr,      kLightCyan,   kDefaultColour, Single,   Right,    3, ReadOnly,  0,   false,  false,  RTL,    nullptr,        0},
    {"f",        TextBox, InFrame,   0,    2760, 2175, 495,  L"",                              nullptr,      kLightCyan,   kRed,           Single,   Right,    4, ReadOnly,  0,   false,  false,  RTL,    kStampValueTip, 0},
    {"Label9",   Label,   InFrame,   2160, 2280, 3855, 495,  L"صافي الوعـاء بعد خصم 6000 جم",                    nullptr,      kRowCaption,  kDefaultColour, Single,   Centre,  20, Editable,  0,   false,  false,  RTL,    nullptr,        0},
    {"Label8",   Label,   InFrame,   2160, 1800, 3855, 495,  L"مصاريف الصيانة 70 %",                    nullptr,      kRowCaption,  kDefaultColour, Single,   Centre,  19, Editable,  0,   false,  false,  RTL,    nullptr,        0},
    {"Label5",   Label,   InFrame,   2160, 360,  3855, 495,  L"القيمة السوقيـة للعقار",                    nullptr,      kRowCaption,  kDefaultColour, Single,   Centre,  16, Editable,  0,   false,  false,  RTL,    nullptr,        0},
    {"Label6",   Label,   InFrame,   2160, 840,  3855, 495,  L"القيمة الرأسمالية 60 %",                    nullptr,      kRowCaption,  kDefaultColour, Single,   Centre,  15, Editable,  0,   false,  false,  RTL,    nullptr,        0},
    {"Label7",   Label,   InFrame,   2160, 1320, 3855, 495,  L"القيمة الإيجارية 3 %",                    nullptr,      kRowCaption,  kDefaultColour, Single,   Centre,  14, Editable,  0,   false,  false,  RTL,    nullptr,        0},
    {"Label10",  Label,   InFrame,   2160, 2760, 3855, 495,  L"الضـريبــة 10 %",                   nullptr,      kRowCaption,  kDefaultColour, Single,   Centre,  13, Editable,  0,   false,  false,  RTL,    nullptr,        0},
    {"Label4",   Label,   InFrame,   0,    0,    6015, 450,  L"حاسبة الضريبة العقارية السنوية",                   &kCreditFont, kWhite,       kDefaultColour, Single,   Centre,  12, Editable,  0,   false,  false,  RTL,    nullptr,        0},
};
// clang-format on

// The value boxes as a screen reader names them: each by its row's caption;
// e, which lies under the frame and has no row, by what it holds. The frame,
// whose own caption is never shown, by the credit line across its top, which
// says what it holds.
using form1::Label10, form1::Label4, form1::Label5, form1::Label6, form1::Label7, form1::Label8, form1::Label9;
constexpr forms::ReaderName kReaderNames[] = {
    {form1::Frame1.index, Label4.index, nullptr},
    {form1::b.index, Label5.index, nullptr}, {form1::c.index, Label6.index, nullptr},
    {form1::d.index, Label7.index, nullptr}, {form1::g.index, Label8.index, nullptr},
    {form1::h.index, Label9.index, nullptr}, {form1::f.index, Label10.index, nullptr},
    {form1::e.index, forms::kNoLabel, L"الضريبة 10 % مقربة لرقمين عشريين"},
};

// Each typed place names the entry it stands for, of its kind.
constexpr bool SameText(const char* a, const char* b) {
    while (*a && *a == *b) ++a, ++b;
    return *a == *b;
}
template <typename Slot>
constexpr bool Holds(Slot slot, const char* name) {
    return slot.index >= 0 && static_cast<size_t>(slot.index) < std::size(kControls) &&
           kControls[slot.index].kind == Slot::kKind && SameText(kControls[slot.index].name, name);
}
static_assert(Holds(form1::Frame1, "Frame1") && Holds(form1::e, "e") && Holds(form1::Command1, "Command1") &&
              Holds(form1::Command3, "Command3") && Holds(form1::Command2, "Command2") &&
              Holds(form1::Label3, "Label3") && Holds(form1::Label2, "Label2") && Holds(form1::Label1, "Label1") &&
              Holds(form1::Timer1, "Timer1") && Holds(form1::h, "h") && Holds(form1::g, "g") &&
              Holds(form1::b, "b") && Holds(form1::c, "c") && Holds(form1::d, "d") && Holds(form1::f, "f") &&
              Holds(Label9, "Label9") && Holds(Label8, "Label8") && Holds(Label5, "Label5") &&
              Holds(Label6, "Label6") && Holds(Label7, "Label7") && Holds(Label10, "Label10") &&
              Holds(Label4, "Label4"));

}  // namespace

const forms::FormDescription kForm1{
    "Form1", L"Zemrana", 6015, 3660, 2310, 2940, kLightCyan, &kFormFont, true, kProgramIcon, kControls,
    sizeof kControls / sizeof kControls[0], kReaderNames, sizeof kReaderNames / sizeof kReaderNames[0]};
