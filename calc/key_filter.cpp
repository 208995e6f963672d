#include "calc/key_filter.h"

namespace {
constexpr int16_t kBackspace = 8;
constexpr int16_t kPoint = '.';
}  // namespace

void FilterMarketValueKey(int16_t& keyCode) {
    bool isDigit = keyCode >= '0' && keyCode <= '9';
    if (!isDigit && keyCode != kPoint && keyCode != kBackspace) keyCode = 0;
}
