// Live capture driven from outside: the real cursor over windows of this process and over
// the tool's own controls, the seven boxes read back, and the timing of single captures
// measured from the moment a click is injected.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/e2e/target_window.h"

namespace e2e {
namespace {

// A single capture comes one second after its click: never before 900 ms, and on a busy
// machine within 3000 ms. "Then none" means no change for 2 s after it.
constexpr long long kEarliestCaptureMs = 900;
constexpr Milliseconds kCaptureBound{3000};
constexpr Milliseconds kQuietPeriod{2000};

// A point of the blue surface that no control covers (client coordinates).
constexpr POINT kSurfacePoint = {20, 230};

// 300 bytes whose every position is recognisable: "000 001 002 ..." cut to length.
std::string longTitle() {
    std::string title;
    for (int i = 0; title.size() < 300; ++i) {
        char piece[8];
        std::snprintf(piece, sizeof(piece), "%03d ", i);
        title += piece;
    }
    title.resize(300);
    return title;
}

class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The targets exist before the tool starts, so the tool's window is on top and
        // active when it appears.
        first_ = std::make_unique<TargetWindow>("E2eFirstTarget", "第一个目标窗口",
                                                RECT{20, 20, 320, 200});
        second_ = std::make_unique<TargetWindow>("E2eSecondTarget", "第二个目标窗口",
                                                 RECT{660, 20, 1000, 200});
        tool_ = std::make_unique<Tool>();
        ASSERT_TRUE(tool_->process().started()) << "could not start " << toolPath();
        ASSERT_TRUE(tool_->ready()) << "no window captioned " << kCaption << " appeared";
        main_ = tool_->mainWindow();
    }

    CaptureTexts captureOf(const TargetWindow& target, const std::string& title,
                           uint32_t controlId = 0) const {
        return expectedCapture(target.window(), title, target.className(), target.atom(),
                               controlId);
    }
    CaptureTexts firstCapture() const { return captureOf(*first_, "第一个目标窗口"); }
    CaptureTexts secondCapture() const { return captureOf(*second_, "第二个目标窗口"); }

    // What pointing at one of the tool's own windows shows, the title being its text.
    CaptureTexts ownCapture(HWND window, const std::string& title, uint32_t controlId) const {
        return expectedCapture(window, title, classOf(window),
                               static_cast<uint16_t>(GetClassLongA(window, GCW_ATOM)), controlId);
    }
    CaptureTexts grabButtonCapture() const {
        return ownCapture(tool_->control(kButton2), "抓取数据", kButton2);
    }

    ::testing::AssertionResult pointAndSee(POINT point, const CaptureTexts& expected,
                                           Milliseconds bound = Milliseconds(5000)) const {
        if (!moveCursor(point))
            return ::testing::AssertionFailure() << "the cursor did not move";
        if (tool_->waitForCapture(expected, bound))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "expected " << describe(expected) << "\n  shown " << describe(tool_->capture());
    }

    // The first moment the boxes differ from `from`, polled until the deadline.
    std::optional<Clock::time_point> waitForChange(const CaptureTexts& from,
                                                   Clock::time_point deadline) const {
        std::optional<Clock::time_point> changed;
        waitFor(
            [&] {
                if (tool_->capture() == from)
                    return false;
                changed = Clock::now();
                return true;
            },
            std::chrono::duration_cast<Milliseconds>(deadline - Clock::now()));
        return changed;
    }

    // No box changes for the whole period.
    ::testing::AssertionResult staysFor(const CaptureTexts& texts, Milliseconds period) const {
        const Clock::time_point start = Clock::now();
        std::optional<Clock::time_point> changed = waitForChange(texts, start + period);
        if (!changed)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "the boxes changed " << millisecondsBetween(start, *changed)
               << " ms into the quiet period: " << describe(tool_->capture());
    }

