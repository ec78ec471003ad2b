// Drives the inspector from outside through the ordinary Win32 API; every wait is bounded
// and every cross-process message has a timeout, so a hung tool fails a test, not the run.
#include "tests/e2e/harness.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>

namespace e2e {

namespace {

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Wine's SendMessageTimeoutA waits past its timeout for a thread that stopped pumping less
// than five seconds ago. A watchdog therefore ends every started process once one send has
// waited too long: the send then fails, and the test with it, instead of hanging the run.
constexpr long long kSendHangMs = 15000;

std::mutex watchedMutex;
std::vector<HANDLE> watchedProcesses;     // not owned: each ChildProcess adds and removes its own
std::atomic<long long> sendStartedMs{0};  // 0 while no send is waiting

long long nowMs() {
    return std::chrono::duration_cast<Milliseconds>(Clock::now().time_since_epoch()).count();
}

void watchSends() {
    for (;;) {
        std::this_thread::sleep_for(Milliseconds(250));
        const long long started = sendStartedMs.load();
        if (started == 0 || nowMs() - started < kSendHangMs)
            continue;
        std::lock_guard<std::mutex> lock(watchedMutex);
        for (HANDLE process : watchedProcesses)
            TerminateProcess(process, kKilledExitCode);
    }
}

void watchProcess(HANDLE process) {
    static const bool watching = [] {
        std::thread(watchSends).detach();
        return true;
    }();
    (void)watching;
    std::lock_guard<std::mutex> lock(watchedMutex);
    watchedProcesses.push_back(process);
}

void unwatchProcess(HANDLE process) {
    std::lock_guard<std::mutex> lock(watchedMutex);
    watchedProcesses.erase(std::remove(watchedProcesses.begin(), watchedProcesses.end(), process),
                           watchedProcesses.end());
}

LRESULT sendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        bool* answered = nullptr) {
    DWORD_PTR result = 0;
    sendStartedMs.store(nowMs());
    const LRESULT ok = SendMessageTimeoutA(window, message, wParam, lParam,
                                           SMTO_ABORTIFHUNG | SMTO_BLOCK, kSendTimeoutMs, &result);
    sendStartedMs.store(0);
    if (answered != nullptr)
        *answered = ok != 0;
    return ok != 0 ? static_cast<LRESULT>(result) : 0;
}

void sendInputs(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT mouseInput(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

INPUT keyInput(WORD virtualKey, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Normalised absolute coordinate (0..65535) that maps back exactly onto the pixel.
LONG normalised(LONG pixel, int extent) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
}

}  // namespace

bool waitFor(const std::function<bool()>& condition, Milliseconds bound) {
    const Clock::time_point deadline = Clock::now() + bound;
    for (;;) {
        if (condition())
            return true;
        if (Clock::now() >= deadline)
            return false;
        pumpMessages();
        std::this_thread::sleep_for(kPollStep);
    }
}

void pumpFor(Milliseconds duration) {
    const Clock::time_point deadline = Clock::now() + duration;
    while (Clock::now() < deadline) {
        pumpMessages();
        std::this_thread::sleep_for(kPollStep);
    }
}

long long millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration_cast<Milliseconds>(to - from).count();
}

std::string windowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/')
        return path;
    std::string converted = "Z:" + path;
    for (char& c : converted) {
        if (c == '/')
            c = '\\';
    }
    return converted;
}

ChildProcess::ChildProcess(const std::string& exePath, const std::string& arguments) {
    std::string commandLine = "\"" + exePath + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
        CloseHandle(info.hThread);
        process_.reset(info.hProcess);
        id_ = info.dwProcessId;
        watchProcess(process_.get());
    }
}

ChildProcess::~ChildProcess() {
    terminate();
    if (process_)
        unwatchProcess(process_.get());
}

bool ChildProcess::running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::waitForExit(Milliseconds bound) {
    if (!process_)
        return std::nullopt;
    if (!waitFor([&] { return !running(); }, bound))
        return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_.get(), &code))
        return std::nullopt;
    return code;
}

void ChildProcess::terminate() {
    if (!running())
        return;
    TerminateProcess(process_.get(), kKilledExitCode);
    WaitForSingleObject(process_.get(), static_cast<DWORD>(kWaitBound.count()));
}

