// Property sets: their stored form (round trips, damaged bytes, values out of range), copied to
// an editor and back (that AssignTo re-wraps once is checked with the display settings), and a
// page's set and colouring definition chosen by its file's extension.
#include "editor/PropertySetStore.h"
#include "app/ObjectIni.h"
#include "editor/EditorCore.h"
#include "editor/PagePropSets.h"
#include "editor/ProgramPropertySets.h"
#include "syntax/SyntaxInstances.h"

#include <gtest/gtest.h>

TEST(PropertySetStore, EverySetRoundTripsAndKeepsItsName) {
    for (TEditorProp p : {MakeEditorProp_Default(), MakeEditorProp_HTML(), MakeEditorProp_Delphi(),
                          MakeEditorProp1()}) {
        p.Font.Name = "ＭＳ ゴシック";
        p.WrapOption.SetWrapByte(33);
        p.View.SetBrackets({{"{", "}", {clNone, clSilver, fsBold}}});
        p.Marks.HideMark.SetColor(clRed);
        const std::string bytes = PropertySetToBytes(p);
        TEditorProp back = MakeEditorProp_DefaultOrg();
        ASSERT_TRUE(PropertySetFromBytes(bytes, back)) << p.Name;
        EXPECT_TRUE(back.SameSettings(p)) << p.Name;
        EXPECT_EQ(back.Name, "EditorProp_DefaultOrg");
        EXPECT_EQ(PropertySetToBytes(back), bytes);
    }
}

TEST(PropertySetStore, ForeignOrDamagedBytesChangeNothingAndOutOfRangeValuesAreKeptInRange) {
    TEditorProp p = MakeEditorProp_HTML();
    const std::string before = PropertySetToBytes(p);
    EXPECT_FALSE(PropertySetFromBytes("not a property set", p));
    EXPECT_FALSE(PropertySetFromBytes("", p));
    EXPECT_EQ(PropertySetToBytes(p), before);

    TPropertyWriter w;
    w.Text("TEditorProp1", "");
    w.Int("Margin.Left", 500);
    w.Int("HitStyle", 9);
    w.Int("Ruler.GaugeRange", 9);
    w.Int("Caret.TabSpaceCount", 5);
    ASSERT_TRUE(PropertySetFromBytes(w.Bytes(), p));
    // The odd hit style and the colour, which is not in the bytes, keep their values.
    const TEditorProp html = MakeEditorProp_HTML();
    EXPECT_EQ(std::tuple(p.Margin.Left(), p.HitStyle, p.Ruler.GaugeRange(), p.Caret.TabSpaceCount(),
                         p.Color),
              std::tuple(100, html.HitStyle, 8, 4, html.Color));

    std::string bytes = PropertySetToBytes(MakeEditorProp_Default());
    // Cut in the middle: what was read whole is taken, the rest keeps its value.
    ASSERT_TRUE(PropertySetFromBytes(bytes.substr(0, bytes.size() / 2), p));
    EXPECT_EQ(p.Name, "EditorProp_HTML");
}

// A set taken from an editor that a set was given to has the same settings.
TEST(EditorProp, SetToEditorAndBack) {
    const TEditorProp html = MakeEditorProp_HTML();
    TEditorCore e;
    html.AssignTo(e);
    TEditorProp p;
    p.Assign(e);
    p.FileExtList = html.FileExtList; // the set's own, not the editor's
    EXPECT_TRUE(p.SameSettings(MakeEditorProp_HTML()));
    EXPECT_FALSE(p.SameSettings(MakeEditorProp_Delphi()));
}

TEST(PagePropSets, ChosenByExtensionAndShownOnMatchingPages) {
    TPagePropSets sets;
    auto html = CreateHTMLFountain1();
    sets.SetFountains({html.get()});
    EXPECT_EQ(sets.ForPath("/x/Page.HTML").Name, "EditorProp_HTML");
    EXPECT_EQ(&sets.ForPath("/x/memo.txt"), &sets.Default());
    EXPECT_EQ(&sets.ForPath("/x/.html"), &sets.Default()); // a dot file has no extension
    EXPECT_EQ(sets.FountainForPath("/x/a.htm"), html.get());
    EXPECT_EQ(sets.FountainForPath("/x/a.txt"), nullptr);

    const TEditorProp& h = *sets.Find("EditorProp_HTML");
    EXPECT_TRUE(sets.SetShowsPath(h, "/x/a.html"));
    EXPECT_FALSE(sets.SetShowsPath(h, "/x/a.txt"));
    EXPECT_FALSE(sets.SetShowsPath(h, ""));
    EXPECT_TRUE(sets.SetShowsPath(sets.Default(), "")); // an untitled page
}
