// The real main window under Wine: its frame, position and styles, the 18 controls made
// from the description, their stacking, the edit boxes' writes, colours and centred line,
// the painted colours, focus memory and the close and exit paths.
#include "ui/inspector_window.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/fixtures/product_icon.h"
#include "tests/ui/window_test_support.h"
#include "ui/icon_resource.h"
#include "ui/tab_order.h"

namespace {

using C = Control;

constexpr COLORREF kBlue = 0x00FF8800;
constexpr COLORREF kWhite = 0x00FFFFFF;

class InspectorWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.createInspectorWindow());
        main = window.handle();
    }
    HWND control(Control c) const { return window.controlHandle(c); }
    void show() {
        ShowWindow(main, SW_SHOW);
        UpdateWindow(main);
        pumpUntil([] { return false; }, 300);
    }
    COLORREF screenPixel(HWND of, int x, int y) const {
        POINT point = {x, y};
        ClientToScreen(of, &point);
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, point.x, point.y);
        ReleaseDC(nullptr, screen);
        return colour;
    }

    RecordingEventSink events;
    InspectorWindow window{events};
    HWND main = nullptr;
};

TEST_F(InspectorWindowTest, IsAHiddenCentredTopmostFixedFrameWindow) {
    // "窗口查看辅助工具" in GB2312.
    EXPECT_EQ(windowText(main), "\xb4\xb0\xbf\xda\xb2\xe9\xbf\xb4\xb8\xa8\xd6\xfa\xb9\xa4\xbe\xdf");
    RECT outer;
    GetWindowRect(main, &outer);
    EXPECT_EQ(outer.right - outer.left, 265);
    EXPECT_EQ(outer.bottom - outer.top, 319);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 265) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 319) / 2);

    const LONG style = GetWindowLongA(main, GWL_STYLE);
    EXPECT_FALSE(style & WS_VISIBLE) << "start-up shows it";
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN),
              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD | WS_POPUP));
    EXPECT_TRUE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr) << "no owner, so it has a taskbar button";
    EXPECT_EQ(GetMenu(main), nullptr);

    EXPECT_EQ(GetClassLongA(main, GCL_STYLE), CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
    EXPECT_EQ(GetClassLongA(main, GCL_HBRBACKGROUND), 0);
    EXPECT_EQ(GetClassLongA(main, GCL_HICON), 0);
    EXPECT_NE(SendMessageA(main, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(main, WM_GETICON, ICON_SMALL, 0), 0);
    if (inspectorIconFile().empty()) {
        // A program without the icon data shows the default program icon.
        const auto standard = reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_APPLICATION));
        EXPECT_EQ(SendMessageA(main, WM_GETICON, ICON_BIG, 0), standard);
        EXPECT_EQ(SendMessageA(main, WM_GETICON, ICON_SMALL, 0), standard);
    }
}

