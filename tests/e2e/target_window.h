// Windows of the test's own process for the inspector to look at: a class of their own,
// a known title, style, control ID and rectangle. The test thread pumps their messages
// while it waits (harness waitFor).
#pragma once

#include <windows.h>

#include <string>

#include "ui/owned.h"

namespace e2e {

class TargetWindow {
public:
    // A top-level popup at the screen rectangle, shown without taking the activation.
    TargetWindow(const std::string& className, const std::string& title, RECT screenRect);
    // A child of another target at a rectangle of the parent's client area.
    TargetWindow(const std::string& className, const std::string& title, HWND parent, int controlId,
                 RECT clientRect);
    ~TargetWindow();
    TargetWindow(const TargetWindow&) = delete;
    TargetWindow& operator=(const TargetWindow&) = delete;

    HWND window() const { return window_.get(); }
    ATOM atom() const { return atom_; }
    const std::string& className() const { return className_; }
    const std::string& title() const { return title_; }
    POINT centre() const;

private:
    void registerClass();

    std::string className_;
    std::string title_;
    ATOM atom_ = 0;
    OwnedWindow window_;  // owned; destroyed before its class is unregistered
};

}  // namespace e2e
