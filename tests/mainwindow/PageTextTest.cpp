// A page's control without its widget: reading and writing its file, its caret and its look.
#include "FakePageHost.h"

#include "syntax/SyntaxInstances.h"

#include "../support/RecordingAsker.h"

namespace {

TEST(PageText, ReadsLineEndsAndKeepsTextAfterAnEndOfFileMark) {
    TempDir d;
    TPagePropSets sets;
    CorePage p(sets);
    std::string err;
    TempDir::Write(d / "a.txt", "one\ntwo \x82\xa0\rthree\r\n\x1a"
                                "after eof");
    ASSERT_TRUE(p.LoadFromFile(d / "a.txt", &err)) << err;
    EXPECT_FALSE(p.Modified());
    const std::string read = "one\r\ntwo \x82\xa0\r\nthree\r\n\x1a"
                             "after eof";
    EXPECT_EQ(p.c.Text(), read);
    p.SetCaretRow(2);
    EXPECT_EQ(p.CaretInfo().line, 2);
    p.SetCaretRow(99); // beyond the text: the last position
    EXPECT_LE(p.CaretRow(), 3);
    // A failed load keeps the text; clearing it is one undo step.
    EXPECT_FALSE(p.LoadFromFile(d / "missing.txt", &err));
    EXPECT_FALSE(err.empty());
    p.ClearText();
    EXPECT_EQ(p.c.Text(), "");
    p.c.Undo();
    EXPECT_EQ(p.c.Text(), read);
}

TEST(PageText, ARereadIsOneUndoStepThatBringsBackTheEditedTextWithItsCharacters) {
    TempDir d;
    TPagePropSets sets;
    CorePage p(sets);
    std::string err, bytes;
    // A UTF-8 page whose characters beyond Shift-JIS live in the page's table.
    TempDir::Write(d / "u.txt", "😀 one\nline two\n");
    ASSERT_TRUE(p.LoadFromFile(d / "u.txt", &err)) << err;
    p.c.SetCaret(1, 4);
    p.c.InsertTyped("typed");
    const std::string edited = p.c.Text();
    // Another program writes other characters beyond Shift-JIS; the page reads the file again.
    TempDir::Write(d / "u.txt", "🎉 new\n🍣\n");
    ASSERT_TRUE(p.Reread(d / "u.txt", &err)) << err;
    EXPECT_FALSE(p.Modified());
    ASSERT_TRUE(p.FileBytes(&bytes, &err)) << err;
    EXPECT_EQ(bytes, "🎉 new\n🍣\n");
    EXPECT_EQ(p.CaretRow(), 1); // typing goes on where it was
    p.c.Undo();
    EXPECT_EQ(p.c.Text(), edited);
    ASSERT_TRUE(p.FileBytes(&bytes, &err)) << err;
    EXPECT_EQ(bytes, "😀 one\nlinetyped two\n");
    // A file that has gone is not read; the text stays.
    EXPECT_FALSE(p.Reread(d / "missing.txt", &err));
    EXPECT_EQ(p.c.Text(), edited);
}

TEST(PageText, PropertySetAndColouringFollowTheExtension) {
    auto delphi = CreateDelphiFountain1();
    auto html = CreateHTMLFountain1();
    TPagePropSets sets;
    sets.SetFountains({delphi.get(), html.get()});
    CorePage p(sets);
    p.ApplyPropertiesFor("/x/page.HTM");
    EXPECT_EQ(p.c.Fountain(), html.get());
    EXPECT_FALSE(p.c.GetWordWrap()); // the HTML set does not wrap
    p.ApplyPropertiesFor("/x/unit.inc");
    EXPECT_EQ(p.c.Fountain(), delphi.get());
    TEditorCore partner; // the split view colours alike
    p.ShareLookWith(partner);
    EXPECT_EQ(partner.Fountain(), delphi.get());
    // Saving under another name re-applies the sets to a page with text: the text stays as it
    // was, unmodified.
    p.c.SetText(std::string(300, 'x') + "\r\n<p>\r\n");
    p.SetModified(false);
    p.ApplyPropertiesFor("/x/memo.txt");
    EXPECT_EQ(p.c.Fountain(), nullptr); // plain colours
    EXPECT_TRUE(p.c.GetWordWrap());     // the default set wraps
    EXPECT_FALSE(p.Modified());
    EXPECT_EQ(p.c.Text(), std::string(300, 'x') + "\r\n<p>\r\n");
}

TEST(PageText, EveryLineKeepsItsEndLossesRefusedAndBinaryFilesAsked) {
    TempDir d;
    TPagePropSets sets;
    CorePage p(sets);
    std::string err, bytes;
    // Mixed line ends are written back as they were read, without a word; a line typed takes
    // the most frequent end.
    TempDir::Write(d / "m.txt", "a\nb\rc\nd\r\n");
    ASSERT_TRUE(p.LoadFromFile(d / "m.txt", &err)) << err;
    p.c.InsertTyped("new");
    p.c.KeyReturn(false);
    ASSERT_TRUE(p.FileBytes(&bytes, &err)) << err;
    EXPECT_EQ(bytes, "new\na\nb\rc\nd\r\n");
    EXPECT_TRUE(p.told.boxes.empty());
    // What a save does leave out, an end-of-file mark, is told once, before the first save.
    TempDir::Write(d / "eof.txt", "text\r\n\x1a\r\n");
    ASSERT_TRUE(p.LoadFromFile(d / "eof.txt", &err)) << err;
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(p.SaveToFile(d / "eof.txt", &err)) << err;
    EXPECT_EQ(TempDir::Read(d / "eof.txt"), "text\r\n");
    EXPECT_EQ(p.told.texts(),
              std::vector<std::string>{"このファイルの末尾にあった終端記号 (0x1A) と"
                                       "その後の改行 (合わせて 3 バイト) は、保存"
                                       "すると無くなります。"});
    p.told.boxes.clear();
    // A UTF-8 page with an emoji cannot be written as Shift-JIS: nothing is written.
    TempDir::Write(d / "e.txt", "😀\n");
    ASSERT_TRUE(p.LoadFromFile(d / "e.txt", &err)) << err;
    p.Document()->format.encoding = TEncoding::ShiftJis;
    EXPECT_FALSE(p.FileBytes(&bytes, &err));
    EXPECT_NE(err.find("1 文字"), std::string::npos) << err;
    // A binary file asks first and then keeps every byte the user did not edit: an executable's
    // CR and LF bytes, a PNG header, UTF-16 without a byte-order mark.
    const std::string binary("\x7F"
                             "ELF\0\0\x01\r\x89PNG\r\n\x1a\n\r\rZ\n\n\r",
                             22);
    TempDir::Write(d / "b.bin", binary);
    p.told.answers = {false, true};
    EXPECT_FALSE(p.LoadFromFile(d / "b.bin", &err));
    EXPECT_FALSE(err.empty());
    ASSERT_TRUE(p.LoadFromFile(d / "b.bin", &err)) << err;
    p.c.InsertTyped("Q");
    ASSERT_TRUE(p.FileBytes(&bytes, &err)) << err;
    EXPECT_EQ(bytes, "Q" + binary);
    for (const std::string& file :
         {std::string("a\0\r\0b\0\n\0c\0\r\0\n\0", 14), std::string("\0\x01\x1a\r\n", 5)}) {
        TempDir::Write(d / "u.txt", file);
        p.told.answers = {true};
        ASSERT_TRUE(p.LoadFromFile(d / "u.txt", &err)) << err;
        ASSERT_TRUE(p.SaveToFile(d / "u.txt", &err)) << err;
        EXPECT_EQ(TempDir::Read(d / "u.txt"), file);
    }
    // EUC-JP kana read as Shift-JIS on request: the bytes stay the same.
    TempDir::Write(d / "k.txt", "\xA4\xA2\xA4\xA4");
    ASSERT_TRUE(p.ReloadAs(d / "k.txt", TEncoding::ShiftJis, &err)) << err;
    EXPECT_EQ(p.Document()->format.encoding, TEncoding::ShiftJis);
    ASSERT_TRUE(p.LoadFromFile(d / "k.txt", &err)) << err;
    EXPECT_EQ(p.Document()->format.encoding, TEncoding::EucJp);
    ASSERT_TRUE(p.FileBytes(&bytes, &err)) << err;
    EXPECT_EQ(bytes, "\xA4\xA2\xA4\xA4");
}

} // namespace
