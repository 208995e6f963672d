#pragma once
// Form1 as data: the form and its 22 controls, and the typed places by which
// its code reaches each of them.

#include "forms/description.h"

extern const forms::FormDescription kForm1;

namespace form1 {

using Frame = forms::ControlSlot<forms::ControlKind::Frame>;
using TextBox = forms::ControlSlot<forms::ControlKind::TextBox>;
using Label = forms::ControlSlot<forms::ControlKind::Label>;
using CommandButton = forms::ControlSlot<forms::ControlKind::CommandButton>;
using Timer = forms::ControlSlot<forms::ControlKind::Timer>;

// In the description's order; the description checks each against its own
// entry's name and kind when it is compiled.
constexpr Frame Frame1{0};
constexpr TextBox e{1};
constexpr CommandButton Command1{2};  // Calculate
constexpr CommandButton Command3{3};  // Clear
constexpr CommandButton Command2{4};  // Exit
constexpr Label Label3{5};            // the credit line
constexpr Label Label2{6};            // the time
constexpr Label Label1{7};            // the date
constexpr Timer Timer1{8};
constexpr TextBox h{9};
constexpr TextBox g{10};
constexpr TextBox b{11};
constexpr TextBox c{12};
constexpr TextBox d{13};
constexpr TextBox f{14};
constexpr Label Label9{15};
constexpr Label Label8{16};
constexpr Label Label5{17};
constexpr Label Label6{18};
constexpr Label Label7{19};
constexpr Label Label10{20};  // the tax row's caption
constexpr Label Label4{21};   // the frame's title

}  // namespace form1
