#include "app/form1.h"

// Exit: Escape (the cancel button) ends the program at once.
void Command2_Click() { forms::Form::End(); }
