// The program's message loop and the pre-translation of each retrieved message on behalf of
// the main window: drag-to-move, Tab navigation and the controls' mouse events.
#pragma once

#include <windows.h>

#include "ui/event_record.h"
#include "ui/inspector_window.h"

class MessageLoop {
public:
    MessageLoop(InspectorWindow& window, EventSink& events) : window_(window), events_(events) {}

    // Runs until WM_QUIT and returns its wParam. There is no dialog-manager processing.
    int run();
    // Set once the loop has started; decides whether the window's closing ends the loop.
    bool running() const { return running_; }

    // Pre-translates one retrieved message; true when it is consumed (not dispatched).
    bool preTranslate(const MSG& message);

private:
    bool dragToMove(Control target);
    bool navigate(const MSG& message);
    bool raiseMouseEvent(const MSG& message, Control target);

    InspectorWindow& window_;  // not owned
    EventSink& events_;        // not owned
    bool running_ = false;
};

// The modifier keys down now, as the mouse events' keys argument: 1 Ctrl, 2 Shift, 4 Alt.
int32_t modifierKeys();
