// The Button control: an ordinary push button (never a default push button) with a centred
// caption; a click raises its clickedEvent.
#pragma once

#include <windows.h>

#include "ui/event_record.h"
#include "ui/window_description.h"

class ButtonControl {
public:
    ButtonControl(Control name, EventSink& events) : name_(name), events_(events) {}
    ButtonControl(const ButtonControl&) = delete;
    ButtonControl& operator=(const ButtonControl&) = delete;

    // Creates the hidden BUTTON child window; nullptr on failure.
    HWND create(HWND parent, const ControlRow& row, int32_t id);
    HWND window() const { return window_; }

    // A WM_COMMAND notification from this button, handed back by the parent: BN_CLICKED
    // (a click, Space while focused, or BM_CLICK) raises clickedEvent.
    void onCommand(WORD notification);

private:
    Control name_;
    EventSink& events_;      // not owned
    HWND window_ = nullptr;  // destroyed with the main window
};
