// The page rules: open, save, close, reorder, restore at start, the exit pass and the menu state.
#include "../support/ScopedEnv.h"
#include "FakePageHost.h"
#include "MemSection.h"

#include "../support/OrdinaryUser.h"
#include "mainwindow/EditorActions.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/pages/DocumentFile.h"
#include "mainwindow/pages/SaveFailure.h"

#include <gmock/gmock.h>

#include <filesystem>

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// The names of an open-file list, in order.
std::string names(const TMyFileList& list) {
    std::string s;
    for (int i = 0; i < list.Count(); ++i)
        s += (i ? " " : "") + list.GetField(i, ffName);
    return s;
}

class PageBookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        book.programFolder = dir;
        book.firstShow = false;
        book.recentFiles = &recent;
        book.recentFolders = {&folders1, &folders2};
        recent.SetMaximum(8);
    }
    std::string file(const std::string& name, const std::string& text = "text") {
        TempDir::Write(dir + name, text);
        return dir + name;
    }
    void type(const std::string& text) {
        host.pages.at(host.active).text += text;
        host.pages.at(host.active).modified = true;
    }
    void open(std::initializer_list<const char*> files) {
        for (const char* n : files)
            book.OpenFile(file(n));
    }

    TempDir temp;
    const std::string dir = temp.str();
    FakePageHost host;
    TMyFileList list;
    TPageBook book{host, list};
    TOpenMenuList recent{"r", "ReOpen"}, folders1{"r", "RefoOpen"}, folders2{"r", "RefoOpen"};
};

TEST_F(PageBookTest, AnOpenFileIsActivatedAndTheSameNameElsewhereGivesANotice) {
    open({"a.txt", "b.txt"});
    EXPECT_FALSE(book.OpenFile(dir + "a.txt"));
    EXPECT_EQ(std::pair(host.PageCount(), host.active), std::pair(2, 0));
    EXPECT_TRUE(book.OpenFile(file("two/a.txt")));
    EXPECT_EQ(host.PageCount(), 3);
    EXPECT_THAT(host.notices, ElementsAre(HasSubstr("フォルダの違うファイル")));
}

TEST_F(PageBookTest, MissingOrUnreadableFileLeavesNoPageAndRelativePathsAreTheProgramFolders) {
    EXPECT_FALSE(book.OpenFile(dir + "nothing.txt"));
    EXPECT_TRUE(host.errors.empty());
    host.failReads = true;
    EXPECT_FALSE(book.OpenFile(file("locked.txt")));
    EXPECT_EQ(list.Count() + host.PageCount(), 0);
    EXPECT_EQ(host.errors.size(), 1u);
    host.failReads = false;
    file("Files/note.txt");
    EXPECT_TRUE(book.OpenFile("Files/note.txt"));
    EXPECT_EQ(list.PathOf(0), dir + "Files/note.txt");
}

TEST_F(PageBookTest, CancellingTheUntitledSaveAsksWithDefaultNo) {
    book.New();
    EXPECT_EQ(host.pages[0].caption, " 無題 ");
    type("x");
    // Cancelled with the proposed name: "No" brings the dialog back, then "Yes" gives up saving.
    // Without a Files folder in the data folder the dialog starts in the home folder, never in
    // the program's own.
    const ScopedEnv home("HOME", dir + "home");
    book.dataFolder = dir + "data/";
    host.answers = {false, true};
    EXPECT_TRUE(book.SaveAsDialog(kUntitledName));
    EXPECT_EQ(host.questions, std::vector<std::string>(2, "保存しなくてもいいですか？"));
    EXPECT_THAT(host.saveDialogStarts,
                ElementsAre(std::pair(dir + "home/", "無題.txt"), testing::_));
    EXPECT_EQ(host.notices.back(), "この無題のファイルは保存しません");
    EXPECT_FALSE(host.pages[0].modified);
    // The default answer of that question is No.
    type("y");
    host.saveDialogs = {{false, dir + "無題.txt"}, {false, dir + "other.txt"}};
    EXPECT_FALSE(book.SaveAsDialog(kUntitledName));
    EXPECT_EQ(host.questions.size(), 3u);
    EXPECT_TRUE(host.pages[0].modified);
}

