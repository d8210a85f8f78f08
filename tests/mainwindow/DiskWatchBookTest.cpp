// Files changed or deleted by other programs, asked about before their page is read or saved.
#include "mainwindow/DiskWatchBook.h"

#include "../support/RecordingSink.h"
#include "../support/TempDir.h"
#include "FakePageIds.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct DiskWatchBookTest : ::testing::Test {
    TempDir dir;
    RecordingSink sink;
    FakePageIdsHost host;
    TMyFileList list;
    TPageBook book{host, list};
    TDiskWatchBook watch{host, host, book};
    std::vector<std::string> watched;

    // Opens a file of the given text in a new page and records it as the window does.
    int open(const std::string& name, const std::string& text) {
        TempDir::Write(dir / name, text);
        EXPECT_TRUE(book.OpenFile(dir / name));
        const int index = host.ActivePage();
        watch.Record(index, dir / name);
        return index;
    }
    void SetUp() override {
        book.firstShow = false;
        watch.Watch = [this](const std::string& p) { watched.push_back(p); };
    }
};

TEST_F(DiskWatchBookTest, AChangeWaitsForTheFocusThenYesReadsItAndNoKeepsTheTextModified) {
    const int a = open("a.txt", "one"), b = open("b.txt", "two");
    EXPECT_EQ(watched, (std::vector<std::string>{dir / "a.txt", dir / "b.txt"}));
    TempDir::Write(dir / "a.txt", "changed by another program");
    TempDir::Write(dir / "b.txt", "changed");
    watch.Check();
    EXPECT_TRUE(host.questions.empty());
    host.answers = {true, false};
    watch.Focused(a);
    watch.Focused(a); // answered: nothing more to ask
    watch.Focused(b);
    EXPECT_EQ(host.questions, (std::vector<std::string>{ReloadQuestion(dir / "a.txt"),
                                                        ReloadQuestion(dir / "b.txt")}));
    EXPECT_EQ(host.pages[a].text + "|" + host.pages[b].text, "changed by another program|two");
    EXPECT_TRUE(!host.IsModified(a) && host.IsModified(b));
    // The kept text's save asks no more.
    std::string error;
    EXPECT_TRUE(watch.BeforeWrite(b, dir / "b.txt", &error));
    EXPECT_EQ(host.questions.size(), 2u);
}

TEST_F(DiskWatchBookTest, SavesOverAChangedOrDeletedFileAsk) {
    const int a = open("a.txt", "one");
    const int b = open("b.txt", "two");
    TempDir::Write(dir / "a.txt", "changed");
    std::filesystem::remove(dir / "b.txt");
    std::string error;
    host.answers = {false, false};
    EXPECT_FALSE(watch.BeforeWrite(a, dir / "a.txt", &error));
    EXPECT_EQ(error, kSaveDeclined);
    EXPECT_FALSE(watch.BeforeWrite(b, dir / "b.txt", &error));
    EXPECT_EQ(host.questions, (std::vector<std::string>{OverwriteChangedQuestion(dir / "a.txt"),
                                                        SaveDeletedQuestion(dir / "b.txt")}));
    // A new name was asked about by the save dialog; a quiet end asks nothing and declines.
    EXPECT_TRUE(watch.BeforeWrite(a, dir / "new.txt", &error));
    watch.SetQuiet();
    EXPECT_FALSE(watch.BeforeWrite(a, dir / "a.txt", &error));
    EXPECT_EQ(host.questions.size(), 2u);
}

TEST_F(DiskWatchBookTest, ADeletedFileIsToldAndThePageKeepsItsTextModified) {
    const int a = open("a.txt", "one");
    std::filesystem::remove(dir / "a.txt");
    watch.Check();
    watch.Focused(a);
    EXPECT_EQ(sink.texts(), std::vector<std::string>{DeletedNotice(dir / "a.txt")});
    EXPECT_TRUE(host.IsModified(a));
    EXPECT_EQ(host.pages[a].text, "one");
}

TEST_F(DiskWatchBookTest, ChangesFollowTheirPageThroughMovesAndClosesAndSaveAs) {
    open("a.txt", "one");
    open("b.txt", "two");
    host.SetActivePage(0);
    book.DropTab(1); // a.txt is the second page now
    TempDir::Write(dir / "a.txt", "changed");
    watch.Check();
    watch.Focused(0);
    EXPECT_TRUE(host.questions.empty());
    host.answers = {false};
    watch.Focused(1);
    EXPECT_EQ(host.questions.size(), 1u);
    // A page showing another file now is not judged by the old one's changes.
    list.SetField(0, ffName, "c.txt");
    TempDir::Write(dir / "b.txt", "changed");
    watch.Check();
    watch.Focused(0);
    EXPECT_EQ(host.questions.size(), 1u);
    // A closed page's change is forgotten.
    list.Delete(0);
    host.RemovePage(0);
    watch.Check();
    watch.Focused(0);
    EXPECT_EQ(host.questions.size(), 1u);
}

} // namespace
