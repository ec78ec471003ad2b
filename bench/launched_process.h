// A program started by the benchmark: its process handle, its top-level windows and the
// texts of their controls, read from outside with bounded cross-process messages.
#pragma once

#include <windows.h>

#include <string>

#include "ui/owned.h"

struct CloseProcessHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedProcessHandle = Owned<HANDLE, CloseProcessHandle>;

// A Unix path as CMake knows it, in the form CreateProcessA takes under Wine (drive Z:).
std::string windowsPath(const std::string& unixPath);

class LaunchedProcess {
public:
    // Starts the program; started() tells whether that worked.
    LaunchedProcess(const std::string& exePath, const std::string& arguments);
    // Ends the program if it still runs: WM_CLOSE to its windows first, then termination.
    ~LaunchedProcess();
    LaunchedProcess(const LaunchedProcess&) = delete;
    LaunchedProcess& operator=(const LaunchedProcess&) = delete;

    bool started() const { return static_cast<bool>(process_); }
    HANDLE handle() const { return process_.get(); }
    DWORD id() const { return id_; }
    bool running() const;
    // Waits for the end of the process; false when it still runs after the bound.
    bool waitForExit(DWORD boundMs) const;
    // The first visible top-level window of the process with that caption, or nullptr.
    HWND findWindow(const char* caption) const;
    void close();

private:
    OwnedProcessHandle process_;  // owned
    DWORD id_ = 0;
};

// WM_GETTEXT with a bound, so a hung program cannot stall the benchmark; empty on no reply.
// (Not WM_GETTEXTLENGTH: under Wine its bounded send to a hung window never returns.)
std::string windowTextOf(HWND window);
