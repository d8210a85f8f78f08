// The main window's first show, close attempts and the state it writes, without a window.
#include "mainwindow/WindowPasses.h"

#include "app/Settings.h"

#include <array>
#include <gtest/gtest.h>

TEST(WindowPasses, FirstShowRunsOnceAndCloseIsRefusedWhileAnOutsideEditorRuns) {
    TWindowPasses first(false, true);
    const TFirstShowPass pass = first.Show();
    EXPECT_TRUE(pass.Run);
    EXPECT_EQ(pass.SetupQuestion, SetupQuestion(false, true));
    EXPECT_FALSE(pass.SetupQuestion.empty());
    const TFirstShowPass again = first.Show(); // shown again after a hide
    EXPECT_FALSE(again.Run || !again.SetupQuestion.empty());
    EXPECT_TRUE(TWindowPasses(false, false).Show().SetupQuestion.empty());
    EXPECT_TRUE(TWindowPasses::Close(false).CanClose &&
                TWindowPasses::Close(false).Refusal.empty());
    const TClosePass refused = TWindowPasses::Close(true);
    EXPECT_FALSE(refused.CanClose);
    EXPECT_EQ(refused.Refusal, "外部エディタを起動中です。\r\n終了処理を中止いたします。");
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
}
