#include "forms/label_text.h"

#include <usp10.h>

namespace forms {

void DrawLabelText(HDC dc, const std::wstring& text, const RECT& area, UINT alignment, bool rightToLeft) {
    if (text.empty()) return;
    int length = static_cast<int>(text.size());
    SCRIPT_STRING_ANALYSIS analysis = nullptr;
    DWORD flags = SSA_GLYPHS | SSA_FALLBACK | (rightToLeft ? SSA_RTL : 0);
    SCRIPT_STATE paragraph{};
    paragraph.uBidiLevel = rightToLeft ? 1 : 0;
    if (FAILED(ScriptStringAnalyse(dc, text.c_str(), length, length * 3 / 2 + 16, -1, flags, 0, nullptr, &paragraph,
                                   nullptr, nullptr, nullptr, &analysis))) {
        RECT fallback = area;
        DrawTextW(dc, text.c_str(), length, &fallback,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | alignment | (rightToLeft ? DT_RTLREADING : 0));
        return;
    }
    int width = ScriptString_pSize(analysis)->cx;
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    int x = area.left;
    if (alignment == DT_CENTER) x = area.left + (area.right - area.left - width) / 2;
    if (alignment == DT_RIGHT) x = area.right - width;
    int y = area.top + (area.bottom - area.top - metrics.tmHeight) / 2;
    ScriptStringOut(analysis, x, y, ETO_CLIPPED, &area, 0, 0, FALSE);
    ScriptStringFree(&analysis);
}

}  // namespace forms
