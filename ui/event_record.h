// The events that the window layer raises, the record passed to raiseEvent, and the sink
// that receives them. Platform-free.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>

#include "ui/window_description.h"

enum class Event : uint8_t {
    createdEvent,         // the main window, after it and all its controls exist
    closeQueryEvent,      // the main window, on WM_CLOSE and WM_QUERYENDSESSION
    destroyEvent,         // the main window, on WM_DESTROY
    trayEvent,            // the main window, a mouse action on its notification-area icon
    leftPressEvent,       // x, y, keys
    leftReleaseEvent,     // x, y, keys
    doubleClickEvent,     // x, y, keys
    clickedEvent,         // a button
    contentChangedEvent,  // an edit box
    periodicEvent,        // the timer
};

// Modifier-key bits of the mouse events' keys argument.
constexpr int32_t kCtrlKey = 1;
constexpr int32_t kShiftKey = 2;
constexpr int32_t kAltKey = 4;

struct EventRecord {
    EventRecord(Control sourceControl, Event kind, std::initializer_list<int32_t> values = {})
        : control(sourceControl), event(kind) {
        for (int32_t value : values) {
            if (argumentCount < arguments.size())
                arguments[argumentCount++] = value;
        }
    }

    // The program has one window, so the record names only the source within it.
    Control control;  // a control of the main window, or Control::window
    Event event;
    std::array<int32_t, 3> arguments{};
    uint8_t argumentCount = 0;
    std::optional<int32_t> result;  // filled in by raiseEvent; none when no value came back

    // An operation that returned an explicit false asks to cancel the default handling.
    bool cancelled() const { return result.has_value() && *result == 0; }
};

class EventSink {
public:
    virtual ~EventSink() = default;
    // Delivers the event to the operation bound to it; true when one ran.
    virtual bool raiseEvent(EventRecord& record) = 0;
};
