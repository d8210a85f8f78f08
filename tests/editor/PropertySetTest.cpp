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
