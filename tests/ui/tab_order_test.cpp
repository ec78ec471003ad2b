// Tab order and moving along it with wrap-around, from controls inside and outside it.
#include "ui/tab_order.h"

#include <gtest/gtest.h>

namespace {

using C = Control;

TEST(TabOrder, IsTheFocusableTabStopsInCreationOrder) {
    const std::vector<Control> expected = {C::editBox1, C::editBox2, C::editBox3,
                                           C::editBox4, C::editBox5, C::editBox7,
                                           C::editBox8, C::button3,  C::button2};
    EXPECT_EQ(tabOrder(), expected);
}

TEST(TabOrder, MovesBothWaysWithWrapAround) {
    const struct {
        Control from;
        bool backward;
        Control to;
    } cases[] = {
        {C::editBox1, false, C::editBox2},
        {C::editBox5, false, C::editBox7},  // the timer and 标签7 lie between them
        {C::editBox8, false, C::button3},
        {C::button3, false, C::button2},
        {C::button2, false, C::editBox1},  // last wraps to first
        {C::editBox1, true, C::button2},   // first wraps to last
        {C::button2, true, C::button3},
        {C::editBox7, true, C::editBox5},
        // From controls outside the order: the next one after its place in creation order.
        {C::label1, false, C::editBox1},
        {C::label1, true, C::button2},
        {C::label9, false, C::button2},
        {C::label9, true, C::button3},
        {C::timer1, false, C::editBox7},
        {C::timer1, true, C::editBox5},
        {C::label8, false, C::editBox8},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nextInTabOrder(c.from, c.backward), c.to)
            << static_cast<int>(c.from) << (c.backward ? " backward" : " forward");
    }
}

TEST(TabOrder, WalkingForwardVisitsEveryStopOnceAndComesBack) {
    Control at = C::editBox1;
    for (size_t step = 0; step < tabOrder().size(); ++step) {
        at = nextInTabOrder(at, false).value();
        at = nextInTabOrder(at, true).value();
        at = nextInTabOrder(at, false).value();
    }
    EXPECT_EQ(at, C::editBox1);
}

TEST(TabOrder, NothingMovesFromTheMainWindowItself) {
    EXPECT_EQ(nextInTabOrder(C::window, false), std::nullopt);
    EXPECT_EQ(nextInTabOrder(C::window, true), std::nullopt);
}

}  // namespace
