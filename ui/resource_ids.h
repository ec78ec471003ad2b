// Identifiers of the executable's resources, shared by resources.rc and the code; plain
// macros because the resource compiler only runs the preprocessor.
#pragma once

// The program icon. The lowest icon id, so file managers show this one.
#define IDI_INSPECTOR 1
// The same ICO file as raw bytes, from which the window and the notification area make
// their images.
#define IDR_INSPECTOR_ICO 101
