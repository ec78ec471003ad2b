// The main window: creation from the description, its window procedure and the operations
// that the capture side uses.
#include "ui/inspector_window.h"

#include <utility>

#include "ui/child_window.h"
#include "ui/gdi_guards.h"
#include "ui/icon_from_ico.h"
#include "ui/icon_resource.h"
#include "ui/procedure_guard.h"
#include "ui/tab_order.h"
#include "ui/window_class.h"

namespace {

constexpr char kMainClass[] = "InspectorWindow";
constexpr int kBigIconWidth = 32;
constexpr int kSmallIconWidth = 16;
constexpr DWORD kMainStyle =
    WS_OVERLAPPED | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr UINT kStackFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

bool registerMainClass(WNDPROC procedure) {
    // The double-click style lets a second press on the surface arrive as WM_LBUTTONDBLCLK.
    return registerPlainWindowClass(kMainClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, procedure);
}

size_t indexOf(Control control) {
    return static_cast<size_t>(control);
}

}  // namespace

InspectorWindow::InspectorWindow(EventSink& events)
    : events_(events), timer1_(windowSettings().timerPeriod, [this] {
          EventRecord tick(Control::timer1, Event::periodicEvent);
          guardedProcedure([&] { return static_cast<LRESULT>(events_.raiseEvent(tick)); });
      }) {}

InspectorWindow::~InspectorWindow() {
    if (exists())
        endForExit();
}

bool InspectorWindow::createInspectorWindow() {
    const WindowSettings& settings = windowSettings();
    if (!registerMainClass(&InspectorWindow::procedure))
        return false;
    background_.reset(CreateSolidBrush(settings.backgroundColour));

    const WindowPosition at =
        centredPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    // No owner, so the window has a taskbar button; window_ is set during WM_NCCREATE.
    if (CreateWindowExA(0, kMainClass, settings.caption, kMainStyle, at.x, at.y, settings.width,
                        settings.height, nullptr, nullptr, programInstance(), this) == nullptr) {
        return false;
    }
    RECT outer;
    GetWindowRect(window_, &outer);
    if (outer.right - outer.left != settings.width || outer.bottom - outer.top != settings.height) {
        MoveWindow(window_, at.x, at.y, settings.width, settings.height, TRUE);
    }
    setIcons();
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);

    // Created from the last row upwards, which gives the control IDs.
    for (Control control : creationOrder()) {
        if (createControl(control) == nullptr)
            return false;
    }
    // Stacked in description order: the first row on top, each next one below its predecessor.
    HWND insertAfter = HWND_TOP;
    for (const ControlRow& row : controlRows()) {
        const HWND control = controls_[indexOf(row.name)];
        SetWindowPos(control, insertAfter, 0, 0, 0, 0, kStackFlags);
        insertAfter = control;
    }
    for (const ControlRow& row : controlRows()) {
        if (row.visible)
            ShowWindow(controls_[indexOf(row.name)], SW_SHOWNA);
    }
    return true;
}

HWND InspectorWindow::createControl(Control control) {
    const ControlRow& row = controlRow(control);
    const int32_t id = controlId(control);
    const size_t index = indexOf(control);
    HWND made = nullptr;
    switch (row.kind) {
        case ControlKind::EditBox:
            editBoxes_[index] = std::make_unique<EditBoxControl>(control, events_);
            made = editBoxes_[index]->create(window_, row, id);
            break;
        case ControlKind::Label:
            labels_[index] = std::make_unique<LabelControl>(labelLook(control));
            made = labels_[index]->create(window_, row, id);
            break;
        case ControlKind::Button:
            buttons_[index] = std::make_unique<ButtonControl>(control, events_);
            made = buttons_[index]->create(window_, row, id);
            break;
        case ControlKind::Timer:
            made = timer1_.create(window_, id, row.left, row.top, row.width, row.height);
            break;
        case ControlKind::window:
            break;
    }
    controls_[index] = made;
    return made;
}

