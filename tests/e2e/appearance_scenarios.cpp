#include "scenarios.h"

#include <usp10.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace e2e {
namespace {

constexpr COLORREF kLightOrange = RGB(255, 224, 192);
constexpr COLORREF kLightBlue = RGB(192, 192, 255);
constexpr COLORREF kLightCyan = RGB(192, 255, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

RECT WindowArea(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    return area;
}

RECT ClientArea(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

RECT Inset(RECT area, int pixels) {
    InflateRect(&area, -pixels, -pixels);
    return area;
}

// A background as it shows: the commonest colour of the area, where text and
// lines take less room.
COLORREF CommonestColour(const Image& image) {
    std::map<COLORREF, int> counts;
    for (COLORREF pixel : image.pixels) ++counts[pixel];
    return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

COLORREF CommonestColour(const RECT& area) { return CommonestColour(CaptureScreen(area)); }

void RowCaptions(Checks& checks, const Program& program) {
    // The elongations (U+0640) belong to the captions.
    const std::pair<int, const wchar_t*> captions[] = {
        {kLabel5, L"القيمة السوقيـة للعقار"},  {kLabel6, L"القيمة الرأسمالية 60 %"},
        {kLabel7, L"القيمة الإيجارية 3 %"},    {kLabel8, L"مصاريف الصيانة 70 %"},
        {kLabel9, L"صافي الوعـاء بعد خصم 6000 جم"}, {kLabel10, L"الضـريبــة 10 %"},
    };
    std::string wrong;
    for (const auto& [label, caption] : captions) {
        std::wstring shown = program.Text(label);
        if (shown != caption) wrong += " control " + std::to_string(label) + " reads '" + Narrow(shown) + "'";
    }
    checks.Check(wrong.empty(), "Label5 to Label10 read their Arabic captions, elongations included", wrong);
}

struct AreaColour {
    const char* name;
    int control;
    COLORREF colour;
};

void Backgrounds(Checks& checks, const Program& program) {
    const COLORREF rowCaption = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    const AreaColour labels[] = {
        {"Label1", kLabel1, kLightOrange}, {"Label2", kLabel2, kLightOrange}, {"Label3", kLabel3, kLightBlue},
        {"Label4", kLabel4, kWhite},       {"Label5", kLabel5, rowCaption},   {"Label6", kLabel6, rowCaption},
        {"Label7", kLabel7, rowCaption},   {"Label8", kLabel8, rowCaption},   {"Label9", kLabel9, rowCaption},
        {"Label10", kLabel10, rowCaption},
    };
    std::string wrong;
    for (const AreaColour& label : labels) {
        COLORREF shown = CommonestColour(Inset(WindowArea(program.Control(label.control)), 2));  // inside the border
        if (shown != label.colour) wrong += std::string(" ") + label.name + " " + ColourText(shown);
    }
    checks.Check(wrong.empty(),
                 "backgrounds: Label1 and Label2 light orange, Label3 light blue, Label4 white, Label5 to Label10 "
                 "system colour 19 " + ColourText(rowCaption),
                 wrong);

    RECT client = ClientArea(program.Form());
    RECT belowRows{client.left, WindowArea(program.Control(kF)).bottom, client.right, client.bottom};
    COLORREF frame = CommonestColour(belowRows);
    checks.Check(frame == kLightBlue, "the frame is light blue below the last row", ColourText(frame));

    // The top strip and the frame cover the form everywhere: a label of the
    // strip is taken away for a look at the form behind it.
    HWND label3 = program.Control(kLabel3);
    RECT behind = Inset(WindowArea(label3), 2);
    ShowWindow(label3, SW_HIDE);
    COLORREF form = 0;
    bool cyan = WaitUntil([&] { return (form = CommonestColour(behind)) == kLightCyan; });
    ShowWindow(label3, SW_SHOWNA);
    WaitUntil([&] { return CommonestColour(behind) == kLightBlue; });
    checks.Check(cyan, "the form is light cyan behind the top strip", ColourText(form));
}

int PixelsOf(const RECT& area, COLORREF colour) {
    Image image = CaptureScreen(area);
    return static_cast<int>(std::count(image.pixels.begin(), image.pixels.end(), colour));
}

// Glyph edges are smoothed into the background, their cores are the text
// colour itself.
void TextColours(Checks& checks, const Program& program) {
    HWND e = program.Control(kE);
    SetWindowPos(e, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);  // out from under the frame
    WaitUntil([&] { return CommonestColour(ClientArea(e)) == kLightCyan; });
    const AreaColour boxes[] = {{"f", kF, kRed}, {"e", kE, kRed}, {"g", kG, kBlack}, {"h", kH, kBlack}};
    bool coloured = true;
    std::string seen;
    for (const AreaColour& box : boxes) {
        int pixels = PixelsOf(ClientArea(program.Control(box.control)), box.colour);
        coloured = coloured && pixels >= 10;
        seen += std::string(" ") + box.name + ": " + std::to_string(pixels) + " pixels " + ColourText(box.colour);
    }
    SetWindowPos(e, program.Control(kFrame1), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    checks.Check(coloured, "the results are written in red in f and e, in black in g and h", seen);
}

int CALLBACK NoteFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
    reinterpret_cast<std::set<std::wstring>*>(faces)->insert(font->lfFaceName);
    return 1;
}

// The face the window's Arabic text must be drawn in: Arabic Transparent,
// or where it is missing the first installed of the faces that stand in for
// it, in their order of preference.
std::wstring ExpectedArabicFace() {
    const wchar_t* const preference[] = {L"Arabic Transparent", L"Simplified Arabic",   L"Arial",
                                         L"Nazli",              L"Tahoma",              L"Segoe UI",
                                         L"Noto Naskh Arabic UI", L"Noto Sans Arabic UI", L"DejaVu Sans"};
    std::set<std::wstring> installed;
    LOGFONTW query{};
    query.lfCharSet = ARABIC_CHARSET;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &query, NoteFace, reinterpret_cast<LPARAM>(&installed), 0);
    ReleaseDC(nullptr, screen);
    for (const wchar_t* face : preference) {
        if (installed.count(face)) return face;
    }
    return preference[0];
}

// The pixels that differ from the background, cut to their bounding box.
struct Ink {
    int width = 0;
    int height = 0;
    std::vector<bool> marks;
};

Ink InkOf(const Image& image) {
    COLORREF background = CommonestColour(image);
    RECT box{image.width, image.height, 0, 0};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.At(x, y) == background) continue;
            box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                       std::max<LONG>(box.bottom, y + 1)};
        }
    }
    Ink ink{std::max<int>(0, box.right - box.left), std::max<int>(0, box.bottom - box.top), {}};
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) ink.marks.push_back(image.At(x, y) != background);
    }
    return ink;
}

