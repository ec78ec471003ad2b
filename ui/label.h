// The Label control: a child window of its own class that paints its caption in a bold
// white font on the window's blue. It never takes the focus.
#pragma once

#include <windows.h>

#include <string>

#include "ui/owned.h"
#include "ui/window_description.h"

class LabelControl {
public:
    static constexpr COLORREF kTextColour = 0xFFFFFF;

    explicit LabelControl(const LabelLook& look);
    LabelControl(const LabelControl&) = delete;
    LabelControl& operator=(const LabelControl&) = delete;

    // Creates the hidden label window; nullptr on failure.
    HWND create(HWND parent, const ControlRow& row, int32_t id);
    HWND window() const { return window_; }

    // DT_NOCLIP | DT_CENTER with DT_SINGLELINE | DT_VCENTER, or DT_WORDBREAK | DT_VCENTER
    // for a wrapping label (without DT_SINGLELINE the wrapped text stays at the top).
    UINT drawFlags() const { return drawFlags_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();

    std::string fontData_;  // the stored 60-byte LOGFONTA
    UINT drawFlags_;
    OwnedBrush brush_;       // the window's blue; outlives the window
    HWND window_ = nullptr;  // destroyed with the main window
};
