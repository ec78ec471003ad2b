// The inspector's window driven from outside: caption, frame, placement, the 18 controls,
// focus and keyboard navigation, dragging, and the ways the program ends.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/e2e/target_window.h"

namespace e2e {
namespace {

enum class Kind { editBox, label, button, timer };

struct ControlRow {
    int id;
    const char* name;
    Kind kind;
    int left, top, width, height;
    const char* text;  // nullptr: not checked (edit boxes change with every capture)
};

// The window's description, in description order (top of the z-order first).
const std::vector<ControlRow> kDescription = {
    {kButton2, "按钮2", Kind::button, 58, 217, 72, 24, "抓取数据"},
    {kLabel9, "标签9", Kind::label, 0, 251, 256, 32,
     "点击抓取数据后点击你要查看数据的窗口。有时候会失效，重新试下就行。"},
    {kButton3, "按钮3", Kind::button, 168, 217, 64, 24, "退出程序"},
    {kEditBox8, "编辑框8", Kind::editBox, 88, 192, 150, 20, nullptr},
    {kLabel8, "标签8", Kind::label, -2, 189, 106, 24, "窗口范围："},
    {kEditBox7, "编辑框7", Kind::editBox, 88, 36, 150, 20, nullptr},
    {kLabel7, "标签7", Kind::label, 10, 33, 80, 24, "窗口句柄："},
    {kTimer1, "时钟1", Kind::timer, 66, 189, 26, 26, ""},
    {kEditBox5, "编辑框5", Kind::editBox, 88, 160, 150, 20, nullptr},
    {kEditBox4, "编辑框4", Kind::editBox, 88, 129, 150, 20, nullptr},
    {kEditBox3, "编辑框3", Kind::editBox, 88, 98, 150, 20, nullptr},
    {kEditBox2, "编辑框2", Kind::editBox, 88, 67, 150, 20, nullptr},
    {kEditBox1, "编辑框1", Kind::editBox, 88, 5, 150, 20, nullptr},
    {kLabel6, "标签6", Kind::label, 5, 157, 80, 24, "窗口ID："},
    {kLabel4, "标签4", Kind::label, 10, 126, 80, 24, "窗口风格："},
    {kLabel3, "标签3", Kind::label, 10, 95, 80, 24, "窗口类值："},
    {kLabel2, "标签2", Kind::label, 10, 64, 80, 24, "窗口类名："},
    {kLabel1, "标签1", Kind::label, 10, 2, 80, 24, "窗口标题："},
};

// The tab order: creation order of the focusable tab stops.
const std::vector<int> kTabOrder = {kEditBox1, kEditBox2, kEditBox3, kEditBox4, kEditBox5,
                                    kEditBox7, kEditBox8, kButton3,  kButton2};

// A point of the blue surface that no control covers (client coordinates).
constexpr POINT kSurfacePoint = {20, 230};

std::string nameOf(HWND control) {
    const int id = GetDlgCtrlID(control);
    for (const ControlRow& row : kDescription) {
        if (row.id == id)
            return row.name;
    }
    return describeWindow(control);
}

bool sameText(const std::string& a, const char* b) {
    return lstrcmpiA(a.c_str(), b) == 0;
}

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class InspectorWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        tool_ = std::make_unique<Tool>();
        ASSERT_TRUE(tool_->process().started()) << "could not start " << toolPath();
        ASSERT_TRUE(tool_->ready()) << "no window captioned " << kCaption << " appeared";
        main_ = tool_->mainWindow();
    }

    HWND control(int id) const { return tool_->control(id); }
    HWND focus() const { return focusOf(tool_->threadId()); }

    // Waits until the focus is on the control; on failure says where it is.
    ::testing::AssertionResult focusBecomes(int id) const {
        if (waitFor([&] { return focus() == control(id); }, Milliseconds(5000))) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "focus is on " << nameOf(focus()) << ", not on " << nameOf(control(id));
    }

