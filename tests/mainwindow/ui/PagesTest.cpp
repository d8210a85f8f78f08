// The pages in a window: tab mouse, recent menus, split view and the open-file list.
#include "mainwindow/ui/Pages.h"
#include "editor/ui/EditorWidget.h"
#include "mainwindow/ui/EditorPageEditor.h"
#include "platform/IniFile.h"

#include "../../support/RecordingSink.h"
#include "../../support/TempDir.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>

namespace {

class PagesTest : public ::testing::Test {
  protected:
    PagesTest() {
        pages = new TPages(&window, list, [this](QWidget* parent) {
            auto e = std::make_unique<TEditorPageEditor>(parent, sets);
            editors.push_back(e.get());
            return e;
        });
        pages->SetProgramFolder(dir.str());
        pages->Book().firstShow = false;
        pages->OnFileRead = [this](int, const std::string& path) { loads.push_back(path); };
        window.setCentralWidget(pages->PageControl1());
        pages->CreateRecentLists(dir / "Tolmo.rec", 8);
        pages->SetRecentMenus(&reOpen, &foReOpen, &folderReOpen);
        window.resize(600, 400);
        window.show();
    }
    std::string file(const std::string& name, const std::string& text = "abc") {
        TempDir::Write(dir / name, text);
        return dir / name;
    }
    TEditorPageEditor* active() { return pages->ActivePageEditor(); }
    static std::string text(TEditorPageEditor* e) { return e->Editor()->Core().Text(); }
    void click(int tab, Qt::MouseButton b, Qt::KeyboardModifiers mods) {
        QTabBar* bar = pages->PageControl1()->tabBar();
        QPoint p = bar->tabRect(tab).center();
        QMouseEvent press(QEvent::MouseButtonPress, p, bar->mapToGlobal(p), b, b, mods);
        QApplication::sendEvent(bar, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, p, bar->mapToGlobal(p), b, Qt::NoButton,
                            mods);
        QApplication::sendEvent(bar, &release);
    }

    TempDir dir;
    RecordingSink sink;
    QMainWindow window;
    QMenu reOpen, foReOpen, folderReOpen;
    TMyFileList list;
    TPagePropSets sets;
    std::vector<TEditorPageEditor*> editors;
    std::vector<std::string> loads; // files read, in order
    TPages* pages;
};

TEST_F(PagesTest, CtrlRightClickClosesAnInactiveTabAndAClickOnAnotherSavesThePageFirst) {
    for (auto [name, text] : {std::pair{"x.txt", "x"}, {"a.txt", "one"}, {"b.txt", "b"}})
        pages->Book().OpenFile(file(name, text));
    click(0, Qt::RightButton, Qt::ControlModifier);
    ASSERT_EQ(pages->PageControl1()->count(), 2);
    EXPECT_EQ(pages->PageControl1()->tabText(0), " a ");
    EXPECT_EQ(list.GetField(0, ffName), "a.txt");
    pages->SetActivePage(0);
    active()->Editor()->InsertUtf16("two\n");
    click(1, Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(pages->ActivePage(), 1);
    EXPECT_EQ(TempDir::Read(dir / "a.txt"), "two\r\none"); // KnKakunin: saved without a question
    EXPECT_FALSE(pages->IsModified(0));
    EXPECT_TRUE(sink.boxes.empty());
}

TEST_F(PagesTest, RecentMenusFollowCloses) {
    std::string a = file("a&b.txt"), b = file("b.txt");
    pages->Book().OpenFile(a);
    EXPECT_EQ(pages->PageControl1()->tabText(0), " a&&b "); // "&" shown, not a mnemonic
    pages->Book().OpenFile(b);
    pages->Book().ClosePage();
    pages->SetActivePage(0);
    pages->Book().ClosePage();
    ASSERT_EQ(reOpen.actions().size(), 2);
    EXPECT_EQ(reOpen.actions()[0]->text(), QString::fromStdString(dir / "a&&b.txt"));
    EXPECT_EQ(foReOpen.actions().size(), 1);
    // Clicking a recent file opens it (into the untitled page that closing left).
    reOpen.actions()[1]->trigger();
    EXPECT_EQ(pages->PageCount(), 1);
    EXPECT_EQ(list.PathOf(0), b);
}

TEST_F(PagesTest, SplitSharesTheTextAndUnsplitKeepsIt) {
    pages->Book().OpenFile(file("a.txt", "top"));
    pages->ToggleSplit();
    ASSERT_TRUE(pages->IsSplit(0));
    auto* upper = active();
    ASSERT_NE(upper, editors[0]);
    upper->Editor()->InsertUtf16("typed above ");
    EXPECT_EQ(text(editors[0]), "typed above top");
    pages->ToggleSplit();
    EXPECT_FALSE(pages->IsSplit(0));
    EXPECT_EQ(active(), editors[0]);
    EXPECT_TRUE(pages->IsModified(0));
    // Closing a split page unsplits it first.
    pages->ToggleSplit();
    sink.choices = {1}; // 破棄
    pages->Book().knKakunin = false;
    EXPECT_TRUE(pages->Book().ClosePage());
}

// Writing the list at the end is the end-to-end test's.
TEST_F(PagesTest, FileListIsReadAtStartLazily) {
    TIniFile ini(dir / "Tolmo.ini");
    ini.WriteString("MyFileList", "Count", "5");
    for (int i = 0; i < 5; ++i) {
        const std::string name = "p" + std::to_string(i) + ".txt";
        file(name);
        ini.WriteString("MyFileList", "File" + std::to_string(i), name + "," + dir.str());
    }
    pages->SetPageToActivate(3);
    pages->FirstShow(ini, {});
    ASSERT_EQ(pages->PageCount(), 5);
    EXPECT_EQ(pages->ActivePage(), 3);
    EXPECT_EQ(loads, std::vector<std::string>{dir / "p3.txt"}); // the others are not read
}

} // namespace
