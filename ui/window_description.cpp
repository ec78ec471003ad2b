// The inspector window's fixed description and the orders and IDs derived from it.
#include "ui/window_description.h"

namespace {

constexpr WindowSettings kWindow = {
    50,                  // left
    50,                  // top
    265,                 // width
    319,                 // height
    "窗口查看辅助工具",  // caption
    0x00FF8800,          // background: red 0, green 136, blue 255
    true,                // control box
    false,               // maximise button
    true,                // minimise button
    true,                // centred
    true,                // movable
    false,               // Enter moves the focus
    false,               // Esc closes
    false,               // F1 opens help
    true,                // shown in the taskbar
    true,                // drag to move
    true,                // always on top
    200,                 // 时钟1's period
};

using K = ControlKind;
using C = Control;

// name, kind, left, top, width, height, text, tab stop, visible
constexpr std::array<ControlRow, kControlCount> kRows = {{
    {C::button2, K::Button, 58, 217, 72, 24, "抓取数据", true, true},
    {C::label9, K::Label, 0, 251, 256, 32,
     "点击抓取数据后点击你要查看数据的窗口。有时候会失效，重新试下就行。", false, true},
    {C::button3, K::Button, 168, 217, 64, 24, "退出程序", true, true},
    {C::editBox8, K::EditBox, 88, 192, 150, 20, "", true, true},
    {C::label8, K::Label, -2, 189, 106, 24, "窗口范围：", false, true},
    {C::editBox7, K::EditBox, 88, 36, 150, 20, "", true, true},
    {C::label7, K::Label, 10, 33, 80, 24, "窗口句柄：", false, true},
    {C::timer1, K::Timer, 66, 189, 26, 26, nullptr, false, false},
    {C::editBox5, K::EditBox, 88, 160, 150, 20, "", true, true},
    {C::editBox4, K::EditBox, 88, 129, 150, 20, "", true, true},
    {C::editBox3, K::EditBox, 88, 98, 150, 20, "", true, true},
    {C::editBox2, K::EditBox, 88, 67, 150, 20, "", true, true},
    {C::editBox1, K::EditBox, 88, 5, 150, 20, "", true, true},
    {C::label6, K::Label, 5, 157, 80, 24, "窗口ID：", false, true},
    {C::label4, K::Label, 10, 126, 80, 24, "窗口风格：", false, true},
    {C::label3, K::Label, 10, 95, 80, 24, "窗口类值：", false, true},
    {C::label2, K::Label, 10, 64, 80, 24, "窗口类名：", false, true},
    {C::label1, K::Label, 10, 2, 80, 24, "窗口标题：", false, true},
}};

constexpr LabelLook kNameLabel = {{-12, 700, "楷体_GB2312"}, false};
constexpr LabelLook kInstructionLabel = {{-14, 700, "宋体"}, true};

size_t indexOf(Control control) {
    return static_cast<size_t>(control);
}

}  // namespace

const WindowSettings& windowSettings() {
    return kWindow;
}

const std::array<ControlRow, kControlCount>& controlRows() {
    return kRows;
}

const ControlRow& controlRow(Control control) {
    return kRows.at(indexOf(control));
}

std::array<Control, kControlCount> creationOrder() {
    std::array<Control, kControlCount> order{};
    for (size_t n = 0; n < kControlCount; ++n)
        order[n] = kRows[kControlCount - 1 - n].name;
    return order;
}

int32_t controlId(Control control) {
    const auto n = static_cast<int32_t>(kControlCount - 1 - indexOf(control));
    return 100 + 10 * n;
}

std::optional<Control> controlWithId(int32_t id) {
    for (const ControlRow& row : kRows) {
        if (controlId(row.name) == id)
            return row.name;
    }
    return std::nullopt;
}

Control controlOf(EditBox box) {
    switch (box) {
        case EditBox::editBox1:
            return Control::editBox1;
        case EditBox::editBox2:
            return Control::editBox2;
        case EditBox::editBox3:
            return Control::editBox3;
        case EditBox::editBox4:
            return Control::editBox4;
        case EditBox::editBox5:
            return Control::editBox5;
        case EditBox::editBox7:
            return Control::editBox7;
        case EditBox::editBox8:
            return Control::editBox8;
    }
    return Control::editBox1;
}

const LabelLook& labelLook(Control label) {
    return label == Control::label9 ? kInstructionLabel : kNameLabel;
}

WindowPosition centredPosition(int32_t screenWidth, int32_t screenHeight) {
    // C++ integer division rounds towards zero, as the start position requires.
    return {(screenWidth - kWindow.width) / 2, (screenHeight - kWindow.height) / 2};
}
