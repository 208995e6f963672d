#include "calc/key_filter.h"

#include <algorithm>

namespace {

constexpr char16_t kBackspace = 8;
constexpr char16_t kPoint = u'.';
constexpr char16_t kArabicIndicZero = 0x0660;
constexpr char16_t kPersianZero = 0x06F0;
constexpr char16_t kArabicDecimalSeparator = 0x066B;

bool IsNumberCharacter(char16_t character) {
    return (character >= u'0' && character <= u'9') || character == kPoint;
}

// What a written number may carry between its digits without changing it.
bool IsGroupingMark(char16_t character) {
    constexpr char16_t marks[] = {
        u',',    // the Latin thousands separator
        0x066C,  // the Arabic thousands separator
        u' ',  u'\t', u'\r', u'\n',
        0x00A0,  // no-break space
        0x2007,  // figure space
        0x202F,  // narrow no-break space
        0x200E,  // left-to-right mark
        0x200F,  // right-to-left mark
        0x061C,  // Arabic letter mark
    };
    return std::find(std::begin(marks), std::end(marks), character) != std::end(marks);
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
    std::u16string entered;
    for (char16_t character : pasted) {
        if (IsGroupingMark(character)) continue;
        char16_t ascii = AsciiEquivalent(character);
        if (!IsNumberCharacter(ascii)) return std::nullopt;
        entered += ascii;
    }
    if (entered.empty()) return std::nullopt;
    return entered;
}
