// Scoped guards for paired GDI calls: BeginPaint/EndPaint, GetDC/ReleaseDC and
// SelectObject/restore.
#pragma once

#include <windows.h>

class PaintGuard {
public:
    explicit PaintGuard(HWND window) : window_(window) { dc_ = BeginPaint(window_, &paint_); }
    ~PaintGuard() { EndPaint(window_, &paint_); }
    PaintGuard(const PaintGuard&) = delete;
    PaintGuard& operator=(const PaintGuard&) = delete;

    HDC dc() const { return dc_; }
    const RECT& updateRect() const { return paint_.rcPaint; }

private:
    HWND window_;  // not owned
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// A device context of a window, released when the guard ends. Whole window or client area.
class WindowDc {
public:
    enum class Area { client, window };
    explicit WindowDc(HWND window, Area area = Area::client)
        : window_(window), dc_(area == Area::client ? GetDC(window) : GetWindowDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;  // not owned
    HDC dc_;
};

// Selects an object into a DC and selects the previous one back when the guard ends.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectGuard() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;            // not owned
    HGDIOBJ previous_;  // not owned
};