    ::testing::AssertionResult becomesForeground(HWND window) const {
        SetForegroundWindow(window);
        if (waitFor([&] { return GetForegroundWindow() == window; }, Milliseconds(5000))) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "foreground is " << describeWindow(GetForegroundWindow()) << ", not "
               << describeWindow(window);
    }

    // Live capture still follows the cursor: two windows in turn, each shown quickly.
    ::testing::AssertionResult stillFollowsTheCursor() const {
        TargetWindow first("E2eFollowA", "follow A", RECT{20, 20, 220, 120});
        TargetWindow second("E2eFollowB", "follow B", RECT{700, 20, 900, 120});
        for (TargetWindow* target : {&first, &second}) {
            if (!moveCursor(target->centre())) {
                return ::testing::AssertionFailure() << "the cursor did not move";
            }
            const CaptureTexts expected = expectedCapture(target->window(), target->title(),
                                                          target->className(), target->atom(), 0);
            if (!tool_->waitForCapture(expected, Milliseconds(3000))) {
                return ::testing::AssertionFailure()
                       << "the boxes did not follow the cursor to " << target->className() << ": "
                       << describe(tool_->capture());
            }
        }
        return ::testing::AssertionSuccess();
    }

    std::unique_ptr<Tool> tool_;
    HWND main_ = nullptr;
};

TEST(Environment, RunsWithTheChineseAnsiCodePage) {
    // Wine takes the ANSI code page from the locale; every text check assumes GB2312.
    EXPECT_EQ(GetACP(), 936u);
}

TEST_F(InspectorWindowTest, CaptionFrameAndPlacement) {
    char caption[64] = {};
    GetWindowTextA(main_, caption, sizeof(caption));
    EXPECT_EQ(std::string(caption),
              "\xb4\xb0\xbf\xda\xb2\xe9\xbf\xb4\xb8\xa8\xd6\xfa\xb9\xa4\xbe\xdf");

    const RECT rect = windowRect(main_);
    EXPECT_EQ(rect.right - rect.left, kOuterWidth);
    EXPECT_EQ(rect.bottom - rect.top, kOuterHeight);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - kOuterWidth) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - kOuterHeight) / 2);

    const DWORD style = styleOf(main_);
    for (DWORD required : std::initializer_list<DWORD>{WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX,
                                                       WS_CLIPCHILDREN, WS_VISIBLE}) {
        EXPECT_EQ(style & required, required) << "style " << hexText(style);
    }
    for (DWORD forbidden : std::initializer_list<DWORD>{WS_MAXIMIZEBOX, WS_THICKFRAME, WS_POPUP,
                                                        WS_CHILD, WS_DISABLED}) {
        EXPECT_EQ(style & forbidden, 0u) << "style " << hexText(style);
    }
    const DWORD exStyle = exStyleOf(main_);
    EXPECT_EQ(exStyle & WS_EX_TOPMOST, DWORD{WS_EX_TOPMOST})
        << "extended style " << hexText(exStyle);
    // Wine adds WS_EX_WINDOWEDGE to every framed window; nothing else may be there.
    EXPECT_EQ(exStyle & ~DWORD{WS_EX_TOPMOST | WS_EX_WINDOWEDGE}, 0u)
        << "extended style " << hexText(exStyle);
    EXPECT_EQ(GetWindow(main_, GW_OWNER), nullptr) << "an owned window has no taskbar button";

    EXPECT_EQ(GetClassLongA(main_, GCL_STYLE), CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
    EXPECT_EQ(GetClassLongA(main_, GCL_HBRBACKGROUND), 0u);
    EXPECT_EQ(GetClassLongA(main_, GCL_HICON), 0u);
}

