#include "calc/key_filter.h"

#include <algorithm>

namespace {

constexpr char16_t kBackspace = 8;
constexpr char16_t kPoint = u'.';
constexpr char16_t kArabicIndicZero = 0x0660;
constexpr char16_t kPersianZero = 0x06F0;
constexpr char16_t kArabicDecimalSeparator = 0x066B;

bool IsOneOf(char16_t character, std::u16string_view set) { return set.find(character) != std::u16string_view::npos; }

// Invisible marks of writing direction that Arabic text copied from a
// document carries around its numbers.
constexpr std::u16string_view kDirectionMarks = u"\u200E\u200F\u061C";
// What may stand between a number's groups of three digits: the Latin and
// the Arabic thousands separators, a blank, and the no-break spaces.
constexpr std::u16string_view kGroupingMarks = u",\u066C \u00A0\u2007\u202F";
// What may stand around a copied number: the grouping blanks, and the tab
// and line ends of a copied cell or line.
constexpr std::u16string_view kBlanks = u" \u00A0\u2007\u202F\t\r\n";

bool IsDigit(char16_t character) { return character >= u'0' && character <= u'9'; }

bool IsNumberCharacter(char16_t character) { return IsDigit(character) || character == kPoint; }

// Exactly three digits from `start` on, and no fourth.
bool OpensGroupOfThree(std::u16string_view number, size_t start) {
    size_t end = std::min(number.find_first_not_of(u"0123456789", start), number.size());
    return end - start == 3;
}

}  // namespace

char16_t AsciiEquivalent(char16_t character) {
    if (character >= kArabicIndicZero && character <= kArabicIndicZero + 9) {
        return static_cast<char16_t>(u'0' + (character - kArabicIndicZero));
    }
    if (character >= kPersianZero && character <= kPersianZero + 9) {
        return static_cast<char16_t>(u'0' + (character - kPersianZero));
    }
    return character == kArabicDecimalSeparator ? kPoint : character;
}

void FilterMarketValueKey(int16_t& keyCode) {
    char16_t entered = AsciiEquivalent(static_cast<char16_t>(static_cast<uint16_t>(keyCode)));
    keyCode = IsNumberCharacter(entered) || entered == kBackspace ? static_cast<int16_t>(entered) : int16_t{0};
}

std::optional<std::u16string> PastedMarketValue(std::u16string_view pasted) {
    std::u16string text;
    for (char16_t character : pasted) {
        if (!IsOneOf(character, kDirectionMarks)) text += AsciiEquivalent(character);
    }
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::u16string::npos) return std::nullopt;
    std::u16string_view number = std::u16string_view(text).substr(first, text.find_last_not_of(kBlanks) + 1 - first);

    // A grouping mark stands after a digit of the whole part and opens a
    // group of three; anything else would enter as another number.
    std::u16string entered;
    bool digitBefore = false;
    bool inWholePart = true;
    for (size_t i = 0; i < number.size(); ++i) {
        char16_t character = number[i];
        if (IsDigit(character)) {
            digitBefore = true;
            entered += character;
        } else if (character == kPoint) {
            inWholePart = false;
            entered += character;
        } else if (!(digitBefore && inWholePart && IsOneOf(character, kGroupingMarks) &&
                     OpensGroupOfThree(number, i + 1))) {
            return std::nullopt;
        }
    }
    return entered;
}