HWND ChildProcess::waitForWindow(const char* className, const char* caption, Milliseconds bound) {
    HWND found = nullptr;
    waitFor(
        [&] {
            for (HWND window : topLevelWindowsOf(id_, true)) {
                if (className != nullptr && classOf(window) != className)
                    continue;
                if (caption != nullptr) {
                    char text[512] = {};
                    GetWindowTextA(window, text, sizeof(text));
                    if (std::string(text) != caption)
                        continue;
                }
                found = window;
                return true;
            }
            return !running();
        },
        bound);
    return found;
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> windows;
    for (HWND window = GetTopWindow(nullptr); window != nullptr;
         window = GetWindow(window, GW_HWNDNEXT)) {
        windows.push_back(window);
    }
    return windows;
}

std::vector<HWND> topLevelWindowsOf(DWORD processId, bool visibleOnly) {
    std::vector<HWND> windows;
    for (HWND window : topLevelWindows()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != processId)
            continue;
        if (visibleOnly && !IsWindowVisible(window))
            continue;
        windows.push_back(window);
    }
    return windows;
}

std::vector<HWND> childrenInZOrder(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

std::string textOf(HWND window) {
    bool answered = false;
    const LRESULT length = sendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0, &answered);
    if (!answered)
        return kNoReply;
    // WM_GETTEXTLENGTH may overstate a double-byte text; the copy's count is what counts.
    std::string text(static_cast<size_t>(length) + 2, '\0');
    const LRESULT copied = sendWithTimeout(window, WM_GETTEXT, text.size(),
                                           reinterpret_cast<LPARAM>(text.data()), &answered);
    if (!answered)
        return kNoReply;
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::string classOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

DWORD styleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
}

DWORD exStyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
}

RECT windowRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

RECT rectInParent(HWND child) {
    RECT rect = windowRect(child);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT centreOf(HWND window) {
    const RECT rect = windowRect(window);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT clientToScreen(HWND window, POINT point) {
    ClientToScreen(window, &point);
    return point;
}

DWORD threadOf(HWND window) {
    return GetWindowThreadProcessId(window, nullptr);
}

HWND focusOf(DWORD threadId) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(threadId, &info))
        return nullptr;
    return info.hwndFocus;
}

std::string describeWindow(HWND window) {
    if (window == nullptr)
        return "(no window)";
    char text[96] = {};
    GetWindowTextA(window, text, sizeof(text));
    return hexText(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window))) + " class '" +
           classOf(window) + "' id " + std::to_string(GetWindowLongA(window, GWL_ID)) + " text '" +
           text + "'";
}

bool moveCursor(POINT target) {
    const auto atTarget = [&] {
        POINT now = {};
        GetCursorPos(&now);
        return now.x == target.x && now.y == target.y;
    };
    for (int attempt = 0; attempt < 10; ++attempt) {
        SetCursorPos(target.x > 0 ? target.x - 1 : target.x + 1, target.y);
        SetCursorPos(target.x, target.y);
        injectMoveTo(target);
        if (!atTarget()) {
            std::this_thread::sleep_for(kPollStep);
            continue;
        }
        // Once the position has not changed for 100 ms, Wine reads it from the X pointer
        // again (and so does a window-move loop when it starts): a warp that X missed shows
        // only then.
        pumpFor(Milliseconds(150));
        if (atTarget())
            return true;
    }
    return false;
}

void leftDown() {
    sendInputs({mouseInput(MOUSEEVENTF_LEFTDOWN)});
}

void leftUp() {
    sendInputs({mouseInput(MOUSEEVENTF_LEFTUP)});
}

void doubleClick() {
    sendInputs({mouseInput(MOUSEEVENTF_LEFTDOWN), mouseInput(MOUSEEVENTF_LEFTUP),
                mouseInput(MOUSEEVENTF_LEFTDOWN), mouseInput(MOUSEEVENTF_LEFTUP)});
}

bool movedBy(const RECT& before, const RECT& after, POINT offset) {
    const LONG dx = after.left - before.left - offset.x;
    const LONG dy = after.top - before.top - offset.y;
    return dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1 &&
           after.right - after.left == before.right - before.left &&
           after.bottom - after.top == before.bottom - before.top;
}