    // One single capture: the click (already injected at `clicked`) is followed, no sooner
    // than 900 ms and within the bound, by the capture of `destination`, and then by none
    // while the cursor rests on `elsewhere`.
    void expectSingleCapture(Clock::time_point clicked, const CaptureTexts& before,
                             const TargetWindow& destination, const CaptureTexts& expected,
                             const TargetWindow& elsewhere,
                             std::optional<Clock::time_point> latestClick = std::nullopt) {
        ASSERT_TRUE(moveCursor(destination.centre()));
        const std::optional<Clock::time_point> changed =
            waitForChange(before, clicked + kCaptureBound);
        ASSERT_TRUE(changed.has_value())
            << "no capture within " << kCaptureBound.count() << " ms of the click";
        const long long delay = millisecondsBetween(clicked, *changed);
        std::printf("capture seen %lld ms after the click\n", delay);
        EXPECT_GE(delay, kEarliestCaptureMs) << "the capture came too early";
        if (latestClick) {
            EXPECT_LT(millisecondsBetween(*latestClick, *changed), kEarliestCaptureMs)
                << "the later click postponed the capture";
        }
        ASSERT_TRUE(tool_->waitForCapture(expected, Milliseconds(1000)))
            << "expected " << describe(expected) << "\n  shown " << describe(tool_->capture());
        ASSERT_TRUE(moveCursor(elsewhere.centre()));
        EXPECT_TRUE(staysFor(expected, kQuietPeriod)) << "a capture followed the single one";
    }

    std::unique_ptr<TargetWindow> first_;
    std::unique_ptr<TargetWindow> second_;
    std::unique_ptr<Tool> tool_;
    HWND main_ = nullptr;
};

TEST_F(CaptureTest, FollowsTheCursorFromStartAndShowsExactValues) {
    // A 300-byte title shows as its first 254 bytes; a window partly off the screen shows
    // negative coordinates; child windows show their control IDs, -1 as FFFFFFFF.
    const std::string title = longTitle();
    TargetWindow offScreen("E2eLongTitle", title, RECT{-40, 220, 260, 400});
    TargetWindow child("E2eChildControl", "子控件", second_->window(), 0x1234,
                       RECT{10, 10, 150, 80});
    TargetWindow minusOne("E2eChildMinusOne", "minus one", second_->window(), -1,
                          RECT{170, 10, 300, 80});

    struct Case {
        const char* name;
        POINT point;
        CaptureTexts expected;
    };
    const Case cases[] = {
        {"first target", first_->centre(), firstCapture()},
        {"300-byte title", offScreen.centre(), captureOf(offScreen, title.substr(0, 254))},
        {"child 0x1234", child.centre(), captureOf(child, "子控件", 0x1234)},
        {"child -1", minusOne.centre(), captureOf(minusOne, "minus one", 0xFFFFFFFF)},
        {"second target", POINT{second_->centre().x, 190}, secondCapture()},
    };
    EXPECT_EQ(cases[1].expected[6], "-40 220 260 400 ");
    EXPECT_EQ(cases[2].expected[5], "1234");
    EXPECT_EQ(cases[3].expected[5], "FFFFFFFF");
    for (const Case& target : cases) {
        SCOPED_TRACE(target.name);
        EXPECT_TRUE(pointAndSee(target.point, target.expected));
    }
}

