// The file commands without a window: re-read, rename, external editor, folder open, read-me.
#include "mainwindow/FileCommands.h"
#include "FakePageHost.h"

#include "../support/OrdinaryUser.h"
#include "../support/TempDir.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class FakeCommandHost : public TFileCommandHost {
  public:
    std::deque<TSaveDialogResult> renames; // cancelled when empty
    std::vector<std::pair<std::string, std::string>> renameStarts;
    std::string folderAnswer;
    std::vector<std::vector<std::string>> started; // program + arguments
    bool startFails = false;
    std::vector<std::string> infos;
    int jumpButtons = 0;
    FakePageHost* pages = nullptr;

    TSaveDialogResult RunRenameDialog(const std::string& f, const std::string& n) override {
        renameStarts.emplace_back(f, n);
        return Next(renames, {false, ""});
    }
    std::string RunFolderDialog(const std::string&) override { return folderAnswer; }
    bool StartEditor(const std::string& program, const std::vector<std::string>& args) override {
        std::vector<std::string> v{program};
        v.insert(v.end(), args.begin(), args.end());
        started.push_back(v);
        return !startFails;
    }
    void ClearPageText(int index) override { pages->pages.at(index).text.clear(); }
    void InfoBox(const std::string& m) override { infos.push_back(m); }
    bool AskYesNoTitled(const std::string& m, bool d) override { return pages->AskYesNo(m, d); }
    void ShowJumpButtons() override { ++jumpButtons; }
};

class FileCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        book.programFolder = d / "prog/";
        fs::create_directories(d / "prog");
        book.firstShow = false;
        window.pages = &host;
        cmds.dataFolder = d / "data/";
        fs::create_directories(d / "data");
        settings.isEditor = true;
        settings.Editor = "/bin/true";
    }
    std::string file(const std::string& name, const std::string& text = "text") {
        TempDir::Write(d / name, text);
        return d / name;
    }
    FakePage& page() { return host.pages.at(host.active); }

    TempDir d;
    FakePageHost host;
    FakeCommandHost window;
    TMyFileList list;
    TPageBook book{host, list};
    TSettings settings;
    TFileCommands cmds{book, host, window, settings};
};

TEST(FileCommandRules, OnlyADoubledExtensionIsRemoved) {
    EXPECT_EQ(RemoveDoubledExtension("/a/memo.txt.txt"), "/a/memo.txt");
    EXPECT_EQ(RemoveDoubledExtension("/a/memo.TXT.txt"), "/a/memo.TXT");
    EXPECT_EQ(RemoveDoubledExtension("/a/.txt.txt"), "/a/.txt");
    for (const char* kept : {"/a/v1.2/memo.txt", "/a/a.b.txt", "/a/memo.txt", "/a.txt/memo"})
        EXPECT_EQ(RemoveDoubledExtension(kept), kept);
}

TEST_F(FileCommandsTest, SafetyCopyOfAFileInAWriteProtectedFolder) {
    if (!RunsAsOrdinaryUser()) return;
    const std::string locked = file("locked/memo.txt");
    chmod((d / "locked").c_str(), 0555);
    EXPECT_EQ(SafetyCopyPath(locked, d / "data/"), d / "data/memo.tx$");
}

TEST_F(FileCommandsTest, ReReadReloadsATitledPageAndAsksTwiceOnAnUntitledOne) {
    const std::string memo = file("memo.txt", "on disk");
    ASSERT_TRUE(book.OpenFile(memo));
    page().text = "edited";
    EXPECT_TRUE(cmds.ReRead()); // unmodified: silently
    EXPECT_EQ(page().text, "on disk");
    EXPECT_TRUE(host.questions.empty());

    page().text = "edited";
    page().modified = true;
    host.answers = {false};
    EXPECT_FALSE(cmds.ReRead());
    EXPECT_EQ(page().text, "edited");
    EXPECT_EQ(host.notices.back(), "再読込いたしません。");
    // An untitled page is cleared only after three Yes answers.
    book.New();
    page().text = "untitled text";
    for (std::deque<bool> no : {std::deque{false}, std::deque{true, false}}) {
        host.answers = no;
        EXPECT_FALSE(cmds.ReRead());
        EXPECT_EQ(page().text, "untitled text");
    }
    host.answers = {true, true, true};
    page().modified = true;
    host.questions.clear();
    EXPECT_TRUE(cmds.ReRead());
    EXPECT_EQ(page().text, "");
    EXPECT_FALSE(page().modified);
    EXPECT_THAT(host.questions,
                testing::ElementsAre("今までの編集がクリアされますがよろしいですか？",
                                     "ファイル名が「無題」です。内容をクリアしてもいいですか？",
                                     "内容が破棄されます。本当にいいですか？"));
}

