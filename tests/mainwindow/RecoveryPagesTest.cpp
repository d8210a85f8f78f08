// The pages' recovery files: written when due, removed when saved, offered at the next start.
#include "mainwindow/pages/RecoveryPages.h"

#include "../support/RecordingAsker.h"
#include "../support/TempDir.h"
#include "FakePageIds.h"
#include "text/RowStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>

namespace fs = std::filesystem;

namespace {

// The recovery files an iteration over a folder meets.
template <class Iterator> long Files(Iterator folder) {
    return std::count_if(begin(folder), end(folder),
                         [](const auto& e) { return e.path().extension() == ".recovery"; });
}

struct Instance {
    FakePageIdsHost host;
    TMyFileList list;
    TPageBook book{host, list};
    RecordingAsker asker;
    TRecoveryPages pages{asker, host, host, book};
    std::map<int, TEditorScreenStrings> stores; // the pages' texts by page id
    std::vector<std::pair<int, std::string>> restored;
    int settingsWritten = 0;

    explicit Instance(const std::string& root) {
        EXPECT_TRUE(pages.Open(root));
        pages.Capture = [this](int index, bool, TRecoveryRecord&, TRowTableSnapshot& text) {
            TEditorScreenStrings& s = stores[host.PageId(index)];
            s.SetText(host.pages.at(index).text);
            text = s.Snapshot();
            return true;
        };
        pages.Restore = [this](int index, const TRecoveryRecord& r) {
            restored.emplace_back(index, r.Text);
            host.pages.at(index).text = r.Text;
            return true;
        };
        pages.SaveSettings = [this] { ++settingsWritten; };
    }
    int open(const fs::path& file, const std::string& text) {
        TempDir::Write(file, "on disk\r\n");
        EXPECT_TRUE(book.OpenFile(file));
        const int i = host.ActivePage();
        host.pages[i].text = text;
        host.pages[i].modified = true;
        return i;
    }
    long files() const { return Files(fs::directory_iterator(pages.Session().Folder())); }
};

TEST(RecoveryPages, WrittenWhenDueAndGoneWithSavedOrClosedPages) {
    TempDir d;
    Instance run(d / "recovery/");
    const int a = run.open(d / "a.txt", "typed a");
    const int b = run.open(d / "b.txt", "typed b");
    EXPECT_EQ(run.pages.NextTick(), std::nullopt); // nothing edited: no timer runs
    run.pages.Edited(a, 0);
    run.pages.Edited(b, 0);
    run.pages.Edited(b, 2000);
    EXPECT_EQ(run.pages.NextTick(), TRecoveryClock::kQuietMs); // a is due first
    run.pages.Tick(TRecoveryClock::kQuietMs);
    EXPECT_EQ(run.pages.NextTick(), 2000 + TRecoveryClock::kQuietMs);
    run.pages.Tick(2000 + TRecoveryClock::kQuietMs);
    EXPECT_EQ(run.pages.NextTick(), std::nullopt); // both written: the timer rests
    run.pages.WriteAllNow();                       // waits for the writer
    EXPECT_EQ(run.files(), 2);
    // Saved: its file goes at the next tick. Closed: its file goes too.
    run.host.pages[a].modified = false;
    run.list.Delete(b);
    run.host.RemovePage(b);
    run.pages.Tick(TRecoveryClock::kMaxMs);
    run.pages.WriteAllNow();
    EXPECT_EQ(run.files(), 0);
}

TEST(RecoveryPages, AnEndWithoutQuestionsSavesWhatItMayAndOffersTheRestAtTheNextStart) {
    TempDir d;
    const std::string root = d / "recovery/";
    {
        Instance run(root);
        run.open(d / "named.txt", "saved in place\r\n");
        const int ro = run.open(d / "readonly.txt", "kept for later\r\n");
        run.host.pages[ro].readOnly = true;
        run.book.New();
        run.host.pages[run.host.ActivePage()].text = "untitled\r\n";
        run.host.pages[run.host.ActivePage()].modified = true;
        run.pages.EndWithoutQuestions();
        for (const FakePage& p : run.host.pages)
            EXPECT_FALSE(p.modified) << p.path; // the close that follows asks nothing
        EXPECT_EQ(TempDir::Read(d / "named.txt"), "saved in place\r\n");
        EXPECT_EQ(run.files(), 2);
        EXPECT_EQ(run.settingsWritten, 1);
    }
    Instance next(root);
    std::vector<TRecoveryOffer> offered;
    next.pages.Choose = [&](const std::vector<TRecoveryOffer>& o) {
        offered = o;
        std::vector<bool> keep(o.size(), false);
        for (std::size_t i = 0; i < o.size(); ++i)
            keep[i] = o[i].name == d / "readonly.txt";
        return std::optional(keep);
    };
    next.pages.Offer(root, 0);
    ASSERT_EQ(offered.size(), 2u);
    for (const TRecoveryOffer& o : offered)
        EXPECT_TRUE(std::regex_match(o.time, std::regex(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d)")));
    ASSERT_EQ(next.restored.size(), 1u);
    EXPECT_EQ(next.restored[0].second, "kept for later\r\n");
    EXPECT_TRUE(next.host.IsModified(next.restored[0].first));
    // Both old files are gone; the recovered text is in this run's file already.
    EXPECT_EQ(Files(fs::recursive_directory_iterator(root)), 1);
    EXPECT_EQ(next.files(), 1);
}

TEST(RecoveryPages, TheTextAReReadReplacedStaysUntilSavedAndItsFileChangeIsMarked) {
    TempDir d;
    const std::string root = d / "recovery/";
    {
        Instance run(root);
        const int a = run.open(d / "a.txt", "edited before the re-read\r\n");
        const TDiskStamp read = StampOf(d / "a.txt");
        run.pages.BaseOf = [&](int) { return read; };
        run.pages.KeepReplaced(a);
        EXPECT_EQ(run.files(), 1);
        run.host.pages[a].modified = false;
        run.pages.Saved(a); // a save lets it go
        run.pages.WriteAllNow();
        EXPECT_EQ(run.files(), 0);
        run.pages.KeepReplaced(a); // the re-read page holds the file's text afterwards
        run.pages.Tick(TRecoveryClock::kMaxMs);
        EXPECT_EQ(run.files(), 1);
    } // a normal end keeps it for the next start
    TempDir::Write(d / "a.txt", "on disk\r\nand a line another program added\r\n");
    Instance next(root);
    std::vector<TRecoveryOffer> offered;
    next.pages.Choose = [&](const std::vector<TRecoveryOffer>& o) {
        offered = o;
        return std::optional(std::vector<bool>(o.size(), true));
    };
    std::vector<TDiskStamp> bases;
    next.pages.SetBase = [&](int, const TDiskStamp& base) { bases.push_back(base); };
    next.pages.Offer(root, 0);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_TRUE(offered[0].fileChanged);
    ASSERT_EQ(next.restored.size(), 1u);
    EXPECT_EQ(next.restored[0].second, "edited before the re-read\r\n");
    // The restored page's text is based on the file as it was: its save will ask.
    ASSERT_EQ(bases.size(), 1u);
    EXPECT_EQ(bases[0].size, 9);
}

} // namespace
