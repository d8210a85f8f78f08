// The page control over TEditor: typing reaches the page's modified state.
#include "mainwindow/ui/EditorPageEditor.h"
#include "editor/ui/EditorWidget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
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

} // namespace
