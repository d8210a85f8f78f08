// The editing control's key table, its commands through Execute with a fake clipboard, and the
// popup menu's states, without a window.
#include "editor/Commands.h"
#include "editor/EditorCore.h"
#include "editor/PopupModel.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace {
using namespace std::literals;

struct FakeClipboard : TEditorClipboard {
    std::string text;
    bool box = false;
    std::string Text(bool& b) override {
        b = box;
        return text;
    }
    void SetText(const std::string& s, bool b) override {
        text = s;
        box = b;
    }
};

const TEditorPopupItem& Find(const std::vector<TEditorPopupItem>& m, const char* caption) {
    for (const auto& i : m)
        if (i.Caption == caption) return i;
    throw std::runtime_error(caption);
}

// "+" for each named item that is enabled, "-" for one that is not.
std::string EnabledOf(const std::vector<TEditorPopupItem>& m, std::vector<const char*> captions) {
    std::string s;
    for (const char* c : captions)
        s += Find(m, c).Enabled ? '+' : '-';
    return s;
}

} // namespace

TEST(EditorKeys, TableIsUnambiguousAndNamesTheKeysThatRun) {
    std::set<std::pair<int, unsigned>> seen;
    for (const TEditorKeyBinding& b : DefaultEditorKeys())
        EXPECT_TRUE(seen.insert({b.Key, b.Modifiers}).second) << KeyText(b.Key, b.Modifiers);
    // The popup shows the keys of its commands, and every shortcut text finds its command again.
    TEditorPopupState s;
    s.TextNotEmpty = true;
    const auto menu = BuildEditorPopupMenu(s);
    EXPECT_EQ(Find(menu, "やり直し(&R)").ShortCut, "Ctrl+Y");
    for (const auto& top : menu)
        for (const auto& i : top.Items.empty() ? std::vector<TEditorPopupItem>{top} : top.Items) {
            if (i.ShortCut.empty()) continue;
            bool found = false;
            for (const TEditorKeyBinding& b : DefaultEditorKeys())
                if (KeyText(b.Key, b.Modifiers) == i.ShortCut)
                    found = b.Command == i.Command && b.Arg == i.Arg;
            EXPECT_TRUE(found) << i.Caption;
        }
    // Navigation takes Shift and Ctrl along; Alt or a plain letter finds nothing.
    EXPECT_EQ(FindEditorKey(tkey::Left, kmShift | kmCtrl)->Command, TEditorCommand::Left);
    EXPECT_EQ(FindEditorKey(tkey::Left, kmAlt), nullptr);
    EXPECT_EQ(FindEditorKey('X', kmNone), nullptr);
    EXPECT_EQ(FindEditorKey(tkey::Insert, kmNone), nullptr); // the owner's key
    EXPECT_EQ(KeyText(tkey::F1 + 11, kmShift), "Shift+F12");
    // Keys the table leaves alone: the window's, nobody's, or typed.
    EXPECT_EQ(UnboundKeyAction(tkey::Insert, kmNone, false), TUnboundKey::ToWindow);
    EXPECT_EQ(UnboundKeyAction('X', kmAlt, false), TUnboundKey::ToWindow);
    EXPECT_EQ(UnboundKeyAction(tkey::Return, kmShift, false), TUnboundKey::Ignore);
    EXPECT_EQ(UnboundKeyAction(0, kmShift, true), TUnboundKey::Ignore);
    EXPECT_EQ(UnboundKeyAction('X', kmShift, false), TUnboundKey::Type);
    EXPECT_EQ(TypedText(u"\ta\x7f\x1b\u732b\r"), u"a\u732b"); // control characters type nothing
    // Only what needs the whole text waits for a background load.
    EXPECT_TRUE(NeedsWholeText(TEditorCommand::End, {false, true}));
    EXPECT_FALSE(NeedsWholeText(TEditorCommand::End, {}));
    EXPECT_TRUE(NeedsWholeText(TEditorCommand::SelectAll, {}));
}