TEST_F(FileCommandsTest, RenameRefusesItsOwnAndExistingNamesAndAsksBeforeAnotherFolder) {
    const std::string memo = file("memo.txt", "mine");
    file("other.txt", "theirs");
    fs::create_directories(d / "sub");
    ASSERT_TRUE(book.OpenFile(memo));
    window.renames = {{true, memo}}; // its own name: nothing to do
    EXPECT_FALSE(cmds.Rename());
    // An existing name asks again, with that name preset; the second choice is doubled.
    window.renames = {{true, d / "other.txt"}, {true, d / "new.txt.txt"}};
    EXPECT_TRUE(cmds.Rename());
    EXPECT_EQ(window.renameStarts.back(), std::make_pair(d.str(), std::string("other.txt")));
    EXPECT_EQ(host.notices.back(),
              "指定されたファイル名は既に存在します。\r\n別のファイル名を指定してください。");
    EXPECT_EQ(TempDir::Read(d / "other.txt") + TempDir::Read(d / "new.txt"), "theirsmine");
    EXPECT_FALSE(fs::exists(memo));
    EXPECT_EQ(page().caption, " new ");
    // Another folder asks first; No brings the dialog back with the name.
    window.renames = {{true, d / "sub/moved.html"}, {true, d / "sub/moved.html"}};
    host.answers = {false, true};
    EXPECT_TRUE(cmds.Rename());
    EXPECT_EQ(host.questions[0], "フォルダが変更されました。\r\nこのフォルダ( " + d.str() +
                                     "sub/ )に移動してもいいですか");
    EXPECT_EQ(host.notices.back(), "別のフォルダを指定してください。");
    EXPECT_EQ(window.renameStarts.back(), std::make_pair(d.str(), std::string("moved.html")));
    EXPECT_EQ(TempDir::Read(d / "sub/moved.html"), "mine");
    EXPECT_EQ(list.PathOf(0), d / "sub/moved.html");
    // The new extension brings its property set.
    EXPECT_EQ(host.propertiesFor.back(), std::pair(0, d / "sub/moved.html"));
}

TEST_F(FileCommandsTest, ExternalEditRunsReadOnlyAndReadsTheFileAtTheEnd) {
    const std::string memo = file("docs/my memo's \"x\".txt", "before");
    ASSERT_TRUE(book.OpenFile(memo));
    page().text = "before, edited";
    page().modified = true;
    EXPECT_TRUE(cmds.StartExternalEdit());
    EXPECT_EQ(window.started, (std::vector<std::vector<std::string>>{{"/bin/true", memo}}));
    EXPECT_EQ(TempDir::Read(memo), "before, edited"); // saved first
    const std::string copy = d / "docs/my memo's \"x\".tx$";
    EXPECT_EQ(cmds.SafetyCopy(), copy);
    EXPECT_EQ(SafetyCopyPath(file("docs/notes"), d / "data/"), d / "docs/notes.tx$");
    EXPECT_EQ(TempDir::Read(copy), "before, edited");
    EXPECT_TRUE(page().readOnly);
    EXPECT_FALSE(cmds.StartExternalEdit());
    EXPECT_EQ(host.notices.back(), "外部エディタは既に起動中です。\r\n中止します。");

    TempDir::Write(memo, "changed by the editor");
    cmds.ExternalEditEnded();
    EXPECT_EQ(page().text, "changed by the editor");
    EXPECT_FALSE(page().readOnly || fs::exists(copy) || cmds.ExternalEditRunning());
}

TEST_F(FileCommandsTest, ExternalEditOfAPageNoLongerActiveOrClosedMeanwhile) {
    const std::string memo = file("memo.txt", "one"), other = file("other.txt");
    ASSERT_TRUE(book.OpenFile(memo));
    EXPECT_TRUE(cmds.StartExternalEdit());
    ASSERT_TRUE(book.OpenFile(other));
    TempDir::Write(memo, "two");
    cmds.ExternalEditEnded();
    EXPECT_EQ(host.active, 0); // that page comes to the front with the editor's text
    EXPECT_EQ(page().text, "two");

    EXPECT_TRUE(cmds.StartExternalEdit());
    ASSERT_TRUE(book.ClosePage());
    cmds.ExternalEditEnded();
    EXPECT_THAT(window.infos, testing::ElementsAre("外部エディタで編集したファイルが有りません。"
                                                   "\r\nこのまま作業を続けます。"));
    EXPECT_FALSE(fs::exists(d / "memo.tx$") || page().readOnly);
    EXPECT_TRUE(cmds.StartExternalEdit()); // accepted again
    EXPECT_EQ(window.started.back()[1], other);
}

