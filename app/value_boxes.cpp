#include "app/value_boxes.h"

#include "app/form1.h"

namespace {

forms::TextBox& BoxOf(ValueBox box) {
    Form1Window& form = Form1();
    switch (box) {
        case ValueBox::b: return form.b;
        case ValueBox::c: return form.c;
        case ValueBox::d: return form.d;
        case ValueBox::e: return form.e;
        case ValueBox::f: return form.f;
        case ValueBox::g: return form.g;
        case ValueBox::h: return form.h;
    }
    return form.b;  // every box is listed above; the compiler asks for a return
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

std::string Form1ValueBoxes::Text(ValueBox box) const { return Utf8FromWide(BoxOf(box).Text()); }

void Form1ValueBoxes::SetText(ValueBox box, const std::string& text) { BoxOf(box).SetText(WideFromUtf8(text)); }