bool dragBy(HWND window, POINT start, POINT offset, Milliseconds bound) {
    if (!moveCursor(start))
        return false;
    const RECT before = windowRect(window);
    leftDown();
    // The move loop takes the cursor position at its start as its origin: moves injected
    // before a slow program has entered it would be lost, so they wait for it.
    const DWORD thread = threadOf(window);
    waitFor(
        [&] {
            GUITHREADINFO info = {};
            info.cbSize = sizeof(info);
            return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE) != 0;
        },
        bound);
    for (int step = 1; step <= 4; ++step) {
        pumpFor(Milliseconds(50));
        injectMoveTo(POINT{start.x + offset.x * step / 4, start.y + offset.y * step / 4});
    }
    const bool arrived = waitFor(
        [&] {
            const RECT now = windowRect(window);
            return movedBy(before, now, offset);
        },
        bound);
    leftUp();
    pumpFor(Milliseconds(300));
    return arrived;
}

void injectMoveTo(POINT screenPoint) {
    INPUT input = mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    input.mi.dx = normalised(screenPoint.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = normalised(screenPoint.y, GetSystemMetrics(SM_CYSCREEN));
    sendInputs({input});
}

void pressKey(WORD virtualKey, std::vector<WORD> modifiers) {
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers)
        inputs.push_back(keyInput(modifier, false));
    inputs.push_back(keyInput(virtualKey, false));
    inputs.push_back(keyInput(virtualKey, true));
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
        inputs.push_back(keyInput(*it, true));
    }
    sendInputs(inputs);
}

std::optional<Clock::time_point> clickButton(HWND button) {
    const POINT centre = centreOf(button);
    POINT now = {};
    GetCursorPos(&now);
    // A second click on the same button goes without the settling time of a move.
    if ((now.x != centre.x || now.y != centre.y) && !moveCursor(centre))
        return std::nullopt;
    const auto pushed = [&] { return (sendWithTimeout(button, BM_GETSTATE, 0, 0) & BST_PUSHED); };
    leftDown();
    const bool wasPushed = waitFor([&] { return pushed() != 0; });
    const Clock::time_point released = Clock::now();
    leftUp();
    if (!wasPushed)
        return std::nullopt;
    // The release reaches the button (and its click the program) before it drops the state.
    waitFor([&] { return pushed() == 0; });
    return released;
}

std::string hexText(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%X", static_cast<unsigned>(value));
    return text;
}

std::string rectangleText(const RECT& rect) {
    char text[64];
    std::snprintf(text, sizeof(text), "%ld %ld %ld %ld ", rect.left, rect.top, rect.right,
                  rect.bottom);
    return text;
}

CaptureTexts readCapture(HWND mainWindow) {
    CaptureTexts texts;
    bool answering = true;
    for (size_t i = 0; i < kCaptureBoxes.size(); ++i) {
        // One box without a reply means a hung program: no further timeout is waited out.
        texts[i] = answering ? textOf(GetDlgItem(mainWindow, kCaptureBoxes[i])) : kNoReply;
        answering = texts[i] != kNoReply;
    }
    return texts;
}

CaptureTexts expectedCapture(HWND window, const std::string& title, const std::string& className,
                             uint32_t atom, uint32_t controlId) {
    return CaptureTexts{hexText(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window))),
                        title,
                        className,
                        hexText(atom),
                        hexText(styleOf(window)),
                        hexText(controlId),
                        rectangleText(windowRect(window))};
}

std::string describe(const CaptureTexts& texts) {
    static const char* const names[] = {"7", "1", "2", "3", "4", "5", "8"};
    std::string out;
    for (size_t i = 0; i < texts.size(); ++i) {
        out += std::string(i == 0 ? "" : " | ") + "box" + names[i] + "='" + texts[i] + "'";
    }
    return out;
}

Tool::Tool() : process_(toolPath(), "") {
    if (!process_.started())
        return;
    mainWindow_ = process_.waitForWindow(nullptr, kCaption);
    if (mainWindow_ != nullptr)
        threadId_ = threadOf(mainWindow_);
}

std::optional<Clock::time_point> Tool::waitForCapture(const CaptureTexts& expected,
                                                      Milliseconds bound) const {
    if (!waitFor([&] { return capture() == expected; }, bound))
        return std::nullopt;
    return Clock::now();
}

std::string toolPath() {
    return windowsPath(INSPECTOR_EXE);
}

}  // namespace e2e