TEST_F(InspectorWindowTest, SurfaceIsBlueAndBoxesAreWhite) {
    // The surface and labels are 0x00FF8800; a read-only box is white, not the default grey.
    const POINT surface = clientToScreen(main_, kSurfacePoint);
    const RECT box = windowRect(control(kEditBox3));
    const POINT boxInside = {box.left + 4, (box.top + box.bottom) / 2};
    const RECT label = windowRect(control(kLabel9));
    const POINT labelCorner = {label.right - 2, label.top + 1};
    HDC screen = GetDC(nullptr);
    const bool painted = waitFor([&] {
        return GetPixel(screen, surface.x, surface.y) == 0x00FF8800 &&
               GetPixel(screen, boxInside.x, boxInside.y) == 0x00FFFFFF &&
               GetPixel(screen, labelCorner.x, labelCorner.y) == 0x00FF8800;
    });
    const COLORREF seen[] = {GetPixel(screen, surface.x, surface.y),
                             GetPixel(screen, boxInside.x, boxInside.y),
                             GetPixel(screen, labelCorner.x, labelCorner.y)};
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(painted) << "surface " << hexText(seen[0]) << ", box " << hexText(seen[1])
                         << ", label " << hexText(seen[2]);
}

TEST_F(InspectorWindowTest, ControlsFollowTheDescription) {
    std::string labelClass;
    for (const ControlRow& row : kDescription) {
        SCOPED_TRACE(row.name);
        HWND window = control(row.id);
        ASSERT_NE(window, nullptr) << "no control with ID " << row.id;
        EXPECT_EQ(GetParent(window), main_);
        const RECT expected = {row.left, row.top, row.left + row.width, row.top + row.height};
        EXPECT_PRED2(sameRect, rectInParent(window), expected)
            << "at " << rectangleText(rectInParent(window)) << ", described "
            << rectangleText(expected);
        if (row.text != nullptr) {
            EXPECT_EQ(textOf(window), row.text);
        }

        const DWORD style = styleOf(window);
        const DWORD exStyle = exStyleOf(window);
        const std::string className = classOf(window);
        const DWORD childBits = WS_CHILD | WS_CLIPSIBLINGS;
        switch (row.kind) {
            case Kind::editBox:
                EXPECT_PRED2(sameText, className, "EDIT");
                EXPECT_EQ(style & 0xFFFF0000, childBits | WS_VISIBLE | WS_TABSTOP)
                    << hexText(style);
                for (DWORD bit :
                     std::initializer_list<DWORD>{ES_AUTOHSCROLL, ES_RIGHT, ES_READONLY}) {
                    EXPECT_EQ(style & bit, bit) << hexText(style);
                }
                for (DWORD bit : std::initializer_list<DWORD>{ES_MULTILINE, ES_NOHIDESEL, ES_CENTER,
                                                              ES_PASSWORD}) {
                    EXPECT_EQ(style & bit, 0u) << hexText(style);
                }
                EXPECT_EQ(exStyle, DWORD{WS_EX_CLIENTEDGE}) << hexText(exStyle);
                break;
            case Kind::button:
                EXPECT_PRED2(sameText, className, "BUTTON");
                EXPECT_EQ(style, childBits | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER |
                                     BS_VCENTER | BS_MULTILINE)
                    << hexText(style);
                EXPECT_EQ(exStyle, 0u) << hexText(exStyle);
                break;
            case Kind::label:
                if (labelClass.empty())
                    labelClass = className;
                EXPECT_EQ(className, labelClass) << "all labels share one class";
                EXPECT_FALSE(sameText(className, "EDIT") || sameText(className, "BUTTON") ||
                             sameText(className, "STATIC"));
                EXPECT_EQ(style, childBits | WS_VISIBLE) << hexText(style);
                EXPECT_EQ(exStyle, 0u) << hexText(exStyle);
                EXPECT_EQ(GetClassLongA(window, GCL_STYLE), CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
                EXPECT_EQ(GetClassLongA(window, GCL_HBRBACKGROUND), 0u);
                break;
            case Kind::timer:
                EXPECT_EQ(style, childBits) << "hidden, no tab stop: " << hexText(style);
                EXPECT_EQ(exStyle, 0u) << hexText(exStyle);
                EXPECT_EQ(GetClassLongA(window, GCL_STYLE) & CS_DBLCLKS,
                          static_cast<DWORD>(CS_DBLCLKS));
                EXPECT_EQ(GetClassLongA(window, GCL_HBRBACKGROUND), 0u);
                break;
        }
    }

    std::vector<std::string> described;
    for (const ControlRow& row : kDescription)
        described.push_back(row.name);
    std::vector<std::string> stacked;
    for (HWND child : childrenInZOrder(main_))
        stacked.push_back(nameOf(child));
    EXPECT_EQ(stacked, described) << "children from the top of the z-order down";
}

TEST_F(InspectorWindowTest, FocusStartsOnTheTitleBoxAndComesBackAfterSwitching) {
    EXPECT_TRUE(focusBecomes(kEditBox1));
    TargetWindow other("E2eOtherWindow", "another program", RECT{20, 20, 220, 120});

    // Twice: with the focus where start-up put it, then on a box that Tab moved it to.
    for (int expected : {kEditBox1, kEditBox2}) {
        SCOPED_TRACE(nameOf(control(expected)));
        ASSERT_TRUE(becomesForeground(main_));
        if (expected != kEditBox1)
            pressKey(VK_TAB);
        ASSERT_TRUE(focusBecomes(expected));
        ASSERT_TRUE(becomesForeground(other.window()));
        ASSERT_TRUE(becomesForeground(main_));
        EXPECT_TRUE(focusBecomes(expected));
    }
}

TEST_F(InspectorWindowTest, TabAndShiftTabWalkTheTabOrderAndWrap) {
    ASSERT_TRUE(becomesForeground(main_));
    ASSERT_TRUE(focusBecomes(kEditBox1));
    for (size_t step = 1; step <= kTabOrder.size(); ++step) {
        pressKey(VK_TAB);
        ASSERT_TRUE(focusBecomes(kTabOrder[step % kTabOrder.size()])) << "Tab number " << step;
    }
    for (size_t step = 1; step <= kTabOrder.size(); ++step) {
        pressKey(VK_TAB, {VK_SHIFT});
        const size_t index = (kTabOrder.size() - step % kTabOrder.size()) % kTabOrder.size();
        ASSERT_TRUE(focusBecomes(kTabOrder[index])) << "Shift+Tab number " << step;
    }
}

TEST_F(InspectorWindowTest, EnterEscAndF1ChangeNothing) {
    ASSERT_TRUE(becomesForeground(main_));
    ASSERT_TRUE(focusBecomes(kEditBox1));
    const RECT before = windowRect(main_);
    // On a box, then on 按钮2 (Enter must not grab) and on 按钮3 (Enter must not exit).
    for (int focused : {kEditBox1, kButton2, kButton3}) {
        SCOPED_TRACE(nameOf(control(focused)));
        if (focused != kEditBox1)
            pressKey(VK_TAB, {VK_SHIFT});
        ASSERT_TRUE(focusBecomes(focused));
        for (WORD key : {VK_RETURN, VK_ESCAPE, VK_F1})
            pressKey(key);
        pumpFor(Milliseconds(300));
        ASSERT_TRUE(tool_->process().running()) << "the program ended";
        EXPECT_TRUE(focusBecomes(focused));
    }
    // A grab would have made one capture after a second and then stopped following.
    pumpFor(Milliseconds(1300));
    ASSERT_TRUE(tool_->process().running()) << "the program ended";
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_PRED2(sameRect, windowRect(main_), before);
    EXPECT_EQ(topLevelWindowsOf(tool_->process().id(), true).size(), 1u)
        << "a help window or box opened";
    EXPECT_TRUE(stillFollowsTheCursor());
}

TEST_F(InspectorWindowTest, TrayMouseMessagesChangeNothing) {
    constexpr UINT kTrayMessage = WM_APP + 100;
    constexpr WPARAM kTrayIconId = 100;
    const RECT before = windowRect(main_);
    for (LPARAM mouse : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_CONTEXTMENU,
                         WM_LBUTTONDOWN, WM_MOUSEMOVE}) {
        PostMessageA(main_, kTrayMessage, kTrayIconId, mouse);
    }
    pumpFor(Milliseconds(1300));
    ASSERT_TRUE(tool_->process().running()) << "the program ended";
    EXPECT_PRED2(sameRect, windowRect(main_), before);
    EXPECT_EQ(topLevelWindowsOf(tool_->process().id(), true).size(), 1u) << "a menu opened";
    EXPECT_TRUE(stillFollowsTheCursor());
}

