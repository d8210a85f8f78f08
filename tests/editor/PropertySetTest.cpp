// Property sets: extension list, the program's factory sets and the order AssignTo applies.
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

TEST(EditorProp, DefaultSetValues) {
    const TEditorProp p = MakeEditorProp_Default();
    EXPECT_EQ(p.Color, clWhite);
    EXPECT_EQ(p.Font.Name, "FixedSys");
    EXPECT_EQ(p.Font.Height, -13);
    EXPECT_EQ(p.Font.Charset, SHIFTJIS_CHARSET);
    EXPECT_FALSE(p.Caret.AutoIndent());
    EXPECT_FALSE(p.Caret.FreeCaret());
    EXPECT_TRUE(p.Caret.KeepCaret());
    EXPECT_TRUE(p.Caret.NextLine());
    EXPECT_EQ(p.Caret.Cursors.LeftMarginCursor, 1);
    EXPECT_EQ(p.Caret.Cursors.DragSelCopyCursor, 2);
    EXPECT_EQ(p.HitStyle, hsCaret);
    EXPECT_EQ(p.Leftbar.Column(), 2);
    EXPECT_EQ(p.Leftbar.ShowNumberMode(), nmLine);
    EXPECT_EQ(p.Margin.Left(), 3);
    EXPECT_EQ(p.Margin.Top(), 7);
    EXPECT_TRUE(p.Marks.EofMark.Visible() && p.Marks.RetMark.Visible());
    EXPECT_TRUE(p.Marks.WrapMark.Visible());
    EXPECT_FALSE(p.Marks.HideMark.Visible() || p.Marks.Underline.Visible());
    EXPECT_TRUE(p.Ruler.Visible());
    EXPECT_EQ(p.ScrollBars, ssVertical);
    EXPECT_EQ(p.View.Colors().Select, (TEditorColorItem{clYellow, clNavy, 0}));
    EXPECT_EQ(p.View.Colors().Hit, (TEditorColorItem{clBlack, clLime, 0}));
    EXPECT_EQ(p.View.Colors().Url, (TEditorColorItem{clNone, clBlue, fsUnderline}));
    EXPECT_TRUE(p.View.Colors().Ank.IsDefault());
    EXPECT_TRUE(p.View.Mail() && p.View.Url());
    EXPECT_TRUE(p.WordWrap);
    EXPECT_EQ(p.WrapOption.WrapByte, 80);
    EXPECT_EQ(Cp932ToUtf8(p.WrapOption.LeadStr), "（［｛「『([{｢");
    EXPECT_TRUE(p.SameSettings(MakeEditorProp_DefaultOrg()));
}

TEST(EditorProp, SourceSetsDifferFromDefault) {
    const TEditorProp d = MakeEditorProp_Delphi();
    EXPECT_TRUE(d.IsFileExt(".pas") && d.IsFileExt(".dpr") && d.IsFileExt(".inc"));
    EXPECT_EQ(d.Color, clBlack);
    EXPECT_EQ(d.Font.Color, clWhite);
    EXPECT_EQ(d.Font.Height, -12);
    EXPECT_EQ(d.HitStyle, hsSelect);
    EXPECT_TRUE(d.Leftbar.Visible());
    EXPECT_EQ(d.Leftbar.ShowNumberMode(), nmRow);
    EXPECT_EQ(d.Margin.Left(), 7);
    EXPECT_FALSE(d.Marks.RetMark.Visible());
    EXPECT_TRUE(d.Marks.Underline.Visible());
    EXPECT_TRUE(d.View.Colors().Url.IsDefault());
    EXPECT_FALSE(d.WordWrap);

    const TEditorProp h = MakeEditorProp_HTML();
    EXPECT_TRUE(h.IsFileExt(".html"));
    EXPECT_EQ(h.Color, clNavy);
    EXPECT_EQ(h.ScrollBars, ssBoth);
    EXPECT_EQ(h.View.Colors().Reserve, (TEditorColorItem{clNone, clWhite, fsBold}));
    EXPECT_EQ(h.View.Colors().Select, (TEditorColorItem{clYellow, clRed, 0}));
    EXPECT_EQ(h.View.Colors().Url, (TEditorColorItem{clNone, clBlue, 0}));
    EXPECT_EQ(h.View.Colors().Mail, (TEditorColorItem{clNone, clBlue, 0}));
    EXPECT_TRUE(h.Marks.RetMark.Visible());
    EXPECT_TRUE(h.SameSettings(MakeEditorProp_HTMLOrg()));

    const TEditorProp m = MakeEditorProp1();
    EXPECT_EQ(m.Color, clWindow);
    EXPECT_EQ(m.ScrollBars, ssNone);
    EXPECT_TRUE(m.Caret.FreeCaret());
    EXPECT_FALSE(m.Ruler.Visible());
    EXPECT_FALSE(m.Marks.EofMark.Visible());
    EXPECT_EQ(m.View.Colors().Select, (TEditorColorItem{clNavy, clWhite, 0}));
}

