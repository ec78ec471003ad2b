// Drives the inspector from outside: starts processes, finds windows and controls, reads
// their texts, moves the real cursor, clicks and types, and waits with generous bounds.
#pragma once

#include <windows.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/owned.h"

namespace e2e {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

// Bounds for waits on a busy machine: conditions are polled, never slept on.
constexpr Milliseconds kWaitBound{10000};
constexpr Milliseconds kPollStep{20};
// Bound for one cross-process message; a hung tool fails the test instead of hanging it.
constexpr UINT kSendTimeoutMs = 5000;
// The exit code of a process that a test had to end.
constexpr UINT kKilledExitCode = 0xDEAD;

// The main window's caption (GB2312 bytes through the build's execution character set).
constexpr const char* kCaption = "窗口查看辅助工具";
constexpr int kOuterWidth = 265;
constexpr int kOuterHeight = 319;

// Control IDs of the main window's controls: 100 + 10 × creation index.
enum ControlId : int {
    kLabel1 = 100,
    kLabel2 = 110,
    kLabel3 = 120,
    kLabel4 = 130,
    kLabel6 = 140,
    kEditBox1 = 150,
    kEditBox2 = 160,
    kEditBox3 = 170,
    kEditBox4 = 180,
    kEditBox5 = 190,
    kTimer1 = 200,
    kLabel7 = 210,
    kEditBox7 = 220,
    kLabel8 = 230,
    kEditBox8 = 240,
    kButton3 = 250,
    kLabel9 = 260,
    kButton2 = 270,
};

struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = Owned<HANDLE, CloseKernelHandle>;

// Polls the condition every kPollStep, pumping this thread's messages in between, until it
// holds or the bound has passed; returns whether it held.
bool waitFor(const std::function<bool()>& condition, Milliseconds bound = kWaitBound);
// Pumps this thread's messages for the whole duration (for "nothing happens" windows).
void pumpFor(Milliseconds duration);
long long millisecondsBetween(Clock::time_point from, Clock::time_point to);

// A Unix path (as CMake knows it) in the form CreateProcessA takes under Wine: drive Z:.
std::string windowsPath(const std::string& path);

// A process started by a test. The destructor ends it if it still runs, so a failing test
// never leaves a tool behind.
class ChildProcess {
public:
    ChildProcess(const std::string& exePath, const std::string& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return static_cast<bool>(process_); }
    DWORD id() const { return id_; }
    bool running() const;
    // The exit code once the process has ended within the bound (−1 reads as 0xFFFFFFFF).
    std::optional<DWORD> waitForExit(Milliseconds bound = kWaitBound);
    void terminate();
    // A visible top-level window of this process with that class (nullptr: any) and
    // caption (nullptr: any), waited for.
    HWND waitForWindow(const char* className, const char* caption, Milliseconds bound = kWaitBound);

private:
    OwnedHandle process_;  // owned
    DWORD id_ = 0;
};

// Top-level windows of a process, topmost first.
std::vector<HWND> topLevelWindowsOf(DWORD processId, bool visibleOnly);
// Top-level windows of every process, topmost first.
std::vector<HWND> topLevelWindows();
// The children of a window, top of the z-order first.
std::vector<HWND> childrenInZOrder(HWND parent);

// The window's text through WM_GETTEXT (a control's real text, not a cached caption);
// kNoReply when the window's thread does not answer within the bound.
constexpr const char* kNoReply = "<no reply>";
std::string textOf(HWND window);
std::string classOf(HWND window);
DWORD styleOf(HWND window);
DWORD exStyleOf(HWND window);
RECT windowRect(HWND window);
// A child's outer rectangle in its parent's client coordinates.
RECT rectInParent(HWND child);
POINT centreOf(HWND window);
POINT clientToScreen(HWND window, POINT point);
DWORD threadOf(HWND window);
// The window that has the keyboard focus in that thread.
HWND focusOf(DWORD threadId);
std::string describeWindow(HWND window);

// Moves the real cursor: one pixel off first, then onto the target, then an injected move
// there; read back at once and again after Wine has re-read the X pointer, and retried,
// because a single SetCursorPos under Wine sometimes leaves the X pointer where it was.
bool moveCursor(POINT target);
// Whether a window moved by the offset, unchanged in size. Wine's move loop sometimes starts
// from a pointer position one pixel away from the press, so one pixel either way counts.
bool movedBy(const RECT& before, const RECT& after, POINT offset);
// Presses the left button at start, moves by offset in steps and releases once the window
// has moved by the offset or the bound has passed; whether it moved by the offset.
bool dragBy(HWND window, POINT start, POINT offset, Milliseconds bound = kWaitBound);
// Injected mouse input at the current cursor position.
void leftDown();
void leftUp();
void doubleClick();
// An injected absolute mouse move (moves a window that Windows' move loop is dragging).
void injectMoveTo(POINT screenPoint);
// Presses and releases a key with the given modifiers held (VK_SHIFT, VK_MENU, VK_CONTROL).
void pressKey(WORD virtualKey, std::vector<WORD> modifiers = {});

// A push button click through real input, waiting for the button to show its pushed state
// between the press and the release; returns the moment the release was injected.
std::optional<Clock::time_point> clickButton(HWND button);

// Formatting of the seven capture texts, as the tool shows them.
std::string hexText(uint32_t value);
std::string rectangleText(const RECT& rect);

// The seven capture boxes, in the order a tick writes them: 编辑框7, 编辑框1, 编辑框2,
// 编辑框3, 编辑框4, 编辑框5, 编辑框8.
using CaptureTexts = std::array<std::string, 7>;
constexpr std::array<int, 7> kCaptureBoxes = {kEditBox7, kEditBox1, kEditBox2, kEditBox3,
                                              kEditBox4, kEditBox5, kEditBox8};
CaptureTexts readCapture(HWND mainWindow);
// What a capture of the window must show: handle, title, class, atom, style, ID, rect.
CaptureTexts expectedCapture(HWND window, const std::string& title, const std::string& className,
                             uint32_t atom, uint32_t controlId);
std::string describe(const CaptureTexts& texts);

// The inspector started by a test: its process, main window and UI thread.
class Tool {
public:
    Tool();
    bool ready() const { return mainWindow_ != nullptr; }
    ChildProcess& process() { return process_; }
    HWND mainWindow() const { return mainWindow_; }
    DWORD threadId() const { return threadId_; }
    HWND control(int id) const { return GetDlgItem(mainWindow_, id); }
    CaptureTexts capture() const { return readCapture(mainWindow_); }
    // Waits until the boxes show exactly the expected capture; the time it was seen.
    std::optional<Clock::time_point> waitForCapture(const CaptureTexts& expected,
                                                    Milliseconds bound = kWaitBound) const;

private:
    ChildProcess process_;
    HWND mainWindow_ = nullptr;
    DWORD threadId_ = 0;
};

// The path of the inspector under test.
std::string toolPath();

}  // namespace e2e
