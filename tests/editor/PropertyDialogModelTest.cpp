// The property dialog's transfer without a window: every program set comes back unchanged, edits
// reach the set, extensions are parsed as typed.
#include "editor/PropertyDialogModel.h"

#include "editor/ProgramPropertySets.h"
#include "editor/PropertySetStore.h"

#include <gtest/gtest.h>

TEST(PropertyDialogModel, EveryProgramSetRoundTripsUnchangedAndEditsReachTheSet) {
    for (const TEditorProp& p : {MakeEditorProp_Default(), MakeEditorProp_HTML(),
                                 MakeEditorProp_Delphi(), MakeEditorProp1()}) {
        TPropertyDialogModel m;
        m.Load(p);
        TEditorProp back(p);
        m.Store(back);
        EXPECT_EQ(PropertySetToBytes(back), PropertySetToBytes(p)) << p.Name;
    }

    // Edits reach the set.
    TPropertyDialogModel m;
    TEditorProp p = MakeEditorProp_Default();
    m.Load(p);
    EXPECT_NE(m.Text("lblFont").find("px  あいうABC"), std::string::npos);
    m.UserInt("btnFontColor", static_cast<int>(clRed));
    m.Changed("btnFontColor");
    m.UserInt("cmbTabWidth", 3);
    m.UserInt("cbHideMark", 1);
    m.UserText("edtFollowStr", "、。");
    m.UserText("edtExtensions", "txt, .memo;log");
    TEditorFont f;
    f.Name = "IPAGothic";
    f.Height = -20;
    m.SetChosenFont(f);
    m.Store(p);
    EXPECT_EQ(m.Text("lblFont"), "IPAGothic  20px  あいうABC");
    EXPECT_EQ(std::tuple(p.Font.Color, p.Font.Name, p.Caret.TabSpaceCount(),
                         p.Marks.HideMark.Visible(), p.WrapOption.FollowStr, p.IsFileExt(".log")),
              std::tuple(clRed, "IPAGothic", 8, true, "\x81\x41\x81\x42", true));
    EXPECT_EQ(ParseExtensions(" txt,,.memo;\tlog "),
              (std::vector<std::string>{".txt", ".memo", ".log"}));
}
