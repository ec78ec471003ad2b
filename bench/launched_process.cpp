// Process start, window search by process id, bounded cross-process text reads.
#include "bench/launched_process.h"

#include <algorithm>
#include <vector>

namespace {

constexpr UINT kMessageBoundMs = 2000;
constexpr DWORD kCloseBoundMs = 5000;

struct WindowSearch {
    DWORD processId;
    const char* caption;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (search->caption != nullptr && std::string(caption) != search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK closeWindow(HWND window, LPARAM processId) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(processId))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

std::string windowsPath(const std::string& unixPath) {
    std::string path = unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return !path.empty() && path[0] == '\\' ? "Z:" + path : path;
}

LaunchedProcess::LaunchedProcess(const std::string& exePath, const std::string& arguments) {
    std::string commandLine = "\"" + exePath + "\" " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(exePath.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
        CloseHandle(info.hThread);
        process_.reset(info.hProcess);
        id_ = info.dwProcessId;
    }
}

LaunchedProcess::~LaunchedProcess() {
    close();
}

bool LaunchedProcess::running() const {
    return started() && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool LaunchedProcess::waitForExit(DWORD boundMs) const {
    return !started() || WaitForSingleObject(process_.get(), boundMs) == WAIT_OBJECT_0;
}

HWND LaunchedProcess::findWindow(const char* caption) const {
    WindowSearch search{id_, caption, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void LaunchedProcess::close() {
    if (!running())
        return;
    EnumWindows(closeWindow, static_cast<LPARAM>(id_));
    if (!waitForExit(kCloseBoundMs)) {
        TerminateProcess(process_.get(), 1);
        waitForExit(kCloseBoundMs);
    }
}

std::string windowTextOf(HWND window) {
    char text[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, kMessageBoundMs, &copied)) {
        return std::string();
    }
    return std::string(text);
}
