// Target windows of the test process: plain grey windows of a registered class.
#include "tests/e2e/target_window.h"

namespace e2e {

TargetWindow::TargetWindow(const std::string& className, const std::string& title, RECT screenRect)
    : className_(className), title_(title) {
    registerClass();
    window_.reset(CreateWindowExA(
        0, className_.c_str(), title.c_str(), WS_POPUP | WS_BORDER, screenRect.left, screenRect.top,
        screenRect.right - screenRect.left, screenRect.bottom - screenRect.top, nullptr, nullptr,
        GetModuleHandleA(nullptr), nullptr));
    // Shown without activation, so the inspector keeps the foreground and its focus.
    SetWindowPos(window_.get(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

TargetWindow::TargetWindow(const std::string& className, const std::string& title, HWND parent,
                           int controlId, RECT clientRect)
    : className_(className), title_(title) {
    registerClass();
    window_.reset(CreateWindowExA(0, className_.c_str(), title.c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, clientRect.left,
                                  clientRect.top, clientRect.right - clientRect.left,
                                  clientRect.bottom - clientRect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                  GetModuleHandleA(nullptr), nullptr));
}

TargetWindow::~TargetWindow() {
    window_.reset();
    UnregisterClassA(className_.c_str(), GetModuleHandleA(nullptr));
}

POINT TargetWindow::centre() const {
    RECT rect = {};
    GetWindowRect(window_.get(), &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void TargetWindow::registerClass() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = className_.c_str();
    atom_ = RegisterClassA(&windowClass);
}

}  // namespace e2e
