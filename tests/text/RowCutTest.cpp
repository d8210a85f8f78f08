// The row cut on threads gives the rows of one pass, from memory and from a file read in pieces.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "../support/FakeEditor.h"
#include "../support/RandomMemo.h"
#include "../support/TempDir.h"
#include "platform/HugePagePool.h"
#include "text/EndOfFileMark.h"
#include "text/LineBreaking.h"
#include "text/RowCut.h"
#include "text/RowStore.h"

namespace {

struct Row {
    size_t Start, Len;
    int End;
    bool operator==(const Row&) const = default;
};

// Empty rows have no text pointer: compare their position as "after the previous row".
std::vector<Row> Normalised(std::vector<Row> rows) {
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].Len == 0) rows[i].Start = i ? rows[i - 1].Start + rows[i - 1].Len : 0;
    return rows;
}

std::vector<Row> RowsOf(const std::vector<TRowBlock>& blocks, const char* base) {
    std::vector<Row> out;
    for (const TRowBlock& b : blocks) {
        int lineEnds = 0;
        int64_t bytes = 0;
        for (size_t i = 0; i < b.Rows.Count(); ++i) {
            const TRowRec r = b.Rows[i];
            out.push_back(
                {r.Len ? static_cast<size_t>(r.P - base) : 0, r.Len, RowData::RowEnd(r.A)});
            lineEnds += RowData::RowEnd(r.A) != reWrapped;
            bytes += r.Len + (RowData::RowEnd(r.A) == reLineEnd ? 2 : 0);
        }
        EXPECT_EQ(b.LineEnds, lineEnds);
        EXPECT_EQ(b.Bytes, bytes);
        EXPECT_LE(b.Rows.Count(), static_cast<size_t>(TRowTable::BlockRows));
    }
    return Normalised(out);
}

// The rows one pass of the line cut makes, with the store's rule for the last row.
std::vector<Row> Reference(const std::string& text, const TWrapSettings& ws) {
    std::vector<TWrapRow> rows;
    StrToWrapList(text, ws, rows);
    std::vector<Row> out;
    for (const TWrapRow& r : rows)
        out.push_back({static_cast<size_t>(r.Start), r.Length, r.RowEnd});
    const char last = text.back();
    if (last != '\n' && last != '\r') out.back().End = reTextEnd;
    return Normalised(out);
}

} // namespace

// Random texts, then a text without line ends and one of line ends only.
TEST(RowCut, PartsOnThreadsGiveTheRowsOfOnePassForEveryWrapOption) {
    std::mt19937 rng(20261206);
    for (int textNo = 0; textNo < 8; ++textNo) {
        const std::string text = textNo == 6   ? std::string(5000, 'a')
                                 : textNo == 7 ? std::string(3000, '\n')
                                               : RandomMemoText(rng, 20000 + rng() % 40000);
        for (int flags = 0; flags < 32; ++flags) {
            TEditorWrapOption o = WrapWidth(flags & 16 ? 20 : 80 + textNo * 30);
            o.FollowRetMark = flags & 1;
            o.FollowPunctuation = flags & 2;
            o.Leading = flags & 4;
            o.WordBreak = flags & 8;
            for (bool wordWrap : {true, false}) {
                TWrapSettings ws(o, wordWrap, 2 + 2 * (flags % 4));
                if (!wordWrap) ws.MaxRowBytes = 150; // the long lines continue on rows
                SCOPED_TRACE("text " + std::to_string(textNo) + " flags " + std::to_string(flags) +
                             (wordWrap ? " wrap" : " no wrap"));
                const std::vector<Row> want = Reference(text, ws);
                ASSERT_EQ(RowsOf(CutRows(text.data(), text.size(), ws, 1), text.data()), want);
                // Parts of a few hundred bytes: boundaries land next to every kind of line end.
                ASSERT_EQ(
                    RowsOf(CutRows(text.data(), text.size(), ws, 3, 300 + flags * 7), text.data()),
                    want);
            }
        }
    }
    EXPECT_TRUE(CutRows("", 0, TWrapSettings()).empty());
}

TEST(RowCut, FileReadInPiecesOnThreadsGivesTheRowsOfItsTextUpToTheEndOfFileMark) {
    TempDir dir;
    const std::string path = dir / "memo.txt";
    std::mt19937 rng(20261208);
    TWrapSettings ws(TEditorWrapOption(), true, 8);
    for (int textNo = 0; textNo < 8; ++textNo) {
        std::string text = RandomMemoText(rng, 5000 + rng() % 20000);
        if (textNo % 4 == 1) text += "\x1a\r\n\r\n"; // a mark, when no 0x1A comes before it
        if (textNo % 4 == 2) text += "\x1a" + std::string(3000, '\n'); // its line ends span pieces
        if (textNo % 4 == 3) text += "\x1a\x1a\n";                     // text, not a mark
        TempDir::Write(path, text);
        const size_t len = TextLengthBeforeEofMark(text);
        const std::vector<Row> want = Reference(text.substr(0, len), ws);
        for (int threads : {1, 3}) {
            SCOPED_TRACE("text " + std::to_string(textNo) + " threads " + std::to_string(threads));
            const int fd = ::open(path.c_str(), O_RDONLY);
            ASSERT_GE(fd, 0);
            std::vector<char> buf(text.size() + 11);
            TReadCut cut;
            ASSERT_TRUE(
                ReadAndCutRows(fd, buf.data(), text.size(), ws, threads, &cut, 200 + textNo * 61));
            // A file shorter than the size it had: refused, never cut from unread bytes.
            TReadCut shorter;
            EXPECT_FALSE(
                ReadAndCutRows(fd, buf.data(), text.size() + 10, ws, threads, &shorter, 333));
            EXPECT_TRUE(shorter.Blocks.empty());
            ::close(fd);
            EXPECT_EQ(cut.TextLength, len);
            ASSERT_EQ(std::string_view(buf.data(), text.size()), text);
            ASSERT_EQ(RowsOf(cut.Blocks, buf.data()), want);
        }
    }
}

// A text large enough for its rows to take huge pages: edits change, grow and drop those rows'
// arrays (given back to the pool as they go), and the text stays what the edits made it.
TEST(RowCut, LargeTextOnHugePagesTakesEditsAndGivesItsPagesBack) {
    const size_t before = HugePagePool::HeldBytes();
    const std::string line = "\x82\xA0\x88\x9F abc";
    std::vector<std::string> lines((size_t{9} << 20) / (line.size() + 2), line);
    auto join = [&] {
        std::string t;
        for (const std::string& l : lines)
            t += l + "\r\n";
        return t;
    };
    {
        TEditorScreenStrings s;
        s.LoadThreads = 2;
        s.SetWordWrap(true);
        s.SetText(join());
        EXPECT_GT(HugePagePool::HeldBytes(), before);
        for (int r = 100; r + 8 < s.Count(); r += s.Count() / 7) {
            s.UpdateList(r, 1, "x\r\n\r\n" + line + "\r\n"); // a line changed, two more
            lines[static_cast<size_t>(r)] = "x";
            lines.insert(lines.begin() + r + 1, {"", line});
            s.UpdateList(r + 5, 3, ""); // three lines fewer
            lines.erase(lines.begin() + r + 5, lines.begin() + r + 8);
        }
        ASSERT_EQ(s.Count(), static_cast<int>(lines.size()));
        EXPECT_EQ(s.Text(), join());
    }
    EXPECT_EQ(HugePagePool::HeldBytes(), before);
}
