// The notification-area icon: the records handed to Shell_NotifyIconA for adding, changing
// and deleting, the image it owns, the mouse mapping, and the real calls under Wine's taskbar.
#include "ui/tray_icon.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/ui/fixtures/product_icon.h"
#include "ui/icon_from_ico.h"

namespace {

// A record as the shell sees it: the first 88 bytes.
struct NotifyCall {
    DWORD message;
    DWORD cbSize;
    HWND window;
    UINT id;
    UINT flags;
    UINT callbackMessage;
    HICON icon;
    std::string tip;  // all 64 bytes
    BOOL result;
};
std::vector<NotifyCall> notifyCalls;

NotifyCall recordOf(DWORD message, const NOTIFYICONDATAA* data, BOOL result) {
    return {message,      data->cbSize,
            data->hWnd,   data->uID,
            data->uFlags, data->uCallbackMessage,
            data->hIcon,  std::string(data->szTip, data->szTip + 64),
            result};
}

BOOL WINAPI recordingNotify(DWORD message, PNOTIFYICONDATAA data) {
    notifyCalls.push_back(recordOf(message, data, TRUE));
    return TRUE;
}

// The images the stand-in for iconFromIco hands out, by wanted width.
std::vector<int> wantedWidths;
bool givesSixteen = true;
bool givesThirtyTwo = true;

OwnedIcon fakeIconFromIco(std::string_view, int wantedWidth) {
    wantedWidths.push_back(wantedWidth);
    if ((wantedWidth == 16 && !givesSixteen) || (wantedWidth == 32 && !givesThirtyTwo)) {
        return OwnedIcon();
    }
    const BYTE mask[32] = {};
    return OwnedIcon(CreateIcon(nullptr, 16, 16, 1, 1, mask, mask));
}

bool iconExists(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return false;
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        DeleteObject(info.hbmMask);
    return true;
}

std::string tipField(std::string_view text) {
    std::string field(text);
    field.resize(64, '\0');
    return field;
}

const TrayIcon::Api fakeApi{&recordingNotify, &fakeIconFromIco};
const HWND kWindow = reinterpret_cast<HWND>(0x1234);
const std::string_view kBytes = "icon bytes";

class TrayRecords : public testing::Test {
protected:
    void SetUp() override {
        notifyCalls.clear();
        wantedWidths.clear();
        givesSixteen = true;
        givesThirtyTwo = true;
    }
    TrayIcon tray_{fakeApi};
};

TEST_F(TrayRecords, AddsTheSixteenPixelImageWithTheTip) {
    tray_.setTrayIcon(kWindow, kBytes, "Ozvelt。");
    EXPECT_EQ(wantedWidths, std::vector<int>{16});
    ASSERT_EQ(notifyCalls.size(), 1u);
    const NotifyCall& call = notifyCalls[0];
    EXPECT_EQ(call.message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(call.cbSize, 88u);
    EXPECT_EQ(call.window, kWindow);
    EXPECT_EQ(call.id, 100u);
    EXPECT_EQ(call.flags, 7u);
    EXPECT_EQ(call.callbackMessage, 0x8064u);
    EXPECT_NE(call.icon, nullptr);
    EXPECT_TRUE(iconExists(call.icon));
    EXPECT_EQ(call.tip, tipField("Ozvelt。"));
    EXPECT_TRUE(tray_.shown());
}

TEST_F(TrayRecords, TriesThirtyTwoWhenSixteenGivesNoImage) {
    givesSixteen = false;
    tray_.setTrayIcon(kWindow, kBytes, "tip");
    EXPECT_EQ(wantedWidths, (std::vector<int>{16, 32}));
    ASSERT_EQ(notifyCalls.size(), 1u);
    EXPECT_EQ(notifyCalls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_NE(notifyCalls[0].icon, nullptr);
}

TEST_F(TrayRecords, NoImageWhileNotShownCallsNothing) {
    tray_.setTrayIcon(kWindow, "", "tip");
    EXPECT_TRUE(wantedWidths.empty()) << "empty bytes are not looked at";
    givesSixteen = false;
    givesThirtyTwo = false;
    tray_.setTrayIcon(kWindow, kBytes, "tip");
    EXPECT_TRUE(notifyCalls.empty());
    EXPECT_FALSE(tray_.shown());
    tray_.remove(kWindow);
    EXPECT_TRUE(notifyCalls.empty());
}

TEST_F(TrayRecords, CutsTheTipAtSixtyTwoBytes) {
    struct TipCase {
        const char* name;
        std::optional<std::string_view> tip;
        std::string expected;
    };
    const std::string seventy(70, 'x');
    // 61 single bytes, then a double-byte character across the cut.
    const std::string acrossTheCut = std::string(61, 'a') + "窗";
    const TipCase cases[] = {
        {"none", std::nullopt, tipField("")},
        {"empty", std::string_view(), tipField("")},
        {"62 bytes", std::string_view(seventy).substr(0, 62), tipField(seventy.substr(0, 62))},
        {"70 bytes", seventy, tipField(seventy.substr(0, 62))},
        {"double-byte character at byte 61", acrossTheCut, tipField(acrossTheCut.substr(0, 62))},
    };
    for (const TipCase& c : cases) {
        notifyCalls.clear();
        TrayIcon tray(fakeApi);
        tray.setTrayIcon(kWindow, kBytes, c.tip);
        ASSERT_EQ(notifyCalls.size(), 1u) << c.name;
        EXPECT_EQ(notifyCalls[0].tip, c.expected) << c.name;
        EXPECT_EQ(notifyCalls[0].flags, 7u) << c.name;
    }
}

TEST_F(TrayRecords, ModifiesWithANewImageAndDestroysThePrevious) {
    tray_.setTrayIcon(kWindow, kBytes, "one");
    const HICON first = notifyCalls.at(0).icon;
    tray_.setTrayIcon(kWindow, kBytes, "two");
    ASSERT_EQ(notifyCalls.size(), 2u);
    const NotifyCall& call = notifyCalls[1];
    EXPECT_EQ(call.message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(call.cbSize, 88u);
    EXPECT_EQ(call.window, kWindow);
    EXPECT_EQ(call.id, 100u);
    EXPECT_EQ(call.flags, 7u);
    EXPECT_EQ(call.callbackMessage, 0x8064u);
    EXPECT_EQ(call.tip, tipField("two"));
    EXPECT_NE(call.icon, first);
    EXPECT_TRUE(iconExists(call.icon));
    EXPECT_FALSE(iconExists(first));
    EXPECT_TRUE(tray_.shown());
}

TEST_F(TrayRecords, DeletesWhenShownAndGivenNoImage) {
    const std::function<void(TrayIcon&)> ways[] = {
        [](TrayIcon& tray) { tray.setTrayIcon(kWindow, "", "tip"); },
        [](TrayIcon& tray) {
            givesSixteen = false;
            givesThirtyTwo = false;
            tray.setTrayIcon(kWindow, kBytes, std::nullopt);
        },
        [](TrayIcon& tray) { tray.remove(kWindow); },
    };
    for (const auto& removeIcon : ways) {
        SetUp();
        TrayIcon tray(fakeApi);
        tray.setTrayIcon(kWindow, kBytes, "tip");
        const HICON shownImage = notifyCalls.at(0).icon;
        removeIcon(tray);
        ASSERT_EQ(notifyCalls.size(), 2u);
        const NotifyCall& call = notifyCalls[1];
        EXPECT_EQ(call.message, static_cast<DWORD>(NIM_DELETE));
        EXPECT_EQ(call.cbSize, 88u);
        EXPECT_EQ(call.window, kWindow);
        EXPECT_EQ(call.id, 100u);
        EXPECT_EQ(call.flags, 0u);
        EXPECT_EQ(call.callbackMessage, 0u);
        EXPECT_EQ(call.icon, nullptr);
        EXPECT_FALSE(iconExists(shownImage));
        EXPECT_FALSE(tray.shown());
        // Not shown any more: a second removal makes no call.
        tray.remove(kWindow);
        EXPECT_EQ(notifyCalls.size(), 2u);
    }
}

TEST(TrayEventArgument, MapsTheMouseMessages) {
    struct MappingCase {
        UINT mouseMessage;
        std::optional<int32_t> argument;
    };
    const MappingCase cases[] = {
        {WM_LBUTTONUP, 1},
        {WM_LBUTTONDBLCLK, 2},
        {WM_RBUTTONUP, 3},
        {WM_CONTEXTMENU, 3},
        {WM_LBUTTONDOWN, std::nullopt},
        {WM_RBUTTONDOWN, std::nullopt},
        {WM_RBUTTONDBLCLK, std::nullopt},
        {WM_MOUSEMOVE, std::nullopt},
        {WM_MBUTTONUP, std::nullopt},
        {WM_USER, std::nullopt},
        {0, std::nullopt},
    };
    for (const MappingCase& c : cases) {
        EXPECT_EQ(trayEventArgument(static_cast<LPARAM>(c.mouseMessage)), c.argument)
            << std::hex << c.mouseMessage;
    }
}

// ---- the real shell: Wine's taskbar in the virtual desktop

BOOL WINAPI forwardingNotify(DWORD message, PNOTIFYICONDATAA data) {
    const BOOL result = Shell_NotifyIconA(message, data);
    notifyCalls.push_back(recordOf(message, data, result));
    return result;
}

OwnedIcon systemIconFromIco(std::string_view bytes, int wantedWidth) {
    return iconFromIco(bytes, wantedWidth);
}

TEST(TrayIconShell, ShowsAndRemovesTheProductIcon) {
    notifyCalls.clear();
    const OwnedWindow window(CreateWindowExA(0, "STATIC", "tray owner", WS_POPUP, 0, 0, 10, 10,
                                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(window);
    ASSERT_NE(FindWindowA("Shell_TrayWnd", nullptr), nullptr) << "no taskbar";

    TrayIcon tray(TrayIcon::Api{&forwardingNotify, &systemIconFromIco});
    tray.setTrayIcon(window.get(), productIconBytes(), "Ozvelt。");
    ASSERT_EQ(notifyCalls.size(), 1u);
    EXPECT_EQ(notifyCalls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_TRUE(notifyCalls[0].result);
    EXPECT_TRUE(tray.shown());

    tray.remove(window.get());
    ASSERT_EQ(notifyCalls.size(), 2u);
    EXPECT_EQ(notifyCalls[1].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_TRUE(notifyCalls[1].result);
}

}  // namespace
