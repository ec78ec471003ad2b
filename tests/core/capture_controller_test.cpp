// The capture controller against a recording window side whose timer keeps the period
// rules on a virtual clock: an equal value keeps the countdown, another value restarts it
// from the write, 0 stops it.
#include "core/capture_controller.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

namespace {

const char* boxName(EditBox box) {
    switch (box) {
        case EditBox::editBox1:
            return "editBox1";
        case EditBox::editBox2:
            return "editBox2";
        case EditBox::editBox3:
            return "editBox3";
        case EditBox::editBox4:
            return "editBox4";
        case EditBox::editBox5:
            return "editBox5";
        case EditBox::editBox7:
            return "editBox7";
        case EditBox::editBox8:
            return "editBox8";
    }
    return "?";
}

class RecordingWindowSide : public WindowSide {
public:
    // Starts as the real window does: the timer already runs with 200 ms, set at time 0.
    RecordingWindowSide() : controller(*this) {}

    WindowSnapshot captureUnderCursor() override {
        if (failCapture)
            throw std::bad_alloc();
        captureTimes.push_back(now);
        calls.push_back("capture");
        return snapshot;
    }
    void writeContent(EditBox box, std::string_view text) override {
        calls.push_back(std::string(boxName(box)) + "=" + std::string(text));
    }
    std::optional<std::string> readIcon() override {
        calls.push_back("readIcon");
        return icon;
    }
    void writePeriod(int32_t value) override {
        calls.push_back("period=" + std::to_string(value));
        if (value < 0)
            value = 0;
        if (value == period)
            return;
        period = value;
        running = value > 0;
        due = now + value;
    }
    void setTrayIcon(std::string_view bytes, std::optional<std::string_view> tip) override {
        calls.push_back("tray " + std::to_string(bytes.size()) + " " +
                        std::string(tip.value_or("(none)")));
    }
    void endProgram(int32_t code) override {
        calls.push_back("end " + std::to_string(code));
        ended = true;
    }
    void runTimeError(std::string_view message, int32_t code) override {
        calls.push_back("error " + std::to_string(code) + " " + std::string(message));
        ended = true;
    }

    // Lets virtual time pass, delivering every tick that falls due on the way.
    void runUntil(int64_t time) {
        while (!ended && running && due <= time) {
            now = due;
            due += period;  // a write during the tick moves this again
            controller.onTick();
        }
        if (!ended)
            now = time;
    }

    const char* state() const {
        if (controller.continuousCapture() && running && period == 200)
            return "Live";
        if (!controller.continuousCapture() && running && period == 1000)
            return "Armed";
        if (!controller.continuousCapture() && !running)
            return "Idle";
        if (!controller.continuousCapture() && running && period == 200)
            return "loading";
        return "impossible";
    }

