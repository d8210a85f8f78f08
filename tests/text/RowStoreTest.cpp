// Row store: loading, Text, UpdateList, row access and editors sharing a store.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "../support/FakeEditor.h"
#include "../support/TempDir.h"
#include "platform/Cp932.h"

namespace fs = std::filesystem;

// Files as read from disk: their rows ("[text]" and L line end, W wrapped, T text end).
TEST(LineStoreLoad, LineEndsTextEndAndOddBytes) {
    const std::pair<std::string, std::string> cases[] = {
        {"abc", "[abc]T"},
        {"abc\n", "[abc]L"},
        {"a\rb", "[a]L[b]T"},
        {"one\rtwo\r\rthree\r", "[one]L[two]L[]L[three]L"},
        {"", ""},
        // 0x1A ends the file only when nothing but line ends follows it.
        {"ab\x1a\r\n\n", "[ab]T"},
        {"ab\x1axy\r\n", "[ab\x1axy]L"},
        // NUL bytes are text; a lone lead byte at the end stays.
        {std::string("a\0b\r\n", 5), std::string("[a\0b]L", 6)},
        {"ab\x82", "[ab\x82]T"},
        // A line end just after the first 8 KiB block.
        {std::string(8191, 'x') + "\r\nnext", "[" + std::string(8191, 'x') + "]L[next]T"},
    };
    TempDir d;
    const std::string file = d / "memo.txt";
    for (const auto& [bytes, rows] : cases) {
        TEditorScreenStrings s;
        TempDir::Write(file, bytes);
        s.LoadFromFile(file);
        EXPECT_EQ(RowDump(s), rows) << bytes;
    }
    // A lead byte before a CR and a tab on a wrapped row: the bytes are kept as they were.
    TEditorScreenStrings s;
    s.SetWordWrap(true);
    TempDir::Write(file, std::string(79, 'a') + "\x82\x0d\x82\x09z");
    s.LoadFromFile(file);
    EXPECT_EQ(s.Text(), std::string(79, 'a') + "\x82\r\n\x82\tz");
    EXPECT_THROW(s.LoadFromFile(d / "missing"), EFileError);
}

// The loaded text is the store's own: another program truncating or rewriting the file in place
// afterwards changes nothing the store reads, edits or hands to a save.
TEST(LineStoreLoad, FileTruncatedOrRewrittenOnDiskAfterTheLoad) {
    TempDir d;
    const std::string path = d / "open";
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "line " + std::to_string(i) + (i % 997 ? "\r\n" : std::string(20000, 'w') + "\n");
    TempDir::Write(path, text);
    TEditorScreenStrings s;
    s.LoadFromFile(path);
    fs::resize_file(path, 0);
    s.UpdateList(s.Count() - 1, 1, "end\r\n");
    { std::ofstream(path, std::ios::binary | std::ios::in) << std::string(text.size(), 'x'); }
    fs::resize_file(path, 100);
    std::string expected = text;
    for (size_t at = 0; (at = expected.find('\n', at)) != std::string::npos; at += 2)
        if (expected[at - 1] != '\r') expected.insert(at, 1, '\r');
    expected.replace(expected.rfind("line "), std::string::npos, "end\r\n");
    EXPECT_TRUE(s.Text() == expected);
    std::string saved;
    s.Snapshot().ForEachPiece([&](std::string_view piece) { saved.append(piece); });
    EXPECT_TRUE(saved == expected);
}

TEST(UpdateList, TypingReturnAndJoining) {
    TEditorScreenStrings s;
    s.SetText("abc\r\ndef\r\n");
    s.UpdateList(0, 1, "abXc\r\n");
    EXPECT_EQ(RowDump(s), "[abXc]L[def]L");
    s.UpdateList(0, 1, "ab\r\nXc\r\n"); // Return
    EXPECT_EQ(RowDump(s), "[ab]L[Xc]L[def]L");
    s.UpdateList(1, 1, "Xc"); // delete the line end: the next line joins
    EXPECT_EQ(RowDump(s), "[ab]L[Xcdef]L");
    s.UpdateList(2, 0, "tail"); // at [EOF]
    EXPECT_EQ(RowDump(s), "[ab]L[Xcdef]L[tail]T");
    s.UpdateList(3, 0, "+"); // after a last line without line end: joins it
    EXPECT_EQ(RowDump(s), "[ab]L[Xcdef]L[tail+]T");
    s.UpdateList(0, 1, ""); // whole line deletion
    EXPECT_EQ(RowDump(s), "[Xcdef]L[tail+]T");
    // ranges outside the rows and empty changes do nothing
    s.UpdateList(1, 5, "x");
    s.UpdateList(-1, 1, "x");
    s.UpdateList(0, 0, "");
    EXPECT_EQ(RowDump(s), "[Xcdef]L[tail+]T");
    EXPECT_THROW(s.RowText(2), EListError);
    EXPECT_THROW(s.RowText(-1), EListError);
    s.UpdateList(0, 2, "");
    EXPECT_EQ(s.Count(), 0);
    // "。" typed at the start of a continuation row hangs on the row above.
    TEditorWrapOption o = WrapWidth(20);
    o.FollowPunctuation = true;
    s.SetWrapOption(o);
    s.SetWordWrap(true);
    s.SetText(std::string(25, 'a') + "\r\n");
    const std::string maru = Utf8ToCp932("。");
    s.UpdateList(1, 1, maru + "aaaaa\r\n");
    EXPECT_EQ(RowDump(s), "[" + std::string(20, 'a') + maru + "]W[aaaaa]L");
}

TEST(ScreenStrings, EditorsShareAStoreAndExchangeLists) {
    FakeEditor a, b;
    auto one = std::make_shared<TEditorScreenStrings>();
    auto two = std::make_shared<TEditorScreenStrings>();
    std::weak_ptr<TEditorScreenStrings> watch = one;
    a.AttachTo(*one);
    b.AttachTo(*two);
    std::shared_ptr<TEditorScreenStrings> mine = one;
    one.reset();
    ExchangeList(mine, &a, two);
    EXPECT_TRUE(watch.expired()); // its last view left: freed
    EXPECT_EQ(two->ViewCount(), 2);
    a.store = two.get();
    a.seen = two->Revision();
    // An edit of one view reaches the other as a change it pulls: the rows and the revision.
    two->SetText("one\r\ntwo\r\n");
    b.changes.clear();
    a.row = 1;
    a.Edit(1, 1, "2\r\n3\r\n");
    ASSERT_EQ(b.changes.size(), 1u);
    EXPECT_EQ(b.changes[0].Kind, TRowChange::ckRows);
    EXPECT_EQ(b.changes[0].FirstRow, 1);
    EXPECT_EQ(b.changes[0].OldRowCount, 1);
    EXPECT_EQ(b.changes[0].NewRowCount, 2);
    EXPECT_EQ(b.seen, two->Revision());
    EXPECT_EQ(a.seen, two->Revision());
    // A view further behind than the kept log gets every row as changed.
    const uint64_t old = two->Revision();
    for (int i = 0; i < 1100; ++i)
        b.Edit(0, 1, "x\r\n");
    const std::vector<TRowChange> all = two->ChangesSince(old);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].FirstRow, 0);
    EXPECT_EQ(all[0].NewRowCount, two->Count());
    two->Detach(&a);
    two->Detach(&b);
}
