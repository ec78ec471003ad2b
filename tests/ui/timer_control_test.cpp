// The Timer control: the period rules against counting stand-ins for SetTimer and KillTimer,
// then the ticks of real Windows timers, measured while pumping messages.
#include "ui/timer_control.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/owned.h"

namespace {

constexpr int kControlId = 200;

// A hidden top-level window standing in for the main window.
OwnedWindow makeParent() {
    return OwnedWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr));
}

// ---- the period rules, with counting stand-ins

std::vector<std::string> timerCalls;
std::vector<HWND> timerCallWindows;

UINT_PTR WINAPI countingSetTimer(HWND window, UINT_PTR id, UINT interval, TIMERPROC procedure) {
    timerCalls.push_back("set " + std::to_string(id) + " " + std::to_string(interval) +
                         (procedure != nullptr ? " with procedure" : ""));
    timerCallWindows.push_back(window);
    return id;
}

BOOL WINAPI countingKillTimer(HWND window, UINT_PTR id) {
    timerCalls.push_back("kill " + std::to_string(id));
    timerCallWindows.push_back(window);
    return TRUE;
}

const TimerControl::Api countingApi{&countingSetTimer, &countingKillTimer};

class TimerRules : public testing::Test {
protected:
    void SetUp() override {
        timerCalls.clear();
        timerCallWindows.clear();
        ASSERT_TRUE(parent_);
    }
    HWND createControl(TimerControl& control) {
        return control.create(parent_.get(), kControlId, 66, 189, 26, 26);
    }
    OwnedWindow parent_ = makeParent();
};

TEST_F(TimerRules, CreationSetsTheTimerOnTheNewWindowWhenThePeriodIsPositive) {
    struct CreationCase {
        int32_t initial;
        int32_t period;
        std::vector<std::string> calls;
    };
    const CreationCase cases[] = {
        {200, 200, {"set 1000 200"}},
        {0, 0, {}},
        {-5, 0, {}},
    };
    for (const CreationCase& c : cases) {
        timerCalls.clear();
        timerCallWindows.clear();
        TimerControl control(
            c.initial, [] {}, countingApi);
        const HWND window = createControl(control);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(control.window(), window);
        EXPECT_EQ(timerCalls, c.calls) << c.initial;
        for (const HWND callWindow : timerCallWindows)
            EXPECT_EQ(callWindow, window);
        EXPECT_EQ(control.readPeriod(), c.period);
        EXPECT_EQ(control.running(), c.period > 0);
    }
}

TEST_F(TimerRules, WritingThePeriod) {
    struct WriteCase {
        const char* name;
        int32_t initial;
        int32_t written;
        std::vector<std::string> calls;
        int32_t period;
        bool running;
    };
    const WriteCase cases[] = {
        {"the value held", 200, 200, {}, 200, true},
        {"another value", 200, 1000, {"kill 1000", "set 1000 1000"}, 1000, true},
        {"zero", 200, 0, {"kill 1000"}, 0, false},
        {"negative", 200, -5, {"kill 1000"}, 0, false},
        {"most negative", 200, INT32_MIN, {"kill 1000"}, 0, false},
        {"zero while stopped", 0, 0, {}, 0, false},
        {"negative while stopped", 0, -1, {}, 0, false},
        {"positive while stopped", 0, 1000, {"set 1000 1000"}, 1000, true},
    };
    for (const WriteCase& c : cases) {
        TimerControl control(
            c.initial, [] {}, countingApi);
        const HWND window = createControl(control);
        timerCalls.clear();
        timerCallWindows.clear();
        control.writePeriod(c.written);
        EXPECT_EQ(timerCalls, c.calls) << c.name;
        for (const HWND callWindow : timerCallWindows)
            EXPECT_EQ(callWindow, window) << c.name;
        EXPECT_EQ(control.readPeriod(), c.period) << c.name;
        EXPECT_EQ(control.running(), c.running) << c.name;
    }
}

