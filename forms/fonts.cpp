#include "forms/fonts.h"

#include <cmath>
#include <map>
#include <set>

namespace forms {
namespace {

// Faces that carry Arabic on Windows first, then those a Linux desktop running
// the program under Wine offers, narrowest first so that the captions fit
// their boxes as they do in Arabic Transparent.
constexpr const wchar_t* kFallbackFaces[] = {
    L"Simplified Arabic", L"Arial", L"Nazli", L"Tahoma", L"Segoe UI",
    L"Noto Naskh Arabic UI", L"Noto Sans Arabic UI", L"DejaVu Sans",
};

int CALLBACK NoteFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
    reinterpret_cast<std::set<std::wstring>*>(faces)->insert(font->lfFaceName);
    return 1;
}

// The faces installed with a character set, asked of the font system once per
// character set: one enumeration is cheaper than one per candidate face.
const std::set<std::wstring>& FacesWithCharset(int charset) {
    static std::map<int, std::set<std::wstring>> known;
    auto found = known.find(charset);
    if (found != known.end()) return found->second;
    std::set<std::wstring>& faces = known[charset];
    LOGFONTW query{};
    query.lfCharSet = static_cast<BYTE>(charset);
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &query, NoteFace, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(nullptr, screen);
    return faces;
}

// The face to use for a description: its own when installed with its
// character set, otherwise the first installed fallback.
std::wstring InstalledFace(const FontDescription& description) {
    const std::set<std::wstring>& installed = FacesWithCharset(description.charset);
    if (installed.count(description.face)) return description.face;
    for (const wchar_t* face : kFallbackFaces) {
        if (installed.count(face)) return face;
    }
    return description.face;  // the font mapper picks the closest it has
}

}  // namespace

FontSet::~FontSet() {
    for (auto& entry : fonts_) DeleteObject(entry.second);
}

HFONT FontSet::Get(const FontDescription& description) {
    for (auto& entry : fonts_) {
        if (entry.first == &description) return entry.second;
    }
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(description.points * dpi_ / 72.0));
    font.lfWeight = description.weight;
    font.lfCharSet = static_cast<BYTE>(description.charset);
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, InstalledFace(description).c_str(), LF_FACESIZE);
    HFONT handle = CreateFontIndirectW(&font);
    fonts_.emplace_back(&description, handle);
    return handle;
}

}  // namespace forms
