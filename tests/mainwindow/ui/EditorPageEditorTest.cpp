// The page control over TEditor: typing reaches the page's modified state, and the upper half of
// a split page is saved with it.
#include "mainwindow/ui/EditorPageEditor.h"
#include "editor/ui/EditorWidget.h"
#include "mainwindow/ui/Pages.h"

#include "../../support/TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QWidget>

namespace {

std::string Text(const TEditorPageEditor& p) {
    return p.Editor()->Core().Text();
}

// A page editor on its own, with the program's property sets.
struct PageEditorTest : ::testing::Test {
    TPagePropSets sets;
    QWidget parent;
    TEditorPageEditor e{&parent, sets};
};

TEST_F(PageEditorTest, TypingMarksModified) {
    int changes = 0;
    e.OnChange = [&] { ++changes; };
    QKeyEvent k(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(e.Widget(), &k);
    EXPECT_TRUE(e.Modified());
    EXPECT_GT(changes, 0);
    EXPECT_EQ(Text(e), "a");
    e.SetModified(false);
    EXPECT_FALSE(e.Modified());
    e.SetReadOnly(true);
    QApplication::sendEvent(e.Widget(), &k);
    EXPECT_EQ(Text(e), "a");
}

TEST(EditorPageEditor, TextTypedInTheUpperHalfIsSavedAtExit) {
    TempDir d;
    TempDir::Write(d / "a.txt", "top\r\n");
    TPagePropSets sets;
    QMainWindow w;
    TMyFileList list;
    TPages pages(&w, list, [&sets](QWidget* parent) {
        return std::make_unique<TEditorPageEditor>(parent, sets);
    });
    pages.Book().firstShow = false;
    pages.SetProgramFolder(d.str());
    ASSERT_TRUE(pages.Book().OpenFile(d / "a.txt"));
    pages.ToggleSplit();
    ASSERT_TRUE(pages.IsSplit(0));
    QKeyEvent k(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, "Z");
    QApplication::sendEvent(pages.ActivePageEditor()->Widget(), &k);
    EXPECT_EQ(Text(*pages.ActivePageEditor()), "Ztop\r\n");
    EXPECT_TRUE(pages.ActivePageEditor()->Modified());
    EXPECT_TRUE(pages.IsModified(0));
    EXPECT_TRUE(pages.CloseQuery());
    EXPECT_EQ(TempDir::Read(d / "a.txt"), "Ztop\r\n");
}

} // namespace
