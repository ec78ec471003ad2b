// Start-up order, the loop and the final clean-up.
#include "ui/start_up.h"

#include "core/capture_controller.h"
#include "probe/window_probe.h"
#include "ui/event_delivery.h"
#include "ui/inspector_window.h"
#include "ui/inspector_window_side.h"
#include "ui/message_loop.h"
#include "ui/procedure_guard.h"
#include "ui/program_exit.h"

namespace {

constexpr char kCreationFailure[] = "无法创建主窗口“窗口查看辅助工具”或它的控件。";

}  // namespace

int runInspector(const LibraryApi& libraryApi) {
    EventDelivery events;
    ProgramExit programExit(events);
    const auto fatalError = [&programExit](std::string_view message, int32_t errorCode) {
        programExit.runTimeError(message, errorCode);
    };
    setFailureReport(fatalError);
    // The probe's binding table starts with no entry bound.
    WindowProbe probe(fatalError, libraryApi);
    InspectorWindow window(events);
    programExit.attach(&window, &probe);
    InspectorWindowSide windowSide(probe, window, programExit);
    CaptureController controller(windowSide);
    events.bindTo(controller);

    bool created = false;
    {
        // Nothing is delivered while the window and its controls are made.
        EventSuspension creating(events);
        created = window.createInspectorWindow();
    }
    if (!created)
        programExit.runTimeError(kCreationFailure, 0);

    // Runs onCreated while the window is still hidden.
    EventRecord createdEvent(Control::window, Event::createdEvent);
    events.raiseEvent(createdEvent);
    // Activation gives the focus to the window, which passes it to 编辑框1.
    if (window.exists())
        ShowWindow(window.handle(), SW_SHOW);

    MessageLoop loop(window, events);
    window.setOnClosed([&loop] {
        if (loop.running())
            PostQuitMessage(0);
    });
    int exitCode = 0;
    if (window.exists())
        exitCode = loop.run();

    // Final clean-up: no event from here on; free the probe's modules and the icons.
    events.suspend();
    window.endForExit();
    probe.releaseModules();
    setFailureReport(nullptr);
    return exitCode;
}
