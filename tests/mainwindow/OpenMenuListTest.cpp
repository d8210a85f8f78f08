// The recent lists: add, move to top, trim, maximum and their section of Tolmo.rec.
#include "mainwindow/pages/OpenMenuList.h"
#include "MemSection.h"

#include <gtest/gtest.h>

TEST(OpenMenuList, TwelveClosesWithMaximumEightKeepTheLastEight) {
    TOpenMenuList l("/x/Tolmo.rec", TOpenMenuList::kReOpen);
    l.SetMaximum(8);
    for (const char* blank : {"   ", ""})
        l.AddPath(blank); // ignored
    for (int i = 1; i <= 12; ++i)
        l.AddPath("/f/" + std::to_string(i) + ".txt");
    EXPECT_EQ(l.Items().front() + " " + l.Items().back(), "/f/12.txt /f/5.txt");
    // Closing a file already listed moves it to the top without a duplicate; case tells apart.
    l.AddPath("/f/7.txt");
    l.AddPath("/f/7.TXT");
    EXPECT_EQ(l.Items(),
              (std::vector<std::string>{"/f/7.TXT", "/f/7.txt", "/f/12.txt", "/f/11.txt",
                                        "/f/10.txt", "/f/9.txt", "/f/8.txt", "/f/6.txt"}));
    for (auto [asked, kept] : {std::pair{3, 8}, std::pair{99, 30}, std::pair{17, 17}}) {
        l.SetMaximum(asked);
        EXPECT_EQ(l.Maximum(), kept) << asked;
    }
}

TEST(OpenMenuList, MenuSkipsBlankItemsAndShowsAmpersandsAsWritten) {
    MemSection m;
    m.values = {{"Count", "3"}, {"Item0", "/a/R&D.txt"}, {"Item1", " \t"}, {"Item2", "/b"}};
    TOpenMenuList l("r", "ReOpen");
    l.Load(m.section());
    const std::vector<TOpenMenuList::TMenuEntry> e = l.MenuEntries();
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].Caption, "/a/R&&D.txt");
    EXPECT_EQ(e[1].Index, 2); // the item's own index, for the path it opens
}

TEST(OpenMenuList, LoweredMaximumTrimsOnlyAtTheNextAdd) {
    MemSection m;
    m.values["Count"] = "20";
    for (int i = 0; i < 20; ++i)
        m.values["Item" + std::to_string(i)] = "/p/" + std::to_string(i);
    TOpenMenuList l("r", "ReOpen");
    l.SetMaximum(30);
    l.Load(m.section());
    EXPECT_EQ(l.Count(), 20); // loading applies no maximum
    l.SetMaximum(8);
    MemSection out;
    ASSERT_TRUE(l.Save(out.section()));
    EXPECT_EQ(out.values["Count"], "8");
    EXPECT_EQ(out.values["Item19"], "/p/19"); // every item is still written
    l.AddPath("/new");
    EXPECT_EQ(l.Count(), 8);
    EXPECT_EQ(l.Items()[7], "/p/6");
    // A missing section or a count that is no number gives an empty list.
    m.values["Count"] = "junk";
    TOpenMenuList fresh("r", "ReOpen");
    fresh.Load(m.section());
    EXPECT_EQ(fresh.Count(), 0);
}

TEST(OpenMenuList, RecordFileFallsBackBesideTheProgram) {
    EXPECT_EQ(RecordFilePath("/tmp", "/opt/t/tolmo"), "/tmp/Tolmo.rec");
    EXPECT_EQ(RecordFilePath("/no/such/folder/", "/opt/t/tolmo"), "/opt/t/tolmo.rec");
    EXPECT_EQ(RecordFilePath("", "/opt/t.d/tolmo.bin"), "/opt/t.d/tolmo.rec");
}
