#pragma once
// What a screen reader is told once Calculate has run, in the window's
// language: the tax, or why there is none. Texts are UTF-8, as the
// calculator's box texts are.

#include <string>

// The tax row's caption and the tax as its box shows it: "الضـريبــة 10 %: 660".
std::string TaxNotice(const std::string& taxCaption, const std::string& tax);

// A short sentence for a market value that is no number: that none has been
// typed yet (nothing, or blanks alone), or that what is there is no number.
std::string NoNumberNotice(const std::string& marketValue);