TEST_F(InspectorWindowTest, TaskbarIsThereWhileTheToolRuns) {
    // Wine's taskbar draws tray icons without a window each; only the taskbar can be found.
    EXPECT_NE(FindWindowA("Shell_TrayWnd", nullptr), nullptr);
}

TEST_F(InspectorWindowTest, DragOnTheSurfaceOrALabelMovesTheWindow) {
    struct DragCase {
        const char* name;
        int controlId;  // 0: the surface point
        bool moves;     // a drag on an edit box selects text instead
    };
    const DragCase cases[] = {
        {"surface", 0, true},
        {"标签1", kLabel1, true},
        {"标签9", kLabel9, true},
        {"编辑框3", kEditBox3, false},
    };
    const POINT offset = {40, 30};
    for (const DragCase& drag : cases) {
        SCOPED_TRACE(drag.name);
        const RECT before = windowRect(main_);
        const POINT start = drag.controlId == 0 ? clientToScreen(main_, kSurfacePoint)
                                                : centreOf(control(drag.controlId));
        const bool arrived =
            dragBy(main_, start, offset, drag.moves ? kWaitBound : Milliseconds(500));
        EXPECT_EQ(arrived, drag.moves);
        const RECT after = windowRect(main_);
        if (drag.moves) {
            EXPECT_TRUE(movedBy(before, after, offset))
                << "window at " << rectangleText(after) << ", started at " << rectangleText(before);
        } else {
            EXPECT_PRED2(sameRect, after, before) << "window at " << rectangleText(after);
        }
    }
}