TEST_F(InspectorWindowTest, ControlsHaveTheirIdsClassesStylesTextsAndPlaces) {
    const LPARAM stockFont = reinterpret_cast<LPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlRow& row : controlRows()) {
        const int id = controlId(row.name);
        SCOPED_TRACE(id);
        const HWND child = GetDlgItem(main, id);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(child, control(row.name));
        EXPECT_EQ(GetParent(child), main);

        const LONG style = GetWindowLongA(child, GWL_STYLE);
        EXPECT_EQ(style & (WS_CHILD | WS_CLIPSIBLINGS), WS_CHILD | WS_CLIPSIBLINGS);
        EXPECT_EQ((style & WS_TABSTOP) != 0, row.tabStop);
        EXPECT_EQ((style & WS_VISIBLE) != 0, row.visible);
        EXPECT_FALSE(style & WS_DISABLED);

        const RECT place = rectInParent(child);
        EXPECT_EQ(place.left, row.left);
        EXPECT_EQ(place.top, row.top);
        EXPECT_EQ(place.right - place.left, row.width);
        EXPECT_EQ(place.bottom - place.top, row.height);
        if (row.text != nullptr) {
            EXPECT_EQ(windowText(child), row.text);
        }

        const std::string kind = className(child);
        switch (row.kind) {
            case ControlKind::EditBox:
                EXPECT_EQ(lstrcmpiA(kind.c_str(), "Edit"), 0) << kind;
                EXPECT_EQ(
                    style & (ES_AUTOHSCROLL | ES_RIGHT | ES_READONLY | ES_MULTILINE | ES_NOHIDESEL),
                    ES_AUTOHSCROLL | ES_RIGHT | ES_READONLY);
                EXPECT_TRUE(GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
                EXPECT_EQ(SendMessageA(child, WM_GETFONT, 0, 0), stockFont);
                break;
            case ControlKind::Button:
                EXPECT_EQ(lstrcmpiA(kind.c_str(), "Button"), 0) << kind;
                EXPECT_EQ(style & (BS_TYPEMASK | BS_CENTER | BS_VCENTER | BS_MULTILINE),
                          BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE);
                EXPECT_EQ(SendMessageA(child, WM_GETFONT, 0, 0), stockFont);
                break;
            case ControlKind::Label:
                EXPECT_EQ(GetClassLongA(child, GCL_STYLE), CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
                EXPECT_EQ(GetClassLongA(child, GCL_HBRBACKGROUND), 0);
                EXPECT_EQ(GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
                break;
            case ControlKind::Timer:
                EXPECT_TRUE(window.timer1().running());
                break;
            case ControlKind::window:
                ADD_FAILURE();
                break;
        }
    }
    EXPECT_EQ(window.timer1().readPeriod(), 200);
}

TEST_F(InspectorWindowTest, ChildrenAreStackedInDescriptionOrder) {
    std::vector<HWND> stacked;
    for (HWND child = GetWindow(main, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        stacked.push_back(child);
    }
    std::vector<HWND> described;
    for (const ControlRow& row : controlRows())
        described.push_back(control(row.name));
    EXPECT_EQ(stacked, described);
}

TEST_F(InspectorWindowTest, ControlsAreFoundByTheirWindows) {
    EXPECT_EQ(window.controlOf(main), C::window);
    EXPECT_EQ(window.controlOf(control(C::label9)), C::label9);
    EXPECT_EQ(window.controlOf(GetDesktopWindow()), std::nullopt);
    EXPECT_EQ(window.controlOf(nullptr), std::nullopt);
}

TEST_F(InspectorWindowTest, WriteContentReplacesTheTextAndPutsTheCaretAtItsStart) {
    const HWND box = control(C::editBox7);
    window.writeContent(EditBox::editBox7, "1A2B3C");
    EXPECT_EQ(windowText(box), "1A2B3C");
    EXPECT_EQ(events.count(C::editBox7, Event::contentChangedEvent), 1u)
        << "once per write; the control's own change notification raises nothing";

    SendMessageA(box, EM_SETSEL, 2, 5);
    window.writeContent(EditBox::editBox7, "1A2B3C");  // the same text again
    DWORD start = 99, end = 99;
    SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
    EXPECT_EQ(events.count(C::editBox7, Event::contentChangedEvent), 2u);

    window.writeContent(EditBox::editBox7, "");
    EXPECT_EQ(windowText(box), "");
    EXPECT_EQ(events.count(C::editBox7, Event::contentChangedEvent), 3u);
    EXPECT_EQ(events.count(C::editBox1, Event::contentChangedEvent), 0u);
}

TEST_F(InspectorWindowTest, AChangeMadeOtherwiseRaisesContentChangedFromTheNotification) {
    SetWindowTextA(control(C::editBox2), "changed elsewhere");
    EXPECT_EQ(events.count(C::editBox2, Event::contentChangedEvent), 1u);
}

TEST_F(InspectorWindowTest, EachBoxWritesOnlyItself) {
    const struct {
        EditBox box;
        Control control;
    } boxes[] = {{EditBox::editBox1, C::editBox1}, {EditBox::editBox2, C::editBox2},
                 {EditBox::editBox3, C::editBox3}, {EditBox::editBox4, C::editBox4},
                 {EditBox::editBox5, C::editBox5}, {EditBox::editBox7, C::editBox7},
                 {EditBox::editBox8, C::editBox8}};
    for (const auto& b : boxes)
        window.writeContent(b.box, std::to_string(controlId(b.control)));
    for (const auto& b : boxes) {
        EXPECT_EQ(windowText(control(b.control)), std::to_string(controlId(b.control)));
    }
}

TEST_F(InspectorWindowTest, ReadOnlyBoxesAskForBlackOnWhite) {
    HDC dc = CreateCompatibleDC(nullptr);
    for (UINT message : {WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT}) {
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkColor(dc, RGB(4, 5, 6));
        const auto brush =
            reinterpret_cast<HBRUSH>(SendMessageA(main, message, reinterpret_cast<WPARAM>(dc),
                                                  reinterpret_cast<LPARAM>(control(C::editBox4))));
        ASSERT_NE(brush, nullptr);
        LOGBRUSH look = {};
        GetObjectA(brush, sizeof(look), &look);
        EXPECT_EQ(look.lbStyle, static_cast<UINT>(BS_SOLID));
        EXPECT_EQ(look.lbColor, kWhite);
        EXPECT_EQ(GetTextColor(dc), 0u);
        EXPECT_EQ(GetBkColor(dc), kWhite);
    }
    DeleteDC(dc);
}

// The height of "W" in the box's current font.
int lineHeight(HWND box) {
    HDC dc = GetDC(box);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0)));
    SIZE w = {};
    GetTextExtentPoint32A(dc, "W", 1, &w);
    SelectObject(dc, previous);
    ReleaseDC(box, dc);
    return w.cy;
}

