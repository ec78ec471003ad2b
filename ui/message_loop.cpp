// The message loop with its pre-translation.
#include "ui/message_loop.h"

#include <optional>

#include "ui/tab_order.h"

namespace {

bool keyDown(int virtualKey) {
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

bool isKeyboardMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_SYSDEADCHAR;
}

// The event a left-button message raises for the control it is aimed at.
std::optional<Event> mouseEvent(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
            return Event::leftPressEvent;
        case WM_LBUTTONUP:
            return Event::leftReleaseEvent;
        case WM_LBUTTONDBLCLK:
            return Event::doubleClickEvent;
        default:
            return std::nullopt;
    }
}

}  // namespace

int32_t modifierKeys() {
    return (keyDown(VK_CONTROL) ? kCtrlKey : 0) | (keyDown(VK_SHIFT) ? kShiftKey : 0) |
           (keyDown(VK_MENU) ? kAltKey : 0);
}

int MessageLoop::run() {
    running_ = true;
    MSG message = {};
    // GetMessageA returns 0 for WM_QUIT; -1 (an invalid argument) cannot happen with these.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (preTranslate(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

bool MessageLoop::preTranslate(const MSG& message) {
    const HWND main = window_.handle();
    if (main == nullptr || message.hwnd == nullptr)
        return false;
    // Only the main window pre-translates, for itself and for its controls.
    if (message.hwnd != main && !IsChild(main, message.hwnd))
        return false;
    if (isKeyboardMessage(message.message) && !IsWindowEnabled(message.hwnd))
        return false;

    const std::optional<Control> target = window_.controlOf(message.hwnd);
    bool consumed = false;
    if (message.message == WM_LBUTTONDOWN && target && dragToMove(*target)) {
        // A press on the surface still goes to dispatch; a press on a label goes no further.
        consumed = *target != Control::window;
    } else if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
        consumed = navigate(message);
    } else if (target) {
        consumed = raiseMouseEvent(message, *target);
    }
    // An event may have ended the window; nothing may then reach its controls.
    return consumed || !window_.exists();
}

bool MessageLoop::dragToMove(Control target) {
    if (!windowSettings().dragToMove)
        return false;
    if (target != Control::window && controlRow(target).kind != ControlKind::Label)
        return false;
    // As if the title bar had been pressed: Windows' move tracking takes over the mouse, and
    // the release ends up in the tracking. The press raises no event.
    PostMessageA(window_.handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    return true;
}

bool MessageLoop::navigate(const MSG& message) {
    // Only Tab and Shift+Tab do anything here: Enter, Esc and F1 are switched off for this
    // window, it has no default push button, no option buttons and no "&" mnemonics, and no
    // multi-line writable box that would claim a key for itself.
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB)
        return false;
    if (keyDown(VK_CONTROL) || keyDown(VK_MENU))
        return false;
    // Key messages are aimed at the window that has the focus.
    const std::optional<Control> focused = window_.controlOf(message.hwnd);
    if (!focused || *focused == Control::window)
        return false;
    const std::optional<Control> next = nextInTabOrder(*focused, keyDown(VK_SHIFT));
    if (next)
        SetFocus(window_.controlHandle(*next));
    return true;
}

bool MessageLoop::raiseMouseEvent(const MSG& message, Control target) {
    const std::optional<Event> event = mouseEvent(message.message);
    if (!event)
        return false;
    // Client coordinates as unsigned 16-bit halves of lParam.
    const int32_t x = LOWORD(message.lParam);
    const int32_t y = HIWORD(message.lParam);
    EventRecord record(target, *event, {x, y, modifierKeys()});
    events_.raiseEvent(record);
    // Only an explicit false from the bound operation keeps the message from dispatch.
    return record.cancelled();
}
