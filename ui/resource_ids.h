// Identifiers of the executable's resources, shared by resources.rc and the code; plain
// macros because the resource compiler only runs the preprocessor.
#pragma once

// The program icon, also the source of the ICO file that the window and the notification
// area make their images from. The lowest icon id, so file managers show this one.
#define IDI_INSPECTOR 1
