// The window's description: control IDs and creation order derived from the rows, and the
// centred start position.
#include "ui/window_description.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using C = Control;

TEST(WindowDescription, ControlIdsFollowReverseDescriptionOrder) {
    const struct {
        Control control;
        int32_t id;
    } cases[] = {
        {C::button2, 270},  {C::label9, 260},   {C::button3, 250},  {C::editBox8, 240},
        {C::label8, 230},   {C::editBox7, 220}, {C::label7, 210},   {C::timer1, 200},
        {C::editBox5, 190}, {C::editBox4, 180}, {C::editBox3, 170}, {C::editBox2, 160},
        {C::editBox1, 150}, {C::label6, 140},   {C::label4, 130},   {C::label3, 120},
        {C::label2, 110},   {C::label1, 100},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(controlId(c.control), c.id) << static_cast<int>(c.control);
        EXPECT_EQ(controlWithId(c.id), c.control) << c.id;
    }
    EXPECT_EQ(controlWithId(0), std::nullopt);
    EXPECT_EQ(controlWithId(105), std::nullopt);
    EXPECT_EQ(controlWithId(280), std::nullopt);
}

TEST(WindowDescription, CreationOrderIsTheDescriptionFromTheLastRowUp) {
    const std::vector<Control> expected = {
        C::label1,   C::label2,   C::label3,   C::label4,   C::label6, C::editBox1,
        C::editBox2, C::editBox3, C::editBox4, C::editBox5, C::timer1, C::label7,
        C::editBox7, C::label8,   C::editBox8, C::button3,  C::label9, C::button2,
    };
    const auto order = creationOrder();
    EXPECT_EQ(std::vector<Control>(order.begin(), order.end()), expected);
}

TEST(WindowDescription, RowsAreIndexedByTheirControl) {
    for (size_t i = 0; i < kControlCount; ++i) {
        EXPECT_EQ(static_cast<size_t>(controlRows()[i].name), i);
    }
}

TEST(WindowDescription, OnlyEditBoxesAndButtonsAreTabStopsAndOnlyTheTimerIsHidden) {
    for (const ControlRow& row : controlRows()) {
        const bool focusable = row.kind == ControlKind::EditBox || row.kind == ControlKind::Button;
        EXPECT_EQ(row.tabStop, focusable) << static_cast<int>(row.name);
        EXPECT_EQ(row.visible, row.kind != ControlKind::Timer) << static_cast<int>(row.name);
    }
}

TEST(WindowDescription, CapturedValuesGoToTheBoxesOfTheDescription) {
    EXPECT_EQ(controlId(controlOf(EditBox::editBox1)), 150);
    EXPECT_EQ(controlId(controlOf(EditBox::editBox2)), 160);
    EXPECT_EQ(controlId(controlOf(EditBox::editBox3)), 170);
    EXPECT_EQ(controlId(controlOf(EditBox::editBox4)), 180);
    EXPECT_EQ(controlId(controlOf(EditBox::editBox5)), 190);
    EXPECT_EQ(controlId(controlOf(EditBox::editBox7)), 220);
    EXPECT_EQ(controlId(controlOf(EditBox::editBox8)), 240);
}

TEST(WindowDescription, LabelNineAloneWrapsInItsOwnFont) {
    EXPECT_TRUE(labelLook(C::label9).wordWrap);
    EXPECT_EQ(labelLook(C::label9).font.height, -14);
    for (Control label :
         {C::label1, C::label2, C::label3, C::label4, C::label6, C::label7, C::label8}) {
        EXPECT_FALSE(labelLook(label).wordWrap);
        EXPECT_EQ(labelLook(label).font.height, -12);
        EXPECT_EQ(labelLook(label).font.weight, 700);
    }
}

TEST(WindowDescription, StartPositionIsCentredRoundingTowardsZero) {
    const struct {
        int32_t screenWidth, screenHeight, x, y;
    } cases[] = {
        {1024, 768, 379, 224},  // (1024 - 265) / 2 = 379.5
        {1920, 1080, 827, 380},
        {200, 319, -32, 0},  // narrower than the window: negative, towards zero
        {264, 318, 0, 0},    // -1 / 2 is 0, not -1
        {262, 316, -1, -1},
    };
    for (const auto& c : cases) {
        const WindowPosition at = centredPosition(c.screenWidth, c.screenHeight);
        EXPECT_EQ(at.x, c.x) << c.screenWidth;
        EXPECT_EQ(at.y, c.y) << c.screenHeight;
    }
}

}  // namespace
