// A page in its file's own encoding: UTF-8 with LF kept through typing, search for a character
// beyond CP932, the question that turns a Shift-JIS page into UTF-8, mixed line ends told once,
// losses refused on saving, and the binary question.
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
    // The clipboard text of the page is the characters themselves.
    p.e.Editor()->Core().SelectAll();
    p.e.Editor()->RunCommand(TEditorCommand::Copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QString::fromUtf8("日本〜🎌" + original).replace('\n', "\r\n"));
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
    {
        Page p;
        RecordingSink sink;
        sink.answers = {true};
        std::string err;
        ASSERT_TRUE(p.e.LoadFromFile(d / "s.txt", &err)) << err;
        EXPECT_EQ(p.e.Document()->StatusText(), "Shift-JIS / CRLF");
        p.e.Editor()->InsertUtf16(QStringLiteral("〜"));
        EXPECT_TRUE(sink.boxes.empty()); // CP932 holds the wave dash: no question
        p.e.Editor()->InsertUtf16(QStringLiteral("😀"));
        ASSERT_EQ(sink.boxes.size(), 1u);
        EXPECT_EQ(p.e.Document()->StatusText(), "UTF-8 / CRLF");
        // The wave dash typed while the page was Shift-JIS is CP932's 0x8160 (U+FF5E) by then.
        EXPECT_EQ(p.Bytes(), "～😀abc\r\n");
    }
    {
        Page p;
        RecordingSink sink;
        sink.answers = {false};
        std::string err;
        ASSERT_TRUE(p.e.LoadFromFile(d / "s.txt", &err)) << err;
        QString warning;
        p.e.Editor()->WarningHandler = [&warning](const QString& w) { warning = w; };
        p.e.Editor()->InsertUtf16(QStringLiteral("😀"));
        EXPECT_EQ(p.Bytes(), "?abc\r\n");
        EXPECT_EQ(sink.boxes.size(), 1u);
        EXPECT_TRUE(warning.contains(QStringLiteral("1 文字"))) << warning.toStdString();
    }
}

TEST(PageEncoding, MixedLineEndsAreToldOnceAndLossesRefused) {
    TempDir d;
    TempDir::Write(d / "m.txt", "a\nb\nc\r\n");
    Page p;
    RecordingSink sink;
    std::string err, bytes;
    ASSERT_TRUE(p.e.LoadFromFile(d / "m.txt", &err)) << err;
    ASSERT_TRUE(p.e.FileBytes(&bytes, &err));
    EXPECT_EQ(bytes, "a\nb\nc\n");
    ASSERT_TRUE(p.e.FileBytes(&bytes, &err));
    EXPECT_EQ(sink.boxes.size(), 1u);
    // A UTF-8 page with an emoji cannot be written as Shift-JIS: nothing is written.
    TempDir::Write(d / "e.txt", "😀\n");
    ASSERT_TRUE(p.e.LoadFromFile(d / "e.txt", &err)) << err;
    p.e.Document()->format.encoding = TEncoding::ShiftJis;
    EXPECT_FALSE(p.e.FileBytes(&bytes, &err));
    EXPECT_NE(err.find("1 文字"), std::string::npos) << err;
}

TEST(PageEncoding, BinaryFileAsksAndChosenEncodingWins) {
    TempDir d;
    TempDir::Write(d / "b.bin", std::string("\x7F"
                                            "ELF\0\0\x01",
                                            7));
    Page p;
    RecordingSink sink;
    sink.answers = {false, true};
    std::string err;
    EXPECT_FALSE(p.e.LoadFromFile(d / "b.bin", &err));
    EXPECT_FALSE(err.empty());
    ASSERT_TRUE(p.e.LoadFromFile(d / "b.bin", &err)) << err;
    EXPECT_EQ(p.Bytes(), std::string("\x7F"
                                     "ELF\0\0\x01",
                                     7));
    // EUC-JP kana read as Shift-JIS on request: the bytes stay the same.
    TempDir::Write(d / "k.txt", "\xA4\xA2\xA4\xA4");
    ASSERT_TRUE(p.e.ReloadAs(d / "k.txt", TEncoding::ShiftJis, &err)) << err;
    EXPECT_EQ(p.e.Document()->format.encoding, TEncoding::ShiftJis);
    ASSERT_TRUE(p.e.LoadFromFile(d / "k.txt", &err)) << err;
    EXPECT_EQ(p.e.Document()->format.encoding, TEncoding::EucJp);
    EXPECT_EQ(p.Bytes(), "\xA4\xA2\xA4\xA4");
}

} // namespace
