// Pre-translation of retrieved messages for the real main window: drag-to-move, Tab
// navigation, the controls' mouse events, and the loop's end.
#include "ui/message_loop.h"

#include <gtest/gtest.h>

#include "tests/ui/window_test_support.h"

namespace {

using C = Control;

class MessageLoopTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.createInspectorWindow());
        main = window.handle();
        discardPosted();
    }
    void TearDown() override { setKeys({}); }

    HWND control(Control c) const { return window.controlHandle(c); }
    static MSG message(HWND to, UINT id, WPARAM wParam = 0, LPARAM lParam = 0) {
        MSG m = {};
        m.hwnd = to;
        m.message = id;
        m.wParam = wParam;
        m.lParam = lParam;
        return m;
    }
    // The WM_NCLBUTTONDOWN messages posted to the main window since the last call.
    std::vector<MSG> postedMoves() {
        std::vector<MSG> moves;
        MSG m;
        while (PeekMessageA(&m, main, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE)) {
            moves.push_back(m);
        }
        return moves;
    }
    void discardPosted() { postedMoves(); }
    // Sets this thread's key state, which GetKeyState reads.
    static void setKeys(std::initializer_list<int> down) {
        BYTE keys[256] = {};
        for (int key : down)
            keys[key] = 0x80;
        SetKeyboardState(keys);
    }
    void focusAndShow() {
        ShowWindow(main, SW_SHOW);
        SetForegroundWindow(main);
        pumpUntil([&] { return GetFocus() == control(C::editBox1); });
        events.records.clear();  // timer ticks dispatched meanwhile
    }

    RecordingEventSink events;
    InspectorWindow window{events};
    MessageLoop loop{window, events};
    HWND main = nullptr;
};

TEST_F(MessageLoopTest, APressOnALabelMovesTheWindowAndGoesNoFurther) {
    EXPECT_TRUE(loop.preTranslate(
        message(control(C::label9), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6))));
    const std::vector<MSG> moves = postedMoves();
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].wParam, static_cast<WPARAM>(HTCAPTION));
    EXPECT_EQ(moves[0].lParam, 0);
    EXPECT_TRUE(events.records.empty()) << "no leftPressEvent";
}

TEST_F(MessageLoopTest, APressOnTheSurfaceMovesTheWindowAndIsStillDispatched) {
    EXPECT_FALSE(loop.preTranslate(message(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 90))));
    EXPECT_EQ(postedMoves().size(), 1u);
    EXPECT_TRUE(events.records.empty()) << "no leftPressEvent";
}

TEST_F(MessageLoopTest, PressesOnBoxesAndButtonsRaiseTheirOwnEventAndMoveNothing) {
    EXPECT_FALSE(
        loop.preTranslate(message(control(C::editBox3), WM_LBUTTONDOWN, 0, MAKELPARAM(7, 8))));
    EXPECT_FALSE(loop.preTranslate(message(control(C::button2), WM_LBUTTONDOWN, 0, 0)));
    EXPECT_TRUE(postedMoves().empty());
    EXPECT_EQ(events.count(C::editBox3, Event::leftPressEvent), 1u);
    EXPECT_EQ(events.count(C::button2, Event::leftPressEvent), 1u);
}

TEST_F(MessageLoopTest, LeftButtonMessagesRaiseEventsWithUnsignedCoordinatesAndKeys) {
    const struct {
        Control target;
        UINT id;
        Event event;
        std::initializer_list<int> keys;
        int32_t keyBits;
    } cases[] = {
        {C::window, WM_LBUTTONDBLCLK, Event::doubleClickEvent, {}, 0},
        {C::window, WM_LBUTTONUP, Event::leftReleaseEvent, {VK_CONTROL}, kCtrlKey},
        {C::label2,
         WM_LBUTTONDBLCLK,
         Event::doubleClickEvent,
         {VK_SHIFT, VK_MENU},
         kShiftKey | kAltKey},
        {C::editBox1,
         WM_LBUTTONUP,
         Event::leftReleaseEvent,
         {VK_CONTROL, VK_SHIFT, VK_MENU},
         kCtrlKey | kShiftKey | kAltKey},
    };
    for (const auto& c : cases) {
        events.records.clear();
        setKeys(c.keys);
        // 0xFFF0 as a 16-bit client coordinate: left of or above the window, kept unsigned.
        EXPECT_FALSE(loop.preTranslate(
            message(window.controlHandle(c.target), c.id, 0, MAKELPARAM(0xFFF0, 12))));
        ASSERT_EQ(events.records.size(), 1u) << c.id;
        const EventRecord& raised = events.records[0];
        EXPECT_EQ(raised.control, c.target);
        EXPECT_EQ(raised.event, c.event);
        ASSERT_EQ(raised.argumentCount, 3);
        EXPECT_EQ(raised.arguments[0], 0xFFF0);
        EXPECT_EQ(raised.arguments[1], 12);
        EXPECT_EQ(raised.arguments[2], c.keyBits);
    }
    EXPECT_TRUE(postedMoves().empty()) << "a double-click does not start a move";
}

