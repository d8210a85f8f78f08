// The main window's first show, close attempts and the state it writes, without a window.
#include "mainwindow/WindowPasses.h"

#include "app/Settings.h"

#include <array>
#include <gtest/gtest.h>

TEST(WindowPasses, FirstShowRunsOnceAndAsksForSetupOnlyOnAFirstStart) {
    TWindowPasses first(false, true);
    const TFirstShowPass pass = first.Show();
    EXPECT_TRUE(pass.Run);
    EXPECT_EQ(pass.SetupQuestion, SetupQuestion(false, true));
    EXPECT_FALSE(pass.SetupQuestion.empty());
    EXPECT_FALSE(first.Show().Run); // shown again after a hide: nothing runs, nothing is asked
    EXPECT_TRUE(first.Show().SetupQuestion.empty());
    TWindowPasses later(false, false);
    EXPECT_TRUE(later.Show().SetupQuestion.empty());
}

TEST(WindowPasses, CloseIsRefusedWhileAnOutsideEditorRuns) {
    EXPECT_TRUE(TWindowPasses::Close(false).CanClose);
    EXPECT_TRUE(TWindowPasses::Close(false).Refusal.empty());
    const TClosePass refused = TWindowPasses::Close(true);
    EXPECT_FALSE(refused.CanClose);
    EXPECT_EQ(refused.Refusal, "外部エディタを起動中です。\r\n終了処理を中止いたします。");
}

TEST(WindowPasses, AMaximisedWindowKeepsItsLastNormalBounds) {
    TSettings s;
    auto bounds = [&s] { return std::array{s.fmLeft, s.fmTop, s.fmWidth, s.fmHeight}; };
    TakeWindowState(s, false, {22, 11, 444, 333}, true, false);
    EXPECT_EQ(bounds(), (std::array{22, 11, 444, 333}));
    EXPECT_TRUE(s.FuncChk);
    EXPECT_FALSE(s.StatChk);
    TakeWindowState(s, true, {0, 0, 1024, 768}, false, true);
    EXPECT_TRUE(s.isMaxSize);
    EXPECT_EQ(bounds(), (std::array{22, 11, 444, 333}));
    EXPECT_FALSE(s.FuncChk);
    EXPECT_TRUE(s.StatChk);
}
