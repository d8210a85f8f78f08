// Writing a row store's text block by block: each line's own end survives edits, undo and
// re-wrap; the blocks give the same bytes as the whole text encoded at once.
#include "text/DocumentWriter.h"
#include "text/RowStore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Written(const TEditorScreenStrings& store, const TFileFormat& f,
                    const TCharTable* table = nullptr, bool own = true, std::size_t block = 1 << 20,
                    TEncodeReport* report = nullptr) {
    std::string out;
    WriteDocumentBlocks(
        store.Snapshot(), f, table, own,
        [&](std::string_view b) {
            out.append(b);
            return true;
        },
        report, block);
    return out;
}

TFileFormat Format(TEncoding e, TLineEndStyle l, bool bom = false) {
    TFileFormat f;
    f.encoding = e;
    f.lineEnd = l;
    f.bom = bom;
    return f;
}

} // namespace

TEST(DocumentWriter, EveryLineKeepsItsOwnEndThroughEditsUndoAndRewrap) {
    const TFileFormat lf = Format(TEncoding::ShiftJis, TLineEndStyle::Lf);
    // A binary file's header and lines ending in CR LF, CR, LF, an empty line with CR.
    const std::string bytes = "\x89PNG\r\n\x1a\none\r\ntwo\rthree\nfour\r\n\rlast";
    TEditorScreenStrings store;
    store.ExpectFileLineEnds(leLf);
    store.TakeText(std::string(bytes));
    EXPECT_EQ(Written(store, lf), bytes);
    EXPECT_EQ(store.RowLineEnd(0), leCrLf);
    EXPECT_EQ(store.RowLineEnd(1), leUsual);

    // As the editor edits: a letter typed in "two", Return at the end of "one", "three" and
    // "four" joined. Only the edited bytes change; a new line takes the usual end.
    store.UpdateList(3, 1, "twXo\r\n");
    store.UpdateList(2, 1, "one\r\n\r\n");
    ASSERT_EQ(store.RowText(5), "three");
    store.UpdateList(5, 2, "threefour\r\n");
    const std::string edited = "\x89PNG\r\n\x1a\none\r\n\ntwXo\rthreefour\r\n\rlast";
    EXPECT_EQ(Written(store, lf), edited);
    // Whole lines deleted and brought back by undo keep their ends too.
    store.UpdateList(3, 2, "");
    EXPECT_EQ(Written(store, lf), "\x89PNG\r\n\x1a\none\r\nthreefour\r\n\rlast");
    for (int i = 0; i < 4; ++i)
        store.Undo();
    EXPECT_EQ(Written(store, lf), bytes);

    // Word wrap cuts and joins rows; the lines keep their ends.
    TEditorWrapOption narrow;
    narrow.SetWrapByte(20);
    store.SetWrapOption(narrow);
    store.SetWordWrap(true);
    store.UpdateList(0, 1, "a long first line that wraps\r\n\x89PNG\r\n");
    store.SetWordWrap(false);
    EXPECT_EQ(Written(store, lf), "a long first line that wraps\n" + bytes);
    // The page's own choice of line ends goes for every line; a text that is not a file's has
    // only the usual ends.
    EXPECT_EQ(Written(store, lf, nullptr, false),
              "a long first line that wraps\n\x89PNG\n\x1a\none\ntwo\nthree\nfour\n\nlast");
    store.SetText("a\r\nb\r\n");
    EXPECT_EQ(Written(store, lf), "a\nb\n");
}

TEST(DocumentWriter, BlocksGiveTheBytesOfTheWholeTextAndCountEveryLoss) {
    // Rows shorter and longer than a block, two-byte characters across the cuts.
    std::string text = "\x83\x81\x83\x82 memo\r\n";
    for (int i = 0; i < 6; ++i)
        text += std::string(i * 7, 'x') + "\x8a\xbf\x8e\x9a\x82\xa0\r\n";
    text += "\x82\xa0\x82\xa2 end";
    TEditorScreenStrings store;
    store.SetText(text);
    const TFileFormat formats[] = {
        Format(TEncoding::ShiftJis, TLineEndStyle::CrLf),
        Format(TEncoding::ShiftJis, TLineEndStyle::Cr),
        Format(TEncoding::Utf8, TLineEndStyle::Lf, true),
        Format(TEncoding::Utf16BE, TLineEndStyle::CrLf, true),
        Format(TEncoding::EucJp, TLineEndStyle::Lf),
        Format(TEncoding::Iso2022Jp, TLineEndStyle::CrLf),
    };
    for (const TFileFormat& f : formats)
        for (std::size_t block : {std::size_t{5}, std::size_t{16}, std::size_t{1} << 20})
            EXPECT_EQ(Written(store, f, nullptr, true, block), EncodeDocument(text, f, nullptr))
                << EncodingName(f.encoding, f.bom) << " block " << block;
    // An empty text with a byte-order mark is the mark.
    TEditorScreenStrings empty;
    EXPECT_EQ(Written(empty, Format(TEncoding::Utf8, TLineEndStyle::CrLf, true)), "\xEF\xBB\xBF");

    // Characters the encoding cannot hold are all counted; the writing stops at the first.
    TCharTable table;
    const std::string emoji = Utf8ToDocument("😀", &table);
    TEditorScreenStrings beyond;
    beyond.SetText("okay ok\r\n" + emoji + "\r\n" + std::string(40, 'y') + "\r\n" + emoji);
    TEncodeReport report;
    const std::string out =
        Written(beyond, Format(TEncoding::EucJp, TLineEndStyle::CrLf), &table, true, 8, &report);
    EXPECT_EQ(report.lost, 2u);
    EXPECT_EQ(out, "okay ok\r\n");
    // A failed write stops it and is told.
    int calls = 0;
    EXPECT_FALSE(WriteDocumentBlocks(
        store.Snapshot(), formats[0], nullptr, true, [&](std::string_view) { return ++calls < 2; },
        nullptr, 8));
    EXPECT_EQ(calls, 2);
}
