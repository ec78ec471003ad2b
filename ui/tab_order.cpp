// Tab order: creation order filtered to the focusable tab stops.
#include "ui/tab_order.h"

#include <algorithm>

namespace {

bool focusable(const ControlRow& row) {
    // Labels and the timer never take the focus; no control of this window is disabled.
    return (row.kind == ControlKind::EditBox || row.kind == ControlKind::Button) && row.visible &&
           row.tabStop;
}

}  // namespace

const std::vector<Control>& tabOrder() {
    static const std::vector<Control> order = [] {
        std::vector<Control> result;
        for (Control control : creationOrder()) {
            if (focusable(controlRow(control)))
                result.push_back(control);
        }
        return result;
    }();
    return order;
}

bool inTabOrder(Control control) {
    const auto& order = tabOrder();
    return std::find(order.begin(), order.end(), control) != order.end();
}

std::optional<Control> nextInTabOrder(Control current, bool backward) {
    if (current == Control::window)
        return std::nullopt;
    const auto created = creationOrder();
    const auto count = static_cast<int>(created.size());
    const int start =
        static_cast<int>(std::find(created.begin(), created.end(), current) - created.begin());
    const int step = backward ? -1 : 1;
    for (int k = 1; k <= count; ++k) {
        const Control candidate = created[((start + step * k) % count + count) % count];
        if (inTabOrder(candidate))
            return candidate;
    }
    return std::nullopt;
}
