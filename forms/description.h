#pragma once
// A form and its controls as data. The runtime builds the window from this
// description and never creates, moves or resizes a control afterwards.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace forms {

enum class ControlKind { Frame, TextBox, Label, CommandButton, Timer };
enum class Alignment { Default, Left, Right, Center };
enum class Border { None, FixedSingle };

struct FontDescription {
    const wchar_t* face;
    double points;
    int weight;
    int charset;
};

// Colours are 0x00BBGGRR; 0x80000000 + n is the platform's system colour n.
using Colour = uint32_t;
constexpr Colour SystemColour(int index) { return 0x80000000u + static_cast<Colour>(index); }
constexpr Colour kDefaultColour = 0xFFFFFFFFu;

// What a paste into a text box enters as: the text to put in place of the
// selection, or nothing where the paste is refused whole.
using PasteRule = std::optional<std::u16string> (*)(std::u16string_view pasted);

// A control's place in its form's list of controls, typed by its kind. The
// form's code reaches its controls through these: a misspelled name or a
// control taken for another kind fails to build.
template <ControlKind Kind>
struct ControlSlot {
    static constexpr ControlKind kKind = Kind;
    int index;
};

// The container of a control placed on the form itself.
constexpr int kOnForm = -1;
template <ControlKind Kind>
constexpr int In(ControlSlot<Kind> container) {
    return container.index;
}

struct ControlDescription {
    const char* name;  // what tools, readers and tests know the control by
    ControlKind kind;
    int container;  // the index of its frame in the form's controls, or kOnForm
    int left, top, width, height;  // twips, from the container's top-left
    const wchar_t* caption;
    const FontDescription* font;  // nullptr: the container's font
    Colour backColour;
    Colour textColour;
    Border border;
    Alignment alignment;
    int tabIndex;
    bool readOnly;
    int maxLength;  // 0: no limit
    bool isDefault;
    bool isCancel;
    bool rightToLeft;
    const wchar_t* tooltip;
    int interval;  // timers only, milliseconds
    PasteRule pasteRule = nullptr;  // text boxes: nullptr takes a paste as it is
};

// What a screen reader calls a control the form shows no caption of its own
// for: the current text of a label that shows one, or a name of its own.
struct ReaderName {
    int control;  // indexes into the form's controls
    int label;    // kNoLabel: named by `name`
    const wchar_t* name;
};
constexpr int kNoLabel = -1;

struct FormDescription {
    const char* name;
    const wchar_t* caption;
    int clientWidth, clientHeight;  // twips
    int left, top;                  // design position of the client area, twips
    Colour backColour;
    const FontDescription* font;
    bool keyPreview;
    int iconResource;
    const ControlDescription* controls;  // listed top of the stacking order first, per container
    size_t controlCount;
    const ReaderName* readerNames;
    size_t readerNameCount;
};

}  // namespace forms
