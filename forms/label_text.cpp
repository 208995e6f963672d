#include "forms/label_text.h"

#include "forms/system_library.h"
#include "platform/handles.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace forms {
namespace {

// Uniscribe's string functions, loaded at the first label's paint and kept.
struct Uniscribe {
    decltype(&ScriptStringAnalyse) analyse = nullptr;
    decltype(&ScriptString_pSize) size = nullptr;
    decltype(&ScriptStringOut) out = nullptr;
    decltype(&ScriptStringFree) free = nullptr;
};

const Uniscribe* LoadedUniscribe() {
    static const Uniscribe functions = [] {
        HMODULE usp10 = LoadSystemLibrary(L"usp10.dll");
        Uniscribe loaded;
        loaded.analyse = Exported<decltype(loaded.analyse)>(usp10, "ScriptStringAnalyse");
        loaded.size = Exported<decltype(loaded.size)>(usp10, "ScriptString_pSize");
        loaded.out = Exported<decltype(loaded.out)>(usp10, "ScriptStringOut");
        loaded.free = Exported<decltype(loaded.free)>(usp10, "ScriptStringFree");
        return loaded;
    }();
    return functions.analyse && functions.size && functions.out && functions.free ? &functions : nullptr;
}

SCRIPT_STRING_ANALYSIS Analyse(const Uniscribe& uniscribe, HDC dc, const std::wstring& text, bool rightToLeft) {
    int length = static_cast<int>(text.size());
    SCRIPT_STRING_ANALYSIS analysis = nullptr;
    DWORD flags = SSA_GLYPHS | SSA_FALLBACK | (rightToLeft ? SSA_RTL : 0);
    SCRIPT_STATE paragraph{};
    paragraph.uBidiLevel = rightToLeft ? 1 : 0;
    if (FAILED(uniscribe.analyse(dc, text.c_str(), length, length * 3 / 2 + 16, -1, flags, 0, nullptr, &paragraph,
                                 nullptr, nullptr, nullptr, &analysis))) {
        return nullptr;
    }
    return analysis;
}

// Left- and right-aligned text is set this far in from its edge; a text that
// needs the room runs into it rather than be made smaller.
constexpr int kTextIndent = 1;

// Below this height no smaller size would be read any better than a clipped one.
constexpr LONG kSmallestFittedHeight = 6;

// A text wider than its label (the time "12:52:45 AM" in the narrow clock)
// is shaped again in the largest size of its font that fits, which is
// selected into `dc` and handed back in `smaller`; a text that fits is
// shaped once, in its own size.
SCRIPT_STRING_ANALYSIS AnalyseToFit(const Uniscribe& uniscribe, HDC dc, const std::wstring& text, bool rightToLeft,
                                    int available, platform::Font& smaller) {
    SCRIPT_STRING_ANALYSIS analysis = Analyse(uniscribe, dc, text, rightToLeft);
    auto tooWide = [&] { return analysis && uniscribe.size(analysis)->cx > available; };
    LOGFONTW font{};
    if (!tooWide() || !GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font)) return analysis;
    while (tooWide() && std::labs(font.lfHeight) > kSmallestFittedHeight) {
        LONG height = std::labs(font.lfHeight);
        // Less than `height`, the text being wider than `available`: each turn shrinks the font.
        LONG fitted = height * available / uniscribe.size(analysis)->cx;
        // A height of 0 would ask for the font's default size, no smaller.
        fitted = std::max(fitted, kSmallestFittedHeight);
        font.lfHeight = font.lfHeight < 0 ? -fitted : fitted;
        font.lfWidth = 0;
        uniscribe.free(&analysis);
        platform::Font next(CreateFontIndirectW(&font));
        SelectObject(dc, next.Get());
        smaller = std::move(next);  // the one it replaces, no longer selected, is deleted
        analysis = Analyse(uniscribe, dc, text, rightToLeft);
    }
    return analysis;
}

}  // namespace

void DrawLabelText(HDC dc, const std::wstring& text, const RECT& area, UINT alignment, bool rightToLeft) {
    if (text.empty()) return;
    const Uniscribe* uniscribe = LoadedUniscribe();
    HGDIOBJ ownFont = GetCurrentObject(dc, OBJ_FONT);
    platform::Font smaller;
    SCRIPT_STRING_ANALYSIS analysis =
        uniscribe ? AnalyseToFit(*uniscribe, dc, text, rightToLeft, area.right - area.left, smaller) : nullptr;
    if (analysis) {
        int width = uniscribe->size(analysis)->cx;
        TEXTMETRICW metrics;
        GetTextMetricsW(dc, &metrics);
        int x = std::min(area.left + kTextIndent, area.right - width);
        if (alignment == DT_CENTER) x = area.left + (area.right - area.left - width) / 2;
        if (alignment == DT_RIGHT) x = std::max(area.right - kTextIndent - width, area.left);
        int y = area.top + (area.bottom - area.top - metrics.tmHeight) / 2;
        uniscribe->out(analysis, x, y, ETO_CLIPPED, &area, 0, 0, FALSE);
        uniscribe->free(&analysis);
    } else {
        RECT fallback = area;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &fallback,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | alignment | (rightToLeft ? DT_RTLREADING : 0));
    }
    if (smaller) SelectObject(dc, ownFont);  // before the smaller font is deleted, as it goes
}

}  // namespace forms