TEST_F(InspectorWindowTest, BoxClientAreaIsOneTextLineCentredInTheFrame) {
    const HWND box = control(C::editBox1);
    RECT outer;
    GetWindowRect(box, &outer);
    const int edge = GetSystemMetrics(SM_CYEDGE);
    const int frameHeight = (outer.bottom - outer.top) - 2 * edge;
    RECT client;
    GetClientRect(box, &client);
    EXPECT_EQ(client.bottom, std::min(lineHeight(box), frameHeight)) << "with the stock font";

    // A smaller font leaves bands above and below the line; the frame change re-centres it.
    HFONT small =
        CreateFontA(-9, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(small), FALSE);
    SetWindowPos(box, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int line = lineHeight(box);
    ASSERT_LT(line, frameHeight - 1);
    GetClientRect(box, &client);
    EXPECT_EQ(client.bottom, line);
    POINT origin = {0, 0};
    ClientToScreen(box, &origin);
    EXPECT_EQ(origin.y - outer.top, edge + (frameHeight - line) / 2);

    // Inside the box but above the line: frame, so a click there places no caret.
    const int midX = (outer.left + outer.right) / 2;
    EXPECT_EQ(SendMessageA(box, WM_NCHITTEST, 0, MAKELPARAM(midX, outer.top + edge)), HTBORDER);
    EXPECT_EQ(SendMessageA(box, WM_NCHITTEST, 0, MAKELPARAM(midX, origin.y + line / 2)), HTCLIENT);
    window.endForExit();  // before the font goes
    DeleteObject(small);
}

TEST_F(InspectorWindowTest, PaintsABlueSurfaceBlueLabelsAndWhiteBoxes) {
    show();
    EXPECT_EQ(screenPixel(main, 250, 100), kBlue) << "the surface right of the boxes";
    EXPECT_EQ(screenPixel(control(C::label3), 1, 1), kBlue) << "a label's corner";
    EXPECT_EQ(screenPixel(control(C::label9), 1, 30), kBlue);
    // The box's left part holds no text (right-aligned) and its top band is filled white.
    RECT outer;
    GetWindowRect(control(C::editBox3), &outer);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, outer.left + 10, outer.top + 3), kWhite);
    EXPECT_EQ(GetPixel(screen, outer.left + 10, (outer.top + outer.bottom) / 2), kWhite);
    ReleaseDC(nullptr, screen);
}

