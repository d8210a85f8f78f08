// The pages' recovery files: written when due, removed when saved, offered at the next start.
#include "mainwindow/RecoveryPages.h"

#include "../support/RecordingSink.h"
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
    TRecoveryPages pages{host, host, book};
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
    RecordingSink sink;
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
    RecordingSink sink;
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

} // namespace