TEST_F(TimerRules, DestroyingTheWindowKillsARunningTimer) {
    for (const int32_t initial : {200, 0}) {
        TimerControl control(
            initial, [] {}, countingApi);
        const HWND window = createControl(control);
        timerCalls.clear();
        timerCallWindows.clear();
        DestroyWindow(window);
        EXPECT_EQ(timerCalls,
                  initial > 0 ? std::vector<std::string>{"kill 1000"} : std::vector<std::string>{})
            << initial;
        for (const HWND callWindow : timerCallWindows)
            EXPECT_EQ(callWindow, window);
        EXPECT_FALSE(control.running());
        EXPECT_EQ(control.window(), nullptr);
    }
}

TEST_F(TimerRules, WithoutAWindowOnlyThePeriodIsStored) {
    TimerControl control(
        0, [] {}, countingApi);
    control.writePeriod(500);
    EXPECT_TRUE(timerCalls.empty());
    EXPECT_EQ(control.readPeriod(), 500);
    EXPECT_FALSE(control.running());
    createControl(control);
    EXPECT_EQ(timerCalls, std::vector<std::string>{"set 1000 500"});

    // Once the window is gone, a write reaches no timer: SetTimer on no window would make a
    // thread timer that nothing ever kills.
    DestroyWindow(control.window());
    timerCalls.clear();
    control.writePeriod(300);
    EXPECT_TRUE(timerCalls.empty());
    EXPECT_EQ(control.readPeriod(), 300);
    EXPECT_FALSE(control.running());
}

TEST_F(TimerRules, CreatesAHiddenChildOfItsOwnClass) {
    TimerControl control(
        0, [] {}, countingApi);
    const HWND window = createControl(control);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), parent_.get());
    EXPECT_EQ(GetDlgCtrlID(window), kControlId);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)),
              static_cast<DWORD>(WS_CHILD | WS_CLIPSIBLINGS));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetClassLongA(window, GCL_STYLE), static_cast<DWORD>(CS_DBLCLKS));
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(window, GCLP_HCURSOR)),
              LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND), 0u);
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, parent_.get(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 66);
    EXPECT_EQ(rect.top, 189);
    EXPECT_EQ(rect.right - rect.left, 26);
    EXPECT_EQ(rect.bottom - rect.top, 26);

    // A second control shares the class.
    TimerControl second(
        0, [] {}, countingApi);
    EXPECT_NE(second.create(parent_.get(), kControlId + 1, 0, 0, 1, 1), nullptr);
}

// ---- real timers

