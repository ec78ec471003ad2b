// The ways the program ends on purpose: endProgram, and runTimeError, the fatal error report
// that shows a modal box above the always-on-top main window and then ends with -1.
#pragma once

#include <cstdint>
#include <string_view>

#include "probe/window_probe.h"
#include "ui/event_delivery.h"
#include "ui/inspector_window.h"

class ProgramExit {
public:
    static constexpr int32_t kFatalExitCode = -1;

    explicit ProgramExit(EventDelivery& events) : events_(events) {}

    // What endProgram releases; either may be left out (nullptr). Neither is owned.
    void attach(InspectorWindow* window, WindowProbe* probe) {
        window_ = window;
        probe_ = probe;
    }

    // Suspends events for good, deletes the notification-area icon, destroys the main
    // window with its controls and icons, frees the probe's modules and ends the process.
    [[noreturn]] void endProgram(int32_t exitCode);

    // Suspends events for good, shows the error box and, once it is closed, endProgram(-1).
    [[noreturn]] void runTimeError(std::string_view message, int32_t errorCode);

private:
    EventDelivery& events_;              // not owned
    InspectorWindow* window_ = nullptr;  // not owned
    WindowProbe* probe_ = nullptr;       // not owned
};

// The box's style: modal, error icon, and WS_EX_TOPMOST through MB_SYSTEMMODAL, so that the
// box is not opened underneath the topmost main window.
constexpr unsigned kRunTimeErrorBoxStyle = MB_OK | MB_ICONERROR | MB_SYSTEMMODAL | MB_SETFOREGROUND;

// Shows the run-time error box without an owner window; returns when the user closes it.
void showRunTimeErrorBox(std::string_view message, int32_t errorCode);
