#include "forms/fonts.h"

#include <cmath>

namespace forms {
namespace {

// Faces that carry Arabic on Windows first, then those a Linux desktop running
// the program under Wine offers, narrowest first so that the captions fit
// their boxes as they do in Arabic Transparent.
constexpr const wchar_t* kFallbackFaces[] = {
    L"Simplified Arabic", L"Arial", L"Nazli", L"Tahoma", L"Segoe UI",
    L"Noto Naskh Arabic UI", L"Noto Sans Arabic UI", L"DejaVu Sans",
};

LOGFONTW LogicalFont(const FontDescription& description, const wchar_t* face, int dpi) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(description.points * dpi / 72.0));
    font.lfWeight = description.weight;
    font.lfCharSet = static_cast<BYTE>(description.charset);
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return font;
}

// Whether the font mapper gives this face itself with the character set,
// rather than another face standing in for it. One request per candidate is
// far cheaper than enumerating every installed family.
bool IsInstalled(const LOGFONTW& font, HDC probe) {
    platform::Font handle(CreateFontIndirectW(&font));
    if (!handle) return false;
    platform::Selection selected(probe, handle.Get());
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(probe, LF_FACESIZE, face);
    return lstrcmpiW(face, font.lfFaceName) == 0 && GetTextCharset(probe) == font.lfCharSet;
}

}  // namespace

// The face of a description when it is installed with its character set,
// otherwise the first installed fallback; when none is, the font mapper picks
// the closest it has to the description.
HFONT FontSet::Get(const FontDescription& description) {
    for (auto& entry : fonts_) {
        if (entry.first == &description) return entry.second.Get();
    }
    LOGFONTW chosen = LogicalFont(description, description.face, dpi_);
    platform::MemoryDc probe(CreateCompatibleDC(nullptr));
    if (!IsInstalled(chosen, probe.Get())) {
        for (const wchar_t* face : kFallbackFaces) {
            LOGFONTW fallback = LogicalFont(description, face, dpi_);
            if (IsInstalled(fallback, probe.Get())) {
                chosen = fallback;
                break;
            }
        }
    }
    fonts_.emplace_back(&description, platform::Font(CreateFontIndirectW(&chosen)));
    return fonts_.back().second.Get();
}

}  // namespace forms
