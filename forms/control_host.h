#pragma once
// What a control needs of the form that holds it.

#include "forms/description.h"

#include "platform/win32.h"

#include <cstdint>

namespace forms {

class ControlHost {
public:
    // The font a control is drawn in, made once for the form's DPI.
    virtual HFONT Font(const ControlDescription& control) = 0;
    virtual int Dpi() const = 0;
    // Key preview: a character typed into `target` reaches the form's key
    // handler first, then the target control's, each of which may change the
    // code or zero it. False when one zeroed it: the character is dropped.
    virtual bool FilterCharacter(HWND target, int16_t& code) = 0;

protected:
    ~ControlHost() = default;
};

}  // namespace forms
