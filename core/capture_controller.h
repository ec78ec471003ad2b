// Decides when the window under the cursor is read and puts what was read on screen.
// Continuous capture follows the cursor every timer tick; a grab switches to one capture
// a second later, after which the timer is stopped until the next grab.
#pragma once

#include <cstdint>

#include "core/window_side.h"

class CaptureController {
public:
    static constexpr int32_t grabDelayMs = 1000;
    static constexpr const char* trayTip = "Ozvelt。";
    static constexpr const char* outOfMemoryMessage = "内存不足，无法生成显示文本。";

    explicit CaptureController(WindowSide& windowSide) : windowSide_(windowSide) {}

    // The five operations the window's events are bound to.
    void onCreated();
    void onGrabClicked();
    void onDoubleClick();
    void onExitClicked();
    void onTick();

    bool continuousCapture() const { return continuousCapture_; }

private:
    void armSingleCapture();
    void showCapture(const WindowSnapshot& snapshot);

    WindowSide& windowSide_;  // not owned
    bool continuousCapture_ = false;
};
