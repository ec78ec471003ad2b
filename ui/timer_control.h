// The Timer control: a hidden child window that owns one Windows timer (id 1000) and raises
// its periodic event for every WM_TIMER the window receives.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

class TimerControl {
public:
    static constexpr UINT_PTR timerId = 1000;
    struct Api {
        decltype(&SetTimer) setTimer;
        decltype(&KillTimer) killTimer;
    };
    static const Api& systemApi();

    // A negative initial period counts as 0 (stopped).
    TimerControl(int32_t initialPeriod, std::function<void()> raisePeriodicEvent,
                 const Api& api = systemApi());
    // Destroys the control's window if it still exists.
    ~TimerControl();
    TimerControl(const TimerControl&) = delete;
    TimerControl& operator=(const TimerControl&) = delete;

    // Creates the hidden child window (WS_CHILD | WS_CLIPSIBLINGS, own class with CS_DBLCLKS,
    // arrow cursor, no brush) at the given client position/size with the given control ID;
    // the Windows timer is set while it handles WM_CREATE. Returns the window or nullptr.
    HWND create(HWND parent, int controlId, int left, int top, int width, int height);
    // Negative counts as 0; the value already held changes nothing; another value restarts
    // the countdown from now, or stops the ticks when 0.
    void writePeriod(int32_t milliseconds);
    int32_t readPeriod() const { return period_; }
    bool running() const { return running_; }
    HWND window() const { return window_; }

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCreate();
    void onTimer();
    void onDestroy();

    int32_t period_;
    bool running_ = false;
    std::function<void()> raisePeriodicEvent_;
    Api api_;
    HWND window_ = nullptr;  // not owned: a child, destroyed with its parent
};