TEST_F(FileCommandsTest, ExternalEditRefusals) {
    const std::string memo = file("memo.txt");
    ASSERT_TRUE(book.OpenFile(memo));
    settings.isEditor = false;
    EXPECT_FALSE(cmds.StartExternalEdit());
    settings.isEditor = true;
    settings.Editor = " ";
    EXPECT_FALSE(cmds.StartExternalEdit());
    settings.Editor = d.str(); // a folder
    EXPECT_FALSE(cmds.StartExternalEdit());
    settings.Editor = "/bin/true";
    window.startFails = true;
    EXPECT_FALSE(cmds.StartExternalEdit());
    EXPECT_THAT(host.notices,
                testing::ElementsAre(
                    "オプション設定でエディタの使用設定をお願いいたします。\r\n中止します。",
                    "エディタが指定されていません。\r\n中止します。",
                    "エディタが指定された場所に存在しません。\r\n中止します。",
                    "外部エディター起動エラー\r\n中止します。"));
    EXPECT_FALSE(page().readOnly || fs::exists(d / "memo.tx$") || cmds.ExternalEditRunning());
}

TEST_F(FileCommandsTest, FolderOpenOpensEveryMemoInNameOrderAndReadsOnlyTheLast) {
    file("empty/notes.md");
    window.folderAnswer = d / "empty";
    book.New();
    EXPECT_FALSE(cmds.FolderOpen());
    EXPECT_EQ(host.notices.back(), "該当するファイルが有りません。\r\n中止いたします。");
    EXPECT_EQ(host.PageCount(), 1);

    file("f/b.txt", "B");
    file("f/a.TXT", "A");
    file("f/c.txt", "C");
    file("f/d.html");
    window.folderAnswer = d / "f";
    host.answers = {false};
    EXPECT_FALSE(cmds.FolderOpen());
    EXPECT_EQ(host.questions.back(), "3 個のファイルをすべて開きますか？");
    EXPECT_EQ(host.PageCount(), 1);
    host.loads.clear();
    EXPECT_TRUE(cmds.FolderOpen());
    EXPECT_EQ(cmds.lastFolder, d / "f/");
    ASSERT_EQ(host.PageCount(), 3); // the empty untitled page was taken over
    EXPECT_EQ(list.PathOf(0) + list.PathOf(2), d / "f/a.TXT" + d / "f/c.txt");
    EXPECT_EQ(host.loads, (std::vector<std::string>{d / "f/c.txt"}));
    EXPECT_EQ(host.progress,
              (std::vector<std::string>{"    1 /  3 >", "    2 /  3 >>", "    3 /  3 >>>", ""}));
    host.SetActivePage(0);
    book.PageChange();
    EXPECT_EQ(page().text, "A");
}

TEST_F(FileCommandsTest, FolderReOpenClosesEveryPageFirst) {
    ASSERT_TRUE(book.OpenFile(file("old.txt")));
    EXPECT_FALSE(cmds.FolderReOpen(d / "gone"));
    EXPECT_EQ(host.notices.back(), "フォルダが存在しません。\r\n中止します。");
    file("g/x.txt", "X");
    EXPECT_TRUE(cmds.FolderReOpen(d / "g"));
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.PathOf(0) + page().text, d / "g/x.txt" + "X");
}

TEST_F(FileCommandsTest, ReadMeOpensFromTheProgramFolderWithTheJumpButtons) {
    EXPECT_FALSE(cmds.ReadMeAvailable());
    EXPECT_FALSE(cmds.OpenReadMe());
    EXPECT_EQ(host.notices.back(),
              "起動フォルダに ReadMe.txt ファイルがありません。\r\n中止します。");
    // An installed program (<prefix>/prog/) finds it in <prefix>/share/tolmo/, as the holidays.
    file("share/tolmo/ReadMe.txt", "&1 installed");
    EXPECT_TRUE(cmds.ReadMeAvailable());
    EXPECT_TRUE(cmds.OpenReadMe());
    EXPECT_EQ(list.PathOf(host.active), d / "share/tolmo/ReadMe.txt");
    // One beside the program comes first.
    file("prog/ReadMe.txt", "&1 first");
    EXPECT_TRUE(cmds.ReadMeAvailable());
    EXPECT_TRUE(cmds.OpenReadMe());
    EXPECT_EQ(list.PathOf(host.active), d / "prog/ReadMe.txt");
    EXPECT_EQ(list.GetField(host.active, ffJumpPanel), "1");
    EXPECT_EQ(window.jumpButtons, 2); // shown for each
}

TEST_F(FileCommandsTest, BackupOffersToSaveTheModifiedPage) {
    const std::string memo = file("memo.txt", "old");
    ASSERT_TRUE(book.OpenFile(memo));
    page().text = "new";
    page().modified = true;
    host.answers = {false};
    EXPECT_TRUE(cmds.SaveBeforeBackup());
    EXPECT_EQ(TempDir::Read(memo), "old");
    EXPECT_TRUE(cmds.SaveBeforeBackup()); // the default answer saves
    EXPECT_EQ(TempDir::Read(memo), "new");
}

} // namespace