bool SameInk(const Ink& first, const Ink& second) {
    return first.width == second.width && first.height == second.height && first.marks == second.marks;
}

// `text` in black on white in `font`: shaped by Uniscribe in a right-to-left
// paragraph, as the labels draw their captions, or as plain glyphs, as the
// boxes draw their digits.
Image Rendered(const std::wstring& text, HFONT font, bool shaped) {
    Canvas canvas(1200, 300);
    RECT all{0, 0, 1200, 300};
    FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ old = SelectObject(canvas.Dc(), font);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    SetTextColor(canvas.Dc(), kBlack);
    int length = static_cast<int>(text.size());
    if (shaped) {
        SCRIPT_STATE paragraph{};
        paragraph.uBidiLevel = 1;
        SCRIPT_STRING_ANALYSIS analysis = nullptr;
        if (SUCCEEDED(ScriptStringAnalyse(canvas.Dc(), text.c_str(), length, length * 3 / 2 + 16, -1,
                                          SSA_GLYPHS | SSA_FALLBACK | SSA_RTL, 0, nullptr, &paragraph, nullptr,
                                          nullptr, nullptr, &analysis))) {
            ScriptStringOut(analysis, 100, 100, 0, nullptr, 0, 0, FALSE);
            ScriptStringFree(&analysis);
        }
    } else {
        ExtTextOutW(canvas.Dc(), 100, 100, 0, nullptr, text.c_str(), static_cast<UINT>(length), nullptr);
    }
    SelectObject(canvas.Dc(), old);
    return canvas.Pixels();
}