TEST_F(MessageLoopTest, OtherMouseMessagesAndForeignWindowsRaiseNothing) {
    EXPECT_FALSE(loop.preTranslate(message(main, WM_RBUTTONDOWN)));
    EXPECT_FALSE(loop.preTranslate(message(main, WM_MBUTTONDOWN)));
    EXPECT_FALSE(loop.preTranslate(message(main, WM_MOUSEMOVE)));
    HWND other = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    EXPECT_FALSE(loop.preTranslate(message(other, WM_LBUTTONDOWN)));
    EXPECT_FALSE(loop.preTranslate(message(nullptr, WM_LBUTTONDOWN)));
    DestroyWindow(other);
    EXPECT_TRUE(events.records.empty());
    EXPECT_TRUE(postedMoves().empty());
}

TEST_F(MessageLoopTest, TabAndShiftTabMoveTheFocusWithWrapAround) {
    focusAndShow();
    ASSERT_EQ(GetFocus(), control(C::editBox1));
    const struct {
        Control from;
        std::initializer_list<int> keys;
        Control to;
    } cases[] = {
        {C::editBox1, {}, C::editBox2},       {C::editBox5, {}, C::editBox7},
        {C::button2, {}, C::editBox1},        {C::editBox1, {VK_SHIFT}, C::button2},
        {C::button2, {VK_SHIFT}, C::button3},
    };
    for (const auto& c : cases) {
        SetFocus(control(c.from));
        setKeys(c.keys);
        EXPECT_TRUE(loop.preTranslate(message(control(c.from), WM_KEYDOWN, VK_TAB)));
        EXPECT_EQ(GetFocus(), control(c.to)) << static_cast<int>(c.from);
    }
}

TEST_F(MessageLoopTest, EnterEscF1AndCtrlTabDoNothing) {
    focusAndShow();
    SetFocus(control(C::button3));
    for (WPARAM key : {VK_RETURN, VK_ESCAPE, VK_F1}) {
        EXPECT_FALSE(loop.preTranslate(message(control(C::button3), WM_KEYDOWN, key)));
    }
    setKeys({VK_CONTROL});
    EXPECT_FALSE(loop.preTranslate(message(control(C::button3), WM_KEYDOWN, VK_TAB)));
    EXPECT_EQ(GetFocus(), control(C::button3));
    EXPECT_TRUE(IsWindow(main));
    EXPECT_TRUE(events.records.empty());
}

TEST_F(MessageLoopTest, KeysForADisabledWindowGoStraightToDispatch) {
    focusAndShow();
    EnableWindow(control(C::editBox1), FALSE);
    EXPECT_FALSE(loop.preTranslate(message(control(C::editBox1), WM_KEYDOWN, VK_TAB)));
    EnableWindow(control(C::editBox1), TRUE);
}

TEST_F(MessageLoopTest, AMessageIsConsumedWhenItsEventEndedTheWindow) {
    events.onEvent = [&](EventRecord& record) {
        if (record.event == Event::doubleClickEvent)
            DestroyWindow(main);
    };
    EXPECT_TRUE(loop.preTranslate(message(main, WM_LBUTTONDBLCLK)));
    EXPECT_FALSE(IsWindow(main));
}

TEST_F(MessageLoopTest, RunReturnsTheQuitCodeAndClosingTheWindowEndsIt) {
    EXPECT_FALSE(loop.running());
    PostQuitMessage(7);
    EXPECT_EQ(loop.run(), 7);
    EXPECT_TRUE(loop.running());

    window.setOnClosed([&] {
        if (loop.running())
            PostQuitMessage(0);
    });
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(loop.run(), 0);
    EXPECT_FALSE(IsWindow(main));
}

}  // namespace
