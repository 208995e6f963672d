#pragma once
// Fonts of a form, created once at the screen's DPI. A face that is not
// installed with the requested character set is replaced by the first
// installed one of a short list of faces that carry it.

#include "forms/description.h"
#include "platform/handles.h"

#include "platform/win32.h"

#include <string>
#include <utility>
#include <vector>

namespace forms {

class FontSet {
public:
    explicit FontSet(int dpi) : dpi_(dpi) {}
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;

    HFONT Get(const FontDescription& description);

private:
    int dpi_;
    std::vector<std::pair<const FontDescription*, platform::Font>> fonts_;
};

}  // namespace forms
