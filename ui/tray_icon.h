// The main window's notification-area icon: the Shell_NotifyIconA calls that show, change and
// remove it, the image it owns, and the mouse actions it reports through trayMessage.
#pragma once

#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <cstdint>
#include <optional>
#include <string_view>

#include "ui/owned.h"

constexpr UINT trayMessage = WM_APP + 100;  // 0x8064
constexpr UINT trayIconId = 100;

class TrayIcon {
public:
    struct Api {
        decltype(&Shell_NotifyIconA) shellNotifyIconA;
        OwnedIcon (*iconFromIco)(std::string_view icoBytes, int wantedWidth);
    };
    static const Api& systemApi();

    explicit TrayIcon(const Api& api = systemApi());

    // Shows (NIM_ADD), changes (NIM_MODIFY) or, with bytes that give no image, removes
    // (NIM_DELETE) the icon (window, 100); the tip is cut at 62 bytes.
    void setTrayIcon(HWND window, std::string_view iconBytes, std::optional<std::string_view> tip);
    void remove(HWND window);  // NIM_DELETE of (window, 100) when shown, and destroys the image
    bool shown() const { return static_cast<bool>(image_); }

private:
    void update(HWND window, OwnedIcon image, std::optional<std::string_view> tip);

    Api api_;
    OwnedIcon image_;  // owned: the image in the notification area, none while not shown
};

// The trayEvent argument for the mouse message carried in lParam of trayMessage:
// WM_LBUTTONUP 1, WM_LBUTTONDBLCLK 2, WM_RBUTTONUP or WM_CONTEXTMENU 3, else none.
std::optional<int32_t> trayEventArgument(LPARAM mouseMessage);
