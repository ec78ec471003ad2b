// A misbehaving program for the hostile-window tests, run as another process:
//   hung X Y W H   shows a window there, captions it "hung window" and then sleeps forever
//                  without reading its messages;
//   churn X Y W H  creates and destroys windows there, one after another, until killed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* kHungClass = "HostileHungWindow";
constexpr const char* kChurnClass = "HostileChurnWindow";

void registerClass(const char* name) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = name;
    RegisterClassExA(&windowClass);
}

HWND showWindowAt(const char* className, const char* caption, const RECT& rect) {
    HWND window = CreateWindowExA(
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW, className, caption, WS_POPUP | WS_VISIBLE, rect.left,
        rect.top, rect.right, rect.bottom, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    return window;
}

void pumpPending() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6)
        return 2;
    const std::string mode = argv[1];
    // left, top, width, height
    const RECT rect{std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5])};
    if (mode == "hung") {
        registerClass(kHungClass);
        HWND window = showWindowAt(kHungClass, "starting", rect);
        if (window == nullptr)
            return 1;
        pumpPending();  // painted once, then never again
        // The caption tells the test that no message will be read from now on.
        SetWindowTextA(window, "hung window");
        Sleep(INFINITE);
    } else if (mode == "churn") {
        registerClass(kChurnClass);
        for (unsigned long round = 0;; ++round) {
            char caption[32];
            std::snprintf(caption, sizeof caption, "churn %lu", round);
            HWND window = showWindowAt(kChurnClass, caption, rect);
            pumpPending();
            Sleep(1);  // long enough to be found now and then, short enough to vanish mid-capture
            DestroyWindow(window);
            pumpPending();
            Sleep(1);
        }
    }
    return 2;
}