// Records the order in which a set reaches an editor.
class RecordingEditor : public TEditorPropTarget {
  public:
    std::vector<std::string> Log;
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
    void SetColor(TColor c) override { color = c, Log.push_back("Color"); }
    TEditorCaret& Caret() override { return Log.push_back("Caret"), caret; }
    const TEditorFont& GetFont() const override { return font; }
    void SetFont(const TEditorFont& f) override { font = f, Log.push_back("Font"); }
    TEditorHitStyle GetHitStyle() const override { return hsDraw; }
    void SetHitStyle(TEditorHitStyle) override { Log.push_back("HitStyle"); }
    TEditorImagebar& Imagebar() override { return Log.push_back("Imagebar"), imagebar; }
    TEditorLeftbar& Leftbar() override { return Log.push_back("Leftbar"), leftbar; }
    TEditorMargin& Margin() override { return Log.push_back("Margin"), margin; }
    TEditorMarks& Marks() override { return Log.push_back("Marks"), marks; }
    const TSortedNames& GetReserveWordList() const override { return words; }
    void SetReserveWordList(const TSortedNames& l) override {
        words = l, Log.push_back("ReserveWordList");
    }
    TEditorRuler& Ruler() override { return Log.push_back("Ruler"), ruler; }
    TScrollStyle GetScrollBars() const override { return ssHorizontal; }
    void SetScrollBars(TScrollStyle) override { Log.push_back("ScrollBars"); }
    TEditorSpeed& Speed() override { return Log.push_back("Speed"), speed; }
    TEditorViewInfo& View() override { return Log.push_back("View"), view; }
    bool GetWordWrap() const override { return wordWrap; }
    void SetWordWrap(bool w) override {
        wordWrap = w, Log.push_back(w ? "WordWrap:=true" : "WordWrap:=false");
    }
    TEditorWrapOption GetWrapOption() const override { return wrap; }
    void SetWrapOption(const TEditorWrapOption& w) override {
        wrap = w, Log.push_back("WrapOption");
    }
};

TEST(EditorProp, AssignToOrderRewrapsOnce) {
    const std::vector<std::string> common = {
        "Color", "Caret",           "Font",  "HitStyle",   "Imagebar", "Leftbar", "Margin",
        "Marks", "ReserveWordList", "Ruler", "ScrollBars", "Speed",    "View"};

    RecordingEditor wrapped;
    TEditorProp off = MakeEditorProp_Delphi(); // WordWrap false
    off.WrapOption.SetWrapByte(60);
    off.AssignTo(wrapped);
    std::vector<std::string> want = common;
    want.push_back("WordWrap:=false");
    want.push_back("WrapOption");
    EXPECT_EQ(wrapped.Log, want);
    EXPECT_EQ(wrapped.wrap.WrapByte, 60);

    RecordingEditor plain;
    MakeEditorProp_Default().AssignTo(plain);
    want = common;
    want.push_back("WrapOption");
    want.push_back("WordWrap:=true");
    EXPECT_EQ(plain.Log, want);
}

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
