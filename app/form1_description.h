#pragma once
// Form1 as data: the form and its 22 controls.

#include "forms/description.h"

extern const forms::FormDescription kForm1;
