// The Timer control's window class, its window procedure and the period rules.
#include "ui/timer_control.h"

#include <utility>

#include "ui/window_class.h"

namespace {

constexpr const char* kClassName = "WindowInspectorTimer";

TimerControl* controlOf(HWND window) {
    return reinterpret_cast<TimerControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace

const TimerControl::Api& TimerControl::systemApi() {
    static const Api api{&SetTimer, &KillTimer};
    return api;
}

TimerControl::TimerControl(int32_t initialPeriod, std::function<void()> raisePeriodicEvent,
                           const Api& api)
    : period_(initialPeriod < 0 ? 0 : initialPeriod),
      raisePeriodicEvent_(std::move(raisePeriodicEvent)),
      api_(api) {}

TimerControl::~TimerControl() {
    if (window_ != nullptr)
        DestroyWindow(window_);
}

HWND TimerControl::create(HWND parent, int controlId, int left, int top, int width, int height) {
    if (window_ != nullptr)
        return nullptr;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registerPlainWindowClass(kClassName, CS_DBLCLKS, windowProcedure))
        return nullptr;
    // window_ is set at WM_NCCREATE, so the timer can be set while WM_CREATE is handled.
    CreateWindowExA(0, kClassName, nullptr, WS_CHILD | WS_CLIPSIBLINGS, left, top, width, height,
                    parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance,
                    this);
    return window_;
}

void TimerControl::writePeriod(int32_t milliseconds) {
    const int32_t period = milliseconds < 0 ? 0 : milliseconds;
    // The value already held leaves a running countdown untouched.
    if (period == period_)
        return;
    period_ = period;
    // Without a window there is no timer to change; WM_CREATE sets one with the stored period.
    if (window_ == nullptr)
        return;
    if (running_)
        api_.killTimer(window_, timerId);
    if (period > 0) {
        api_.setTimer(window_, timerId, static_cast<UINT>(period), nullptr);
        running_ = true;
    } else {
        running_ = false;
    }
}

LRESULT CALLBACK TimerControl::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* control =
            static_cast<TimerControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (control != nullptr) {
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
            control->window_ = window;
        }
    }
    TimerControl* control = controlOf(window);
    if (control == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        control->window_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return control->handleMessage(message, wParam, lParam);
}

LRESULT TimerControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            onCreate();
            return 0;
        case WM_TIMER:
            DefWindowProcA(window_, message, wParam, lParam);
            onTimer();
            return 0;
        case WM_DESTROY:
            DefWindowProcA(window_, message, wParam, lParam);
            onDestroy();
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

void TimerControl::onCreate() {
    if (period_ > 0) {
        api_.setTimer(window_, timerId, static_cast<UINT>(period_), nullptr);
        running_ = true;
    }
}

void TimerControl::onTimer() {
    // The timer id is not looked at: every WM_TIMER raises the event.
    if (!raisePeriodicEvent_)
        return;
    try {
        raisePeriodicEvent_();
    } catch (...) {
        // No exception may unwind into user32; the tick is dropped.
    }
}

void TimerControl::onDestroy() {
    if (running_) {
        api_.killTimer(window_, timerId);
        running_ = false;
    }
}