TEST(EditorCommands, GatedByStateAndRoundTripThroughTheClipboard) {
    TEditorCore e;
    FakeClipboard clip;
    e.SetText("abc\r\ndef\r\n");
    EXPECT_FALSE(Execute(e, TEditorCommand::Cut, 0, {}, &clip)); // nothing selected
    EXPECT_FALSE(Execute(e, TEditorCommand::Undo));
    Execute(e, TEditorCommand::Right, 0, {true, false, false}); // Shift+Right selects "a"
    Execute(e, TEditorCommand::Right, 0, {true, false, false});
    EXPECT_TRUE(Execute(e, TEditorCommand::Cut, 0, {}, &clip));
    EXPECT_EQ(std::pair(clip.text, e.Text()), std::pair("ab"s, "c\r\ndef\r\n"s));
    Execute(e, TEditorCommand::End);
    EXPECT_TRUE(Execute(e, TEditorCommand::Paste, 0, {}, &clip));
    EXPECT_EQ(e.Text(), "cab\r\ndef\r\n");
    EXPECT_TRUE(Execute(e, TEditorCommand::Undo) && Execute(e, TEditorCommand::Redo));

    // Read-only: no change goes through, copying and marks still work.
    Execute(e, TEditorCommand::ReadOnly);
    Execute(e, TEditorCommand::SelectAll);
    EXPECT_FALSE(Execute(e, TEditorCommand::DeleteSelection));
    EXPECT_FALSE(Execute(e, TEditorCommand::Paste, 0, {}, &clip));
    EXPECT_FALSE(Execute(e, TEditorCommand::Return));
    EXPECT_TRUE(Execute(e, TEditorCommand::Copy, 0, {}, &clip));
    EXPECT_EQ(std::pair(clip.text, e.Text()), std::pair("cab\r\ndef\r\n"s, "cab\r\ndef\r\n"s));

    // Image marks toggle on the caret row; jump marks are put and found.
    e.SetCaret(1, 0);
    EXPECT_TRUE(Execute(e, TEditorCommand::ToggleMark, 12));
    EXPECT_TRUE(Execute(e, TEditorCommand::ToggleMark, 4));
    EXPECT_EQ(e.Rows().ListRowMarks(1), (1u << 12) | (1u << 4));
    EXPECT_TRUE(Execute(e, TEditorCommand::ToggleMark, 12));
    EXPECT_EQ(e.Rows().ListRowMarks(1), 1u << 4);
    e.SetCaret(0, 0);
    EXPECT_TRUE(Execute(e, TEditorCommand::GotoMark, 4));
    EXPECT_EQ(e.Row(), 1);
    EXPECT_FALSE(Execute(e, TEditorCommand::GotoMark, 5));

    // Box mode: a copied rectangle pastes as a rectangle.
    Execute(e, TEditorCommand::ReadOnly);
    e.SetCaret(0, 1);
    EXPECT_TRUE(Execute(e, TEditorCommand::BoxSelect));
    Execute(e, TEditorCommand::Down, 0, {true, false, false});
    Execute(e, TEditorCommand::Right, 0, {true, false, false});
    EXPECT_TRUE(Execute(e, TEditorCommand::Copy, 0, {}, &clip));
    EXPECT_EQ(std::pair(clip.text, clip.box), std::pair("a\r\ne\r\n"s, true));
}

TEST(EditorPopup, EnablingAndChecksFollowTheState) {
    TEditorPopupState s;
    s.CanRedo = true;
    s.MarksInList = (1 << 3) | (1 << 12);
    auto m = BuildEditorPopupMenu(s);
    EXPECT_EQ(EnabledOf(m, {"やり直し(&R)", "すべて選択(&A)", "元に戻す(&U)", "コピー(&C)",
                            "貼り付け(&P)"}),
              "+----");
    const auto& put = Find(m, "マーク設定");
    ASSERT_EQ(put.Items.size(), 10u);
    EXPECT_EQ(std::pair(put.Items[3].Checked, put.Items[2].Checked), std::pair(true, false));

    // Read-only: copying still works.
    s.ReadOnly = true;
    s.Selected = true;
    s.ClipboardHasText = true;
    s.BoxMode = true;
    m = BuildEditorPopupMenu(s);
    EXPECT_EQ(
        EnabledOf(m, {"やり直し(&R)", "切り取り(&T)", "コピー(&C)", "Box貼り付け(&B)", "削除(&D)"}),
        "--+--");
    EXPECT_TRUE(Find(m, "Box選択モード(&K)").Checked);
}
