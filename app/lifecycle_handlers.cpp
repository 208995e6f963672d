#include "app/form1.h"
#include "caption/caption_colors.h"
#include "caption/caption_hook.h"

// The caption's colour scheme, its font and the hook are in place before the
// window is first shown, so the painted caption shows from the first frame.
void Form_Load() {
    CaptionScheme.customColors = kTrue;
    CaptionScheme.verticalGradient = kTrue;
    CaptionScheme.activeTextColor = 0xFF00;
    CaptionScheme.inactiveTextColor = 0xC0C0C0;
    CaptionScheme.activeStartColor = 0x800000;
    CaptionScheme.activeEndColor = 0xFFFF8000;  // the 16-bit 0x8000 widened with its sign
    CaptionScheme.inactiveStartColor = 0;
    CaptionScheme.inactiveEndColor = 0xFF0000;
    LoadCaptionFont();
    HookCaption(Form1());
}

// Exit: Escape (the cancel button) ends the program at once.
void Command2_Click() { forms::Form::End(); }
