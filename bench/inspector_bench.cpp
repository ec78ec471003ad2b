// The benchmark program: capture cost, start-up time and footprint of the tool, each beside
// a floor measured in the same run under the same system, printed as one table.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_table.h"
#include "bench/capture_measure.h"
#include "bench/footprint_measure.h"
#include "bench/in_process_inspector.h"
#include "bench/launched_process.h"
#include "bench/startup_measure.h"

namespace {

constexpr int kCaptureRounds = 20;
constexpr int kCapturesPerRound = 250;
constexpr int kStartupRuns = 7;
constexpr DWORD kStartBoundMs = 30000;
constexpr const char* kTickedCaption = "ticked";
// Where the capture target is put, away from the centred inspector window.
constexpr RECT kTargetRect{20, 20, 285, 339};

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string kib(uint64_t bytes) {
    return format("%.0f KiB", static_cast<double>(bytes) / 1024);
}

BenchRow ratioRow(const std::string& figure, double measured, double floor, const char* unit,
                  const std::string& goal, double limit) {
    const double ratio = floor > 0 ? measured / floor : 0;
    BenchRow row{figure, format(unit, measured), format(unit, floor), ratio, goal, std::nullopt};
    if (limit > 0)
        row.ok = floor > 0 && ratio <= limit;
    return row;
}

bool waitForCaption(const LaunchedProcess& process, const char* caption, HWND& window) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kStartBoundMs && process.running()) {
        window = process.findWindow(caption);
        if (window != nullptr)
            return true;
        Sleep(5);
    }
    return false;
}

// The capture target: the floor program's window, in another process as the tool's targets
// usually are, with the cursor parked on it.
std::vector<BenchRow> captureRows(const std::string& minimalExe, std::vector<std::string>& notes) {
    LaunchedProcess target(minimalExe, "--stay");
    HWND targetWindow = nullptr;
    if (!waitForCaption(target, kTickedCaption, targetWindow)) {
        notes.push_back("capture: the target window did not appear");
        return {};
    }
    MoveWindow(targetWindow, kTargetRect.left, kTargetRect.top,
               kTargetRect.right - kTargetRect.left, kTargetRect.bottom - kTargetRect.top, TRUE);
    const POINT park{(kTargetRect.left + kTargetRect.right) / 2,
                     (kTargetRect.top + kTargetRect.bottom) / 2};
    SetCursorPos(park.x + 1, park.y);
    SetCursorPos(park.x, park.y);

    InProcessInspector inspector;
    if (!inspector.created()) {
        notes.push_back("capture: the inspector window could not be created");
        return {};
    }
    const HWND under = WindowFromPoint(park);
    notes.push_back(std::string("capture target under the cursor: ") +
                    (under == targetWindow ? "the floor program's window (another process)"
                                           : "NOT the intended window"));
    const CaptureFigures figures = measureCapture(inspector, kCaptureRounds, kCapturesPerRound);
    for (const std::string& error : inspector.fatalErrors())
        notes.push_back("fatal: " + error);
    const double queries = median(figures.queriesUs);
    notes.push_back("capture floor split: the eight queries " + format("%.1f us", queries) +
                    ", the seven SetWindowTextA with formatting " +
                    format("%.1f us", median(figures.floorUs) - queries));
    notes.push_back("capture: " + std::to_string(kCaptureRounds) + " alternating rounds of " +
                    std::to_string(kCapturesPerRound) + " captures each (" +
                    std::to_string(kCaptureRounds * kCapturesPerRound) +
                    " per side); medians of the rounds");
    return {ratioRow("capture (onTick, per capture)", median(figures.toolUs),
                     median(figures.floorUs), "%.1f us", "<= 1.2", 1.2)};
}

