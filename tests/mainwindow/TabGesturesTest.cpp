// Presses on the page tabs: closing by the right button, Shift+Ctrl dragging, page changing.
#include "mainwindow/TabGestures.h"

#include <gtest/gtest.h>

TEST(TabGestures, ButtonsAndModifiersChooseWhatAPressDoes) {
    using B = TTabButton;
    using P = TTabPress;
    EXPECT_EQ(TabPressAction(B::Right, false, true, 2, 0), P::RightClick);
    EXPECT_EQ(TabPressAction(B::Right, true, true, -1, 0), P::Swallow); // beside the tabs
    EXPECT_EQ(TabPressAction(B::Middle, true, true, 1, 1), P::ArmDrag);
    EXPECT_EQ(TabPressAction(B::Left, true, true, -1, 0), P::ArmDrag);
    EXPECT_EQ(TabPressAction(B::Left, true, false, 1, 0), P::Changing);
    EXPECT_EQ(TabPressAction(B::Left, false, false, 0, 0), P::Default); // the current tab
    EXPECT_EQ(TabPressAction(B::Middle, false, false, 1, 0), P::Default);
}
