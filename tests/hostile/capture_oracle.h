// What the tool must show for whatever window lies at a screen point: the same eight
// queries made from the test process, with the tool's receive buffers (255 blanks, size 255).
#pragma once

#include <windows.h>

#include <string>

#include "tests/e2e/harness.h"

namespace hostile {

struct Queried {
    HWND window = nullptr;
    std::string title;
    std::string className;
    DWORD atom = 0;
    LONG style = 0;
    LONG id = 0;
    RECT rect{};
};

// The queries for the window at the point (WindowFromPoint), or for the given window.
Queried queryAt(POINT point);
Queried queryWindow(HWND window);
// The seven texts the tool's boxes show for those values.
e2e::CaptureTexts shownFor(const Queried& queried);
// Bytes as hex pairs, for reporting texts that are not valid in the code page.
std::string hexBytes(const std::string& text);

}  // namespace hostile
