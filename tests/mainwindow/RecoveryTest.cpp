// Recovery files: their format, private folders, orphans of ended runs, the writer and the clock.
#include "mainwindow/pages/Recovery.h"
#include "mainwindow/pages/RecoveryWriter.h"
#include "text/RowStore.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TRecoveryRecord Sample() {
    return {.Path = "/memo/a\\b\nc.txt",
            .Encoding = "UTF-8",
            .LineEnd = "LF",
            .Table = "F040=1F600;F041=#FF",
            .Time = 1765000000,
            .CaretRow = 7,
            .Text = std::string("line\r\n\x82\xa0\x1a\0end", 13)};
}
auto Fields(const TRecoveryRecord& r) {
    return std::tuple(r.Path, r.Encoding, r.LineEnd, r.Table, r.Time, r.CaretRow, r.Text);
}
fs::perms Permissions(const std::string& path) {
    return fs::status(path).permissions();
}

TEST(RecoveryFile, RoundTripsAndRefusesDamage) {
    TempDir d;
    const TRecoveryRecord r = Sample();
    std::string err;
    ASSERT_TRUE(WriteRecoveryFile(d / "p.recovery", r, &err)) << err;
    EXPECT_EQ(Permissions(d / "p.recovery"), fs::perms::owner_read | fs::perms::owner_write);
    const std::string bytes = TempDir::Read(d / "p.recovery");
    TRecoveryRecord back;
    ASSERT_TRUE(ParseRecovery(bytes, back, &err)) << err;
    EXPECT_EQ(Fields(back), Fields(r));
    // Every cut is noticed, and so are a foreign file and a wrong end mark.
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_FALSE(ParseRecovery(std::string_view(bytes).substr(0, n), back, nullptr)) << n;
    EXPECT_FALSE(ParseRecovery("[Set]\nPage=1\n", back, &err));
    std::string wrongEnd = bytes;
    wrongEnd[wrongEnd.size() - 2] = 'x';
    EXPECT_FALSE(ParseRecovery(wrongEnd, back, &err));
    EXPECT_FALSE(err.empty());
}

// The snapshot keeps the text as it was while the store goes on changing, compaction included.
TEST(RecoveryFile, SnapshotIsTheTextAtItsMoment) {
    TempDir d;
    TEditorScreenStrings s;
    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += "row " + std::to_string(i) + "\r\n";
    text += "last";
    s.SetText(text);
    const TRowTableSnapshot snap = s.Snapshot();
    for (int i = 0; i < 3000; ++i)
        s.UpdateList(i % s.Count(), 1, std::string(3000, 'x') + "\r\n");
    s.SetText("other");
    TRecoveryRecord meta;
    meta.Path = "/a.txt";
    ASSERT_TRUE(WriteRecoveryFile(d / "s.recovery", meta, snap, nullptr));
    TRecoveryRecord back;
    ASSERT_TRUE(ParseRecovery(TempDir::Read(d / "s.recovery"), back, nullptr));
    EXPECT_EQ(back.Text, text);
    EXPECT_EQ(s.Text(), "other");
}

TEST(RecoveryFolder, OnlyAPrivateFolderOfThisUser) {
    TempDir d;
    std::string err;
    EXPECT_TRUE(EnsurePrivateFolder(d / "state/Brix/Tolmo/recovery/", &err)) << err;
    EXPECT_EQ(Permissions(d / "state/Brix/Tolmo/recovery"), fs::perms::owner_all);
    fs::create_directory(d / "open");
    ::chmod((d / "open").c_str(), 0755);
    EXPECT_FALSE(EnsurePrivateFolder(d / "open/", &err));
    EXPECT_FALSE(TRecoverySession().Open(d / "open/", &err));
    fs::create_symlink(d / "state/Brix/Tolmo/recovery", d / "link");
    EXPECT_FALSE(EnsurePrivateFolder(d / "link/", &err));
    if (::geteuid() == 0) {
        fs::create_directory(d / "theirs");
        ::chmod((d / "theirs").c_str(), 0700);
        ASSERT_EQ(::chown((d / "theirs").c_str(), 65534, 65534), 0);
        EXPECT_FALSE(EnsurePrivateFolder(d / "theirs/", &err));
        EXPECT_NE(err.find("another user"), std::string::npos);
    }
}