void InspectorWindow::setIcons() {
    const std::string bytes = inspectorIconFile();
    bigIcon_ = iconFromIco(bytes, kBigIconWidth);
    smallIcon_ = iconFromIco(bytes, kSmallIconWidth);
    HICON big = bigIcon_.get();
    HICON small = smallIcon_.get();
    if (big == nullptr && small == nullptr) {
        // The default program icon is shared by the system and never destroyed.
        big = small = LoadIconA(nullptr, IDI_APPLICATION);
    }
    if (big != nullptr)
        SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (small != nullptr) {
        SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
}

HWND InspectorWindow::controlHandle(Control control) const {
    return control == Control::window ? window_ : controls_.at(indexOf(control));
}

std::optional<Control> InspectorWindow::controlOf(HWND window) const {
    if (window == nullptr)
        return std::nullopt;
    if (window == window_)
        return Control::window;
    for (const ControlRow& row : controlRows()) {
        if (controls_[indexOf(row.name)] == window)
            return row.name;
    }
    return std::nullopt;
}

EditBoxControl* InspectorWindow::editBox(Control control) const {
    return control == Control::window ? nullptr : editBoxes_.at(indexOf(control)).get();
}

void InspectorWindow::writeContent(EditBox box, std::string_view text) {
    if (EditBoxControl* target = editBox(::controlOf(box)))
        target->writeContent(text);
}

std::optional<std::string> InspectorWindow::readIcon() const {
    std::string bytes = inspectorIconFile();
    if (bytes.empty())
        return std::nullopt;
    return bytes;
}

void InspectorWindow::endForExit() {
    endingForExit_ = true;
    if (exists()) {
        // Also deleted on this path, so no dead icon stays in the notification area.
        tray_.remove(window_);
        DestroyWindow(window_);
    }
    bigIcon_.reset();
    smallIcon_.reset();
}

LRESULT CALLBACK InspectorWindow::procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* inspector = static_cast<InspectorWindow*>(created->lpCreateParams);
        inspector->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(inspector));
    }
    auto* self = reinterpret_cast<InspectorWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    return guardedProcedure([&] { return self->handleMessage(message, wParam, lParam); });
}

LRESULT InspectorWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_;
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ACTIVATE:
            onActivate(wParam);
            // The default activation gives the window the focus, which WM_SETFOCUS passes on.
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_SETFOCUS:
            onSetFocus();
            return 0;
        case WM_COMMAND:
            onCommand(wParam, lParam);
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            if (auto colour = onControlColour(reinterpret_cast<HDC>(wParam),
                                              reinterpret_cast<HWND>(lParam))) {
                return *colour;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_CLOSE:
            return onClose();
        case WM_QUERYENDSESSION:
            return onQueryEndSession(wParam, lParam);
        case trayMessage:
            onTrayMessage(lParam);
            return 0;
        case WM_DESTROY:
            onDestroy();
            return 0;
        case WM_NCDESTROY:
            onNcDestroy();
            return DefWindowProcA(window, message, wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

void InspectorWindow::paint() {
    // The class has no brush: this fill is the only background the surface gets.
    PaintGuard paint(window_);
    FillRect(paint.dc(), &paint.updateRect(), background_.get());
}

void InspectorWindow::onActivate(WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE)
        return;
    const HWND focus = GetFocus();
    rememberedFocus_ = focus != nullptr && IsChild(window_, focus) ? focus : nullptr;
}

void InspectorWindow::onSetFocus() {
    HWND target = rememberedFocus_;
    rememberedFocus_ = nullptr;
    // The remembered control may have been destroyed and its handle reused since.
    if (target == nullptr || !IsWindow(target) || !IsChild(window_, target)) {
        target = controlHandle(tabOrder().front());
    }
    if (target != nullptr)
        SetFocus(target);
}

void InspectorWindow::onCommand(WPARAM wParam, LPARAM lParam) {
    const std::optional<Control> from = controlOf(reinterpret_cast<HWND>(lParam));
    if (!from || *from == Control::window)
        return;
    const WORD notification = HIWORD(wParam);
    if (EditBoxControl* box = editBox(*from))
        box->onCommand(notification);
    if (ButtonControl* button = buttons_[indexOf(*from)].get())
        button->onCommand(notification);
}

std::optional<LRESULT> InspectorWindow::onControlColour(HDC dc, HWND control) {
    const std::optional<Control> from = controlOf(control);
    if (!from)
        return std::nullopt;
    if (EditBoxControl* box = editBox(*from))
        return box->controlColour(dc);
    return std::nullopt;
}

LRESULT InspectorWindow::onClose() {
    EventRecord query(Control::window, Event::closeQueryEvent);
    events_.raiseEvent(query);
    if (query.cancelled())
        return 0;
    return DefWindowProcA(window_, WM_CLOSE, 0, 0);  // destroys the window
}

LRESULT InspectorWindow::onQueryEndSession(WPARAM wParam, LPARAM lParam) {
    const LRESULT answer = DefWindowProcA(window_, WM_QUERYENDSESSION, wParam, lParam);
    EventRecord query(Control::window, Event::closeQueryEvent);
    events_.raiseEvent(query);
    return query.cancelled() ? FALSE : answer;
}

void InspectorWindow::onTrayMessage(LPARAM lParam) {
    const std::optional<int32_t> argument = trayEventArgument(lParam);
    if (!argument)
        return;
    EventRecord trayAction(Control::window, Event::trayEvent, {*argument});
    events_.raiseEvent(trayAction);
}

void InspectorWindow::onDestroy() {
    if (endingForExit_)
        return;
    EventRecord destroyed(Control::window, Event::destroyEvent);
    events_.raiseEvent(destroyed);
    tray_.remove(window_);
}

void InspectorWindow::onNcDestroy() {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    window_ = nullptr;
    controls_.fill(nullptr);
    rememberedFocus_ = nullptr;
    // The icons were in use by the window until now.
    bigIcon_.reset();
    smallIcon_.reset();
    if (!endingForExit_ && onClosed_)
        onClosed_();
}