TEST(InspectorEnding, EveryWayOfEndingGivesExitCodeZero) {
    struct EndCase {
        const char* name;
        void (*end)(Tool& tool);
    };
    const EndCase cases[] = {
        {"退出程序 clicked",
         [](Tool& tool) { EXPECT_TRUE(clickButton(tool.control(kButton3)).has_value()); }},
        {"WM_CLOSE", [](Tool& tool) { PostMessageA(tool.mainWindow(), WM_CLOSE, 0, 0); }},
        {"Alt+F4",
         [](Tool& tool) {
             SetForegroundWindow(tool.mainWindow());
             ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == tool.mainWindow(); }));
             pressKey(VK_F4, {VK_MENU});
         }},
    };
    for (const EndCase& endCase : cases) {
        SCOPED_TRACE(endCase.name);
        Tool tool;
        ASSERT_TRUE(tool.ready());
        endCase.end(tool);
        const std::optional<DWORD> code = tool.process().waitForExit();
        ASSERT_TRUE(code.has_value()) << "the program did not end";
        EXPECT_EQ(*code, 0u);
        EXPECT_FALSE(IsWindow(tool.mainWindow()));
    }
}

TEST(InspectorEnding, TwoInstancesRunIndependently) {
    Tool first;
    ASSERT_TRUE(first.ready());
    Tool second;
    ASSERT_TRUE(second.ready());
    EXPECT_NE(first.process().id(), second.process().id());
    EXPECT_NE(first.mainWindow(), second.mainWindow());
    PostMessageA(second.mainWindow(), WM_CLOSE, 0, 0);
    const std::optional<DWORD> code = second.process().waitForExit();
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    pumpFor(Milliseconds(300));
    EXPECT_TRUE(first.process().running());
    EXPECT_TRUE(IsWindowVisible(first.mainWindow()));
}

}  // namespace
}  // namespace e2e
