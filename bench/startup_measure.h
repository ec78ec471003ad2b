// Start-up time, seen from the launching process: for the tool, from CreateProcessA until
// 编辑框7 shows its first capture; for the minimal timer program, until it ends at its
// first tick. Runs alternate between the two; each run gives one time in milliseconds.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "bench/launched_process.h"

struct StartupFigures {
    std::vector<double> toolMs;
    std::vector<double> floorMs;
};

StartupFigures measureStartup(const std::string& toolExe, const std::string& minimalExe, int runs);

// Waits until the tool's 编辑框7 is not empty; the main window then, or nullptr after the
// bound. Polls every millisecond so the moment is seen closely.
HWND waitForFirstCapture(const LaunchedProcess& tool, DWORD boundMs);
