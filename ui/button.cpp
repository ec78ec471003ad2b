// The Button control: creation and its click.
#include "ui/button.h"

#include "ui/child_window.h"

HWND ButtonControl::create(HWND parent, const ControlRow& row, int32_t id) {
    const DWORD style =
        childWindowStyle(row) | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
    window_ = CreateWindowExA(0, "BUTTON", row.text, style, row.left, row.top, row.width,
                              row.height, parent, controlIdAsMenu(id), programInstance(), nullptr);
    if (window_ != nullptr) {
        SendMessageA(window_, WM_SETFONT,
                     reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    }
    return window_;
}

void ButtonControl::onCommand(WORD notification) {
    if (notification != BN_CLICKED)
        return;
    EventRecord clicked(name_, Event::clickedEvent);
    events_.raiseEvent(clicked);
}
