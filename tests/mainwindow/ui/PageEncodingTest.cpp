// Typing into a page in its file's own encoding, and a Shift-JIS page that becomes UTF-8.
#include "editor/ui/EditorWidget.h"
#include "mainwindow/ui/EditorPageEditor.h"
#include "search/EditorSearch.h"
#include "search/FindReplaceCommands.h"

#include "../../support/RecordingSink.h"
#include "../../support/TempDir.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QWidget>

namespace {

struct Page {
    TPagePropSets sets;
    QWidget parent;
    TEditorPageEditor e{&parent, sets};
    std::string Bytes() {
        std::string b, err;
        EXPECT_TRUE(e.FileBytes(&b, &err)) << err;
        return b;
    }
};

TEST(PageEncoding, Utf8LfFileKeepsItsFormThroughTyping) {
    TempDir d;
    const std::string original = "line 😀 é\nあ〜\n";
    TempDir::Write(d / "u.txt", original);
    Page p;
    std::string err;
    ASSERT_TRUE(p.e.LoadFromFile(d / "u.txt", &err)) << err;
    EXPECT_EQ(p.e.Document()->StatusText(), "UTF-8 / LF");
    EXPECT_EQ(p.Bytes(), original);
    p.e.Editor()->InsertUtf16(QStringLiteral("日本〜🎌"));
    EXPECT_EQ(p.Bytes(), "日本〜🎌" + original);
    // The clipboard text of the page is the characters themselves, lines ending in LF.
    p.e.Editor()->Core().SelectAll();
    p.e.Editor()->RunCommand(TEditorCommand::Copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("日本〜🎌" + original));
    // Search finds the emoji of the file (a table character) and not the one typed elsewhere.
    std::string pattern;
    ASSERT_TRUE(SearchTextBytes("😀", pattern, p.e.Editor()->DocTable()));
    p.e.Editor()->Core().SetSelStart(0);
    ASSERT_TRUE(EditorCoreSearch(p.e.Editor()->Core(), pattern, soDown));
    EXPECT_EQ(p.e.Editor()->Core().Row(), 0);
    EXPECT_FALSE(SearchTextBytes("🍣", pattern, p.e.Editor()->DocTable()));
}

TEST(PageEncoding, ShiftJisPageAsksBeforeBecomingUtf8) {
    TempDir d;
    TempDir::Write(d / "s.txt", "abc\r\n");
    for (const bool yes : {true, false}) {
        Page p;
        RecordingSink sink;
        sink.answers = {yes};
        std::string err;
        ASSERT_TRUE(p.e.LoadFromFile(d / "s.txt", &err)) << err;
        EXPECT_EQ(p.e.Document()->StatusText(), "Shift-JIS / CRLF");
        QString warning; // the character that could not be kept
        p.e.Editor()->WarningHandler = [&warning](const QString& w) { warning = w; };
        p.e.Editor()->InsertUtf16(QStringLiteral("〜"));
        EXPECT_TRUE(sink.boxes.empty()); // CP932 holds the wave dash: no question
        p.e.Editor()->InsertUtf16(QStringLiteral("😀"));
        EXPECT_EQ(sink.boxes.size(), 1u);
        EXPECT_EQ(warning.contains(QStringLiteral("1 文字")), !yes);
        // The wave dash typed while the page was Shift-JIS is CP932's 0x8160 (U+FF5E) by then.
        EXPECT_EQ(p.Bytes(), yes ? "～😀abc\r\n" : "\x81\x60?abc\r\n");
    }
}

} // namespace
