// runTimeError and endProgram in a child process that shows the real, topmost main window:
// the error box opens above it with the error texts, and closing the box ends the process
// with -1; endProgram ends it with the given code.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/ui/window_test_support.h"
#include "ui/error_report.h"
#include "ui/event_delivery.h"
#include "ui/inspector_window.h"
#include "ui/program_exit.h"

namespace {

constexpr char kChildMode[] = "INSPECTOR_EXIT_CHILD";
constexpr char kChildMessage[] = "测试用的错误信息";
constexpr int32_t kChildErrorCode = 6;
constexpr int32_t kChildExitCode = 5;

// The body of the child process: start as the program does, then end one way or the other.
TEST(ProgramExitChild, EndsTheProgram) {
    const char* mode = std::getenv(kChildMode);
    if (mode == nullptr)
        GTEST_SKIP() << "runs only as the child of the ProgramExit tests";
    EventDelivery events;
    ProgramExit programExit(events);
    InspectorWindow window(events);
    if (!window.createInspectorWindow())
        ExitProcess(3);
    programExit.attach(&window, nullptr);
    ShowWindow(window.handle(), SW_SHOW);
    pumpUntil([] { return false; }, 300);
    if (std::string(mode) == "error")
        programExit.runTimeError(kChildMessage, kChildErrorCode);
    programExit.endProgram(kChildExitCode);
}

struct Child {
    PROCESS_INFORMATION process = {};
    ~Child() {
        if (process.hProcess != nullptr) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process.hProcess, 99);
            }
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
    }
    DWORD exitCode(DWORD timeoutMs = 20000) const {
        if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0)
            return 12345;
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }
};

bool startChild(const char* mode, Child& child) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string commandLine =
        std::string("\"") + path + "\" --gtest_filter=ProgramExitChild.* --gtest_color=no";
    SetEnvironmentVariableA(kChildMode, mode);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &child.process);
    SetEnvironmentVariableA(kChildMode, nullptr);
    return started != FALSE;
}

struct Search {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) &&
        className(window) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the given process and class.
HWND findWindowOf(DWORD processId, const char* windowClass) {
    Search search = {processId, windowClass, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool isAbove(HWND upper, HWND lower) {
    for (HWND below = GetWindow(upper, GW_HWNDNEXT); below != nullptr;
         below = GetWindow(below, GW_HWNDNEXT)) {
        if (below == lower)
            return true;
    }
    return false;
}

TEST(ProgramExit, RunTimeErrorShowsItsBoxAboveTheTopmostWindowThenEndsWithMinusOne) {
    Child child;
    ASSERT_TRUE(startChild("error", child));
    const DWORD id = child.process.dwProcessId;
    HWND box = nullptr;
    ASSERT_TRUE(pumpUntil([&] { return (box = findWindowOf(id, "#32770")) != nullptr; }, 20000));
    const HWND main = findWindowOf(id, "InspectorWindow");
    ASSERT_NE(main, nullptr);

    EXPECT_EQ(windowText(box), kRunTimeErrorCaption);
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "no owner window";
    EXPECT_TRUE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST)
        << "a box that is not topmost opens underneath the topmost main window on Windows";
    EXPECT_TRUE(isAbove(box, main));

    // The message text is the box's static control (id 0xFFFF).
    const std::string text = windowText(GetDlgItem(box, 0xFFFF));
    const std::string expected = runTimeErrorText(kChildMessage, kChildErrorCode);
    EXPECT_EQ(text, expected);

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(child.exitCode(), 0xFFFFFFFFu);
    EXPECT_FALSE(IsWindow(main));
}

TEST(ProgramExit, EndProgramEndsWithItsCode) {
    Child child;
    ASSERT_TRUE(startChild("end", child));
    EXPECT_EQ(child.exitCode(), static_cast<DWORD>(kChildExitCode));
}

}  // namespace