TEST_F(PageBookTest, SaveAsRefusesUntitledNameAndOpenNamesThenAsksOverwrite) {
    const std::string open = file("open.txt"), existing = file("exists.txt", "old");
    book.OpenFile(open);
    book.New();
    type("new text");
    host.saveDialogs = {{true, dir + "無題.TXT"}, {true, open}, {true, existing}, {true, existing}};
    host.answers = {false, true};
    file("Files/memo.txt"); // the texts folder beside the program
    EXPECT_TRUE(book.SaveAsDialog(kUntitledName));
    EXPECT_EQ(host.saveDialogStarts.front(), std::pair(dir + "Files/", std::string("無題.txt")));
    EXPECT_THAT(host.notices, ElementsAre(HasSubstr("[無題] というファイル名では登録できません"),
                                          HasSubstr("他のページで読み込まれています")));
    EXPECT_EQ(host.questions,
              std::vector<std::string>(2, "同名のファイルが存在します。\r\n上書きしますか？"));
    EXPECT_EQ(TempDir::Read(existing), "new text");
    EXPECT_EQ(list.PathOf(1), existing);
    EXPECT_EQ(list.GetField(1, ffLoaded), "1"); // its caret is remembered from now on
    EXPECT_EQ(host.pages[1].caption, " exists ");
    EXPECT_FALSE(host.pages[1].modified);
    // The saved page takes the property set and colouring of its new extension.
    EXPECT_EQ(host.propertiesFor.back(), std::make_pair(1, existing));
    // Saving a page under its own current path is refused too.
    type("more");
    host.saveDialogs = {{true, existing}};
    EXPECT_FALSE(book.SaveAsDialog(existing));
    EXPECT_EQ(host.notices.size(), 3u);
    EXPECT_FALSE(TPageBook::IsUntitledSaveName("/x/無題2.txt"));
}

TEST_F(PageBookTest, SaveWritesOnlyModifiedPagesAndAFailureKeepsTheirState) {
    const std::string a = file("a.txt", "orig");
    book.OpenFile(a);
    host.pages[0].text = "changed";
    book.Save(); // not modified: nothing written
    EXPECT_EQ(TempDir::Read(a), "orig");
    host.pages[0].modified = true;
    book.Save();
    EXPECT_EQ(TempDir::Read(a), "changed");
    EXPECT_FALSE(host.pages[0].modified);
    type(" edit");
    host.failWrites = true;
    book.Save();
    EXPECT_TRUE(host.pages[0].modified);
    EXPECT_EQ(host.pages[0].text, "changed edit");
    EXPECT_EQ(host.errors.size(), 1u);
    // Closing it saves without a question, fails again and offers another name; キャンセル
    // keeps the page.
    book.knKakunin = true;
    EXPECT_FALSE(book.ClosePage());
    EXPECT_EQ(list.PathOf(0), a);
    EXPECT_EQ(recent.Count(), 0);
    // Without KnKakunin closing asks first; 破棄 closes without saving.
    book.knKakunin = false;
    host.choices = {TSaveChoice::Discard};
    EXPECT_TRUE(book.ClosePage());
    EXPECT_THAT(host.questions,
                ElementsAre("[ " + a + "] は保存されていません。\r\n別の名前で保存しますか？",
                            "[ " + a + "] は更新されています。保存しますか？"));
    EXPECT_EQ(TempDir::Read(a), "changed");
}

TEST_F(PageBookTest, ClosingActivatesThePageBeforeAndTheLastLeavesAnUntitledPage) {
    open({"a.txt", "b.txt", "c.txt"});
    host.active = 1;
    EXPECT_TRUE(book.ClosePage());
    EXPECT_EQ(host.active, 0);
    EXPECT_EQ(names(list), "a.txt c.txt");
    book.ClosePage();
    EXPECT_TRUE(book.ClosePage());
    EXPECT_EQ(names(list), kUntitledName);
    EXPECT_EQ(recent.Items().front(), dir + "c.txt");
    EXPECT_EQ(folders1.Items().front(), dir);
    EXPECT_EQ(folders2.Items().front(), dir);
    // Closing that untitled page gives a fresh untitled page and remembers the current folder.
    EXPECT_TRUE(book.ClosePage());
    EXPECT_EQ(host.PageCount(), 1);
    EXPECT_EQ(recent.Items().front(), "/cwd/無題");
}

