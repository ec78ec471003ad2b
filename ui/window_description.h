// The fixed description of the inspector window: its settings and its 18 controls in
// description order (which is their stacking order), with the creation order and control
// IDs that follow from it. Platform-free: positions, sizes and colours are plain numbers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/window_side.h"

// The kinds of the window and its controls.
enum class ControlKind { window, EditBox, Label, Button, Timer };

// The main window's controls in description order, and the window itself as an event source.
enum class Control : uint8_t {
    button2,   // 按钮2 "抓取数据"
    label9,    // 标签9, the instruction
    button3,   // 按钮3 "退出程序"
    editBox8,  // 编辑框8, window rectangle
    label8,    // 标签8
    editBox7,  // 编辑框7, window handle
    label7,    // 标签7
    timer1,    // 时钟1
    editBox5,  // 编辑框5, control ID
    editBox4,  // 编辑框4, window style
    editBox3,  // 编辑框3, class atom
    editBox2,  // 编辑框2, class name
    editBox1,  // 编辑框1, window title
    label6,    // 标签6
    label4,    // 标签4
    label3,    // 标签3
    label2,    // 标签2
    label1,    // 标签1
    window,    // the main window itself (not a control)
};

constexpr size_t kControlCount = 18;

// One row of the control table. Left and top are client coordinates of the main window;
// width and height are the control's outer size.
struct ControlRow {
    Control name;
    ControlKind kind;
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
    const char* text;  // GB2312 bytes; empty for the boxes, none for the timer
    bool tabStop;
    bool visible;
};

struct WindowSettings {
    int32_t left;  // not used: the window opens centred
    int32_t top;
    int32_t width;  // outer size, frame and caption included
    int32_t height;
    const char* caption;
    uint32_t backgroundColour;  // COLORREF 0x00BBGGRR
    bool controlBox;
    bool maximiseButton;
    bool minimiseButton;
    bool centred;
    bool movable;
    bool enterMovesFocus;
    bool escCloses;
    bool f1Help;
    bool shownInTaskbar;
    bool dragToMove;
    bool alwaysOnTop;
    int32_t timerPeriod;  // 时钟1's starting period in milliseconds
};

// The stored font of a label: a LOGFONTA with these fields set and every other field 0.
struct LabelFont {
    int32_t height;
    int32_t weight;
    const char* faceName;  // GB2312 bytes
};

struct LabelLook {
    LabelFont font;
    bool wordWrap;  // 标签9 wraps; the other labels show one line centred both ways
};

const WindowSettings& windowSettings();

// The 18 rows in description order; row i describes Control(i).
const std::array<ControlRow, kControlCount>& controlRows();
const ControlRow& controlRow(Control control);

// The controls in creation order: the description from its last row upwards.
std::array<Control, kControlCount> creationOrder();

// 100 + 10 * n for the n-th control created, n counted from 0.
int32_t controlId(Control control);
// The control with this ID, if any.
std::optional<Control> controlWithId(int32_t id);

// The description row of one of the seven boxes the capture controller writes.
Control controlOf(EditBox box);

// The look of a label (the control must be of the kind Label).
const LabelLook& labelLook(Control label);

struct WindowPosition {
    int32_t x;
    int32_t y;
};
// The centred start position for a screen of the given size: each coordinate is
// (screen - window) / 2, a signed division that rounds towards zero.
WindowPosition centredPosition(int32_t screenWidth, int32_t screenHeight);
