// The real tool, driven from outside, pointed at windows that make its queries hard: bad
// double-byte titles, the longest class name, extreme rectangles, the desktop and taskbar,
// a hung window of another process and windows that vanish while they are read. In each
// case the tool must show what the queries left and keep capturing afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <climits>
#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "tests/e2e/harness.h"
#include "tests/e2e/target_window.h"
#include "tests/hostile/capture_oracle.h"

namespace {

using e2e::CaptureTexts;
using hostile::hexBytes;
using hostile::queryAt;
using hostile::shownFor;

// Targets sit left of the centred tool (x 379..644 on the 1024x768 desktop).
constexpr RECT kTargetRect{40, 40, 240, 160};
constexpr POINT kTargetPoint{140, 100};
constexpr RECT kCheckRect{40, 400, 240, 500};

long long millisecondsSince(std::chrono::steady_clock::time_point start) {
    return e2e::millisecondsBetween(start, std::chrono::steady_clock::now());
}

std::string hostileTargetPath() {
    return e2e::windowsPath(HOSTILE_TARGET_EXE);
}

std::string rectArguments(const RECT& rect) {
    return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
           std::to_string(rect.right - rect.left) + " " + std::to_string(rect.bottom - rect.top);
}

class HostileWindows : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tool_.ready()) << "the tool did not start";
        std::printf("[hostile] code page %u\n", GetACP());
    }

    // Waits until the tool shows exactly what the queries give for the window at the point
    // (re-queried on every poll, since the window may change meanwhile).
    ::testing::AssertionResult showsWhatIsAt(POINT point) {
        CaptureTexts expected;
        CaptureTexts shown;
        const bool matched = e2e::waitFor([&] {
            expected = shownFor(queryAt(point));
            shown = tool_.capture();
            return shown == expected;
        });
        if (matched)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "expected " << e2e::describe(expected) << "\n   shown " << e2e::describe(shown);
    }

    // The tool still runs, answers, and follows the cursor onto a fresh window.
    void expectStillCapturing() {
        ASSERT_TRUE(tool_.process().running());
        e2e::TargetWindow check("HostileCheckWindow", "still capturing", kCheckRect);
        ASSERT_TRUE(e2e::moveCursor(check.centre()));
        EXPECT_TRUE(showsWhatIsAt(check.centre()));
    }

    e2e::Tool tool_;
};

TEST_F(HostileWindows, TitlesWithInvalidDoubleByteSequencesAreShownAsRead) {
    const std::map<std::string, std::string> titles = {
        {"lead byte then blank", "\x81\x20"}, {"lone lead byte at the end", "abc\x81"},
        {"lone lead byte alone", "\x81"},     {"0x80 and 0xFF", "\x80x\xFF"},
        {"lead byte then tab", "\xB0\x09z"},
    };
    ASSERT_TRUE(e2e::moveCursor(kTargetPoint));
    for (const auto& [name, title] : titles) {
        e2e::TargetWindow target("HostileTitleWindow", title, kTargetRect);
        const hostile::Queried queried = queryAt(kTargetPoint);
        ASSERT_EQ(queried.window, target.window()) << name;
        EXPECT_TRUE(showsWhatIsAt(kTargetPoint)) << name;
        std::printf("[hostile] title %-32s set %-14s read back %-14s shown %s\n", name.c_str(),
                    hexBytes(title).c_str(), hexBytes(queried.title).c_str(),
                    hexBytes(tool_.capture()[1]).c_str());
    }
    expectStillCapturing();
}

TEST_F(HostileWindows, LongestClassNameAndLongTitleAreCutTo254Bytes) {
    std::string className(255, 'C');
    className.back() = 'Z';
    const std::string title(300, 'T');
    ASSERT_TRUE(e2e::moveCursor(kTargetPoint));
    e2e::TargetWindow target(className, title, kTargetRect);
    ASSERT_NE(target.atom(), 0) << "RegisterClassA refused a 255-character name";
    ASSERT_TRUE(showsWhatIsAt(kTargetPoint));
    const CaptureTexts shown = tool_.capture();
    EXPECT_EQ(shown[1], title.substr(0, 254));
    EXPECT_EQ(shown[2], className.substr(0, 254));
    std::printf("[hostile] class name of 255 chars shown as %zu chars, title of 300 as %zu\n",
                shown[2].size(), shown[1].size());
    expectStillCapturing();
}