TEST_F(PageBookTest, CloseAllOfFivePagesShowsTheCountdown) {
    open({"0.txt", "1.txt", "2.txt", "3.txt", "4.txt"});
    host.active = 0;
    host.answers = {false}; // declined: nothing closes
    EXPECT_FALSE(book.CloseEveryPage(true));
    EXPECT_EQ(host.PageCount(), 5);
    EXPECT_TRUE(book.CloseEveryPage(true));
    EXPECT_EQ(host.questions, std::vector<std::string>(2, "すべてのファイルを閉じますか？"));
    EXPECT_EQ(host.progress, (std::vector<std::string>{"    4 /  5 <<<<", "    3 /  5 <<<",
                                                       "    2 /  5 <<", "    1 /  5 <", ""}));
    EXPECT_EQ(names(list), kUntitledName);
    EXPECT_EQ(recent.Items().front(), dir + "0.txt"); // closed from the last to the first
}

TEST_F(PageBookTest, CtrlRightClickOnInactiveTabClosesWithoutQuestion) {
    open({"a.txt", "b.txt", "c.txt"});
    host.active = 2;
    book.RightClickTab(0, true);
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(names(list), "b.txt c.txt");
    // Without Ctrl the question comes; "No" keeps the page.
    host.answers = {false};
    book.RightClickTab(1, false);
    EXPECT_THAT(host.questions, ElementsAre("このファイルを閉じてもいいですか？"));
    EXPECT_EQ(std::pair(host.PageCount(), host.active), std::pair(2, 1));
}

// Saves the list as the program would at exit and builds a fresh book on it, as at a restart.
class RestartTest : public PageBookTest {
  protected:
    struct Restart {
        FakePageHost host;
        TMyFileList list;
        TPageBook book{host, list};
    };
    MemSection ini;
    std::unique_ptr<Restart> restart(int pageToActivate) {
        book.RecordCarets();
        EXPECT_TRUE(list.Save(ini.section()));
        return start(pageToActivate);
    }
    // A fresh book on what the section holds.
    std::unique_ptr<Restart> start(int pageToActivate) {
        auto r = std::make_unique<Restart>();
        r->book.programFolder = dir;
        r->book.pageToActivate = pageToActivate;
        r->list.Load(ini.section());
        r->book.RestoreList();
        r->book.FinishFirstShow();
        return r;
    }
};

TEST_F(RestartTest, PagesComeBackInOrderWithCaretsAndLazily) {
    for (int i = 0; i < 30; ++i)
        book.OpenFile(file("p" + std::to_string(i) + ".txt"));
    host.active = 2;
    book.DropTab(0); // the third tab dragged to the first place
    EXPECT_EQ(host.pages[0].caption, " p2 ");
    EXPECT_EQ(host.active, 0);
    book.DropTab(0); // onto itself: nothing
    host.pages[0].caret = 40;
    host.pages[0].top = 31;
    auto r = restart(0);
    ASSERT_EQ(r->host.PageCount(), 30);
    EXPECT_EQ(names(r->list).substr(0, 20), "p2.txt p0.txt p1.txt");
    EXPECT_EQ(r->host.loads, std::vector<std::string>{dir + "p2.txt"}); // only the active page
    EXPECT_EQ(std::pair(r->host.pages[0].caret, r->host.pages[0].top), std::pair(40, 31));
    EXPECT_EQ(r->list.GetField(5, ffLoaded), "0");
    // The next page is read when it becomes active.
    r->host.active = 5;
    r->book.PageChange();
    EXPECT_EQ(r->host.loads.size(), 2u);
    EXPECT_EQ(r->list.GetField(5, ffLoaded), "1");
}

