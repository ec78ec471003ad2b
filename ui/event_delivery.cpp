// The binding table of the window's description and raiseEvent.
#include "ui/event_delivery.h"

#include <array>

namespace {

struct EventBinding {
    Control source;
    Event event;
    void (CaptureController::*operation)();
};

// The window's left-press and left-release bindings are not carried: with drag-to-move on,
// the main window never raises leftPressEvent, and the left-release operation does nothing.
constexpr std::array<EventBinding, 5> kBindings = {{
    {Control::window, Event::createdEvent, &CaptureController::onCreated},
    {Control::window, Event::doubleClickEvent, &CaptureController::onDoubleClick},
    {Control::button2, Event::clickedEvent, &CaptureController::onGrabClicked},
    {Control::button3, Event::clickedEvent, &CaptureController::onExitClicked},
    {Control::timer1, Event::periodicEvent, &CaptureController::onTick},
}};

}  // namespace

bool EventDelivery::raiseEvent(EventRecord& record) {
    if (eventSuspension_ > 0 || controller_ == nullptr)
        return false;
    for (const EventBinding& binding : kBindings) {
        if (binding.source == record.control && binding.event == record.event) {
            (controller_->*binding.operation)();
            record.result.reset();  // the controller's operations return no value
            return true;
        }
    }
    return false;
}
