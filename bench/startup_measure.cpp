// Start-up runs: tool and floor alternate, so a busy moment of the machine hits both.
#include "bench/startup_measure.h"

namespace {

constexpr const char* kToolCaption = "窗口查看辅助工具";
constexpr int kEditBox7Id = 220;
constexpr DWORD kRunBoundMs = 30000;

double millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

}  // namespace

HWND waitForFirstCapture(const LaunchedProcess& tool, DWORD boundMs) {
    const DWORD start = GetTickCount();
    HWND window = nullptr;
    while (GetTickCount() - start < boundMs && tool.running()) {
        if (window == nullptr)
            window = tool.findWindow(kToolCaption);
        HWND box = window != nullptr ? GetDlgItem(window, kEditBox7Id) : nullptr;
        if (box != nullptr && !windowTextOf(box).empty())
            return window;
        Sleep(1);
    }
    return nullptr;
}

StartupFigures measureStartup(const std::string& toolExe, const std::string& minimalExe, int runs) {
    StartupFigures figures;
    for (int run = 0; run < runs; ++run) {
        {
            LARGE_INTEGER start;
            QueryPerformanceCounter(&start);
            LaunchedProcess tool(toolExe, "");
            if (tool.started() && waitForFirstCapture(tool, kRunBoundMs) != nullptr) {
                figures.toolMs.push_back(millisecondsSince(start));
            }
        }  // closed before the floor's run starts
        {
            LARGE_INTEGER start;
            QueryPerformanceCounter(&start);
            LaunchedProcess minimal(minimalExe, "");
            if (minimal.started() && minimal.waitForExit(kRunBoundMs)) {
                figures.floorMs.push_back(millisecondsSince(start));
            }
        }
    }
    return figures;
}
