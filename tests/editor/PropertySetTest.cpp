// Property sets: the extension list, the program's sets and copying between a set and an editor
// (that AssignTo re-wraps once is checked with the display settings).
#include "editor/EditorCore.h"
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

TEST(EditorProp, AssignFromEditorAndFromSet) {
    TEditorCore e;
    e.SetColor(clRed);
    e.Margin().SetLeft(42);
    e.SetHitStyle(hsDraw);
    e.SetScrollBars(ssHorizontal);
    TSortedNames words;
    words.Add("begin");
    e.SetReserveWordList(words);
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
}