TEST_F(InspectorWindowTest, ReadIconCopiesTheProgramIcon) {
    const std::string bytes = inspectorIconFile();
    const std::optional<std::string> icon = window.readIcon();
    if (bytes.empty()) {
        EXPECT_EQ(icon, std::nullopt);
    } else {
        ASSERT_TRUE(icon.has_value());
        EXPECT_EQ(icon->size(), 99678u);
        EXPECT_EQ(*icon, bytes);
    }
}

TEST_F(InspectorWindowTest, FocusGoesToTheFirstBoxAndReturnsWhereItWas) {
    show();
    SetForegroundWindow(main);
    ASSERT_TRUE(pumpUntil([&] { return GetFocus() == control(C::editBox1); }))
        << "the window passes its focus to 编辑框1";

    SetFocus(control(C::button3));
    // Another window of this thread takes the activation, then the main window gets it back.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    ASSERT_TRUE(pumpUntil([&] { return GetActiveWindow() == other; }));
    SetActiveWindow(main);
    EXPECT_TRUE(pumpUntil([&] { return GetFocus() == control(C::button3); }));
    DestroyWindow(other);
}

TEST_F(InspectorWindowTest, ButtonClicksAndTrayActionsBecomeEvents) {
    SendMessageA(control(C::button2), BM_CLICK, 0, 0);
    SendMessageA(control(C::button3), BM_CLICK, 0, 0);
    EXPECT_EQ(events.count(C::button2, Event::clickedEvent), 1u);
    EXPECT_EQ(events.count(C::button3, Event::clickedEvent), 1u);

    SendMessageA(main, 0x8064, trayIconId, WM_LBUTTONDBLCLK);
    SendMessageA(main, 0x8064, trayIconId, WM_MOUSEMOVE);
    ASSERT_EQ(events.count(C::window, Event::trayEvent), 1u);
    EXPECT_EQ(events.records.back().argumentCount, 1);
    EXPECT_EQ(events.records.back().arguments[0], 2);
}

TEST_F(InspectorWindowTest, ClosingRaisesItsEventsRemovesTheTrayIconAndReportsItsEnd) {
    int closed = 0;
    window.setOnClosed([&] { ++closed; });
    window.trayIcon().setTrayIcon(main, productIconBytes(), "Ozvelt");
    ASSERT_TRUE(window.trayIcon().shown());
    const HWND box = control(C::editBox1);

    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(window.handle(), nullptr);
    EXPECT_EQ(events.count(C::window, Event::closeQueryEvent), 1u);
    EXPECT_EQ(events.count(C::window, Event::destroyEvent), 1u);
    EXPECT_FALSE(window.trayIcon().shown());
    EXPECT_EQ(closed, 1);
}

TEST_F(InspectorWindowTest, ACancelledCloseQueryKeepsTheWindow) {
    events.onEvent = [](EventRecord& record) {
        if (record.event == Event::closeQueryEvent)
            record.result = 0;
    };
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(main));
}

TEST_F(InspectorWindowTest, TheExitPathSkipsTheDestroyHandlingButStillDeletesTheTrayIcon) {
    int closed = 0;
    window.setOnClosed([&] { ++closed; });
    window.trayIcon().setTrayIcon(main, productIconBytes(), "Ozvelt");
    ASSERT_TRUE(window.trayIcon().shown());
    window.endForExit();
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(events.count(C::window, Event::destroyEvent), 0u);
    EXPECT_FALSE(window.trayIcon().shown());
    EXPECT_EQ(closed, 0);
}

TEST(InspectorWindowTimer, TicksRaisePeriodicEventsThroughTheSink) {
    RecordingEventSink events;
    InspectorWindow window(events);
    ASSERT_TRUE(window.createInspectorWindow());
    EXPECT_TRUE(pumpUntil([&] { return events.count(C::timer1, Event::periodicEvent) >= 2; }));
}

}  // namespace
