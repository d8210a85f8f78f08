// The main window's key preview (caption layers, Ctrl+arrow page switching, the clipboard keys,
// focus changes), the jump column's shown state, and the window commands on a control's core.
#include "mainwindow/WindowKeys.h"
#include "mainwindow/EditorActions.h"

#include "editor/Commands.h"
#include "editor/EditorCore.h"
#include "text/RowStore.h"

#include "../support/EditorCoreHelpers.h"

#include <gtest/gtest.h>

namespace {

using K = TWindowKey;
using Path = TWindowKeyAction::Path;

TWindowKeyEvent Down(K k, bool shift = false, bool ctrl = false, bool repeat = false) {
    return {k, true, shift, ctrl, false, repeat};
}
TWindowKeyEvent Up(K k, bool shift = false, bool ctrl = false, bool repeat = false) {
    return {k, false, shift, ctrl, false, repeat};
}

} // namespace

TEST(WindowKeys, CtrlArrowsSwitchPagesAndThePageChangeWaitsForTheRelease) {
    TFunctionKeyBar bar;
    TWindowKeys keys(bar);
    TWindowKeyAction a = keys.Key(Down(K::Control), true, 3, 2);
    EXPECT_TRUE(a.CaptionsChanged);
    EXPECT_EQ(a.PathPanel, Path::Show); // the page's path while Ctrl is held
    EXPECT_FALSE(a.Consumed);
    a = keys.Key(Down(K::Right, false, true, true), true, 3, 2);
    EXPECT_EQ(a.SwitchTo, 0); // wraps around
    EXPECT_TRUE(a.Consumed);
    EXPECT_EQ(a.PathPanel, Path::Clear);
    EXPECT_FALSE(a.PageChange);
    EXPECT_EQ(keys.Key(Down(K::Left, false, true, true), true, 3, 0).SwitchTo, 2);
    // Repeats of the release do not count; the real one runs the page change once.
    EXPECT_FALSE(keys.Key(Up(K::Left, false, true, true), true, 3, 2).PageChange);
    EXPECT_TRUE(keys.Key(Up(K::Left, false, true), true, 3, 2).PageChange);
    a = keys.Key(Up(K::Control, false, true), true, 3, 2);
    EXPECT_FALSE(a.PageChange);
    EXPECT_TRUE(a.CaptionsChanged);
    EXPECT_EQ(a.PathPanel, Path::Clear);

    // With Shift or Alt, or without pages, nothing switches.
    EXPECT_EQ(keys.Key(Down(K::Right, true, true), true, 3, 0).SwitchTo, -1);
    EXPECT_FALSE(keys.Key({K::Right, true, false, true, true}, true, 3, 0).Consumed); // Ctrl+Alt
    a = keys.Key(Down(K::Right, false, true), true, 0, -1);
    EXPECT_TRUE(a.Consumed);
    EXPECT_EQ(a.SwitchTo, -1);
}

TEST(WindowKeys, ClipboardKeysLocksAndTheHiddenBar) {
    TFunctionKeyBar bar;
    TWindowKeys keys(bar);
    EXPECT_EQ(keys.Key(Down(K::Insert, false, true), true, 1, 0).RunItem, "mnCopy");
    EXPECT_EQ(keys.Key(Down(K::Insert, true, false), true, 1, 0).RunItem, "mnPaste");
    EXPECT_EQ(keys.Key(Down(K::Delete, true, false), true, 1, 0).RunItem, "mnCut");
    // Plain Insert belongs to the control (overwrite); Ctrl+Shift+Insert to nobody here.
    EXPECT_FALSE(keys.Key(Down(K::Insert), true, 1, 0).Consumed);
    EXPECT_EQ(keys.Key(Down(K::Insert, true, true), true, 1, 0).RunItem, "");
    keys.Key(Up(K::Insert), true, 1, 0);
    EXPECT_TRUE(keys.Key(Down(K::Other), true, 1, 0).RefreshLocks);
    EXPECT_FALSE(keys.Key(Up(K::Other), true, 1, 0).RefreshLocks);
    EXPECT_TRUE(keys.Key(Up(K::LockKey), true, 1, 0).RefreshLocks);
    // The events of table keys: the modifier and lock keys alone are keys of their own.
    const TWindowKeyEvent e = WindowKeyEventOf(tkey::Control, kmCtrl | kmAlt, false, true);
    EXPECT_TRUE(e.Key == K::Control && e.Ctrl && e.Alt && !e.Shift && !e.Press && e.AutoRepeat);
    EXPECT_TRUE(WindowKeyOf(tkey::LockKey) == K::LockKey && WindowKeyOf('A') == K::Other);
    // A hidden bar keeps its plain layer and shows no path.
    const TWindowKeyAction a = keys.Key(Down(K::Control), false, 1, 0);
    EXPECT_FALSE(a.CaptionsChanged);
    EXPECT_EQ(a.PathPanel, Path::Keep);
    EXPECT_EQ(bar.Layer(), 0);
}

