// The editing control's popup menu: which items are enabled and checked in which state.
#include "editor/PopupModel.h"

#include <gtest/gtest.h>

#include <stdexcept>

static const TEditorPopupItem& Find(const std::vector<TEditorPopupItem>& m, const char* cap) {
    for (const auto& i : m)
        if (i.Caption == cap) return i;
    throw std::runtime_error(cap);
}

TEST(EditorPopup, EnablingAndChecksFollowTheState) {
    TEditorPopupState s;
    s.CanRedo = true;
    s.MarksInList = (1 << 3) | (1 << 12);
    auto m = BuildEditorPopupMenu(s);
    EXPECT_TRUE(Find(m, "やり直し(&R)").Enabled);
    EXPECT_FALSE(Find(m, "すべて選択(&A)").Enabled);
    EXPECT_FALSE(Find(m, "元に戻す(&U)").Enabled);
    EXPECT_FALSE(Find(m, "コピー(&C)").Enabled);
    EXPECT_FALSE(Find(m, "貼り付け(&P)").Enabled);
    const auto& put = Find(m, "マーク設定");
    ASSERT_EQ(put.Items.size(), 10u);
    EXPECT_TRUE(put.Items[3].Checked);
    EXPECT_FALSE(put.Items[2].Checked);

    s.ReadOnly = true;
    s.Selected = true;
    s.ClipboardHasText = true;
    s.BoxMode = true;
    m = BuildEditorPopupMenu(s);
    EXPECT_FALSE(Find(m, "やり直し(&R)").Enabled);
    EXPECT_FALSE(Find(m, "切り取り(&T)").Enabled);
    EXPECT_TRUE(Find(m, "コピー(&C)").Enabled); // copying works while read-only
    EXPECT_FALSE(Find(m, "Box貼り付け(&B)").Enabled);
    EXPECT_FALSE(Find(m, "削除(&D)").Enabled);
    EXPECT_TRUE(Find(m, "Box選択モード(&K)").Checked);
}
