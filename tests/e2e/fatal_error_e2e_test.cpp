// The fatal error report seen from outside: this program starts itself as a child that
// raises a run-time error (directly, or through a failing binding at the first capture of a
// real inspector), then checks the box's stacking and text and the exit code -1.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "probe/library_api.h"
#include "tests/e2e/harness.h"
#include "ui/error_report.h"
#include "ui/event_delivery.h"
#include "ui/program_exit.h"
#include "ui/start_up.h"

namespace e2e {
namespace {

constexpr const char* kDirectErrorSwitch = "--raise-run-time-error";
constexpr const char* kBindingFailureSwitch = "--run-with-failing-lookups";
constexpr const char* kChildMessage = "测试用的错误信息";
constexpr int32_t kChildErrorCode = 6;
constexpr const char* kMessageBoxClass = "#32770";
// The static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr DWORD kExitMinusOne = 0xFFFFFFFF;

FARPROC WINAPI noProcAddress(HMODULE, LPCSTR) {
    return nullptr;
}

// Libraries load, but no function is ever found in them.
const LibraryApi kFailingLookups = {LoadLibraryA, noProcAddress, FreeLibrary};

std::string ownPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    return path;
}

size_t zOrderIndex(HWND window) {
    const std::vector<HWND> windows = topLevelWindows();
    return static_cast<size_t>(std::find(windows.begin(), windows.end(), window) - windows.begin());
}

::testing::AssertionResult liesAbove(HWND upper, HWND lower) {
    const size_t upperIndex = zOrderIndex(upper);
    const size_t lowerIndex = zOrderIndex(lower);
    if (upperIndex < lowerIndex)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << describeWindow(upper) << " is number " << upperIndex << " from the top, "
           << describeWindow(lower) << " number " << lowerIndex;
}

// Checks the open box, closes it as the user's OK would, and returns the exit code.
std::optional<DWORD> checkBoxAndClose(ChildProcess& child, HWND box, HWND mainWindow) {
    EXPECT_EQ(exStyleOf(box) & WS_EX_TOPMOST, DWORD{WS_EX_TOPMOST})
        << "extended style " << hexText(exStyleOf(box));
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_TRUE(liesAbove(box, mainWindow));
    char caption[128] = {};
    GetWindowTextA(box, caption, sizeof(caption));
    EXPECT_STREQ(caption, kRunTimeErrorCaption);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return child.waitForExit();
}

TEST(RunTimeError, BoxIsTopmostAboveTheToolAndTheProgramEndsWithMinusOne) {
    Tool tool;
    ASSERT_TRUE(tool.ready()) << "the inspector did not start";
    ChildProcess child(ownPath(), kDirectErrorSwitch);
    ASSERT_TRUE(child.started());
    HWND box = child.waitForWindow(kMessageBoxClass, nullptr);
    ASSERT_NE(box, nullptr) << "no error box appeared";

    const std::string text = textOf(GetDlgItem(box, kMessageBoxTextId));
    EXPECT_NE(text.find(kChildMessage), std::string::npos) << text;
    EXPECT_NE(text.find(std::to_string(kChildErrorCode)), std::string::npos) << text;
    EXPECT_EQ(text, runTimeErrorText(kChildMessage, kChildErrorCode));

    const std::optional<DWORD> code = checkBoxAndClose(child, box, tool.mainWindow());
    ASSERT_TRUE(code.has_value()) << "the child did not end after its box was closed";
    EXPECT_EQ(*code, kExitMinusOne);
    EXPECT_TRUE(tool.process().running());
}

TEST(RunTimeError, FailedBindingAtTheFirstCaptureWritesNoBoxAndEndsWithMinusOne) {
    ChildProcess child(ownPath(), kBindingFailureSwitch);
    ASSERT_TRUE(child.started());
    HWND mainWindow = child.waitForWindow(nullptr, kCaption);
    ASSERT_NE(mainWindow, nullptr) << "the inspector's window did not appear";
    HWND box = child.waitForWindow(kMessageBoxClass, nullptr);
    ASSERT_NE(box, nullptr) << "no error box appeared";

    const std::string text = textOf(GetDlgItem(box, kMessageBoxTextId));
    EXPECT_NE(text.find("GetCursorPos"), std::string::npos) << text;
    EXPECT_NE(text.find("user32.dll"), std::string::npos) << text;
    // The capture failed before its first write, and no tick is delivered under the box.
    pumpFor(Milliseconds(700));
    EXPECT_EQ(readCapture(mainWindow), CaptureTexts{});
    EXPECT_EQ(topLevelWindowsOf(child.id(), true).size(), 2u) << "the box and the window";

    const std::optional<DWORD> code = checkBoxAndClose(child, box, mainWindow);
    ASSERT_TRUE(code.has_value()) << "the child did not end after its box was closed";
    EXPECT_EQ(*code, kExitMinusOne);
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], e2e::kDirectErrorSwitch) == 0) {
        EventDelivery events;
        ProgramExit programExit(events);
        programExit.runTimeError(e2e::kChildMessage, e2e::kChildErrorCode);
    }
    if (argc > 1 && std::strcmp(argv[1], e2e::kBindingFailureSwitch) == 0) {
        return runInspector(e2e::kFailingLookups);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