std::string Describe(const Ink& ink) { return std::to_string(ink.width) + "x" + std::to_string(ink.height); }

struct FontSample {
    const char* name;
    int control;
    int border;  // drawn inside the window by the label itself
    double points;
    bool shaped;
};

// Another process's font handles cannot be read: what the window shows is
// compared with what the expected font draws, ink for ink.
void Fonts(Checks& checks, const Program& program) {
    const FontSample samples[] = {
        {"Label10's caption", kLabel10, 2, 15.75, true},
        {"Label3's credit", kLabel3, 2, 14.25, true},
        {"box c's number", kC, 0, 15.75, false},
    };
    std::wstring face = ExpectedArabicFace();
    for (const FontSample& sample : samples) {
        LOGFONTW description{};
        description.lfHeight = -std::lround(sample.points * ScreenDpi() / 72.0);
        description.lfWeight = FW_NORMAL;
        description.lfCharSet = ARABIC_CHARSET;
        lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
        HFONT font = CreateFontIndirectW(&description);
        HWND window = program.Control(sample.control);
        Ink expected = InkOf(Rendered(program.Text(sample.control), font, sample.shaped));
        DeleteObject(font);
        // One pixel more than the border: rows and the top strip overlap by
        // 15 twips, which at 250 % and 300 % (2.5 and 3 pixels) is a pixel
        // more than a border, so the neighbour above covers the first row
        // inside it. The text keeps clear of it at every scale.
        Ink shown = InkOf(CaptureScreen(Inset(ClientArea(window), sample.border + 1)));
        size_t differing = 0;
        for (size_t i = 0; i < std::min(shown.marks.size(), expected.marks.size()); ++i) {
            differing += shown.marks[i] != expected.marks[i];
        }
        bool same = SameInk(shown, expected);
        char points[16];
        std::snprintf(points, sizeof points, "%g", sample.points);
        checks.Check(same,
                     std::string(sample.name) + " is drawn in " + Narrow(face) + " " + points +
                         " pt, weight 400, Arabic character set",
                     "ink " + Describe(shown) + " on screen, " + Describe(expected) + " expected, " +
                         std::to_string(differing) + " pixels differ");
    }
}

}  // namespace

WholeText LabelTextAsShown(const Program& program, int label, double points) {
    WholeText shown;
    shown.ownHeight = static_cast<int>(std::lround(points * ScreenDpi() / 72.0));
    std::wstring face = ExpectedArabicFace();
    for (int attempt = 0; attempt < 5 && shown.height == 0; ++attempt) {
        shown.text = program.Text(label);
        Ink onScreen = InkOf(CaptureScreen(Inset(WindowArea(program.Control(label)), 2)));
        if (program.Text(label) != shown.text) continue;  // the clock ticked meanwhile
        for (int height = shown.ownHeight; height >= 6 && shown.height == 0; --height) {
            LOGFONTW description{};
            description.lfHeight = -height;
            description.lfWeight = FW_NORMAL;
            description.lfCharSet = ARABIC_CHARSET;
            lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
            HFONT font = CreateFontIndirectW(&description);
            if (SameInk(onScreen, InkOf(Rendered(shown.text, font, true)))) shown.height = height;
            DeleteObject(font);
        }
    }
    return shown;
}

void CheckAppearance(Checks& checks, const Program& program) {
    // The pointer rests outside the window, so that no tooltip covers it.
    RECT window = WindowArea(program.Form());
    MovePointer(window.right + 20, window.bottom + 20);
    RowCaptions(checks, program);
    Backgrounds(checks, program);
    Fonts(checks, program);
    TextColours(checks, program);
    EveryTextReads(checks, program, "");
}

}  // namespace e2e
