// Backup and restore of "Files" in temporary folders: checks, copies, folder choice, stamp.
#include "setup/Backup.h"

#include "calendar/JulianDay.h"
#include "setup/FolderCopy.h"

#include "../support/FolderListing.h"
#include "../support/RecordingAsker.h"
#include "../support/TempDir.h"

#include <deque>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

struct ScriptedCopy : TCopyObserver {
    bool Progress(const std::string&, int done, int total) override {
        last = {done, total};
        if (onProgress) onProgress(done);
        return true;
    }
    TOverwriteAnswer AskOverwrite(const std::string&) override {
        if (answers.empty()) return TOverwriteAnswer::Yes;
        TOverwriteAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::pair<int, int> last;
    std::deque<TOverwriteAnswer> answers;
    std::function<void(int)> onProgress;
};

// A file's permission bits and modification time, set and read together.
struct Stamp {
    unsigned mode;
    long long mtime;
    bool operator==(const Stamp&) const = default;
};
Stamp StampOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return {st.st_mode & 07777u, static_cast<long long>(st.st_mtim.tv_sec)};
}
void SetStamp(const std::string& path, Stamp s) {
    ::chmod(path.c_str(), s.mode);
    const struct timespec t[2] = {{s.mtime, 0}, {s.mtime, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), t, 0);
}

class BackupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TempDir::Write(prog() + "Files/a.txt", "A");
        TempDir::Write(prog() + "Files/sub/b.txt", "B");
        fs::create_directories(d / "stick");
    }
    std::string prog() { return d / "prog/"; }
    TempDir d;
    RecordingAsker asker;
    ScriptedCopy copy;
};

TEST_F(BackupTest, BackupCopiesFilesAndStamps) {
    std::string stamp;
    ASSERT_TRUE(RunBackup(asker, d / "stick", prog(), &copy, &stamp));
    EXPECT_EQ(FolderListing(d / "stick"), "Files/\nFiles/a.txt=A\nFiles/sub/\nFiles/sub/b.txt=B\n");
    EXPECT_EQ(asker.texts().back(), "データ退避作業を終了しました。");
    EXPECT_NE(stamp.find(" 退避"), std::string::npos);
    EXPECT_EQ(copy.last, std::make_pair(2, 2));
    // A second backup asks before replacing: No keeps the file and ends with 7's message,
    // Cancel stops at once.
    TempDir::Write(prog() + "Files/a.txt", "A2");
    copy.answers = {TOverwriteAnswer::No, TOverwriteAnswer::No};
    EXPECT_FALSE(RunBackup(asker, d / "stick/", prog(), &copy, &stamp));
    EXPECT_EQ(TempDir::Read(d / "stick/Files/a.txt"), "A");
    EXPECT_EQ(asker.texts().back(), "上書き確認で「いいえ」が押されました。\r\n中止します。");
    copy.answers = {TOverwriteAnswer::Cancel};
    EXPECT_FALSE(RunBackup(asker, d / "stick/", prog(), &copy, &stamp));
    EXPECT_EQ(asker.texts().back(), "上書き確認で「キャンセル」が押されました。\r\n中止します。");
    copy.answers = {TOverwriteAnswer::YesToAll};
    EXPECT_TRUE(RunBackup(asker, d / "stick/", prog(), &copy, &stamp));
    EXPECT_EQ(TempDir::Read(d / "stick/Files/a.txt"), "A2");
    EXPECT_FALSE(fs::exists(d / "stick/SafeGuard")); // a backup keeps no generations
}

TEST_F(BackupTest, BackupRefusals) {
    auto refused = [&](const std::string& dest) {
        EXPECT_FALSE(RunBackup(asker, dest, prog(), &copy, nullptr));
        return asker.texts().back();
    };
    EXPECT_EQ(refused(" "), "フォルダの設定が、不明です。\r\n中止します。");
    EXPECT_EQ(refused(d / "nowhere"), "フォルダが存在しません。\r\n中止します。");
    EXPECT_EQ(refused(prog() + "Files"),
              "データフォルダはデータの保存先に出来ません。\r\n中止します。");
    EXPECT_EQ(refused(prog()), "起動フォルダはデータの保存先に出来ません。\r\n中止します。");
    EXPECT_EQ(refused(prog() + "Files/sub"),
              "データフォルダの中はデータの保存先に出来ません。\r\n中止します。");
    fs::rename(prog() + "Files", prog() + "Gone");
    EXPECT_EQ(refused(d / "stick"), "データフォルダが見つけられません。\r\n中止します。");
}

