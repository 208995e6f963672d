#pragma once
// Shared by the resource script and the code.

#define kProgramIcon 1
#define kManifest 1

#define kVersionNumbers 1, 0, 0, 0
#define kVersionText "1.00"