TEST(WindowKeys, LeavingTheWindowResetsWhatItsKeysLeftPending) {
    TFunctionKeyBar bar;
    TWindowKeys keys(bar);
    keys.Key(Down(K::Control), true, 2, 0);
    keys.Key(Down(K::Right, false, true), true, 2, 0);
    // The release happens in a dialog: deactivation finishes the switch and resets the layer.
    TWindowKeyAction a = keys.Activation(false, false, false, true);
    EXPECT_TRUE(a.PageChange);
    EXPECT_TRUE(a.CaptionsChanged);
    EXPECT_EQ(a.PathPanel, Path::Clear);
    EXPECT_EQ(bar.Layer(), 0);
    EXPECT_FALSE(keys.Activation(false, false, false, true).PageChange);
    // Coming back with Shift held shows its layer at once.
    a = keys.Activation(true, true, false, true);
    EXPECT_TRUE(a.CaptionsChanged);
    EXPECT_EQ(bar.Layer(), 1);
}

TEST(JumpColumn, ShownStateFollowsTheWishAndTheHeight) {
    TJumpColumnState j;
    EXPECT_TRUE(j.Toggle());
    EXPECT_FALSE(j.Resized(kJumpColumnMinWindowHeight - 1)); // too low: hidden
    EXPECT_TRUE(j.Resized(kJumpColumnMinWindowHeight));      // and back
    EXPECT_FALSE(j.Apply(true, 300));                        // a page's wish in a low window
    EXPECT_TRUE(j.Resized(500));
    EXPECT_FALSE(j.Apply(false, 500));
    EXPECT_FALSE(j.Resized(600));
    EXPECT_FALSE(j.Toggle() && j.Toggle());
}

namespace {

struct CoreActions : ::testing::Test {
    TEditorCore c;
    void SetUp() override {
        std::string text;
        for (int i = 0; i < 100; ++i)
            text += "line " + std::to_string(i) + "\r\n";
        c.SetText(text);
        c.SetVisibleArea(20, 80);
    }
};

} // namespace

TEST_F(CoreActions, JumpButtonsPlaceTheCaretAndDropTheSelection) {
    std::array<int, 10> lines;
    lines.fill(-1);
    lines[3] = 50;
    c.SetSelStart(0);
    c.SetSelLength(4);
    JumpEditor(c, 3, lines, {2, 3, false}, false);
    EXPECT_EQ(c.Row(), 50);
    EXPECT_EQ(c.TopRow(), 48);
    EXPECT_FALSE(c.Selected());
    JumpEditor(c, 3, lines, {2, 3, false}, true); // Shift: the line near the bottom
    EXPECT_EQ(c.TopRow(), 50 - 20 + 3);
    JumpEditor(c, 3, lines, {2, 3, true}, true); // JHanten swaps the two placements
    EXPECT_EQ(c.TopRow(), 48);
    JumpEditor(c, 4, lines, {2, 3, false}, false); // no line has mark 4: nothing moves
    EXPECT_EQ(c.Row(), 50);
    JumpEditor(c, 11, lines, {}, false);
    EXPECT_EQ(c.Row(), 100);
    EXPECT_EQ(c.TopRow(), 100 - 20 + 1);
    JumpEditor(c, 10, lines, {}, false);
    EXPECT_EQ(c.Row(), 0);
    EXPECT_EQ(c.TopRow(), 0);
}

TEST_F(CoreActions, AJumpMarkReplacesTheRowsOtherDigitButNotItsColourMarks) {
    c.SetCaret(5, 0);
    c.PutRowMark(5, 2);
    c.PutRowMark(5, 11);
    SetJumpMarkAtCaret(c, 7);
    EXPECT_EQ(c.Rows().ListRowMarks(5), (1u << 7) | (1u << 11));
    c.SetCaret(100, 0); // the row after the text takes no mark
    SetJumpMarkAtCaret(c, 1);
    EXPECT_FALSE(c.Rows().MarksInList() & (1u << 1));

    TCommandState s;
    FillEditorState(s, c);
    EXPECT_EQ(s.MarksInText, (1u << 7) | (1u << 11));
    EXPECT_EQ(s.CaretRowMarks, 0u);
}

TEST_F(CoreActions, CopyDropsTheSelectionAndTheWheelScrollsOneRow) {
    c.SetSelStart(2);
    c.SetSelLength(3);
    DropSelectionAfterCopy(c);
    EXPECT_FALSE(c.Selected());
    EXPECT_EQ(c.SelStart(), 5);
    EXPECT_TRUE(WheelScroll(c, -360));
    EXPECT_TRUE(WheelScroll(c, -1));
    EXPECT_EQ(c.TopRow(), 2);
    EXPECT_TRUE(WheelScroll(c, 120));
    EXPECT_EQ(c.TopRow(), 1);
    EXPECT_FALSE(WheelScroll(c, 0));
}

TEST(CaretLine, WrappedRowsCountIntoTheLineAndTheRowAfterTheText) {
    TEditorCore c;
    c.SetText(std::string(50, 'a') + "\r\nxyz\r\nlast");
    WrapAt(c, 20);
    ASSERT_EQ(c.Rows().RowCount(), 5); // 20 + 20 + 10, "xyz", "last"
    auto lineAt = [&](int row, int col) {
        c.SetCaret(row, col);
        return std::pair{CaretLineOf(c).Line, CaretLineOf(c).Char};
    };
    EXPECT_EQ(lineAt(1, 3), std::pair(0, 23));
    EXPECT_EQ(lineAt(3, 2), std::pair(1, 2));
    c.SetText("one\r\n");
    EXPECT_EQ(lineAt(1, 0), std::pair(1, 0)); // after a final line end: the next line
}
