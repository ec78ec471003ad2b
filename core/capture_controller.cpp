// Capture timing and the order in which a capture reaches the edit boxes.
#include "core/capture_controller.h"

#include <new>

#include "core/text_format.h"

void CaptureController::onCreated() {
    continuousCapture_ = true;
    try {
        const std::optional<std::string> icon = windowSide_.readIcon();
        windowSide_.setTrayIcon(icon ? std::string_view(*icon) : std::string_view(), trayTip);
    } catch (const std::bad_alloc&) {
        windowSide_.runTimeError(outOfMemoryMessage, 0);
    }
}

void CaptureController::onGrabClicked() {
    armSingleCapture();
}

void CaptureController::onDoubleClick() {
    armSingleCapture();
}

void CaptureController::onExitClicked() {
    windowSide_.endProgram(0);
}

void CaptureController::onTick() {
    try {
        // Everything is read before anything is written, so pointing at one of our own
        // boxes shows the text it held before this tick.
        const WindowSnapshot snapshot = windowSide_.captureUnderCursor();
        showCapture(snapshot);
    } catch (const std::bad_alloc&) {
        windowSide_.runTimeError(outOfMemoryMessage, 0);
        return;
    }
    if (!continuousCapture_)
        windowSide_.writePeriod(0);
}

void CaptureController::armSingleCapture() {
    continuousCapture_ = false;
    // Writing the period already held leaves a running countdown alone, so a second grab
    // within the second does not postpone the capture.
    windowSide_.writePeriod(grabDelayMs);
}

void CaptureController::showCapture(const WindowSnapshot& snapshot) {
    // A fixed order, handle first and rectangle last; each text lives only for its write.
    windowSide_.writeContent(EditBox::editBox7, hexText(snapshot.handle));
    windowSide_.writeContent(EditBox::editBox1, snapshot.title);
    windowSide_.writeContent(EditBox::editBox2, snapshot.className);
    windowSide_.writeContent(EditBox::editBox3, hexText(snapshot.classAtom));
    windowSide_.writeContent(EditBox::editBox4, hexText(snapshot.style));
    windowSide_.writeContent(EditBox::editBox5, hexText(snapshot.controlId));
    windowSide_.writeContent(EditBox::editBox8, rectangleText(snapshot.rect));
}
