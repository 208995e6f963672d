#include "forms/container.h"

#include "forms/command_button.h"
#include "forms/gdi_scope.h"

namespace forms {
namespace {

// The control whose window a message names, when it is a child of this
// container: every child of a container is a control's window.
Control* Child(HWND container, HWND window) {
    return window && GetParent(window) == container ? Control::Of(window) : nullptr;
}

const CommandButton* ChildButton(HWND container, HWND window) { return As<CommandButton>(Child(container, window)); }

}  // namespace

bool AnswerAsContainer(HWND container, HBRUSH background, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT& result) {
    switch (message) {
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (const CommandButton* button = item ? ChildButton(container, item->hwndItem) : nullptr) {
                button->Draw(*item);
            }
            result = TRUE;
            return true;
        }
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                if (const CommandButton* button = ChildButton(container, reinterpret_cast<HWND>(lParam))) {
                    button->Click();
                }
            }
            result = 0;
            return true;
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT: {
            PaintScope paint(container);
            FillRect(paint.Dc(), &paint.Invalid(), background);
            result = 0;
            return true;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            Control* child = Child(container, reinterpret_cast<HWND>(lParam));
            result = child ? child->ColourDeviceContext(reinterpret_cast<HDC>(wParam)) : 0;
            return true;
        }
    }
    return false;
}

}  // namespace forms
