// Creation as start-up does it (events suspended, onCreated before showing), then the
// window's timer is stopped; the caller's onTick calls take its place.
#include "bench/in_process_inspector.h"

#include <string_view>

#include "ui/window_description.h"

namespace {

std::string describeFatal(std::string_view message, int32_t errorCode) {
    return std::string(message) + " (code " + std::to_string(errorCode) + ")";
}

}  // namespace

void InProcessInspector::RecordingSide::endProgram(int32_t exitCode) {
    fatalErrors_.push_back("endProgram(" + std::to_string(exitCode) + ")");
}

void InProcessInspector::RecordingSide::runTimeError(std::string_view message, int32_t errorCode) {
    fatalErrors_.push_back(describeFatal(message, errorCode));
}

InProcessInspector::InProcessInspector(const LibraryApi& libraryApi)
    : programExit_(events_),
      probe_(
          [this](std::string_view message, int32_t errorCode) {
              fatalErrors_.push_back(describeFatal(message, errorCode));
          },
          libraryApi),
      window_(events_),
      side_(probe_, window_, programExit_, fatalErrors_),
      controller_(side_) {
    events_.bindTo(controller_);
    {
        EventSuspension creating(events_);
        created_ = window_.createInspectorWindow();
    }
    if (!created_)
        return;
    EventRecord createdEvent(Control::window, Event::createdEvent);
    events_.raiseEvent(createdEvent);
    window_.timer1().writePeriod(0);
    ShowWindow(window_.handle(), SW_SHOWNOACTIVATE);
    pumpMessages();
}

InProcessInspector::~InProcessInspector() {
    events_.suspend();
    window_.endForExit();
    pumpMessages();
}

HWND InProcessInspector::editBoxWindow(EditBox box) const {
    return window_.controlHandle(controlOf(box));
}

void InProcessInspector::pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
