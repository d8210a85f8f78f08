// The program's page control over TEditor: loading, the bytes written back, the modified state,
// the caret fields and the property set chosen by extension.
#include "mainwindow/ui/EditorPageEditor.h"
#include "editor/ui/EditorWidget.h"
#include "mainwindow/ui/Pages.h"
#include "syntax/SyntaxInstances.h"

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

TEST_F(PageEditorTest, LoadsShiftJisAndWritesCrLf) {
    TempDir d;
    TempDir::Write(d / "a.txt", std::string("one\ntwo \x82\xa0\rthree\r\n\x1a"
                                            "after eof"));
    std::string err;
    ASSERT_TRUE(e.LoadFromFile(d / "a.txt", &err)) << err;
    EXPECT_FALSE(e.Modified());
    EXPECT_EQ(Text(e), std::string("one\r\ntwo \x82\xa0\r\nthree\r\n\x1a"
                                   "after eof"));
    e.SetCaretRow(2);
    EXPECT_EQ(e.CaretRow(), 2);
    EXPECT_EQ(e.CaretInfo().line, 2);
    e.SetCaretRow(99); // beyond the text: the last position
    EXPECT_LE(e.CaretRow(), 3);
    // A failed load keeps the text.
    EXPECT_FALSE(e.LoadFromFile(d / "missing.txt", &err));
    EXPECT_FALSE(err.empty());
    EXPECT_EQ(Text(e).substr(0, 3), "one");
}

TEST_F(PageEditorTest, EofMarkWithTextAfterItIsKeptThroughAnEdit) {
    TempDir d;
    std::string err;
    // text after the 0x1A: every byte stays, also after typing at the start
    TempDir::Write(d / "a.txt", std::string("abc\x1a"
                                            "def\r\n"));
    ASSERT_TRUE(e.LoadFromFile(d / "a.txt", &err)) << err;
    e.Editor()->Core().InsertTyped("x");
    EXPECT_EQ(Text(e), std::string("xabc\x1a"
                                   "def\r\n"));
    // a 0x1A that ends the file (only line ends after it) is dropped as before
    TempDir::Write(d / "b.txt", std::string("abc\x1a\r\n"));
    ASSERT_TRUE(e.LoadFromFile(d / "b.txt", &err)) << err;
    e.Editor()->Core().InsertTyped("x");
    EXPECT_EQ(Text(e), "xabc");
}

TEST_F(PageEditorTest, ClearEmptiesThePageUndoably) {
    e.Editor()->SetText("one\r\ntwo\r\n");
    e.ClearText();
    EXPECT_EQ(Text(e), "");
    e.Editor()->Core().Undo();
    EXPECT_EQ(Text(e), "one\r\ntwo\r\n");
}

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

TEST_F(PageEditorTest, PropertySetFollowsTheExtension) {
    e.ApplyPropertiesFor("/x/page.html");
    EXPECT_FALSE(e.Editor()->Core().GetWordWrap()); // the HTML set does not wrap
    e.ApplyPropertiesFor("/x/memo.txt");
    EXPECT_TRUE(e.Editor()->Core().GetWordWrap()); // the default set wraps
    e.ApplyPropertiesFor("/x/unit.PAS");
    EXPECT_FALSE(e.Editor()->Core().GetWordWrap());
}

TEST(EditorPageEditor, ColouringDefinitionFollowsTheExtension) {
    auto delphi = CreateDelphiFountain1();
    auto html = CreateHTMLFountain1();
    TPagePropSets sets;
    sets.SetFountains({delphi.get(), html.get()});
    QWidget parent;
    TEditorPageEditor e(&parent, sets);
    TEditorCore& c = e.Editor()->Core();
    e.ApplyPropertiesFor("/x/page.HTM");
    EXPECT_EQ(c.Fountain(), html.get());
    e.ApplyPropertiesFor("/x/unit.inc");
    EXPECT_EQ(c.Fountain(), delphi.get());
    auto upper = e.CreatePartner(&parent); // the split view colours alike
    EXPECT_EQ(upper->Editor()->Core().Fountain(), delphi.get());
    upper.reset();
    // Saving under another name re-applies the sets to a page with text: the text stays as it
    // was, unmodified.
    e.Editor()->SetText(std::string(300, 'x') + "\r\n<p>\r\n");
    e.SetModified(false);
    e.ApplyPropertiesFor("/x/memo.txt");
    EXPECT_EQ(c.Fountain(), nullptr); // plain colours
    EXPECT_FALSE(e.Modified());
    EXPECT_EQ(Text(e), std::string(300, 'x') + "\r\n<p>\r\n");
    e.ApplyPropertiesFor("/x.html/noext");
    EXPECT_EQ(c.Fountain(), nullptr);
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
