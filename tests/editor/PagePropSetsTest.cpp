// A page's property set and colouring definition by its file's extension, and the view menu's
// names for both.
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

TEST(PagePropSets, MenuCaptionsAndNamesRoundTrip) {
    EXPECT_EQ(PropSetCaption("EditorProp_HTMLOrg"), "HTMLOrg");
    EXPECT_EQ(PropSetName("&HTML"), "EditorProp_HTML");
    EXPECT_EQ(FountainCaption("DelphiFountain1"), "Delphi");
    EXPECT_EQ(FountainName("De&lphi"), "DelphiFountain1");
    EXPECT_EQ(FountainCaption("Other"), "Other");
}
