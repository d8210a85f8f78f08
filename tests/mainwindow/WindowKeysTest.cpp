// The main window's key preview, the jump column's shown state and the commands on a core.
#include "mainwindow/WindowKeys.h"
#include "mainwindow/EditorActions.h"

#include "editor/Commands.h"
#include "editor/EditorCore.h"
#include "text/RowStore.h"

#include "../support/EditorCoreHelpers.h"

#include <gtest/gtest.h>

namespace {

using K = TWindowKey;

TWindowKeyEvent Down(K k, bool shift = false, bool ctrl = false, bool repeat = false) {
    return {k, true, shift, ctrl, false, repeat};
}
TWindowKeyEvent Up(K k, bool shift = false, bool ctrl = false, bool repeat = false) {
    return {k, false, shift, ctrl, false, repeat};
}

std::string Cmd(TWindowCommand c) {
    return std::to_string(int(c));
}

// What an action does beyond nothing, in one line.
std::string Show(const TWindowKeyAction& a) {
    const char* paths[] = {"", " path=show", " path=clear"};
    std::string s = std::string(a.Consumed ? " consumed" : "") +
                    (a.CaptionsChanged ? " captions" : "") + paths[int(a.PathPanel)];
    if (a.SwitchTo >= 0) s += " switch=" + std::to_string(a.SwitchTo);
    if (a.Run != TWindowCommand::None) s += " run=" + std::to_string(int(a.Run));
    if (a.RefreshLocks) s += " locks";
    if (a.PageChange) s += " change";
    return s.empty() ? s : s.substr(1);
}

struct WindowKeysTest : ::testing::Test {
    TFunctionKeyBar bar;
    TWindowKeys keys{bar};
    std::string key(const TWindowKeyEvent& e, int pageCount = 3, int active = 0) {
        return Show(keys.Key(e, true, pageCount, active));
    }
};

} // namespace

TEST_F(WindowKeysTest, CtrlArrowsSwitchPagesAndThePageChangeWaitsForTheRelease) {
    // The page's path shows while Ctrl is held; the switch wraps around both ways.
    EXPECT_EQ(key(Down(K::Control), 3, 2), "captions path=show locks");
    EXPECT_EQ(key(Down(K::Right, false, true, true), 3, 2), "consumed path=clear switch=0 locks");
    EXPECT_EQ(key(Down(K::Left, false, true, true), 3, 0), "consumed path=clear switch=2 locks");
    // Repeats of the release do not count; the real one runs the page change once.
    EXPECT_EQ(key(Up(K::Left, false, true, true), 3, 2), "");
    EXPECT_EQ(key(Up(K::Left, false, true), 3, 2), "change");
    EXPECT_EQ(key(Up(K::Control, false, true), 3, 2), "captions path=clear");
    // With Shift or Alt, or without pages, nothing switches.
    EXPECT_EQ(key(Down(K::Right, true, true)), "captions path=clear locks");
    EXPECT_EQ(key({K::Right, true, false, true, true}), "path=clear locks"); // Ctrl+Alt
    EXPECT_EQ(key(Down(K::Right, false, true), 0, -1), "consumed path=clear locks");
}

TEST_F(WindowKeysTest, ClipboardKeysLocksAndTheHiddenBar) {
    EXPECT_EQ(key(Down(K::Insert, false, true)),
              "consumed captions path=show run=" + Cmd(TWindowCommand::Copy) + " locks");
    EXPECT_EQ(key(Down(K::Insert, true, false)),
              "consumed captions run=" + Cmd(TWindowCommand::Paste) + " locks");
    EXPECT_EQ(key(Down(K::Delete, true, false)),
              "consumed run=" + Cmd(TWindowCommand::Cut) + " locks");
    // Plain Insert belongs to the control (overwrite); Ctrl+Shift+Insert to nobody here.
    EXPECT_EQ(key(Down(K::Insert)), "locks");
    EXPECT_EQ(key(Down(K::Insert, true, true)), "captions path=show locks");
    EXPECT_EQ(key(Up(K::Insert)), "captions path=clear");
    EXPECT_EQ(key(Down(K::Other)), "locks");
    EXPECT_EQ(key(Up(K::Other)), "");
    EXPECT_EQ(key(Up(K::LockKey)), "locks");
    // The events of table keys: the modifier and lock keys alone are keys of their own.
    const TWindowKeyEvent e = WindowKeyEventOf(tkey::Control, kmCtrl | kmAlt, false, true);
    EXPECT_TRUE(e.Key == K::Control && e.Ctrl && e.Alt && !e.Shift && !e.Press && e.AutoRepeat);
    EXPECT_TRUE(WindowKeyOf(tkey::LockKey) == K::LockKey && WindowKeyOf('A') == K::Other);
    // A hidden bar keeps its plain layer and shows no path.
    EXPECT_EQ(Show(keys.Key(Down(K::Control), false, 1, 0)), "locks");
    EXPECT_EQ(bar.Layer(), 0);
}

TEST_F(WindowKeysTest, LeavingTheWindowResetsWhatItsKeysLeftPending) {
    key(Down(K::Control), 2);
    key(Down(K::Right, false, true), 2);
    // The release happens in a dialog: deactivation finishes the switch and resets the layer.
    EXPECT_EQ(Show(keys.Activation(false, false, false, true)), "captions path=clear change");
    EXPECT_EQ(bar.Layer(), 0);
    EXPECT_EQ(Show(keys.Activation(false, false, false, true)), "path=clear");
    // Coming back with Shift held shows its layer at once.
    EXPECT_EQ(Show(keys.Activation(true, true, false, true)), "captions locks");
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
    auto jump = [&](int mark, TJumpPlacement place, bool shift) {
        JumpEditor(c, mark, lines, place, shift);
        return std::pair(c.Row(), c.TopRow());
    };
    EXPECT_EQ(jump(3, {2, 3, false}, false), std::pair(50, 48));
    EXPECT_FALSE(c.Selected());
    EXPECT_EQ(jump(3, {2, 3, false}, true), std::pair(50, 50 - 20 + 3)); // Shift: near the bottom
    EXPECT_EQ(jump(3, {2, 3, true}, true), std::pair(50, 48));   // JHanten swaps the placements
    EXPECT_EQ(jump(4, {2, 3, false}, false), std::pair(50, 48)); // no line has mark 4
    EXPECT_EQ(jump(11, {}, false), std::pair(100, 100 - 20 + 1));
    EXPECT_EQ(jump(10, {}, false), std::pair(0, 0));
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
