// The encodings and formats of pages: remembered choices, new pages and recovered pages.
#include "mainwindow/pages/DocumentEncoding.h"

#include "../support/RecordingAsker.h"
#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(DocumentEncoding, ChosenEncodingsSurviveARestart) {
    TempDir d;
    {
        TEncodingChoices c;
        c.Load(d / "Tolmo.enc");
        c.Set("/home/u/a b.txt", TEncoding::EucJp);
        c.Set("/home/u/x.txt", TEncoding::Utf16LE);
        c.Forget("/home/u/x.txt");
        ASSERT_TRUE(c.Save());
    }
    TEncodingChoices again;
    again.Load(d / "Tolmo.enc");
    TEncoding e{};
    EXPECT_TRUE(again.Find("/home/u/a b.txt", &e) && e == TEncoding::EucJp);
    EXPECT_FALSE(again.Find("/home/u/x.txt", &e));
}

TEST(DocumentEncoding, AChosenSaveFormatDropsTheLineEndsAsRead) {
    TPageDocument d;
    d.lineEnds.crlf = 3;
    EXPECT_FALSE(SetPageFormat(d, d.format));
    EXPECT_EQ(d.lineEnds.crlf, 3);
    TFileFormat f = d.format;
    f.lineEnd = TLineEndStyle::Lf;
    EXPECT_TRUE(SetPageFormat(d, f));
    EXPECT_TRUE(d.format == f && d.lineEnds.crlf == 0);
    // The menu checks the chosen format; a read-only page offers none, an untitled no reopening.
    const TEncodingMenuState m = EncodingMenuState(d, false, true);
    EXPECT_EQ(m.LineEnd, LineEndName(TLineEndStyle::Lf));
    EXPECT_FALSE(m.Reopen || m.Format);
    // A byte-order mark is read from the file, so it is never offered for reopening.
    const std::vector<TEncoding> reopen = ReopenEncodings();
    EXPECT_EQ(std::count(reopen.begin(), reopen.end(), TEncoding::Utf8), 1);
}

TEST(DocumentEncoding, NewPageFormatFromTheSettings) {
    const TFileFormat f = ParseNewPageFormat("utf-8 bom", "lf");
    EXPECT_EQ(f, (TFileFormat{TEncoding::Utf8, true, TLineEndStyle::Lf}));
    EXPECT_EQ(ParseNewPageFormat("KOI8-R", "NEL"), TFileFormat{}); // unknown: the defaults
    // A menu choice changes only its own part of the format; an unknown name changes nothing.
    TFileFormat chosen = f;
    EXPECT_TRUE(ApplyFormatChoice("CR", chosen));
    EXPECT_FALSE(ApplyFormatChoice("KOI8-R", chosen));
    EXPECT_EQ(chosen, (TFileFormat{TEncoding::Utf8, true, TLineEndStyle::Cr}));
    // A pure ASCII file is read as a new page would be written, without a byte-order mark.
    TempDir d;
    TempDir::Write(d / "a.txt", "plain\r\n");
    SetNewPageFormat(f);
    TDecodedDocument doc;
    std::string err;
    RecordingAsker asker;
    ASSERT_TRUE(ReadPageDocument(asker, d / "a.txt", nullptr, &doc, &err)) << err;
    // The file's own line ends, without a question.
    EXPECT_EQ(doc.format, (TFileFormat{TEncoding::Utf8, false, TLineEndStyle::CrLf}));
    EXPECT_TRUE(asker.boxes.empty());
    SetNewPageFormat({});
}

// A UTF-8 page with characters beyond CP932 comes back from its recovery file as the same
// characters in the same format, and the offered line is read as characters on both sides.
TEST(DocumentEncoding, RecoveredPageKeepsItsFormatAndCharacters) {
    TPageDocument page;
    page.format = {TEncoding::Utf8, false, TLineEndStyle::Lf};
    page.table = std::make_shared<TCharTable>();
    page.table->CodeFor(U'é');
    const std::string text = Utf8ToDocument("café\r\n絵文字😀\r\n", page.table.get());
    TRecoveryRecord r;
    r.Path = "/memo/a.txt";
    r.Text = text;
    DescribeForRecovery(page, r);
    TRecoveryRecord back = r; // as its recovery file gives it back

    TPageDocument restored; // as the page of the file on disk opened it: Shift-JIS
    ASSERT_TRUE(RestoreFromRecovery(back, restored));
    EXPECT_EQ(restored.format, page.format);
    ASSERT_TRUE(restored.table);
    EXPECT_EQ(DocumentToUtf8(back.Text, restored.table.get()), "café\r\n絵文字😀\r\n");
    EXPECT_EQ(RecoveryOfferLine(back, "café\n絵文字\n", true), "絵文字😀");
    EXPECT_EQ(RecoveryOfferLine(back, "", false), "café");
    // A damaged table still restores the text, with its codes read as plain CP932.
    back.Table = "F040=";
    EXPECT_FALSE(RestoreFromRecovery(back, restored));
    ASSERT_TRUE(restored.table);
    EXPECT_EQ(restored.table->Entry(0xF040)->ch, U'\uE000');
}

// Characters an EUC-JP or ISO-2022-JP page cannot hold in their strict form are asked about as
// they enter, as in a Shift-JIS page; the JIS forms and what the file already uses go in as they
// are.
TEST(DocumentEncoding, UnholdableCharactersAreAskedAboutAtOnce) {
    RecordingAsker asker;
    auto page = [](const std::string& bytes, TEncoding e) {
        TDecodedDocument decoded = DecodeDocument(bytes, e);
        TPageDocument d;
        d.format = decoded.format;
        d.table = decoded.table;
        return d;
    };
    const auto text = [] { return std::string("x"); };
    bool switched = false;
    TPageDocument euc = page("x", TEncoding::EucJp);
    std::u16string typed = u"〜−‖¢£¬―—丂";
    EXPECT_EQ(TakeEnteringText(asker, euc, text, typed, &switched), 0u);
    EXPECT_TRUE(asker.boxes.empty());
    for (TEncoding e : {TEncoding::EucJp, TEncoding::Iso2022Jp}) {
        TPageDocument d = page("x", e);
        asker.answers = {false};
        typed = u"a①😀";
        EXPECT_EQ(TakeEnteringText(asker, d, text, typed, &switched), 2u);
        EXPECT_EQ(typed, u"a??");
        EXPECT_FALSE(switched);
        asker.answers = {true};
        typed = u"①";
        EXPECT_EQ(TakeEnteringText(asker, d, text, typed, &switched), 0u);
        EXPECT_TRUE(switched && d.format.encoding == TEncoding::Utf8 && typed == u"①");
    }
    ASSERT_EQ(asker.boxes.size(), 4u);
    EXPECT_NE(asker.boxes[0].text.find("EUC-JP で表せない文字"), std::string::npos);
    // A file that already has the NEC row keeps using it.
    TPageDocument nec = page("\xAD\xA1", TEncoding::EucJp);
    typed = u"②";
    EXPECT_EQ(TakeEnteringText(asker, nec, text, typed, &switched), 0u);
    EXPECT_EQ(asker.boxes.size(), 4u);
    EXPECT_EQ(EncodeDocument(Utf16ToDocument(typed, nec.table.get()), nec.format, nec.table.get()),
              "\xAD\xA2");
}