TEST_F(CaptureTest, FollowsTheCursorInTheTwoHundredMsRhythm) {
    // Each move comes just after a capture was seen, so the capture that shows it comes
    // about one period later: near 200 ms, where a period of a second would give near 1000.
    ASSERT_TRUE(pointAndSee(first_->centre(), firstCapture()));
    std::vector<long long> latencies;
    for (int move = 0; move < 10; ++move) {
        const bool toSecond = move % 2 == 0;
        const TargetWindow& target = toSecond ? *second_ : *first_;
        const CaptureTexts expected = toSecond ? secondCapture() : firstCapture();
        // Timed from the move itself: moveCursor spends a while checking where it ended.
        const Clock::time_point moved = Clock::now();
        ASSERT_TRUE(moveCursor(target.centre()));
        const std::optional<Clock::time_point> seen = tool_->waitForCapture(expected);
        ASSERT_TRUE(seen.has_value()) << "move " << move << ": " << describe(tool_->capture());
        latencies.push_back(millisecondsBetween(moved, *seen));
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("follow latencies (ms):");
    for (long long latency : latencies)
        std::printf(" %lld", latency);
    std::printf("\n");
    EXPECT_LE(latencies[latencies.size() / 2], 400);
}

TEST_F(CaptureTest, PointedAtItselfShowsItsOwnWindowsAndControlIds) {
    struct Case {
        const char* name;
        HWND window;
        POINT point;
        std::string title;
        uint32_t controlId;
        const char* idText;
    };
    const std::string caption = kCaption;
    const Case cases[] = {
        {"surface", main_, clientToScreen(main_, kSurfacePoint), caption, 0, "0"},
        // 编辑框1 still holds the caption from the capture before: it is read, then written.
        {"编辑框1", tool_->control(kEditBox1), centreOf(tool_->control(kEditBox1)), caption,
         kEditBox1, "96"},
        {"按钮2", tool_->control(kButton2), centreOf(tool_->control(kButton2)), "抓取数据",
         kButton2, "10E"},
        {"标签1", tool_->control(kLabel1), centreOf(tool_->control(kLabel1)), "窗口标题：", kLabel1,
         "64"},
    };
    for (const Case& own : cases) {
        SCOPED_TRACE(own.name);
        const CaptureTexts expected = ownCapture(own.window, own.title, own.controlId);
        EXPECT_EQ(expected[5], own.idText);
        EXPECT_TRUE(pointAndSee(own.point, expected));
    }
}

TEST_F(CaptureTest, OverTheTitleBoxEachTickWritesBackWhatItHeld) {
    const std::string title = longTitle();
    TargetWindow longTitled("E2eLongTitle", title, RECT{-40, 220, 260, 400});
    ASSERT_TRUE(pointAndSee(longTitled.centre(), captureOf(longTitled, title.substr(0, 254))));
    HWND titleBox = tool_->control(kEditBox1);
    const CaptureTexts expected = ownCapture(titleBox, title.substr(0, 254), kEditBox1);
    ASSERT_TRUE(pointAndSee(centreOf(titleBox), expected));
    // Several ticks later the box still holds the text: each tick read it before writing.
    EXPECT_TRUE(staysFor(expected, Milliseconds(1200)));
}

TEST_F(CaptureTest, GrabCapturesOnceAboutASecondAfterTheClickLiveOrIdle) {
    ASSERT_TRUE(pointAndSee(first_->centre(), firstCapture()));
    HWND grab = tool_->control(kButton2);
    ASSERT_TRUE(pointAndSee(centreOf(grab), grabButtonCapture()));
    {
        SCOPED_TRACE("grab while following the cursor");
        const std::optional<Clock::time_point> clicked = clickButton(grab);
        ASSERT_TRUE(clicked.has_value()) << "the grab button did not take the press";
        expectSingleCapture(*clicked, grabButtonCapture(), *second_, secondCapture(), *first_);
    }
    {
        SCOPED_TRACE("grab after the single capture");
        const CaptureTexts before = tool_->capture();
        const std::optional<Clock::time_point> clicked = clickButton(grab);
        ASSERT_TRUE(clicked.has_value()) << "the grab button did not take the press";
        EXPECT_EQ(tool_->capture(), before) << "pointing at the button captured it";
        expectSingleCapture(*clicked, before, *first_, firstCapture(), *second_);
    }
}

TEST_F(CaptureTest, TwoGrabsSixHundredMsApartCaptureOnceAfterTheFirst) {
    HWND grab = tool_->control(kButton2);
    ASSERT_TRUE(pointAndSee(centreOf(grab), grabButtonCapture()));
    const std::optional<Clock::time_point> firstClick = clickButton(grab);
    ASSERT_TRUE(firstClick.has_value()) << "the grab button did not take the press";
    pumpFor(
        std::chrono::duration_cast<Milliseconds>(*firstClick + Milliseconds(600) - Clock::now()));
    const std::optional<Clock::time_point> secondClick = clickButton(grab);
    ASSERT_TRUE(secondClick.has_value()) << "the grab button did not take the second press";
    std::printf("second click %lld ms after the first\n",
                millisecondsBetween(*firstClick, *secondClick));
    expectSingleCapture(*firstClick, grabButtonCapture(), *second_, secondCapture(), *first_,
                        secondClick);
}

TEST_F(CaptureTest, DoubleClickOnTheSurfaceGrabsLikeTheButton) {
    const POINT surface = clientToScreen(main_, kSurfacePoint);
    char caption[64] = {};
    GetWindowTextA(main_, caption, sizeof(caption));
    const CaptureTexts onSurface = ownCapture(main_, caption, 0);
    ASSERT_TRUE(pointAndSee(surface, onSurface));
    const RECT before = windowRect(main_);
    doubleClick();
    const Clock::time_point clicked = Clock::now();
    expectSingleCapture(clicked, onSurface, *second_, secondCapture(), *first_);
    const RECT after = windowRect(main_);
    EXPECT_TRUE(movedBy(before, after, POINT{0, 0})) << "the double-click moved the window";
}

TEST_F(CaptureTest, DoubleClickOnALabelOrABoxKeepsFollowingTheCursor) {
    for (int id : {kLabel1, kEditBox3}) {
        HWND control = tool_->control(id);
        SCOPED_TRACE(describeWindow(control));
        const RECT before = windowRect(main_);
        ASSERT_TRUE(moveCursor(centreOf(control)));
        ASSERT_TRUE(waitFor([&] { return tool_->capture()[5] == hexText(id); }))
            << describe(tool_->capture());
        doubleClick();
        // A grab would capture once a second later and then stop following.
        pumpFor(Milliseconds(1300));
        EXPECT_TRUE(pointAndSee(first_->centre(), firstCapture()));
        EXPECT_TRUE(pointAndSee(second_->centre(), secondCapture()));
        const RECT after = windowRect(main_);
        EXPECT_TRUE(movedBy(before, after, POINT{0, 0})) << "the double-click moved the window";
    }
}

TEST_F(CaptureTest, AfterASingleCaptureADragMovesTheWindowAndCapturesNothing) {
    HWND grab = tool_->control(kButton2);
    ASSERT_TRUE(pointAndSee(centreOf(grab), grabButtonCapture()));
    const std::optional<Clock::time_point> clicked = clickButton(grab);
    ASSERT_TRUE(clicked.has_value()) << "the grab button did not take the press";
    expectSingleCapture(*clicked, grabButtonCapture(), *second_, secondCapture(), *first_);
    for (int id : {0, static_cast<int>(kLabel9)}) {
        SCOPED_TRACE(id == 0 ? "surface" : "标签9");
        const POINT start =
            id == 0 ? clientToScreen(main_, kSurfacePoint) : centreOf(tool_->control(id));
        const RECT before = windowRect(main_);
        EXPECT_TRUE(dragBy(main_, start, POINT{-30, 20}))
            << "the window went from " << rectangleText(before) << "to "
            << rectangleText(windowRect(main_));
        ASSERT_TRUE(moveCursor(first_->centre()));
        EXPECT_TRUE(staysFor(secondCapture(), Milliseconds(1500)));
    }
}

TEST_F(CaptureTest, ExitWhileACaptureIsPendingEndsWithZeroAndNoCapture) {
    HWND grab = tool_->control(kButton2);
    ASSERT_TRUE(pointAndSee(centreOf(grab), grabButtonCapture()));
    const CaptureTexts before = tool_->capture();
    const std::optional<Clock::time_point> grabbed = clickButton(grab);
    ASSERT_TRUE(grabbed.has_value()) << "the grab button did not take the press";
    const std::optional<Clock::time_point> exited = clickButton(tool_->control(kButton3));
    ASSERT_TRUE(exited.has_value()) << "the exit button did not take the press";
    ASSERT_LT(millisecondsBetween(*grabbed, *exited), kEarliestCaptureMs)
        << "the exit click came too late to prove anything";
    // Until the process is gone the boxes keep the capture from before the grab.
    bool changed = false;
    waitFor([&] {
        const CaptureTexts now = tool_->capture();
        if (!tool_->process().running())
            return true;
        // Reads that overlap the end of the process get no reply; they prove nothing.
        const bool complete = std::find(now.begin(), now.end(), kNoReply) == now.end();
        if (complete && now != before)
            changed = true;
        return changed;
    });
    EXPECT_FALSE(changed) << "a capture happened: " << describe(tool_->capture());
    const std::optional<DWORD> code = tool_->process().waitForExit();
    ASSERT_TRUE(code.has_value()) << "the program did not end";
    EXPECT_EQ(*code, 0u);
}

}  // namespace
}  // namespace e2e