// Wine keeps window positions and sizes within 16 bits (seen here: -32768..32767), so the
// 32-bit extremes cannot reach the screen; the table asks for them and checks what the
// tool shows against what GetWindowRect reports, for every placement under the cursor.
TEST_F(HostileWindows, RectanglesAtNegativeAndExtremeCoordinatesAreShownAsReported) {
    struct Placement {
        const char* name;
        int x, y, width, height;
    };
    const Placement placements[] = {
        {"partly above-left of the screen", -100, -50, 400, 300},
        {"farthest top-left still reaching the screen", -32740, -32740, 32767, 32767},
        {"near the screen, size up to 32-bit maximum", -100, -100, INT_MAX, INT_MAX},
        {"far out, asked to cover the screen", -1000000, -1000000, 2000000, 2000000},
        {"32-bit minimum corner, huge size", INT_MIN, INT_MIN, INT_MAX, INT_MAX},
        {"32-bit minimum corner, small", INT_MIN, INT_MIN, 3000, 3000},
        {"32-bit maximum corner", INT_MAX - 10, INT_MAX - 10, 100, 100},
        {"negative size", 10, 10, -100, -100},
    };
    const POINT cursor{20, 20};
    ASSERT_TRUE(e2e::moveCursor(cursor));
    e2e::TargetWindow target("HostileRectWindow", "extreme", kTargetRect);
    int shownUnderCursor = 0;
    for (const Placement& placement : placements) {
        MoveWindow(target.window(), placement.x, placement.y, placement.width, placement.height,
                   TRUE);
        const RECT reported = e2e::windowRect(target.window());
        const bool underCursor = WindowFromPoint(cursor) == target.window();
        std::printf("[hostile] %-44s asked %d %d %d %d, GetWindowRect %s%s\n", placement.name,
                    placement.x, placement.y, placement.width, placement.height,
                    e2e::rectangleText(reported).c_str(),
                    underCursor ? "" : "(not under the cursor)");
        EXPECT_TRUE(showsWhatIsAt(cursor)) << placement.name;
        if (underCursor) {
            ++shownUnderCursor;
            EXPECT_EQ(tool_.capture()[6], e2e::rectangleText(reported)) << placement.name;
        }
    }
    EXPECT_GE(shownUnderCursor, 3);
    expectStillCapturing();
}

TEST_F(HostileWindows, DesktopAndTaskbarAreShownAsRead) {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    std::map<std::string, POINT> points = {{"desktop", POINT{900, 100}}};
    if (taskbar != nullptr) {
        const RECT bar = e2e::windowRect(taskbar);
        const LONG middle = (bar.top + bar.bottom) / 2;
        points["taskbar, left end"] = POINT{bar.left + 10, middle};
        points["taskbar, middle"] = POINT{(bar.left + bar.right) / 2, middle};
        points["taskbar, right end"] = POINT{bar.right - 8, middle};
    } else {
        std::printf("[hostile] no taskbar (Shell_TrayWnd) in this session\n");
    }
    for (const auto& [name, point] : points) {
        ASSERT_TRUE(e2e::moveCursor(point)) << name;
        EXPECT_TRUE(showsWhatIsAt(point)) << name;
        std::printf("[hostile] %-20s %s\n", name.c_str(), e2e::describe(tool_.capture()).c_str());
    }
    expectStillCapturing();
}

// The tool never sends a message to the window it reads: GetWindowTextA of another
// process's window reads the caption the system keeps, so a hung owner cannot stall it.
TEST_F(HostileWindows, HungWindowOfAnotherProcessDoesNotHangTheCapture) {
    e2e::ChildProcess hung(hostileTargetPath(), "hung " + rectArguments(kTargetRect));
    ASSERT_TRUE(hung.started());
    HWND window = hung.waitForWindow("HostileHungWindow", "hung window");
    ASSERT_NE(window, nullptr);
    // It has stopped reading messages: a bounded message gets no answer. (WM_GETTEXTLENGTH
    // is not used: under this Wine its bounded send to a hung window never returns.)
    DWORD_PTR ignored = 0;
    auto began = std::chrono::steady_clock::now();
    const bool answered =
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &ignored) != 0;
    std::printf("[hostile] WM_NULL to the hung window: %s after %lld ms\n",
                answered ? "answered" : "no answer", millisecondsSince(began));
    EXPECT_FALSE(answered);
    char title[256] = {};
    began = std::chrono::steady_clock::now();
    GetWindowTextA(window, title, sizeof title);
    std::printf("[hostile] GetWindowTextA on it from another process: \"%s\" in %lld ms\n", title,
                millisecondsSince(began));

    ASSERT_TRUE(e2e::moveCursor(kTargetPoint));
    ASSERT_EQ(WindowFromPoint(kTargetPoint), window);
    began = std::chrono::steady_clock::now();
    EXPECT_TRUE(showsWhatIsAt(kTargetPoint));
    std::printf("[hostile] the tool showed the hung window after %lld ms: %s\n",
                millisecondsSince(began), e2e::describe(tool_.capture()).c_str());
    EXPECT_EQ(tool_.capture()[1], "hung window");
    expectStillCapturing();
}

