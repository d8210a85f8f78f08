// Files changed or deleted by other programs: told in the page's bar at once, never by a question
// that takes the keys typed meanwhile; saves over such files ask.
#include "mainwindow/pages/DiskWatchBook.h"

#include "../support/TempDir.h"
#include "FakePageIds.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

struct DiskWatchBookTest : ::testing::Test {
    TempDir dir;
    FakePageIdsHost host;
    TMyFileList list;
    TPageBook book{host, list};
    TDiskWatchBook watch{host, host, book};
    std::vector<std::string> watched;
    std::map<int, TDiskNotice> bars; // by page id: what its bar shows

    // Opens a file of the given text in a new page and records it as the window does.
    int open(const std::string& name, const std::string& text) {
        TempDir::Write(dir / name, text);
        EXPECT_TRUE(book.OpenFile(dir / name));
        const int index = host.ActivePage();
        watch.Record(index, dir / name);
        return index;
    }
    const TDiskNotice& bar(int index) { return bars[host.PageId(index)]; }
    void SetUp() override {
        book.firstShow = false;
        watch.Watch = [this](const std::string& p) { watched.push_back(p); };
        watch.ShowNotice = [this](int index, const TDiskNotice& n) {
            bars[host.PageId(index)] = n;
        };
        watch.Reread = [this](int index, const std::string& path, std::string* error) {
            if (!host.LoadPageText(index, path, error)) return false;
            watch.Record(index, path);
            return true;
        };
    }
};

TEST_F(DiskWatchBookTest, AChangeShowsTheBarAtOnceWithoutAQuestionAndItsAnswersRereadOrKeep) {
    const int a = open("a.txt", "one"), b = open("b.txt", "two");
    EXPECT_EQ(watched, (std::vector<std::string>{dir / "a.txt", dir / "b.txt"}));
    host.pages[a].text += " typed";
    host.pages[a].modified = true;
    TempDir::Write(dir / "a.txt", "changed by another program");
    TempDir::Write(dir / "b.txt", "changed");
    watch.Check();
    // Both bars show whatever page has the focus; nothing is asked, nothing is read yet.
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(bar(a), DiskNoticeFor(TDiskChange::Changed, dir / "a.txt"));
    EXPECT_TRUE(bar(b).canReread);
    EXPECT_EQ(host.pages[a].text, "one typed");
    watch.Check(); // nothing new: the bars stay as they are
    watch.Answer(a, true);
    watch.Answer(b, false);
    EXPECT_EQ(bar(a).change, TDiskChange::None);
    EXPECT_EQ(bar(b).change, TDiskChange::None);
    EXPECT_EQ(host.pages[a].text + "|" + host.pages[b].text, "changed by another program|two");
    EXPECT_TRUE(!host.IsModified(a) && host.IsModified(b));
    // The kept text's save asks no more; a later change shows the bar again.
    std::string error;
    EXPECT_TRUE(watch.BeforeWrite(b, dir / "b.txt", &error));
    EXPECT_TRUE(host.questions.empty());
    TempDir::Write(dir / "b.txt", "changed again, longer");
    watch.Check();
    EXPECT_EQ(bar(b).change, TDiskChange::Changed);
    // A re-read that fails leaves the bar up and says why.
    std::filesystem::remove(dir / "b.txt");
    watch.Answer(b, true);
    EXPECT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(bar(b).change, TDiskChange::Changed);
}

TEST_F(DiskWatchBookTest, ADeletedFileIsToldInTheBarAndItsSaveAsks) {
    const int a = open("a.txt", "one");
    const int b = open("b.txt", "two");
    std::filesystem::remove(dir / "a.txt");
    TempDir::Write(dir / "b.txt", "changed");
    watch.Check();
    EXPECT_EQ(bar(a), DiskNoticeFor(TDiskChange::Deleted, dir / "a.txt"));
    EXPECT_FALSE(bar(a).canReread);
    EXPECT_TRUE(host.IsModified(a));
    EXPECT_EQ(host.pages[a].text, "one");
    watch.Answer(a, true); // nothing to read: the bar only goes
    EXPECT_EQ(bar(a).change, TDiskChange::None);
    std::string error;
    host.answers = {false, false};
    EXPECT_FALSE(watch.BeforeWrite(a, dir / "a.txt", &error));
    EXPECT_EQ(error, kSaveDeclined);
    EXPECT_FALSE(watch.BeforeWrite(b, dir / "b.txt", &error));
    EXPECT_EQ(host.questions, (std::vector<std::string>{SaveDeletedQuestion(dir / "a.txt"),
                                                        OverwriteChangedQuestion(dir / "b.txt")}));
    // A new name was asked about by the save dialog; a quiet end asks nothing and declines.
    EXPECT_TRUE(watch.BeforeWrite(a, dir / "new.txt", &error));
    watch.SetQuiet();
    EXPECT_FALSE(watch.BeforeWrite(a, dir / "a.txt", &error));
    EXPECT_EQ(host.questions.size(), 2u);
}

TEST_F(DiskWatchBookTest, ARestoredPageAsksBeforeItsFirstSaveOnlyWhenTheFileMovedOn) {
    const int a = open("a.txt", "one");
    const int b = open("b.txt", "two");
    const TDiskStamp known = watch.Base(a);
    EXPECT_TRUE(known.exists);
    EXPECT_EQ(known.size, 3);
    TempDir::Write(dir / "a.txt", "one and a line another program added");
    watch.Record(a, dir / "a.txt"); // the restore reads the file first
    watch.RecordBase(a, known);
    watch.RecordBase(b, watch.Base(b)); // the same file: nothing to ask
    std::string error;
    host.answers = {false};
    EXPECT_FALSE(watch.BeforeWrite(a, dir / "a.txt", &error));
    EXPECT_TRUE(watch.BeforeWrite(b, dir / "b.txt", &error));
    EXPECT_EQ(host.questions, std::vector<std::string>{OverwriteChangedQuestion(dir / "a.txt")});
    watch.Check();
    EXPECT_EQ(bar(a).change, TDiskChange::None); // the restore dialog told of it already
}

TEST_F(DiskWatchBookTest, ChangesFollowTheirPageThroughMovesAndClosesAndSaveAs) {
    open("a.txt", "one");
    open("b.txt", "two");
    host.SetActivePage(0);
    book.DropTab(1); // a.txt is the second page now
    TempDir::Write(dir / "a.txt", "changed");
    watch.Check();
    EXPECT_EQ(bar(0).change, TDiskChange::None);
    EXPECT_EQ(bar(1).change, TDiskChange::Changed);
    watch.Answer(1, false);
    // A page showing another file now is not judged by the old one's changes.
    list.SetField(0, ffName, "c.txt");
    TempDir::Write(dir / "b.txt", "changed");
    watch.Check();
    EXPECT_EQ(bar(0).change, TDiskChange::None);
    // A closed page's change is forgotten.
    list.Delete(0);
    host.RemovePage(0);
    watch.Check();
    EXPECT_EQ(bar(0).change, TDiskChange::None);
    EXPECT_TRUE(host.questions.empty());
}

} // namespace
