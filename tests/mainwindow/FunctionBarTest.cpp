// The function-key bar and the jump column without a window: layers, layout and jump marks.
#include "mainwindow/FunctionBar.h"
#include "editor/EditorCore.h"
#include "platform/Cp932.h"

#include "../support/EditorCoreHelpers.h"

#include <gtest/gtest.h>

TEST(FunctionKeys, LayersFollowShiftAndCtrlAndF11FollowsTheModifiedState) {
    TFunctionKeyBar bar;
    EXPECT_EQ(bar.ButtonCaption(1), "終了");
    EXPECT_EQ(bar.ButtonCaption(10), "");
    EXPECT_FALSE(bar.KeyDown(true, false, false)); // the bar is hidden: nothing changes
    EXPECT_TRUE(bar.KeyDown(true, false, true));
    EXPECT_EQ(bar.ButtonCaption(0), "表示設定");
    EXPECT_TRUE(bar.KeyDown(true, true, true)); // Ctrl wins
    EXPECT_EQ(bar.ButtonCaption(3), "閉じる");
    EXPECT_FALSE(bar.KeyUp(true, false)); // Shift still held
    EXPECT_TRUE(bar.KeyUp(false, false));
    EXPECT_EQ(bar.Layer(), 0);
    bar.SetModified(true);
    EXPECT_EQ(bar.ButtonCaption(10), "更新");
    bar.KeyDown(true, false, true);
    EXPECT_EQ(bar.ButtonCaption(10), "更新"); // kept in every layer
    EXPECT_EQ(bar.ButtonCaption(11), "Ｏｎ");
    bar.SetJumpOn(true);
    EXPECT_EQ(bar.ButtonCaption(11), "Ｏｆｆ");
    EXPECT_EQ(FunctionKeyCommand(TFunctionKeyBar::ClickedKey(11, true, true)),
              TFunctionCommand::JumpColumn); // Shift wins on a click
    EXPECT_EQ(FunctionKeyCommand(TFunctionKeyBar::ClickedKey(3, false, true)),
              TFunctionCommand::Close);
    for (int k : {0, 4, 6, 7, 8, 9, 16, 30})
        EXPECT_EQ(FunctionKeyCommand(k), TFunctionCommand::None) << k;
}

TEST(FunctionKeys, BarAndColumnResizeFormulas) {
    const TFunctionBarLayout b = FunctionBarLayout(779, 27);
    EXPECT_EQ(std::tuple(b.Groups[0].Width, b.Groups[1].Left, b.Groups[2].Left),
              std::tuple(250, 260, 520));
    EXPECT_EQ(b.Buttons[3], (TRect{186, 0, 62, 23}));
    // The column keeps its design at 480 pixels and shares out what the window has more or less.
    for (auto [height, first, last] : {std::tuple{480, 69, 409}, {507, 72, 432}, {463, 66, 396}})
        EXPECT_EQ(
            std::pair(JumpColumnLayout(height).First.Height, JumpColumnLayout(height).Last.Top),
            std::pair(first, last))
            << height;
}

TEST(JumpMarks, DigitRulesAndTheScan) {
    for (const std::string& line :
         {std::string("&1 memo"), std::string("& 1"), J("＆１見出し"), J("&１")})
        EXPECT_EQ(JumpMarkDigit(line), 1) << line;
    // Not a number reads as 0, and so does a lone lead byte at the end of the line.
    for (const char* line : {"&0", "&x", "&", "&\x82"})
        EXPECT_EQ(JumpMarkDigit(line), 0) << line;
    for (const char* line : {"&12", "&-1", "x&1", "\x81"})
        EXPECT_EQ(JumpMarkDigit(line), -1) << line;

    std::string text;
    for (int i = 0; i < 50; ++i)
        text += i == 10 || i == 40 ? "&3 here\r\n"
                : i == 20          ? "&x\n"
                : i == 30          ? "&12\r"
                                   : "line\r\n";
    const std::array<int, 10> lines = ScanJumpMarks(text); // the later line wins
    EXPECT_EQ(lines, (std::array{20, -1, -1, 40, -1, -1, -1, -1, -1, -1}));
    // The same over the rows of a store, wrapped: lines count, not rows.
    TEditorCore e;
    e.SetText(text);
    WrapAt(e, 20);
    text.replace(text.find("line"), 4, std::string(60, 'x')); // one line over three rows
    e.SetText(text);
    ASSERT_GT(e.Rows().RowCount(), 52);
    EXPECT_EQ(ScanJumpMarks(e.Rows()), lines);
}
