// The floor is what a hand-written capture would do: the same calls, wsprintfA for the
// numbers, and the edit boxes written in the controller's order.
#include "bench/capture_measure.h"

#include <windows.h>

#include <array>
#include <cstring>

namespace {

constexpr int kReceiveSize = 255;

double microsecondsBetween(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1e6 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// The boxes in the order onTick writes them.
using Boxes = std::array<HWND, 7>;

struct Queried {
    HWND window;
    char title[kReceiveSize + 1];
    char className[kReceiveSize + 1];
    DWORD atom;
    LONG style;
    LONG id;
    RECT rect;
};

void floorQueries(Queried& queried) {
    POINT point{};
    GetCursorPos(&point);
    queried.window = WindowFromPoint(point);
    std::memset(queried.title, ' ', kReceiveSize);
    std::memset(queried.className, ' ', kReceiveSize);
    queried.title[kReceiveSize] = queried.className[kReceiveSize] = '\0';
    GetWindowTextA(queried.window, queried.title, kReceiveSize);
    GetClassNameA(queried.window, queried.className, kReceiveSize);
    queried.atom = GetClassLongA(queried.window, GCW_ATOM);
    queried.style = GetWindowLongA(queried.window, GWL_STYLE);
    queried.id = GetWindowLongA(queried.window, GWL_ID);
    queried.rect = RECT{};
    GetWindowRect(queried.window, &queried.rect);
}

void floorCapture(const Boxes& boxes) {
    Queried queried;
    floorQueries(queried);
    char text[64];
    wsprintfA(text, "%X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(queried.window)));
    SetWindowTextA(boxes[0], text);
    SetWindowTextA(boxes[1], queried.title);
    SetWindowTextA(boxes[2], queried.className);
    wsprintfA(text, "%X", static_cast<unsigned>(queried.atom));
    SetWindowTextA(boxes[3], text);
    wsprintfA(text, "%X", static_cast<unsigned>(queried.style));
    SetWindowTextA(boxes[4], text);
    wsprintfA(text, "%X", static_cast<unsigned>(queried.id));
    SetWindowTextA(boxes[5], text);
    wsprintfA(text, "%d %d %d %d ", static_cast<int>(queried.rect.left),
              static_cast<int>(queried.rect.top), static_cast<int>(queried.rect.right),
              static_cast<int>(queried.rect.bottom));
    SetWindowTextA(boxes[6], text);
}

template <class Capture>
double timeBatch(int captures, Capture&& capture) {
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < captures; ++i)
        capture();
    QueryPerformanceCounter(&end);
    InProcessInspector::pumpMessages();
    return microsecondsBetween(start, end) / captures;
}

}  // namespace

CaptureFigures measureCapture(InProcessInspector& inspector, int rounds, int capturesPerRound) {
    const Boxes boxes = {
        inspector.editBoxWindow(EditBox::editBox7), inspector.editBoxWindow(EditBox::editBox1),
        inspector.editBoxWindow(EditBox::editBox2), inspector.editBoxWindow(EditBox::editBox3),
        inspector.editBoxWindow(EditBox::editBox4), inspector.editBoxWindow(EditBox::editBox5),
        inspector.editBoxWindow(EditBox::editBox8)};
    CaptureController& controller = inspector.controller();
    const auto tool = [&controller] { controller.onTick(); };
    const auto floor = [&boxes] { floorCapture(boxes); };
    Queried queried;
    const auto queries = [&queried] { floorQueries(queried); };
    // Binds the probe's functions and warms both paths before anything is timed.
    timeBatch(capturesPerRound, tool);
    timeBatch(capturesPerRound, floor);

    CaptureFigures figures;
    for (int round = 0; round < rounds; ++round) {
        // Alternating which goes first keeps a drift of the machine's load out of the ratio.
        if (round % 2 == 0) {
            figures.toolUs.push_back(timeBatch(capturesPerRound, tool));
            figures.floorUs.push_back(timeBatch(capturesPerRound, floor));
        } else {
            figures.floorUs.push_back(timeBatch(capturesPerRound, floor));
            figures.toolUs.push_back(timeBatch(capturesPerRound, tool));
        }
        figures.queriesUs.push_back(timeBatch(capturesPerRound, queries));
    }
    return figures;
}