    CaptureController controller;
    WindowSnapshot snapshot;
    std::optional<std::string> icon;
    bool failCapture = false;
    std::vector<std::string> calls;
    std::vector<int64_t> captureTimes;
    bool ended = false;
    int64_t now = 0;
    int32_t period = 200;
    bool running = true;
    int64_t due = 200;
};

enum class Action { created, grab, doubleClick, exit };

struct Step {
    int64_t time;
    Action action;
};

void perform(RecordingWindowSide& side, const Step& step) {
    side.runUntil(step.time);
    if (side.ended)
        return;
    switch (step.action) {
        case Action::created:
            side.controller.onCreated();
            break;
        case Action::grab:
            side.controller.onGrabClicked();
            break;
        case Action::doubleClick:
            side.controller.onDoubleClick();
            break;
        case Action::exit:
            side.controller.onExitClicked();
            break;
    }
}

TEST(CaptureController, StatesAndCaptureTimes) {
    struct Row {
        const char* name;
        std::vector<Step> steps;
        int64_t runUntil;
        std::vector<int64_t> captures;
        const char* finalState;
    };
    const Row rows[] = {
        {"start follows the cursor every 200 ms",
         {{0, Action::created}},
         1000,
         {200, 400, 600, 800, 1000},
         "Live"},
        {"grab while live captures once a second later",
         {{0, Action::created}, {300, Action::grab}},
         5000,
         {200, 1300},
         "Idle"},
        {"a second grab 600 ms later does not postpone the capture",
         {{0, Action::created}, {300, Action::grab}, {900, Action::grab}},
         5000,
         {200, 1300},
         "Idle"},
        {"grab while idle gives exactly one capture",
         {{0, Action::created}, {300, Action::grab}, {2000, Action::grab}},
         9000,
         {200, 1300, 3000},
         "Idle"},
        {"double-click does what grab does",
         {{0, Action::created}, {250, Action::doubleClick}},
         5000,
         {200, 1250},
         "Idle"},
        {"armed right after start",
         {{0, Action::created}, {0, Action::grab}},
         3000,
         {1000},
         "Idle"},
        {"exit while armed ends without the capture",
         {{0, Action::created}, {300, Action::grab}, {800, Action::exit}},
         5000,
         {200},
         "Armed"},
        {"exit while live", {{0, Action::created}, {500, Action::exit}}, 5000, {200, 400}, "Live"},
    };
    for (const Row& row : rows) {
        RecordingWindowSide side;
        for (const Step& step : row.steps)
            perform(side, step);
        side.runUntil(row.runUntil);
        EXPECT_EQ(side.captureTimes, row.captures) << row.name;
        EXPECT_STREQ(side.state(), row.finalState) << row.name;
    }
}

TEST(CaptureController, ArmedTickWritesSevenTextsInOrderThenStopsTheTimer) {
    RecordingWindowSide side;
    side.snapshot.handle = 0xA0B2C;
    side.snapshot.title = "Title";
    side.snapshot.className = "";
    side.snapshot.classAtom = 0xC1A4;
    side.snapshot.style = 0x94CF0000;
    side.snapshot.controlId = static_cast<uint32_t>(-1);
    side.snapshot.rect = {-8, -8, 1288, 1008};
    side.controller.onCreated();
    side.controller.onGrabClicked();
    side.calls.clear();
    side.runUntil(1000);

    const std::vector<std::string> expected = {
        "capture",       "editBox7=A0B2C",    "editBox1=Title",    "editBox2=",
        "editBox3=C1A4", "editBox4=94CF0000", "editBox5=FFFFFFFF", "editBox8=-8 -8 1288 1008 ",
        "period=0",
    };
    EXPECT_EQ(side.calls, expected);
}

TEST(CaptureController, LiveTickLeavesTheTimerAlone) {
    RecordingWindowSide side;
    side.controller.onCreated();
    side.calls.clear();
    side.runUntil(200);
    ASSERT_EQ(side.calls.size(), 8u);
    EXPECT_EQ(side.calls.back(), "editBox8=0 0 0 0 ");
}

TEST(CaptureController, GrabWritesTheDelayEachTime) {
    RecordingWindowSide side;
    side.controller.onCreated();
    side.calls.clear();
    side.controller.onGrabClicked();
    side.controller.onDoubleClick();
    EXPECT_EQ(side.calls, (std::vector<std::string>{"period=1000", "period=1000"}));
    EXPECT_FALSE(side.controller.continuousCapture());
}

TEST(CaptureController, CreatedHandsTheIconAndTipToTheTray) {
    struct Row {
        std::optional<std::string> icon;
        std::string tray;
    };
    const Row rows[] = {
        {std::string(99678, 'x'), "tray 99678 Ozvelt。"},
        {std::nullopt, "tray 0 Ozvelt。"},
    };
    for (const Row& row : rows) {
        RecordingWindowSide side;
        side.icon = row.icon;
        side.controller.onCreated();
        EXPECT_TRUE(side.controller.continuousCapture());
        EXPECT_EQ(side.calls, (std::vector<std::string>{"readIcon", row.tray}));
    }
}

TEST(CaptureController, TrayTipIsTheProductsBytes) {
    // "Ozvelt" followed by the ideographic full stop in GB2312.
    EXPECT_STREQ(CaptureController::trayTip, "Ozvelt\xA1\xA3");
}

TEST(CaptureController, ExitEndsWithCodeZero) {
    RecordingWindowSide side;
    side.controller.onExitClicked();
    EXPECT_EQ(side.calls, (std::vector<std::string>{"end 0"}));
}

TEST(CaptureController, OutOfMemoryDuringACaptureIsFatalBeforeAnyWrite) {
    RecordingWindowSide side;
    side.controller.onCreated();
    side.failCapture = true;
    side.calls.clear();
    side.runUntil(200);
    ASSERT_EQ(side.calls.size(), 1u);
    EXPECT_EQ(side.calls[0].rfind("error 0 ", 0), 0u) << side.calls[0];
}

}  // namespace
