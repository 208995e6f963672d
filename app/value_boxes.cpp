#include "app/value_boxes.h"

#include "app/form1.h"

namespace {

const char* ControlName(ValueBox box) {
    switch (box) {
        case ValueBox::b: return "b";
        case ValueBox::c: return "c";
        case ValueBox::d: return "d";
        case ValueBox::e: return "e";
        case ValueBox::f: return "f";
        case ValueBox::g: return "g";
        case ValueBox::h: return "h";
    }
    return "b";
}

}  // namespace

// Box texts are UTF-16 in the window and UTF-8 in the calculator, whose
// numbers are plain ASCII either way.
std::string Form1ValueBoxes::Text(ValueBox box) const {
    std::wstring wide = Form1().Text(ControlName(box));
    int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr, nullptr);
    return text;
}

void Form1ValueBoxes::SetText(ValueBox box, const std::string& text) {
    Form1().SetText(ControlName(box), std::wstring(text.begin(), text.end()));
}
