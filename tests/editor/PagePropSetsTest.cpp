// A page's property set and colouring definition by its file's extension.
#include "editor/PagePropSets.h"

#include "syntax/Fountain.h"
#include "syntax/SyntaxInstances.h"

#include <gtest/gtest.h>

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
