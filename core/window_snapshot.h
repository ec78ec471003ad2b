// The values one capture reads about the window under the cursor.
#pragma once

#include <cstdint>
#include <string>

// Same layout as the Windows RECT: four signed 32-bit screen coordinates.
struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct WindowSnapshot {
    uint32_t handle = 0;     // the window found at the cursor position
    std::string title;       // at most 254 bytes, ANSI code page
    std::string className;   // at most 254 bytes, ANSI code page
    uint32_t classAtom = 0;  // as the class-long query returns it; the atom is the low word
    uint32_t style = 0;
    uint32_t controlId = 0;
    ScreenRect rect;  // stays all zeros when the rectangle query writes nothing
};
