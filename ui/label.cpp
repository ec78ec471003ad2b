// The Label control: its window class and its painting.
#include "ui/label.h"

#include "ui/child_window.h"
#include "ui/font_rule.h"
#include "ui/gdi_guards.h"
#include "ui/procedure_guard.h"
#include "ui/window_class.h"

namespace {

constexpr char kLabelClass[] = "InspectorLabel";

bool registerLabelClass(WNDPROC procedure) {
    return registerPlainWindowClass(kLabelClass, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, procedure);
}

}  // namespace

LabelControl::LabelControl(const LabelLook& look)
    : fontData_(storedFontData(look.font)),
      drawFlags_(DT_NOCLIP | DT_CENTER | DT_VCENTER |
                 (look.wordWrap ? DT_WORDBREAK : DT_SINGLELINE)) {}

HWND LabelControl::create(HWND parent, const ControlRow& row, int32_t id) {
    if (!registerLabelClass(&LabelControl::procedure))
        return nullptr;
    brush_.reset(CreateSolidBrush(windowSettings().backgroundColour));
    window_ = CreateWindowExA(0, kLabelClass, row.text, childWindowStyle(row), row.left, row.top,
                              row.width, row.height, parent, controlIdAsMenu(id), programInstance(),
                              this);
    return window_;
}

LRESULT CALLBACK LabelControl::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // The label object comes with the creation parameters and stays with the window.
        auto* created = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* label = static_cast<LabelControl*>(created->lpCreateParams);
        label->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(label));
    }
    auto* label = reinterpret_cast<LabelControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (label == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    return guardedProcedure([&]() -> LRESULT {
        switch (message) {
            case WM_PAINT:
                label->paint();
                return 0;
            case WM_NCDESTROY:
                SetWindowLongPtrA(window, GWLP_USERDATA, 0);
                label->window_ = nullptr;
                return DefWindowProcA(window, message, wParam, lParam);
            default:
                return DefWindowProcA(window, message, wParam, lParam);
        }
    });
}

void LabelControl::paint() {
    PaintGuard paint(window_);
    RECT client;
    GetClientRect(window_, &client);
    FillRect(paint.dc(), &client, brush_.get());

    const int length = GetWindowTextLengthA(window_);
    if (length <= 0)
        return;
    std::string caption(static_cast<size_t>(length) + 1, '\0');
    caption.resize(static_cast<size_t>(GetWindowTextA(window_, caption.data(), length + 1)));

    // Made anew for each paint; the guard puts the old font back before it is deleted.
    const OwnedFont made = fontFromData(fontData_);
    const HGDIOBJ font = made ? made.get() : GetStockObject(DEFAULT_GUI_FONT);
    SelectGuard select(paint.dc(), font);
    SetBkMode(paint.dc(), TRANSPARENT);
    SetTextColor(paint.dc(), kTextColour);
    DrawTextA(paint.dc(), caption.c_str(), static_cast<int>(caption.size()), &client, drawFlags_);
}