// The seven boxes read twice in a row with the same result: a tick (every 200 ms) can fall
// between two of the seven reads, and then the first read mixes two captures.
std::optional<CaptureTexts> steadyCapture(const e2e::Tool& tool) {
    const CaptureTexts first = tool.capture();
    const CaptureTexts second = tool.capture();
    if (first != second)
        return std::nullopt;
    return first;
}

TEST_F(HostileWindows, WindowsVanishingUnderTheCursorLeaveTheToolRunning) {
    e2e::ChildProcess churn(hostileTargetPath(), "churn " + rectArguments(kTargetRect));
    ASSERT_TRUE(churn.started());
    ASSERT_TRUE(e2e::moveCursor(kTargetPoint));
    ASSERT_NE(churn.waitForWindow("HostileChurnWindow", nullptr), nullptr);
    const std::string churnRect = e2e::rectangleText(kTargetRect);

    // Each capture seen in five seconds: of a churning window read in full, of one that
    // vanished during the queries (its later fields those of an invalid handle), or of
    // another window (the desktop, between two churning windows).
    int complete = 0;
    int vanished = 0;
    int other = 0;
    int unanswered = 0;
    int outOfOrder = 0;
    std::string lastSeen;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < until) {
        e2e::pumpFor(std::chrono::milliseconds(20));
        const std::optional<CaptureTexts> shown = steadyCapture(tool_);
        if (!shown)
            continue;
        const std::string key = e2e::describe(*shown);
        if (key.find("<no reply>") != std::string::npos) {
            ++unanswered;
            continue;
        }
        if (key == lastSeen)
            continue;
        lastSeen = key;
        const HWND handle =
            reinterpret_cast<HWND>(static_cast<uintptr_t>(std::stoul((*shown)[0], nullptr, 16)));
        if ((*shown)[2] != "HostileChurnWindow" && (*shown)[1].rfind("churn ", 0) != 0 &&
            IsWindow(handle)) {
            ++other;
            continue;
        }
        // What the queries give for the handle now that it is gone (it is, a few ms later).
        const CaptureTexts dead = shownFor(hostile::queryWindow(handle));
        const std::array<bool, 7> live = {
            true,
            (*shown)[1].rfind("churn ", 0) == 0,
            (*shown)[2] == "HostileChurnWindow",
            (*shown)[3] != "0",
            (*shown)[4] != "0",
            true,  // a popup's ID is 0 alive and dead
            (*shown)[6] == churnRect,
        };
        bool anyDead = false;
        bool ordered = true;
        for (size_t field = 1; field < live.size(); ++field) {
            if (field == 5)
                continue;
            const bool isDead = !live[field] && (*shown)[field] == dead[field];
            if (!live[field] && !isDead)
                ordered = false;
            if (anyDead && live[field])
                ordered = false;
            anyDead = anyDead || isDead;
        }
        if (!ordered) {
            ++outOfOrder;
            std::printf("[hostile] not a live prefix and a dead suffix: %s\n", key.c_str());
        } else if (anyDead) {
            ++vanished;
            std::printf("[hostile] vanished during the queries: %s\n", key.c_str());
        } else {
            ++complete;
        }
    }
    std::printf(
        "[hostile] churn: %d complete captures, %d vanished during the queries, %d of other "
        "windows, %d unanswered reads\n",
        complete, vanished, other, unanswered);
    EXPECT_EQ(unanswered, 0);
    EXPECT_EQ(outOfOrder, 0);
    EXPECT_TRUE(tool_.process().running());
    churn.terminate();
    expectStillCapturing();
}

}  // namespace
