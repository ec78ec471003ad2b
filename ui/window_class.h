// Registration of the program's own window classes: the arrow cursor, no background brush
// and no class icon, so each window paints and dresses itself.
#pragma once

#include <windows.h>

// Registers the class in the program's module once; true when it exists afterwards.
bool registerPlainWindowClass(const char* name, UINT classStyle, WNDPROC procedure);
