// The probe's table of late-bound functions: which function each entry names, in which
// library, and the libraries searched for an entry that names none.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>

#include "probe/library_api.h"

struct FunctionBinding {
    const char* libraryFile;    // "" when no library is named: systemLibraries are searched
    const char* functionName;   // the exported name looked up
    FARPROC address = nullptr;  // none until bound; fixed from then on
    LoadedModule module{};      // owned: the library that supplied address
};

// Entry numbers, in table order.
enum FunctionEntry : size_t {
    getCursorPosEntry = 0,
    windowFromPointEntry = 1,
    getWindowTextEntry = 2,
    getClassNameEntry = 3,
    getClassLongEntry = 4,
    getWindowLongEntry = 5,
    getWindowRectEntry = 6,
    functionEntryCount = 7,
};

// The type of each entry's function, taken from its Windows declaration so the calling
// convention and the arguments cannot drift from it.
using GetCursorPosFunction = decltype(&::GetCursorPos);
using WindowFromPointFunction = decltype(&::WindowFromPoint);
using GetWindowTextFunction = decltype(&::GetWindowTextA);
using GetClassNameFunction = decltype(&::GetClassNameA);
using GetClassLongFunction = decltype(&::GetClassLongA);
using GetWindowLongFunction = decltype(&::GetWindowLongA);
using GetWindowRectFunction = decltype(&::GetWindowRect);

// A fresh table with no entry bound.
inline std::array<FunctionBinding, functionEntryCount> unboundFunctionTable() {
    return {{
        {"user32.dll", "GetCursorPos"},
        {"user32.dll", "WindowFromPoint"},
        {"user32.dll", "GetWindowTextA"},
        {"user32.dll", "GetClassNameA"},
        {"", "GetClassLongA"},
        {"user32.dll", "GetWindowLongA"},
        {"user32.dll", "GetWindowRect"},
    }};
}

// Searched in this order for an entry whose library file is empty.
constexpr std::array<const char*, 6> systemLibraries = {
    "Kernel32.dll", "Gdi32.dll", "User32.dll", "Advapi32.dll", "Mpr.dll", "Shell32.dll",
};
