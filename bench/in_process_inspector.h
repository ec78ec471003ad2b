// The real inspector inside the calling process: main window with its edit boxes, window
// probe, window side and capture controller, wired as start-up wires them, but with the
// window's own timer stopped so that the caller drives onTick. Fatal errors are recorded
// instead of shown in a box, so a benchmark or soak run never waits on a dialog.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/capture_controller.h"
#include "probe/window_probe.h"
#include "ui/event_delivery.h"
#include "ui/inspector_window.h"
#include "ui/inspector_window_side.h"
#include "ui/program_exit.h"

class InProcessInspector {
public:
    explicit InProcessInspector(const LibraryApi& libraryApi = systemLibraryApi());
    ~InProcessInspector();
    InProcessInspector(const InProcessInspector&) = delete;
    InProcessInspector& operator=(const InProcessInspector&) = delete;

    // True when the window and all its controls exist and are shown.
    bool created() const { return created_; }
    CaptureController& controller() { return controller_; }
    InspectorWindow& window() { return window_; }
    HWND editBoxWindow(EditBox box) const;
    // Every fatal error reported so far (message and code), in order.
    const std::vector<std::string>& fatalErrors() const { return fatalErrors_; }
    // Dispatches this thread's pending messages (paints, notifications).
    static void pumpMessages();

private:
    // The program's window side with the two ending operations recorded instead.
    class RecordingSide : public InspectorWindowSide {
    public:
        RecordingSide(WindowProbe& probe, InspectorWindow& window, ProgramExit& programExit,
                      std::vector<std::string>& fatalErrors)
            : InspectorWindowSide(probe, window, programExit), fatalErrors_(fatalErrors) {}
        void endProgram(int32_t exitCode) override;
        void runTimeError(std::string_view message, int32_t errorCode) override;

    private:
        std::vector<std::string>& fatalErrors_;  // not owned
    };

    std::vector<std::string> fatalErrors_;
    EventDelivery events_;
    ProgramExit programExit_;  // never used to end: the recording side replaces it
    WindowProbe probe_;
    InspectorWindow window_;
    RecordingSide side_;
    CaptureController controller_;
    bool created_ = false;
};
