// The recent lists of closed pages across a restart, and what their clicks open.
#include "mainwindow/RecentLists.h"

#include "FakePageHost.h"

#include <gtest/gtest.h>

TEST(RecentLists, ClosedPagesAreRememberedAcrossARestartAndClicksOpenThem) {
    TempDir d;
    FakePageHost host;
    TMyFileList list;
    TPageBook book(host, list);
    book.firstShow = false;
    TRecentLists recent;
    std::vector<int> changed;
    recent.OnChange = [&](int kind) { changed.push_back(kind); };
    recent.Create(d / "Tolmo.rec", 8, book);
    TempDir::Write(d / "a.txt", "a");
    ASSERT_TRUE(book.OpenFile(d / "a.txt"));
    book.ClosePage();
    EXPECT_EQ(changed.front(), TRecentLists::kFiles);
    EXPECT_EQ(recent.List(TRecentLists::kFiles)->Items(), std::vector<std::string>{d / "a.txt"});
    EXPECT_EQ(recent.List(TRecentLists::kFolders)->Items(), std::vector<std::string>{d.str()});
    recent.SetMenuCount(99);
    ASSERT_TRUE(recent.Save());

    TRecentLists next;
    next.Create(d / "Tolmo.rec", 12, book);
    EXPECT_EQ(next.MenuCount(), 12);
    EXPECT_EQ(next.List(TRecentLists::kFiles)->Items(), std::vector<std::string>{d / "a.txt"});
    // A file opens; a whole folder goes to the window's folder open.
    next.Clicked(TRecentLists::kFiles, d / "a.txt", book, nullptr);
    EXPECT_EQ(book.ActivePath(), d / "a.txt");
    std::string folder;
    next.Clicked(TRecentLists::kWholeFolders, d.str(), book,
                 [&](const std::string& f) { folder = f; });
    EXPECT_EQ(folder, d.str());
    // A folder that has gone is refused with the message.
    next.Clicked(TRecentLists::kFolders, d / "gone/", book, nullptr);
    EXPECT_EQ(host.notices.back(), "指定されたフォルダが存在しません。\r\n中止します。");
}
