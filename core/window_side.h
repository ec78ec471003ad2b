// What the capture logic needs from the window side. The core owns this interface; the
// Windows program supplies the real operations and the tests supply recorders.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/window_snapshot.h"

// The seven read-only boxes that show a capture, named as in the window's description.
enum class EditBox {
    editBox1,  // title
    editBox2,  // class name
    editBox3,  // class atom
    editBox4,  // style
    editBox5,  // control ID
    editBox7,  // handle
    editBox8,  // screen rectangle
};

class WindowSide {
public:
    virtual ~WindowSide() = default;

    // Reads the window under the cursor; every value is read before it returns.
    virtual WindowSnapshot captureUnderCursor() = 0;
    // Afterwards the box shows exactly this text.
    virtual void writeContent(EditBox box, std::string_view text) = 0;
    // The main window's ICO file, or no bytes.
    virtual std::optional<std::string> readIcon() = 0;
    // Sets the capture timer's period in milliseconds (see the timer for the exact rules).
    virtual void writePeriod(int32_t milliseconds) = 0;
    // Shows the main window's notification-area icon made from ICO bytes (possibly empty).
    virtual void setTrayIcon(std::string_view iconBytes, std::optional<std::string_view> tip) = 0;
    // Ends the process; the real one does not return.
    virtual void endProgram(int32_t exitCode) = 0;
    // Reports a fatal error in a modal box and ends with -1; the real one does not return.
    virtual void runTimeError(std::string_view message, int32_t errorCode) = 0;
};