TEST_F(RestartTest, MissingFilesAndDuplicatesAreDroppedUntitledAndReadOnlyForgotten) {
    book.New();
    type("unsaved"); // keeps the untitled page
    open({"a.txt", "gone.txt", "b,c.txt"});
    file("ro.txt");
    book.OpenArgument("ro.txt," + dir + ",0,,1,,,,0,0,0,0,0");
    ASSERT_EQ(host.PageCount(), 5);
    EXPECT_TRUE(host.pages[4].readOnly);
    fs::remove(dir + "gone.txt");
    list.AddRaw(list.Record(1)); // a hand-edited duplicate
    host.pages.push_back({});
    // A comma in the name reopens under its own name.
    EXPECT_EQ(names(restart(-1)->list), "a.txt b,c.txt");
}

TEST_F(RestartTest, NothingToRestoreGivesOneUntitledPageAndAShortRecordOpensItsFile) {
    auto r = restart(3);
    EXPECT_EQ(names(r->list), kUntitledName);
    EXPECT_FALSE(r->book.firstShow);
    ini.values = {{"Count", "1"}, {"File0", "s.txt," + dir}};
    file("s.txt", "short");
    r = start(0);
    ASSERT_EQ(r->host.PageCount(), 1);
    EXPECT_EQ(r->host.pages[0].text, "short");
    EXPECT_EQ(r->list.GetField(0, ffLoaded), "1");
}

TEST_F(PageBookTest, ArgumentsAndHandOffOpenPathsRecordsAndTheHolidayFolder) {
    file("a b.txt");
    book.firstShow = true;
    // An existing name with a comma opens as a path.
    book.OpenArguments({"/J", "/C", dir + "a_\\Sp\\_b.txt", file("x,y.txt")});
    EXPECT_EQ(names(list), "a b.txt x,y.txt");
    EXPECT_EQ(book.pageToActivate, 1);
    book.FinishFirstShow();
    EXPECT_EQ(host.active, 1);
    // A hand-off: a record with more than ten fields brings its values, not its tag.
    file("r.txt");
    book.OpenHandedOver({"/F", "r.txt," + dir + ",1,,0,,,,7,3,1,99,0"});
    ASSERT_EQ(host.PageCount(), 3);
    EXPECT_EQ(list.Record(2), "r.txt," + dir + ",1,,0,,,,7,3,1,2,0");
    EXPECT_FALSE(host.pages[2].readOnly);
    // "/K" names the holiday folder and opens no page.
    file("hol/HDay.dat");
    book.OpenArguments({"/K" + dir + "hol"});
    EXPECT_EQ(host.PageCount(), 3);
    EXPECT_EQ(book.holidayFile, dir + "hol/HDay.dat");
    book.OpenArguments({"/K" + dir});
    EXPECT_EQ(book.holidayFile, "");
}

TEST_F(PageBookTest, ExitPassRecordsCaretsOffersAnotherNameForFailedSavesAndCanBeCancelled) {
    open({"a.txt", "b.txt"});
    host.pages[0].caret = 9;
    host.pages[0].top = 4;
    host.active = 0;
    type("!");
    host.failWrites = true;
    host.editorRunning = true;
    // The save fails: キャンセル keeps the window, whatever else was decided.
    EXPECT_FALSE(book.CloseQuery());
    EXPECT_EQ(host.notices.front(), "外部エディタを起動中です。\r\n終了処理を中止いたします。");
    const std::string another = "[ a.txt] は保存されていません。\r\n別の名前で保存しますか？";
    EXPECT_EQ(host.questions, std::vector<std::string>{another});
    // 保存 opens the save dialog under another name; cancelled, the question comes back, and
    // 破棄 lets the text go: the window may close.
    host.editorRunning = false;
    host.choices = {TSaveChoice::Save, TSaveChoice::Discard};
    EXPECT_TRUE(book.CloseQuery());
    EXPECT_EQ(host.saveDialogStarts,
              (std::vector<std::pair<std::string, std::string>>{{dir, "a.txt"}}));
    EXPECT_EQ(host.questions, std::vector<std::string>(3, another));
    EXPECT_EQ(host.errors.size(), 2u);
    EXPECT_EQ(std::pair(list.GetIntField(0, ffCaretRow), list.GetIntField(0, ffTopRow)),
              std::pair(9, 4));
    host.failWrites = false;
    EXPECT_TRUE(book.CloseQuery());
    EXPECT_EQ(TempDir::Read(dir + "a.txt"), "text!");
    // An untitled page is asked about even with KnKakunin; 破棄 opens no save dialog.
    book.New();
    type("memo");
    host.saveDialogStarts.clear();
    host.choices = {TSaveChoice::Discard};
    EXPECT_TRUE(book.CloseQuery());
    EXPECT_EQ(host.questions.size(), 4u);
    EXPECT_EQ(host.questions.back(), "[ 無題] は更新されています。保存しますか？");
    EXPECT_TRUE(host.saveDialogStarts.empty());
}

