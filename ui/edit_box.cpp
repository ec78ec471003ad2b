// The EditBox control: creation, the subclass that centres the text line and paints the
// narrowed frame white, its colours and its writes.
#include "ui/edit_box.h"

#include "ui/child_window.h"
#include "ui/gdi_guards.h"
#include "ui/procedure_guard.h"

namespace {

// One double-byte ideograph in the ANSI code page: what the minimum height is measured by.
constexpr char kIdeograph[] = "国";

RECT clientRectInWindow(HWND window) {
    RECT outer;
    GetWindowRect(window, &outer);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    RECT client;
    GetClientRect(window, &client);
    OffsetRect(&client, origin.x - outer.left, origin.y - outer.top);
    return client;
}

}  // namespace

EditBoxControl::~EditBoxControl() {
    // Normally the window is gone first; if not, it must not call into a dead object.
    if (window_ != nullptr && IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    }
}

HWND EditBoxControl::create(HWND parent, const ControlRow& row, int32_t id) {
    const DWORD style = childWindowStyle(row) | ES_AUTOHSCROLL | ES_RIGHT | ES_READONLY;
    window_ = CreateWindowExA(0, "EDIT", "", style, row.left, row.top, row.width, row.height,
                              parent, controlIdAsMenu(id), programInstance(), nullptr);
    if (window_ == nullptr)
        return nullptr;
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditBoxControl::subclassProcedure)));

    brush_.reset(CreateSolidBrush(kBackgroundColour));
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
    applyMinimumHeight();
    SendMessageA(window_, EM_SETLIMITTEXT, 0, 0);
    SendMessageA(window_, EM_SETSEL, 0, 0);
    SendMessageA(window_, EM_SCROLLCARET, 0, 0);
    // The sunken edge comes last, so the frame change also runs the centring of the line.
    SetWindowLongPtrA(window_, GWL_EXSTYLE,
                      GetWindowLongPtrA(window_, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return window_;
}

void EditBoxControl::writeContent(std::string_view text) {
    content_.assign(text);
    writing_ = true;
    SetWindowTextA(window_, content_.c_str());
    writing_ = false;
    EventRecord changed(name_, Event::contentChangedEvent);
    events_.raiseEvent(changed);
}

void EditBoxControl::onCommand(WORD notification) {
    if (notification != EN_CHANGE || writing_)
        return;
    EventRecord changed(name_, Event::contentChangedEvent);
    events_.raiseEvent(changed);
}

LRESULT EditBoxControl::controlColour(HDC dc) const {
    SetTextColor(dc, kTextColour);
    SetBkColor(dc, kBackgroundColour);
    return reinterpret_cast<LRESULT>(brush_.get());
}

LRESULT CALLBACK EditBoxControl::subclassProcedure(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam) {
    auto* box = reinterpret_cast<EditBoxControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (box == nullptr) {
        auto classProcedure = reinterpret_cast<WNDPROC>(GetClassLongPtrA(window, GCLP_WNDPROC));
        return CallWindowProcA(classProcedure, window, message, wParam, lParam);
    }
    return guardedProcedure([&] { return box->handleMessage(message, wParam, lParam); });
}

LRESULT EditBoxControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCALCSIZE:
            return onNcCalcSize(wParam, lParam);
        case WM_NCPAINT:
            return onNcPaint(wParam, lParam);
        case WM_NCHITTEST:
            return onNcHitTest(wParam, lParam);
        case WM_ERASEBKGND:
            return onEraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_NCDESTROY: {
            const WNDPROC original = original_;
            HWND window = window_;
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            window_ = nullptr;
            return CallWindowProcA(original, window, message, wParam, lParam);
        }
        default:
            return callOriginal(message, wParam, lParam);
    }
}

LRESULT EditBoxControl::callOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(original_, window_, message, wParam, lParam);
}

int32_t EditBoxControl::textHeight(const char* text, int length) const {
    WindowDc dc(window_);
    auto font = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
    SelectGuard select(dc.get(), font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc.get(), text, length, &size);
    return size.cy;
}

void EditBoxControl::applyMinimumHeight() {
    const int32_t minimum =
        textHeight(kIdeograph, sizeof(kIdeograph) - 1) + 2 * GetSystemMetrics(SM_CYEDGE);
    RECT outer;
    GetWindowRect(window_, &outer);
    if (outer.bottom - outer.top < minimum) {
        SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, minimum,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

LRESULT EditBoxControl::onNcCalcSize(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = callOriginal(WM_NCCALCSIZE, wParam, lParam);
    // Both forms of lParam begin with the proposed client rectangle.
    RECT& area = *reinterpret_cast<RECT*>(lParam);
    const int32_t computedHeight = area.bottom - area.top;
    const int32_t lineHeight = textHeight("W", 1);
    // Only ever narrowed: a line taller than the area would push it over the frame.
    if (lineHeight > 0 && lineHeight < computedHeight) {
        area.top += (computedHeight - lineHeight) / 2;
        area.bottom = area.top + lineHeight;
    }
    return result;
}

LRESULT EditBoxControl::onNcPaint(WPARAM wParam, LPARAM lParam) {
    {
        WindowDc dc(window_, WindowDc::Area::window);
        RECT outer;
        GetWindowRect(window_, &outer);
        OffsetRect(&outer, -outer.left, -outer.top);
        const RECT client = clientRectInWindow(window_);
        ExcludeClipRect(dc.get(), client.left, client.top, client.right, client.bottom);
        FillRect(dc.get(), &outer, brush_.get());
    }
    // Windows then draws the sunken edge over the filled band.
    return callOriginal(WM_NCPAINT, wParam, lParam);
}

LRESULT EditBoxControl::onNcHitTest(WPARAM wParam, LPARAM lParam) {
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    RECT outer;
    GetWindowRect(window_, &outer);
    if (PtInRect(&outer, point)) {
        ScreenToClient(window_, &point);
        RECT client;
        GetClientRect(window_, &client);
        // The bands above and below the centred line are frame: a click there places no caret.
        if (!PtInRect(&client, point))
            return HTBORDER;
    }
    return callOriginal(WM_NCHITTEST, wParam, lParam);
}

LRESULT EditBoxControl::onEraseBackground(HDC dc) {
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, brush_.get());
    return 1;
}