// A live instance's files are never offered; a crashed one's are, to one start only; damaged
// files are set aside and named.
TEST(RecoveryOrphans, OnlyFilesOfEndedRunsAreTaken) {
    TempDir d;
    const std::string root = d / "recovery/";
    ASSERT_TRUE(EnsurePrivateFolder(root, nullptr));
    auto crashed = std::make_unique<TRecoverySession>();
    TRecoverySession live;
    ASSERT_TRUE(crashed->Open(root, nullptr));
    ASSERT_TRUE(live.Open(root, nullptr));
    ASSERT_NE(crashed->Folder(), live.Folder());
    TRecoveryRecord r = Sample();
    ASSERT_TRUE(WriteRecoveryFile(crashed->FileFor(1), r, nullptr));
    ASSERT_TRUE(WriteRecoveryFile(live.FileFor(1), r, nullptr));
    TempDir::Write(crashed->FileFor(2), "Tolmo recovery 1\npath=/x\nlength=100\n\nshort");
    fs::create_directory(crashed->FileFor(3)); // cannot be read as a file
    {
        TRecoveryOrphans none;
        none.Collect(root);
        EXPECT_TRUE(none.Pages.empty());
    }
    const std::string crashedFolder = crashed->Folder();
    crashed.reset(); // the process is gone: its lock goes, its files stay
    TRecoveryOrphans first;
    first.Collect(root);
    ASSERT_EQ(first.Pages.size(), 1u);
    EXPECT_EQ(first.Pages[0].Record.Text, r.Text);
    EXPECT_EQ(first.Damaged.size(), 2u);
    for (const std::string& f : first.Damaged)
        EXPECT_TRUE(fs::exists(f)) << f;
    TRecoveryOrphans second; // another start meanwhile
    second.Collect(root);
    EXPECT_TRUE(second.Pages.empty());
    TRecoveryOrphans::Drop(first.Pages[0]);
    first.Finish();
    EXPECT_FALSE(fs::exists(crashedFolder));
    EXPECT_TRUE(fs::exists(live.FileFor(1)));
    live.Finish();
    EXPECT_FALSE(fs::exists(live.Folder()));
}

TEST(RecoveryWriter, LatestStateWinsAndRemovalFollowsWrites) {
    TempDir d;
    TEditorScreenStrings s;
    TRecoveryWriter w;
    TRecoveryRecord meta;
    meta.Path = "/a.txt";
    s.SetText("one");
    w.Post(d / "a", meta, s.Snapshot());
    s.SetText("two\r\n");
    w.Post(d / "a", meta, s.Snapshot());
    w.Post(d / "b", meta, s.Snapshot());
    w.Remove(d / "b");
    w.Post(d / "gone/c", meta, s.Snapshot());
    w.Flush();
    TRecoveryRecord back;
    ASSERT_TRUE(ParseRecovery(TempDir::Read(d / "a"), back, nullptr));
    EXPECT_EQ(back.Text, "two\r\n");
    EXPECT_FALSE(fs::exists(d / "b"));
    EXPECT_EQ(w.TakeErrors().size(), 1u);
    EXPECT_TRUE(w.TakeErrors().empty());
}

TEST(RecoveryClock, QuietPauseOrThirtySecondsOfTyping) {
    TRecoveryClock c;
    EXPECT_FALSE(c.Due(100000));
    c.Edited(0);
    EXPECT_FALSE(c.Due(2999));
    EXPECT_TRUE(c.Due(3000));
    c.Written();
    EXPECT_FALSE(c.Due(5000));
    for (std::int64_t t = 10000; t < 40000; t += 1000) {
        c.Edited(t);
        EXPECT_EQ(c.Due(t + 500), t + 500 - 10000 >= 30000) << t;
    }
}

TEST(RecoveryDifference, FirstLineThatDiffers) {
    EXPECT_EQ(FirstDifferentLine("a\r\nb2\r\nc", "a\nb\nc\n", true), "b2");
    EXPECT_EQ(FirstDifferentLine("a\r\nb", "a\r\nb", true), "");
    EXPECT_EQ(FirstDifferentLine("a\r\nb\r\nnew", "a\r\nb", true), "new");
    EXPECT_EQ(FirstDifferentLine("\r\n  \r\nfirst\r\n", "", false), "first");
}

} // namespace
