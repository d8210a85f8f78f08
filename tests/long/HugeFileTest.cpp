// A text past 4 GiB opened, edited at its end and past 4 GiB, saved and compared byte for byte.
// Needs about 15 GB of memory and 11 GB of disk: run by `make test-long`, not by `make test`.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "../../bench/MemoText.h"
#include "../../bench/TempTextFile.h"
#include "editor/EditorCore.h"
#include "mainwindow/pages/DocumentEncoding.h"
#include "mainwindow/pages/DocumentFile.h"
#include "platform/Cp932.h"
#include "text/RowStore.h"

// Opening these files asks nothing; a question would go to stderr and take its default.
static TConsoleAsker quiet;

namespace {

constexpr int kPieces = 52; // of 100 MiB: 5.2 GiB

// Reads `n` bytes at `at` of a file.
std::string ReadAt(const std::string& path, int64_t at, size_t n) {
    std::string s(n, '\0');
    int fd = ::open(path.c_str(), O_RDONLY);
    ssize_t k = ::pread(fd, s.data(), n, at);
    ::close(fd);
    s.resize(k > 0 ? static_cast<size_t>(k) : 0);
    return s;
}

// a[from..from+n) equals b[bFrom..bFrom+n), compared in pieces.
bool SameBytes(const std::string& a, int64_t from, const std::string& b, int64_t bFrom, int64_t n) {
    const int64_t step = int64_t{64} << 20;
    for (int64_t k = 0; k < n; k += step) {
        const size_t len = static_cast<size_t>(std::min(step, n - k));
        if (ReadAt(a, from + k, len) != ReadAt(b, bFrom + k, len)) {
            ADD_FAILURE() << "differ in the piece at " << k;
            return false;
        }
    }
    return true;
}

} // namespace

TEST(HugeFile, FivePointTwoGigabytesOpenEditAtTheEndAndPastFourGibibytesAndSave) {
    TTempTextFile file("huge.txt");
    std::string piece = MemoText(100u << 20, 5);
    piece.resize(100u << 20);
    piece.resize(piece.rfind('\n') + 1);
    file.Write(piece, kPieces);
    const int64_t size = static_cast<int64_t>(piece.size()) * kPieces;
    ASSERT_GT(size, int64_t{5} << 30);

    TDecodedDocument doc;
    std::string error;
    ASSERT_TRUE(ReadPageDocument(quiet, file.path, nullptr, &doc, &error)) << error;
    ASSERT_EQ(doc.format.encoding, TEncoding::ShiftJis);
    TEditorCore core;
    core.SetWordWrap(true);
    core.SetVisibleArea(40, 100);
    core.TakeText(std::move(doc.text));
    const TEditorScreenStrings& rows = core.Rows();
    ASSERT_EQ(rows.TextLength(), size);
    EXPECT_EQ(rows.LineCount(), std::count(piece.begin(), piece.end(), '\n') * int64_t{kPieces});

    // The end: Ctrl+End puts the caret after the last line; its row starts where the file's
    // last line starts.
    core.KeyNavigate(TEditorKey::End, false, true, false);
    ASSERT_EQ(core.Row(), rows.Count());
    const int last = rows.Count() - 1;
    const std::string lastLine = piece.substr(piece.rfind('\n', piece.size() - 2) + 1);
    EXPECT_EQ(rows.TextPos(rows.RowStart(last)), size - static_cast<int64_t>(lastLine.size()));
    EXPECT_EQ(rows.RowsText(rows.RowStart(last), last), lastLine);
    EXPECT_EQ(core.SelStart(), size);

    // Type a line at the end, and replace a word past 4 GiB through the text position.
    const std::string typed = Utf8ToCp932("末尾の行");
    core.InsertTyped(typed);
    core.KeyReturn(false);
    const int64_t far = (int64_t{4} << 30) + 12345;
    const int64_t farStart = rows.TextPos(rows.RowOfTextPos(far));
    ASSERT_GE(farStart, int64_t{4} << 30);
    core.SetSelStart(farStart);
    core.InsertTyped("XYZ");

    // Save and compare.
    TPageDocument page;
    page.format = doc.format;
    page.lineEnds = doc.lineEnds;
    const TRowTableSnapshot text = core.SharedStore()->Snapshot();
    const std::string saved = file.path + ".saved";
    ASSERT_TRUE(SaveDocumentFile(
        saved,
        [&](const TWriteBytes& write, std::string* why) {
            return WritePageDocument(text, page, write, why);
        },
        &error))
        << error;
    EXPECT_EQ(static_cast<int64_t>(std::filesystem::file_size(saved)),
              size + static_cast<int64_t>(typed.size()) + 2 + 3);
    // Before the edit past 4 GiB the file is the original; after it, shifted by three bytes.
    EXPECT_TRUE(SameBytes(saved, 0, file.path, 0, farStart));
    EXPECT_EQ(ReadAt(saved, farStart, 3), "XYZ");
    EXPECT_TRUE(SameBytes(saved, farStart + 3, file.path, farStart, size - farStart));
    EXPECT_EQ(ReadAt(saved, size + 3, typed.size() + 2), typed + "\r\n");
}
