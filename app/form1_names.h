#pragma once
// The names by which Form1's code reaches the form and its controls: the
// event table's sources and every control its handlers read or change, each
// written once. A name the description lacks would reach nothing; the unit
// tests check every name here against the description.

namespace form1 {

constexpr char kForm[] = "Form1";
constexpr char kTimer1[] = "Timer1";
constexpr char kLabel1[] = "Label1";  // the date
constexpr char kLabel2[] = "Label2";  // the time
constexpr char kLabel10[] = "Label10";  // the tax row's caption
constexpr char kCommand1[] = "Command1";
constexpr char kCommand2[] = "Command2";
constexpr char kCommand3[] = "Command3";
constexpr char kB[] = "b";
constexpr char kC[] = "c";
constexpr char kD[] = "d";
constexpr char kE[] = "e";
constexpr char kF[] = "f";
constexpr char kG[] = "g";
constexpr char kH[] = "h";

// Every name above but the form's own.
constexpr const char* kControlNamesInUse[] = {kTimer1, kLabel1, kLabel2, kLabel10, kCommand1, kCommand2, kCommand3,
                                               kB,      kC,      kD,      kE,       kF,        kG,        kH};

}  // namespace form1