TEST_F(BackupTest, DestinationVanishingMidCopy) {
    copy.onProgress = [&](int done) {
        if (done == 1) fs::remove_all(d / "stick/Files");
    };
    EXPECT_FALSE(RunBackup(asker, d / "stick", prog(), &copy, nullptr));
    EXPECT_EQ(asker.texts().back(), "コピー作業中にエラーが生じました。\r\n中止します。");
    EXPECT_EQ(TempDir::Read(prog() + "Files/sub/b.txt"), "B"); // the source is untouched
}

TEST_F(BackupTest, RestoreMergesSavedFilesAndKeepsTheRest) {
    TempDir::Write(d / "stick/Tolmobak/Files/a.txt", "saved A");
    TempDir::Write(d / "stick/Tolmobak/Files/c.txt", "saved C");
    TempDir::Write(d / "stick/Tolmobak/Files/sub/b.txt", "B");
    TBackupSettings s;
    s.edtCopy3 = d / "stick/Tolmobak/Files/";
    auto restore = [&] {
        asker.answers = {true};
        return RunRestore(asker, s.edtCopy3, prog(), &copy, prog() + "Tolmo.ini", s);
    };
    SetStamp(prog() + "Files/a.txt", {0600, 1000000000});
    ASSERT_TRUE(restore());
    EXPECT_EQ(FolderListing(prog() + "Files"), "a.txt=saved A\nc.txt=saved C\nsub/\nsub/b.txt=B\n");
    EXPECT_EQ(ReadBackupSettings(prog() + "Tolmo.ini").edtCopy3, s.edtCopy3);
    EXPECT_EQ(asker.texts().back(),
              "データ回復作業を終了しました。\r\n\r\n一旦、トルモを終了させます。\r\n"
              "トルモを立ち上げ直して下さい。");
    // The replaced memo is kept, as it was, in the program folder's SafeGuard; a file that the
    // restore gives back unchanged is not.
    EXPECT_EQ(FolderListing(prog() + "SafeGuard"), "Files/\nFiles/01_a.txt=A\n");
    EXPECT_EQ(StampOf(prog() + "SafeGuard/Files/01_a.txt"), (Stamp{0600, 1000000000}));
    // Edited again and restored again: a second generation, beside sub-folders' own.
    TempDir::Write(prog() + "Files/a.txt", "A2");
    TempDir::Write(prog() + "Files/sub/b.txt", "B2");
    ASSERT_TRUE(restore());
    EXPECT_EQ(FolderListing(prog() + "SafeGuard/Files"),
              "01_a.txt=A2\n02_a.txt=A\nsub/\nsub/01_b.txt=B2\n");
    // A SafeGuard that cannot be written stops the restore before the file is replaced.
    TempDir::Write(prog() + "Files/c.txt", "C2");
    fs::remove_all(prog() + "SafeGuard");
    TempDir::Write(prog() + "SafeGuard", "a file in the way");
    EXPECT_FALSE(restore());
    EXPECT_EQ(TempDir::Read(prog() + "Files/c.txt"), "C2");
    EXPECT_EQ(asker.texts().back(), "コピー作業中にエラーが生じました。\r\n中止します。");
}

TEST_F(BackupTest, CopiesKeepModeAndModificationTime) {
    SetStamp(prog() + "Files/a.txt", {0600, 1000000000});
    SetStamp(prog() + "Files/sub/b.txt", {0644, 1100000000});
    ASSERT_TRUE(RunBackup(asker, d / "stick", prog(), &copy, nullptr));
    EXPECT_EQ(StampOf(d / "stick/Files/a.txt"), (Stamp{0600, 1000000000}));
    EXPECT_EQ(StampOf(d / "stick/Files/sub/b.txt"), (Stamp{0644, 1100000000}));
    SetStamp(d / "stick/Files/a.txt", {0640, 1200000000});
    asker.answers = {true};
    ASSERT_TRUE(RunRestore(asker, d / "stick/Files", prog(), &copy, prog() + "Tolmo.ini", {}));
    EXPECT_EQ(StampOf(prog() + "Files/a.txt"), (Stamp{0640, 1200000000}));
    EXPECT_EQ(StampOf(prog() + "Files/sub/b.txt"), (Stamp{0644, 1100000000}));
}