TEST_F(PageBookTest, MenuStateOfTheActivePageAndTheReadMeFile) {
    TCommandState s;
    FillPageState(s, book, -1, 0); // no page yet
    EXPECT_TRUE(s.Untitled);
    EXPECT_FALSE(EntryView(*FindCommand(TWindowCommand::ReadMe), s).Enabled);
    book.New();
    book.OpenFile(file("memo.txt"));
    // An installed program in <prefix>/bin/ has its read-me in <prefix>/share/tolmo/.
    book.programFolder = dir + "bin/";
    file(std::string("share/tolmo/") + kReadMeName);
    FillPageState(s, book, host.active, host.PageCount());
    EXPECT_TRUE(!s.Untitled && s.FileExists);
    EXPECT_TRUE(EntryView(*FindCommand(TWindowCommand::ReadMe), s).Enabled);
    fs::remove(dir + "memo.txt");
    FillPageState(s, book, host.active, host.PageCount());
    s.HasEditor = true;
    EXPECT_FALSE(EntryView(*FindCommand(TWindowCommand::Rename), s).Enabled); // the file has gone
}

TEST_F(PageBookTest, RecoveredTextsGoToTheirPageAPageOfTheirNameOrANewUntitledOne) {
    const std::string a = file("a.txt");
    book.OpenFile(a);
    book.New();
    EXPECT_EQ(book.OpenRecoveredPage(a), 0); // open already: its page
    EXPECT_EQ(book.OpenRecoveredPage(kUntitledName), 2);
    type("recovered");
    const std::string gone = dir + "gone.txt";
    EXPECT_EQ(book.OpenRecoveredPage(gone), 3); // the file has gone: a page to save it again
    EXPECT_EQ(list.PathOf(3), gone);
    EXPECT_EQ(list.GetField(3, ffLoaded), "1");
}

} // namespace

namespace {

TEST(SaveFailure, TheMessageNamesTheRealCause) {
    if (!RunsAsOrdinaryUser()) return;
    TempDir d;
    const std::string folder = d / "closed/";
    TempDir::Write(folder + "mine.txt", "text");
    ::chmod(folder.c_str(), 0555);
    // The file may be written, its folder not: the folder is named, not the file.
    std::string error;
    EXPECT_FALSE(SaveDocumentFile(folder + "mine.txt", "new", &error));
    EXPECT_THAT(SaveFailureMessage(folder + "mine.txt", error),
                HasSubstr("フォルダ [" + folder + "] に書き込む許可がありません"));
    ::chmod(folder.c_str(), 0755);
    ::chmod((folder + "mine.txt").c_str(), 0444);
    EXPECT_THAT(SaveFailureCause(folder + "mine.txt", ""),
                HasSubstr("[" + folder + "mine.txt] に書き込む許可がありません"));
    EXPECT_THAT(SaveFailureCause(d / std::string(256, 'n'), ""),
                HasSubstr("ファイル名が長すぎます（256 バイト"));
    EXPECT_THAT(SaveFailureCause(d / "gone/x.txt", ""), HasSubstr("がありません"));
    EXPECT_EQ(SaveFailureCause(d / "fine.txt", "odd"), "");
}

} // namespace
