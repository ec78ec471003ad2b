// The queries mirror the probe's: receive buffers of 255 blanks and a NUL, size 255 given,
// the rectangle left at zeros unless GetWindowRect writes it.
#include "tests/hostile/capture_oracle.h"

#include <cstdio>

namespace hostile {

namespace {

constexpr int kReceiveSize = 255;

std::string receive(int (*query)(HWND, LPSTR, int), HWND window) {
    std::string buffer(kReceiveSize, ' ');
    buffer.push_back('\0');
    query(window, buffer.data(), kReceiveSize);
    return std::string(buffer.c_str());
}

int windowText(HWND window, LPSTR buffer, int size) {
    return GetWindowTextA(window, buffer, size);
}
int className(HWND window, LPSTR buffer, int size) {
    return GetClassNameA(window, buffer, size);
}

}  // namespace

Queried queryWindow(HWND window) {
    Queried queried;
    queried.window = window;
    queried.title = receive(windowText, window);
    queried.className = receive(className, window);
    queried.atom = GetClassLongA(window, GCW_ATOM);
    queried.style = GetWindowLongA(window, GWL_STYLE);
    queried.id = GetWindowLongA(window, GWL_ID);
    GetWindowRect(window, &queried.rect);
    return queried;
}

Queried queryAt(POINT point) {
    return queryWindow(WindowFromPoint(point));
}

e2e::CaptureTexts shownFor(const Queried& queried) {
    return {e2e::hexText(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(queried.window))),
            queried.title,
            queried.className,
            e2e::hexText(queried.atom),
            e2e::hexText(static_cast<uint32_t>(queried.style)),
            e2e::hexText(static_cast<uint32_t>(queried.id)),
            e2e::rectangleText(queried.rect)};
}

std::string hexBytes(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", c);
        out += (out.empty() ? "" : " ") + std::string(pair);
    }
    return out;
}

}  // namespace hostile