std::vector<BenchRow> startupRows(const std::string& toolExe, const std::string& minimalExe,
                                  std::vector<std::string>& notes) {
    const StartupFigures figures = measureStartup(toolExe, minimalExe, kStartupRuns);
    notes.push_back("start-up: " + std::to_string(figures.toolMs.size()) + " tool runs and " +
                    std::to_string(figures.floorMs.size()) +
                    " floor runs, alternating, from CreateProcessA; medians");
    return {ratioRow("start-up to first capture", median(figures.toolMs), median(figures.floorMs),
                     "%.0f ms", "<= 1.5", 1.5)};
}

std::vector<BenchRow> footprintRows(const std::string& toolExe, const std::string& minimalExe,
                                    std::vector<std::string>& notes) {
    std::vector<BenchRow> rows;
    const std::optional<uint64_t> toolSize = fileSize(toolExe);
    const std::optional<uint64_t> floorSize = fileSize(minimalExe);
    if (toolSize && floorSize) {
        rows.push_back(ratioRow("exe size", static_cast<double>(*toolSize) / 1024,
                                static_cast<double>(*floorSize) / 1024, "%.0f KiB", "-", 0));
    }

    const auto imports = importsOf(toolExe);
    const auto floorImports = importsOf(minimalExe);
    const auto join = [](const std::vector<std::string>& names) {
        std::string text;
        for (const std::string& name : names)
            text += (text.empty() ? "" : " ") + name;
        return text;
    };
    if (imports) {
        bool systemOnly = true;
        for (const std::string& name : *imports)
            systemOnly = systemOnly && isSystemDll(name);
        rows.push_back({"imported DLLs", std::to_string(imports->size()) + " DLLs",
                        floorImports ? std::to_string(floorImports->size()) + " DLLs" : "?",
                        std::nullopt, "system only", systemOnly});
        notes.push_back("tool imports: " + join(*imports));
        if (floorImports)
            notes.push_back("floor imports: " + join(*floorImports));
    } else {
        notes.push_back("imports: the tool's PE import table could not be read");
    }

    std::optional<MemoryFigures> toolMemory;
    std::optional<MemoryFigures> floorMemory;
    {
        LaunchedProcess tool(toolExe, "");
        if (waitForFirstCapture(tool, kStartBoundMs) != nullptr)
            toolMemory = memoryOf(tool.handle());
    }
    {
        LaunchedProcess minimal(minimalExe, "--stay");
        HWND window = nullptr;
        if (waitForCaption(minimal, kTickedCaption, window))
            floorMemory = memoryOf(minimal.handle());
    }
    if (toolMemory && floorMemory) {
        const auto memoryRow = [&](const char* figure, uint64_t measured, uint64_t floor) {
            BenchRow row{figure, kib(measured), kib(floor), std::nullopt, "-", std::nullopt};
            if (floor > 0)
                row.ratio = static_cast<double>(measured) / static_cast<double>(floor);
            return row;
        };
        rows.push_back(memoryRow("working set after first capture", toolMemory->workingSet,
                                 floorMemory->workingSet));
        rows.push_back(memoryRow("pagefile usage after first capture", toolMemory->pagefileUsage,
                                 floorMemory->pagefileUsage));
        rows.push_back(memoryRow("private usage after first capture", toolMemory->privateUsage,
                                 floorMemory->privateUsage));
    } else {
        notes.push_back("memory: GetProcessMemoryInfo gave no figures");
    }
    return rows;
}

}  // namespace

int main() {
    const std::string toolExe = windowsPath(INSPECTOR_EXE);
    const std::string minimalExe = windowsPath(MINIMAL_APP_EXE);
    std::vector<std::string> notes;
    std::vector<BenchRow> rows = captureRows(minimalExe, notes);
    for (BenchRow& row : startupRows(toolExe, minimalExe, notes))
        rows.push_back(row);
    for (BenchRow& row : footprintRows(toolExe, minimalExe, notes))
        rows.push_back(row);

    std::printf("%s\n", formatTable(rows).c_str());
    for (const std::string& note : notes)
        std::printf("%s\n", note.c_str());
    bool allOk = true;
    for (const BenchRow& row : rows)
        allOk = allOk && row.ok.value_or(true);
    return allOk ? 0 : 1;
}
