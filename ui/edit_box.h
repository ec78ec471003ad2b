// The EditBox control: a read-only, single-line, right-aligned EDIT control with a sunken
// edge, black text on white, and its one text line centred vertically.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/event_record.h"
#include "ui/owned.h"
#include "ui/window_description.h"

class EditBoxControl {
public:
    static constexpr COLORREF kTextColour = 0x000000;
    static constexpr COLORREF kBackgroundColour = 0xFFFFFF;

    EditBoxControl(Control name, EventSink& events) : name_(name), events_(events) {}
    ~EditBoxControl();
    EditBoxControl(const EditBoxControl&) = delete;
    EditBoxControl& operator=(const EditBoxControl&) = delete;

    // Creates the hidden EDIT child window; nullptr on failure.
    HWND create(HWND parent, const ControlRow& row, int32_t id);
    HWND window() const { return window_; }

    // Sets the text even when it is unchanged, so the caret always returns to its start;
    // the edit control's own change notification raises nothing meanwhile, and the box's
    // contentChangedEvent is raised once afterwards.
    void writeContent(std::string_view text);
    const std::string& content() const { return content_; }

    // A WM_COMMAND notification from this box, handed back by the parent.
    void onCommand(WORD notification);
    // WM_CTLCOLOREDIT / WM_CTLCOLORSTATIC handed back by the parent: black on white.
    LRESULT controlColour(HDC dc) const;

private:
    static LRESULT CALLBACK subclassProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onNcCalcSize(WPARAM wParam, LPARAM lParam);
    LRESULT onNcPaint(WPARAM wParam, LPARAM lParam);
    LRESULT onNcHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT onEraseBackground(HDC dc);
    LRESULT callOriginal(UINT message, WPARAM wParam, LPARAM lParam);
    int32_t textHeight(const char* text, int length) const;
    void applyMinimumHeight();

    Control name_;
    EventSink& events_;           // not owned
    HWND window_ = nullptr;       // destroyed with the main window
    WNDPROC original_ = nullptr;  // the EDIT class procedure
    OwnedBrush brush_;            // white; outlives the window
    std::string content_;
    bool writing_ = false;  // set while writeContent sets the control's text
};
