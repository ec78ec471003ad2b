// Event delivery: the bindings of the window's description from events to the capture
// controller's operations, and eventSuspension, which drops events while it is above 0.
// Platform-free.
#pragma once

#include <cstdint>

#include "core/capture_controller.h"
#include "ui/event_record.h"

class EventDelivery : public EventSink {
public:
    // Binds the description's five events to this controller (not owned).
    void bindTo(CaptureController& controller) { controller_ = &controller; }

    // Delivers nothing while suspended: the event is dropped, not kept for later. Otherwise
    // calls the bound operation, if the event has one, and stores its (absent) result.
    bool raiseEvent(EventRecord& record) override;

    void suspend() { ++eventSuspension_; }
    void resume() {
        if (eventSuspension_ > 0)
            --eventSuspension_;
    }
    int32_t eventSuspension() const { return eventSuspension_; }

private:
    CaptureController* controller_ = nullptr;  // not owned
    int32_t eventSuspension_ = 0;
};

// Suspends event delivery for its lifetime.
class EventSuspension {
public:
    explicit EventSuspension(EventDelivery& delivery) : delivery_(delivery) { delivery_.suspend(); }
    ~EventSuspension() { delivery_.resume(); }
    EventSuspension(const EventSuspension&) = delete;
    EventSuspension& operator=(const EventSuspension&) = delete;

private:
    EventDelivery& delivery_;
};
