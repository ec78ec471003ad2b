// What the child windows of the main window's controls share: their base styles and the
// module their classes are registered in.
#pragma once

#include <windows.h>

#include "ui/window_description.h"

// Created hidden (no WS_VISIBLE): WS_CHILD and WS_CLIPSIBLINGS, WS_TABSTOP for a tab stop.
inline DWORD childWindowStyle(const ControlRow& row) {
    return WS_CHILD | WS_CLIPSIBLINGS | (row.tabStop ? WS_TABSTOP : 0);
}

inline HINSTANCE programInstance() {
    return GetModuleHandleA(nullptr);
}

inline HMENU controlIdAsMenu(int32_t id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}
