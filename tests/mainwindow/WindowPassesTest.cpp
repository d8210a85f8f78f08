// The main window's first show, close attempts and the state it writes, without a window.
#include "mainwindow/WindowPasses.h"

#include "app/Settings.h"

#include <array>
#include <gtest/gtest.h>

TEST(WindowPasses, FirstShowRunsOnceAndCloseIsRefusedWhileAnOutsideEditorRuns) {
    TWindowPasses first(false, true);
    const TFirstShowPass pass = first.Show();
    EXPECT_TRUE(pass.Run && !pass.SetupQuestion.empty());
    const TFirstShowPass again = first.Show(); // shown again after a hide
    EXPECT_FALSE(again.Run || !again.SetupQuestion.empty());
    EXPECT_TRUE(TWindowPasses(false, false).Show().SetupQuestion.empty());
    EXPECT_TRUE(TWindowPasses::Close(false).CanClose);
    EXPECT_FALSE(TWindowPasses::Close(true).CanClose || TWindowPasses::Close(true).Refusal.empty());
}

TEST(WindowPasses, AMaximisedWindowKeepsItsLastNormalBounds) {
    TSettings s;
    auto state = [&s] {
        return std::array{s.fmLeft, s.fmTop, s.fmWidth, s.fmHeight, int(s.FuncChk), int(s.StatChk)};
    };
    TakeWindowState(s, false, {22, 11, 444, 333}, true, false);
    EXPECT_EQ(state(), (std::array{22, 11, 444, 333, 1, 0}));
    TakeWindowState(s, true, {0, 0, 1024, 768}, false, true);
    EXPECT_TRUE(s.isMaxSize);
    EXPECT_EQ(state(), (std::array{22, 11, 444, 333, 0, 1}));
    // A platform that does not tell the place (Wayland): the size is taken, the place kept.
    TakeWindowState(s, false, {-3, -30, 700, 500}, true, true, false);
    EXPECT_EQ(state(), (std::array{22, 11, 700, 500, 1, 1}));
}