TEST_F(BackupTest, RestoreRefusals) {
    auto refused = [&](const std::string& source) {
        asker.answers = {true};
        EXPECT_FALSE(RunRestore(asker, source, prog(), &copy, prog() + "Tolmo.ini", {}));
        return asker.texts().back();
    };
    asker.answers = {false};
    EXPECT_FALSE(RunRestore(asker, d / "stick", prog(), &copy, prog() + "Tolmo.ini", {}));
    EXPECT_FALSE(asker.boxes.front().defaultYes);
    EXPECT_EQ(asker.texts().back(), "中止します。");
    fs::create_directories(d / "stick/OldFiles");
    for (const char* notFiles : {"stick", "stick/OldFiles"})
        EXPECT_EQ(refused(d / notFiles), "Filesフォルダしかコピーできません。\r\n中止します。");
    EXPECT_EQ(refused(d / "none/Files"), "フォルダが存在しません。\r\n中止します。");
    EXPECT_EQ(refused(prog() + "Files/"),
              "データフォルダはデータの保存元に出来ません。\r\n中止します。");
    EXPECT_FALSE(fs::exists(prog() + "Tolmo.ini")); // nothing written for a refusal
    EXPECT_EQ(TempDir::Read(prog() + "Files/a.txt"), "A");
}

TEST_F(BackupTest, FolderChoice) {
    TMediumState fixed;
    // A folder without "Tolmobak": proposed, created on Yes.
    asker.answers = {true};
    EXPECT_EQ(ChooseBackupDestination(asker, d / "stick", fixed), d / "stick/Tolmobak/");
    EXPECT_TRUE(fs::is_directory(d / "stick/Tolmobak"));
    // Existing one taken without asking; a folder named Tolmobak (any case) as it is.
    EXPECT_EQ(ChooseBackupDestination(asker, d / "stick", fixed), d / "stick/Tolmobak/");
    EXPECT_EQ(ChooseBackupDestination(asker, d / "stick/TOLMOBAK", fixed), d / "stick/TOLMOBAK/");
    EXPECT_EQ(asker.boxes.size(), 1u);
    // A diskette never gets one; a removable medium asks to be set first.
    TMediumState floppy{true, 0, 1474560};
    asker.answers = {true};
    EXPECT_EQ(ChooseBackupDestination(asker, d / "fd", floppy), d / "fd/");
    EXPECT_EQ(asker.texts().back(), "メディアをセットしてください。");
    TMediumState absent{true, ENOMEDIUM, 0};
    asker.answers = {true};
    EXPECT_FALSE(ChooseBackupDestination(asker, d / "fd", absent));
    EXPECT_EQ(asker.texts().back(), "メディアがセットされていません。\r\n中止します。");
    // Restore source: Tolmobak proposed when present, and the backup's Files inside it, which
    // the restore accepts.
    fs::create_directories(d / "stick/Tolmobak/Files");
    asker.answers = {true};
    const auto source = ChooseRestoreSource(asker, d / "stick", fixed);
    EXPECT_EQ(source, d / "stick/Tolmobak/Files/");
    EXPECT_EQ(asker.texts().back(), "指定されたフォルダーに</Tolmobak/>を\r\n付け加えますか？");
    asker.answers = {true, true};
    EXPECT_TRUE(RunRestore(asker, *source, prog(), &copy, prog() + "Tolmo.ini", {}));
    for (const char* chosen : {"stick/Tolmobak", "stick/Tolmobak/Files"})
        EXPECT_EQ(ChooseRestoreSource(asker, d / chosen, fixed), d / "stick/Tolmobak/Files/");
    asker.answers = {false};
    EXPECT_EQ(ChooseRestoreSource(asker, d / "stick", fixed), d / "stick/");
}

TEST_F(BackupTest, StampAndSettings) {
    // 2005-11-24 was a Thursday in Heisei 17.
    EXPECT_EQ(BackupStamp(tolmo::DateToJulius(2005, 11, 24), 10, 5),
              "平成17年11月24日(木) 10:05 退避");
    const std::string ini = prog() + "Tolmo.ini";
    TempDir::Write(ini, "; mine\n[Set]\nPage=3\n");
    TBackupSettings s;
    s.lblCopy2 = "平成17年11月24日(木) 10:05 退避";
    ASSERT_TRUE(WriteBackupSettings(ini, s));
    EXPECT_EQ(ReadBackupSettings(ini).lblCopy2, s.lblCopy2);
    EXPECT_EQ(TempDir::Read(ini).rfind("; mine\n[Set]\nPage=3\n", 0), 0u);
}

} // namespace