double nowMs() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Dispatches messages until the condition holds or the bound has passed; true if it holds.
bool pumpUntil(const std::function<bool()>& condition, double boundMs) {
    const double start = nowMs();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (condition())
            return true;
        if (nowMs() - start > boundMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void pumpFor(double ms) {
    pumpUntil([] { return false; }, ms);
}

constexpr double kBound = 10000;
// Windows may run a timer up to one clock tick early.
constexpr double kEarly = 50;

std::vector<std::string> realCalls;

UINT_PTR WINAPI recordingSetTimer(HWND window, UINT_PTR id, UINT interval, TIMERPROC procedure) {
    realCalls.push_back("set " + std::to_string(id) + " " + std::to_string(interval));
    return SetTimer(window, id, interval, procedure);
}

BOOL WINAPI recordingKillTimer(HWND window, UINT_PTR id) {
    const BOOL killed = KillTimer(window, id);
    realCalls.push_back("kill " + std::to_string(id) + (killed ? "" : " failed"));
    return killed;
}

const TimerControl::Api recordingApi{&recordingSetTimer, &recordingKillTimer};

class TimerTicks : public testing::Test {
protected:
    void SetUp() override {
        realCalls.clear();
        ASSERT_TRUE(parent_);
    }
    void create(int32_t period) {
        control_ = std::make_unique<TimerControl>(
            period, [this] { ticks_.push_back(nowMs()); }, recordingApi);
        ASSERT_NE(control_->create(parent_.get(), kControlId, 66, 189, 26, 26), nullptr);
        createdAt_ = nowMs();
    }
    // Waits for the next tick and returns its time.
    double nextTick() {
        const size_t seen = ticks_.size();
        EXPECT_TRUE(pumpUntil([&] { return ticks_.size() > seen; }, kBound)) << "no tick";
        return ticks_.size() > seen ? ticks_[seen] : 0;
    }
    size_t ticksDuring(double ms) {
        const size_t before = ticks_.size();
        pumpFor(ms);
        return ticks_.size() - before;
    }

    OwnedWindow parent_ = makeParent();
    std::unique_ptr<TimerControl> control_;
    std::vector<double> ticks_;
    double createdAt_ = 0;
};

TEST_F(TimerTicks, TicksFromCreationAtThePeriod) {
    create(200);
    double previous = createdAt_;
    for (int tick = 0; tick < 3; ++tick) {
        const double at = nextTick();
        EXPECT_GE(at - previous, 200 - kEarly) << tick;
        previous = at;
    }
}

TEST_F(TimerTicks, RewritingThePeriodHeldKeepsTheCountdown) {
    // A long period, so that keeping and restarting the countdown lie far apart.
    create(2000);
    pumpFor(1000);
    const double writtenAt = nowMs();
    control_->writePeriod(2000);
    const double tick = nextTick();
    EXPECT_GE(tick - createdAt_, 2000 - kEarly);
    EXPECT_LT(tick - writtenAt, 1600) << "the countdown restarted at the write";
    EXPECT_EQ(realCalls, std::vector<std::string>{"set 1000 2000"});
}

TEST_F(TimerTicks, AnotherPeriodRestartsTheCountdownFromTheWrite) {
    create(200);
    nextTick();
    pumpFor(100);
    const double writtenAt = nowMs();
    control_->writePeriod(1000);
    const double tick = nextTick();
    EXPECT_GE(tick - writtenAt, 1000 - kEarly);
}

TEST_F(TimerTicks, ZeroOrANegativePeriodStopsTheTicks) {
    for (const int32_t stop : {0, -5}) {
        create(200);
        nextTick();
        control_->writePeriod(stop);
        EXPECT_EQ(control_->readPeriod(), 0);
        EXPECT_FALSE(control_->running());
        EXPECT_EQ(ticksDuring(700), 0u) << stop;
        control_->writePeriod(-1);
        control_->writePeriod(0);
        EXPECT_EQ(ticksDuring(300), 0u) << stop;
    }
}

TEST_F(TimerTicks, APositivePeriodWhileStoppedStartsTicksApartByIt) {
    create(0);
    EXPECT_EQ(ticksDuring(300), 0u);
    const double writtenAt = nowMs();
    control_->writePeriod(1000);
    const double first = nextTick();
    const double second = nextTick();
    EXPECT_GE(first - writtenAt, 1000 - kEarly);
    EXPECT_GE(second - first, 1000 - kEarly);
}

TEST_F(TimerTicks, AnyTimerMessageRaisesTheEvent) {
    create(0);
    PostMessageA(control_->window(), WM_TIMER, 7, 0);
    EXPECT_TRUE(pumpUntil([&] { return ticks_.size() == 1; }, kBound));
}

TEST_F(TimerTicks, AnExceptionFromTheEventStaysInTheControl) {
    int raised = 0;
    TimerControl control(0, [&] {
        ++raised;
        throw std::runtime_error("tick");
    });
    ASSERT_NE(control.create(parent_.get(), kControlId, 0, 0, 1, 1), nullptr);
    PostMessageA(control.window(), WM_TIMER, TimerControl::timerId, 0);
    PostMessageA(control.window(), WM_TIMER, TimerControl::timerId, 0);
    EXPECT_TRUE(pumpUntil([&] { return raised == 2; }, kBound));
}

TEST_F(TimerTicks, DestroyingTheParentEndsTheTicks) {
    create(200);
    nextTick();
    realCalls.clear();
    parent_.reset();
    EXPECT_EQ(control_->window(), nullptr);
    EXPECT_FALSE(control_->running());
    EXPECT_EQ(realCalls, std::vector<std::string>{"kill 1000"});
    EXPECT_EQ(ticksDuring(700), 0u);
}

}  // namespace
