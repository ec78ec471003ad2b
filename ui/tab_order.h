// The keyboard tab order of the main window and moving along it with wrap-around.
// Platform-free: derived from the window's description alone.
#pragma once

#include <optional>
#include <vector>

#include "ui/window_description.h"

// The controls that are visible, enabled, able to take the focus (edit boxes and buttons)
// and tab stops, in creation order.
const std::vector<Control>& tabOrder();

// Whether the control can take the focus by keyboard navigation.
bool inTabOrder(Control control);

// The control that Tab (forward) or Shift+Tab (backward) moves the focus to from current,
// wrapping at both ends. From a control outside the tab order, the search starts at its
// place in creation order. None when current is the main window itself.
std::optional<Control> nextInTabOrder(Control current, bool backward);
