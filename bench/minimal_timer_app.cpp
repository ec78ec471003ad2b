// The start-up floor of the benchmark: the least a Win32 program does to show one window
// and see a 200 ms timer fire in it. It ends at that first tick; with "--stay" it keeps
// running (its caption then says "ticked") until it is closed, so its memory can be read.
#include <windows.h>

#include <cstring>

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kPeriodMs = 200;
constexpr const char* kClassName = "MinimalTimerApp";
constexpr const char* kTickedCaption = "ticked";

bool stayAfterTick = false;

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            KillTimer(window, kTimerId);
            if (stayAfterTick) {
                SetWindowTextA(window, kTickedCaption);
            } else {
                DestroyWindow(window);
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    stayAfterTick = std::strstr(commandLine, "--stay") != nullptr;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExA(&windowClass);
    HWND window = CreateWindowExA(0, kClassName, "minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 265, 319, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    SetTimer(window, kTimerId, kPeriodMs, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
