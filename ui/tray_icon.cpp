// The notification-area record (the 88-byte first version of NOTIFYICONDATAA) and the
// add, modify and delete rules of the main window's icon.
#include "ui/tray_icon.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

#include "ui/icon_from_ico.h"

namespace {

constexpr DWORD kRecordSize = 88;
constexpr size_t kTipBytes = 62;
constexpr size_t kTipFieldSize = 64;
constexpr UINT kShowFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

// The first version of the record ends with a 64-byte tip; the shell reads no further than
// cbSize, so the larger current structure can carry it.
static_assert(NOTIFYICONDATAA_V1_SIZE == kRecordSize);
static_assert(offsetof(NOTIFYICONDATAA, cbSize) == 0);
static_assert(offsetof(NOTIFYICONDATAA, hWnd) == 4);
static_assert(offsetof(NOTIFYICONDATAA, uID) == 8);
static_assert(offsetof(NOTIFYICONDATAA, uFlags) == 12);
static_assert(offsetof(NOTIFYICONDATAA, uCallbackMessage) == 16);
static_assert(offsetof(NOTIFYICONDATAA, hIcon) == 20);
static_assert(offsetof(NOTIFYICONDATAA, szTip) == 24);
static_assert(offsetof(NOTIFYICONDATAA, szTip) + kTipFieldSize == kRecordSize);
static_assert(sizeof(NOTIFYICONDATAA::szTip) >= kTipFieldSize);
static_assert(trayMessage == 0x8064);

OwnedIcon systemIconFromIco(std::string_view icoBytes, int wantedWidth) {
    return iconFromIco(icoBytes, wantedWidth);
}

}  // namespace

const TrayIcon::Api& TrayIcon::systemApi() {
    static const Api api{&Shell_NotifyIconA, &systemIconFromIco};
    return api;
}

TrayIcon::TrayIcon(const Api& api) : api_(api) {}

void TrayIcon::setTrayIcon(HWND window, std::string_view iconBytes,
                           std::optional<std::string_view> tip) {
    OwnedIcon image;
    if (!iconBytes.empty()) {
        image = api_.iconFromIco(iconBytes, 16);
        if (!image)
            image = api_.iconFromIco(iconBytes, 32);
    }
    update(window, std::move(image), tip);
}

void TrayIcon::remove(HWND window) {
    update(window, OwnedIcon(), std::nullopt);
}

void TrayIcon::update(HWND window, OwnedIcon image, std::optional<std::string_view> tip) {
    NOTIFYICONDATAA record;
    std::memset(&record, 0, sizeof record);
    record.cbSize = kRecordSize;
    record.hWnd = window;
    record.uID = trayIconId;
    // Cut at byte 62 even inside a double-byte character; bytes 62 and 63 stay zero.
    if (tip && !tip->empty())
        std::memcpy(record.szTip, tip->data(), std::min(tip->size(), kTipBytes));
    if (image) {
        record.uFlags = kShowFlags;
        record.uCallbackMessage = trayMessage;
        record.hIcon = image.get();
    }
    if (image_) {
        api_.shellNotifyIconA(image ? NIM_MODIFY : NIM_DELETE, &record);
    } else if (image) {
        api_.shellNotifyIconA(NIM_ADD, &record);
    }
    // The shell keeps its own copy, so the previous image can go once the call is made.
    image_ = std::move(image);
}

std::optional<int32_t> trayEventArgument(LPARAM mouseMessage) {
    switch (mouseMessage) {
        case WM_LBUTTONUP:
            return 1;
        case WM_LBUTTONDBLCLK:
            return 2;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU:
            return 3;
        default:
            return std::nullopt;
    }
}
