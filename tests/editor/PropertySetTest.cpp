// Property sets: the extension list, the program's sets and copying between a set and an editor
// (that AssignTo re-wraps once is checked on the editor core).
#include "editor/ProgramPropertySets.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace edc;

TEST(EditorProp, FileExtListSortedWithoutDuplicates) {
    TEditorProp p;
    EXPECT_TRUE(p.FileExtList.Add(".txt"));
    EXPECT_TRUE(p.FileExtList.Add(".htm"));
    EXPECT_FALSE(p.FileExtList.Add(".txt"));
    EXPECT_FALSE(p.FileExtList.Add(".TXT"));
    EXPECT_EQ(p.FileExtList.Items(), (std::vector<std::string>{".htm", ".txt"}));
    EXPECT_TRUE(p.IsFileExt(".Txt"));
    EXPECT_FALSE(p.IsFileExt(".tx"));
}

TEST(EditorProp, SetsServeTheirFileTypesAndEqualTheirOriginals) {
    const TEditorProp d = MakeEditorProp_Delphi();
    EXPECT_TRUE(d.IsFileExt(".pas") && d.IsFileExt(".dpr") && d.IsFileExt(".inc"));
    EXPECT_FALSE(d.IsFileExt(".html"));
    EXPECT_TRUE(MakeEditorProp_HTML().IsFileExt(".html"));
    EXPECT_TRUE(MakeEditorProp_Default().SameSettings(MakeEditorProp_DefaultOrg()));
    EXPECT_TRUE(MakeEditorProp_HTML().SameSettings(MakeEditorProp_HTMLOrg()));
    EXPECT_FALSE(MakeEditorProp_Default().SameSettings(d));
}

// An editor that only keeps what a set gives it.
class RecordingEditor : public TEditorPropTarget {
  public:
    TEditorCaret caret;
    TEditorImagebar imagebar;
    TEditorLeftbar leftbar;
    TEditorMargin margin;
    TEditorMarks marks;
    TEditorRuler ruler;
    TEditorSpeed speed;
    TEditorViewInfo view;
    TEditorFont font;
    TSortedNames words;
    TEditorWrapOption wrap;
    bool wordWrap = true;
    TColor color = 0;

    TColor GetColor() const override { return color; }
    void SetColor(TColor c) override { color = c; }
    TEditorCaret& Caret() override { return caret; }
    const TEditorFont& GetFont() const override { return font; }
    void SetFont(const TEditorFont& f) override { font = f; }
    TEditorHitStyle GetHitStyle() const override { return hsDraw; }
    void SetHitStyle(TEditorHitStyle) override {}
    TEditorImagebar& Imagebar() override { return imagebar; }
    TEditorLeftbar& Leftbar() override { return leftbar; }
    TEditorMargin& Margin() override { return margin; }
    TEditorMarks& Marks() override { return marks; }
    const TSortedNames& GetReserveWordList() const override { return words; }
    void SetReserveWordList(const TSortedNames& l) override { words = l; }
    TEditorRuler& Ruler() override { return ruler; }
    TScrollStyle GetScrollBars() const override { return ssHorizontal; }
    void SetScrollBars(TScrollStyle) override {}
    TEditorSpeed& Speed() override { return speed; }
    TEditorViewInfo& View() override { return view; }
    bool GetWordWrap() const override { return wordWrap; }
    void SetWordWrap(bool w) override { wordWrap = w; }
    TEditorWrapOption GetWrapOption() const override { return wrap; }
    void SetWrapOption(const TEditorWrapOption& w) override { wrap = w; }
};

TEST(EditorProp, AssignFromEditorAndFromSet) {
    RecordingEditor e;
    e.color = clRed;
    e.margin.SetLeft(42);
    e.words.Add("begin");
    TEditorProp p;
    p.Assign(e);
    EXPECT_EQ(p.Color, clRed);
    EXPECT_EQ(p.Margin.Left(), 42);
    EXPECT_EQ(p.HitStyle, hsDraw);
    EXPECT_EQ(p.ScrollBars, ssHorizontal);
    EXPECT_TRUE(p.ReserveWordList.Contains("BEGIN"));

    TEditorProp q;
    q.Assign(MakeEditorProp_HTML());
    EXPECT_TRUE(q.SameSettings(MakeEditorProp_HTML()));
    EXPECT_FALSE(q.SameSettings(MakeEditorProp_Delphi()));
    q.WrapOption.SetWrapByte(5);
    EXPECT_EQ(q.WrapOption.WrapByte, 20);
    q.WrapOption.SetWrapByte(300);
    EXPECT_EQ(q.WrapOption.WrapByte, 250);
}
