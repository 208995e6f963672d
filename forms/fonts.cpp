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

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool IsInstalled(const wchar_t* face, int charset) {
    LOGFONTW query{};
    query.lfCharSet = static_cast<BYTE>(charset);
    lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &query, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

}  // namespace

std::wstring InstalledFace(const FontDescription& description) {
    if (IsInstalled(description.face, description.charset)) return description.face;
    for (const wchar_t* face : kFallbackFaces) {
        if (IsInstalled(face, description.charset)) return face;
    }
    return description.face;  // the font mapper picks the closest it has
}

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
