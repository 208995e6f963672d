#include "app/value_boxes.h"

#include "app/form1.h"

namespace {

const char* ControlName(ValueBox box) {
    switch (box) {
        case ValueBox::b: return form1::kB;
        case ValueBox::c: return form1::kC;
        case ValueBox::d: return form1::kD;
        case ValueBox::e: return form1::kE;
        case ValueBox::f: return form1::kF;
        case ValueBox::g: return form1::kG;
        case ValueBox::h: return form1::kH;
    }
    return form1::kB;
}

}  // namespace

std::string Utf8FromWide(const std::wstring& wide) {
    int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr, nullptr);
    return text;
}

std::wstring WideFromUtf8(const std::string& utf8) {
    int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
    return text;
}

std::string Form1ValueBoxes::Text(ValueBox box) const { return Utf8FromWide(Form1().Text(ControlName(box))); }

void Form1ValueBoxes::SetText(ValueBox box, const std::string& text) {
    Form1().SetText(ControlName(box), WideFromUtf8(text));
}
