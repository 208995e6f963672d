#pragma once
// The market-value box takes only the characters of a decimal number, typed
// or pasted. People write those digits in more than one script: Egyptian
// documents in Arabic-Indic digits (U+0660 to U+0669) with the Arabic
// decimal separator (U+066B), Persian keyboards in their own digits (U+06F0
// to U+06F9). Each enters the box as the ASCII digit or "." it stands for,
// so the box, and every number convention after it, sees ASCII alone.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The ASCII digit or "." a character stands for; any other character as it is.
char16_t AsciiEquivalent(char16_t character);

// A typed key: a digit of either script or a decimal point passes as its
// ASCII form, and Backspace passes; every other character code becomes 0,
// which the forms runtime treats as "discard the key".
void FilterMarketValueKey(int16_t& keyCode);

// A pasted text as it enters the box: each digit and decimal point as its
// ASCII form, the marks that group a written number's digits dropped (",",
// the Arabic thousands separator U+066C, blanks, no-break spaces) where they
// stand between groups of three before the point, blanks, tabs and line ends
// around it dropped, and the invisible marks of writing direction. Nothing
// when anything else is there, or a mark elsewhere ("1,5", "1200\t3400"
// would enter as another number), or nothing is left: the paste is refused
// whole.
std::optional<std::u16string> PastedMarketValue(std::u16string_view pasted);
