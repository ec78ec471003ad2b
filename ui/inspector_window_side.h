// The window side of the capture controller in the running program: each operation goes
// to the part that owns it (probe, main window, timer, notification-area icon, exit).
#pragma once

#include "core/window_side.h"
#include "probe/window_probe.h"
#include "ui/inspector_window.h"
#include "ui/program_exit.h"

class InspectorWindowSide : public WindowSide {
public:
    InspectorWindowSide(WindowProbe& probe, InspectorWindow& window, ProgramExit& programExit)
        : probe_(probe), window_(window), programExit_(programExit) {}

    WindowSnapshot captureUnderCursor() override { return probe_.captureUnderCursor(); }
    void writeContent(EditBox box, std::string_view text) override {
        window_.writeContent(box, text);
    }
    std::optional<std::string> readIcon() override { return window_.readIcon(); }
    void writePeriod(int32_t milliseconds) override { window_.timer1().writePeriod(milliseconds); }
    void setTrayIcon(std::string_view iconBytes, std::optional<std::string_view> tip) override {
        window_.trayIcon().setTrayIcon(window_.handle(), iconBytes, tip);
    }
    void endProgram(int32_t exitCode) override { programExit_.endProgram(exitCode); }
    void runTimeError(std::string_view message, int32_t errorCode) override {
        programExit_.runTimeError(message, errorCode);
    }

private:
    WindowProbe& probe_;        // not owned
    InspectorWindow& window_;   // not owned
    ProgramExit& programExit_;  // not owned
};
