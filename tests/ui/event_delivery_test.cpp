// Event delivery: each binding reaches its controller operation, unbound events are not
// handled, and while eventSuspension is above 0 events are dropped rather than queued.
#include "ui/event_delivery.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using C = Control;

class RecordingWindowSide : public WindowSide {
public:
    WindowSnapshot captureUnderCursor() override {
        calls.push_back("capture");
        return {};
    }
    void writeContent(EditBox, std::string_view) override { calls.push_back("write"); }
    std::optional<std::string> readIcon() override {
        calls.push_back("readIcon");
        return std::string("ico");
    }
    void writePeriod(int32_t value) override { calls.push_back("period " + std::to_string(value)); }
    void setTrayIcon(std::string_view bytes, std::optional<std::string_view>) override {
        calls.push_back("tray " + std::string(bytes));
    }
    void endProgram(int32_t code) override { calls.push_back("end " + std::to_string(code)); }
    void runTimeError(std::string_view, int32_t) override { calls.push_back("error"); }

    std::vector<std::string> calls;
};

class EventDeliveryTest : public testing::Test {
protected:
    EventDeliveryTest() { delivery.bindTo(controller); }

    bool raise(Control control, Event event) {
        EventRecord record(control, event);
        return delivery.raiseEvent(record);
    }

    RecordingWindowSide side;
    CaptureController controller{side};
    EventDelivery delivery;
};

// A tick before onCreated: one capture, seven writes, and the timer stopped.
const std::vector<std::string> kTickCalls = {"capture", "write", "write", "write",   "write",
                                             "write",   "write", "write", "period 0"};

TEST_F(EventDeliveryTest, TheFiveBindingsReachTheirOperations) {
    const struct {
        Control control;
        Event event;
        std::vector<std::string> calls;
    } cases[] = {
        {C::window, Event::createdEvent, {"readIcon", "tray ico"}},
        {C::window, Event::doubleClickEvent, {"period 1000"}},
        {C::button2, Event::clickedEvent, {"period 1000"}},
        {C::button3, Event::clickedEvent, {"end 0"}},
        {C::timer1, Event::periodicEvent, kTickCalls},
    };
    for (const auto& c : cases) {
        side.calls.clear();
        EventRecord record(c.control, c.event, {10, 20, 0});
        record.result = 5;
        EXPECT_TRUE(delivery.raiseEvent(record)) << static_cast<int>(c.event);
        EXPECT_EQ(side.calls, c.calls) << static_cast<int>(c.event);
        EXPECT_EQ(record.result, std::nullopt) << "the operations return no value";
    }
}

TEST_F(EventDeliveryTest, UnboundEventsAreNotHandledAndDoNothing) {
    const struct {
        Control control;
        Event event;
    } cases[] = {
        {C::window, Event::leftPressEvent},
        {C::window, Event::leftReleaseEvent},
        {C::window, Event::closeQueryEvent},
        {C::window, Event::destroyEvent},
        {C::window, Event::trayEvent},
        {C::window, Event::clickedEvent},
        {C::label1, Event::doubleClickEvent},
        {C::editBox1, Event::doubleClickEvent},
        {C::editBox7, Event::contentChangedEvent},
        {C::button2, Event::doubleClickEvent},
        {C::button2, Event::leftPressEvent},
        {C::button3, Event::periodicEvent},
        {C::timer1, Event::clickedEvent},
        {C::label9, Event::createdEvent},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(raise(c.control, c.event))
            << static_cast<int>(c.control) << " " << static_cast<int>(c.event);
    }
    EXPECT_TRUE(side.calls.empty());
}

TEST_F(EventDeliveryTest, SuspendedEventsAreDroppedNotQueued) {
    {
        EventSuspension creating(delivery);
        EXPECT_FALSE(raise(C::timer1, Event::periodicEvent));
        EXPECT_FALSE(raise(C::button2, Event::clickedEvent));
        EXPECT_FALSE(raise(C::window, Event::createdEvent));
    }
    EXPECT_EQ(delivery.eventSuspension(), 0);
    EXPECT_TRUE(side.calls.empty());

    // After the suspension ends nothing dropped comes back; new events are delivered.
    EXPECT_TRUE(raise(C::timer1, Event::periodicEvent));
    EXPECT_EQ(side.calls, kTickCalls);
}

TEST_F(EventDeliveryTest, SuspensionCounts) {
    delivery.suspend();
    {
        EventSuspension nested(delivery);
        EXPECT_EQ(delivery.eventSuspension(), 2);
    }
    EXPECT_FALSE(raise(C::button3, Event::clickedEvent)) << "still suspended once";
    delivery.resume();
    delivery.resume();  // never goes below 0
    EXPECT_EQ(delivery.eventSuspension(), 0);
    EXPECT_TRUE(raise(C::button3, Event::clickedEvent));
    EXPECT_EQ(side.calls, std::vector<std::string>{"end 0"});
}

TEST(EventDelivery, NothingIsHandledBeforeAControllerIsBound) {
    EventDelivery delivery;
    EventRecord record(C::timer1, Event::periodicEvent);
    EXPECT_FALSE(delivery.raiseEvent(record));
}

TEST(EventRecord, KeepsUpToThreeArgumentsAndAnExplicitFalseCancels) {
    EventRecord record(C::window, Event::doubleClickEvent, {65535, 7, 3});
    EXPECT_EQ(record.argumentCount, 3);
    EXPECT_EQ(record.arguments[0], 65535);
    EXPECT_EQ(record.arguments[2], 3);
    EXPECT_FALSE(record.cancelled());
    record.result = 1;
    EXPECT_FALSE(record.cancelled());
    record.result = 0;
    EXPECT_TRUE(record.cancelled());
}

}  // namespace
