// InspectorWindow: the main window "窗口查看辅助工具" with its 18 controls, made from the
// window's description; its painting, icons, focus memory, close path and the operations
// the capture side uses (writeContent, readIcon, the timer and the notification-area icon).
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/window_side.h"
#include "ui/button.h"
#include "ui/edit_box.h"
#include "ui/event_record.h"
#include "ui/label.h"
#include "ui/owned.h"
#include "ui/timer_control.h"
#include "ui/tray_icon.h"
#include "ui/window_description.h"

class InspectorWindow {
public:
    explicit InspectorWindow(EventSink& events);
    ~InspectorWindow();  // destroys the window if it still exists
    InspectorWindow(const InspectorWindow&) = delete;
    InspectorWindow& operator=(const InspectorWindow&) = delete;

    // Creates the window hidden, centred and topmost, with its controls created, stacked in
    // description order and shown (all but the timer, which starts ticking). False when the
    // window or a control cannot be created; creation stops there.
    bool createInspectorWindow();

    // The main window, or nullptr once it is gone.
    HWND handle() const { return window_; }
    bool exists() const { return window_ != nullptr && IsWindow(window_) != FALSE; }
    HWND controlHandle(Control control) const;
    // The control a window belongs to (Control::window for the main window), if any.
    std::optional<Control> controlOf(HWND window) const;

    void writeContent(EditBox box, std::string_view text);
    // A copy of the window's ICO file, or none when the program holds no icon data.
    std::optional<std::string> readIcon() const;
    TimerControl& timer1() { return timer1_; }
    TrayIcon& trayIcon() { return tray_; }

    // Called once the window is gone after it was closed (not after endForExit).
    void setOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }

    // The ending path: deletes the notification-area icon, destroys the window and its
    // controls without the window's own destroy handling, and destroys its icons.
    void endForExit();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND createControl(Control control);
    void setIcons();
    void paint();
    void onActivate(WPARAM wParam);
    void onSetFocus();
    void onCommand(WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> onControlColour(HDC dc, HWND control);
    LRESULT onClose();
    LRESULT onQueryEndSession(WPARAM wParam, LPARAM lParam);
    void onTrayMessage(LPARAM lParam);
    void onDestroy();
    void onNcDestroy();
    EditBoxControl* editBox(Control control) const;

    EventSink& events_;      // not owned
    HWND window_ = nullptr;  // owned: destroyed by the destructor if still there
    std::array<HWND, kControlCount> controls_{};  // destroyed with the window
    std::array<std::unique_ptr<EditBoxControl>, kControlCount> editBoxes_;
    std::array<std::unique_ptr<LabelControl>, kControlCount> labels_;
    std::array<std::unique_ptr<ButtonControl>, kControlCount> buttons_;
    TimerControl timer1_;
    TrayIcon tray_;
    OwnedBrush background_;  // the surface's blue
    OwnedIcon bigIcon_;      // made from the icon bytes; none when the default icon is used
    OwnedIcon smallIcon_;
    HWND rememberedFocus_ = nullptr;  // the control focused when the window was deactivated
    bool endingForExit_ = false;
    std::function<void()> onClosed_;
};
