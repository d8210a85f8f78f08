// Loading in the background: the rows of a whole load, edits and re-wraps meanwhile, closing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <condition_variable>
#include <mutex>
#include <random>
#include <string>

#include "../support/FakeEditor.h"
#include "../support/RandomMemo.h"
#include "../support/TempDir.h"
#include "text/BackgroundLoad.h"
#include "text/EndOfFileMark.h"

namespace {

// Lets the load's thread hand over one piece at a time, when the test says so.
struct Gate {
    std::mutex m;
    std::condition_variable cv;
    int allowed = 0, passed = 0;
    void Pass() { // on the load's thread
        std::unique_lock<std::mutex> lock(m);
        cv.wait(lock, [this] { return passed < allowed; });
        ++passed;
        cv.notify_all();
    }
    void Allow(int n) {
        std::lock_guard<std::mutex> lock(m);
        allowed += n;
        cv.notify_all();
    }
    void Open() { Allow(1 << 30); }
    void WaitPassed(int n) {
        std::unique_lock<std::mutex> lock(m);
        cv.wait(lock, [&] { return passed >= n; });
    }
};

std::unique_ptr<TBackgroundLoad> OpenLoad(const std::string& path, size_t head, size_t piece) {
    auto load = std::make_unique<TBackgroundLoad>();
    std::string error;
    EXPECT_TRUE(load->Open(path, head, &error)) << error;
    load->SetPieceBytes(piece);
    return load;
}

std::string Shown(const TLineEndCounts& c) {
    return std::to_string(c.crlf) + " CR LF, " + std::to_string(c.lf) + " LF, " +
           std::to_string(c.cr) + " CR";
}

} // namespace

TEST(BackgroundLoad, RowsEqualTheWholeFileLoadForEveryWrapOption) {
    TempDir dir;
    const std::string path = dir / "memo.txt";
    std::mt19937 rng(20261207);
    for (int textNo = 0; textNo < 5; ++textNo) {
        std::string text = RandomMemoText(rng, 30000 + rng() % 30000, true);
        if (textNo == 0) { // an end-of-file mark that counts: no 0x1A before it
            std::erase(text, '\x1a');
            text += "\x1a\r\n\r\n";
        }
        TempDir::Write(path, text);
        for (int flags = 0; flags < 8; ++flags) {
            TEditorWrapOption o = WrapWidth(20 + 30 * textNo);
            o.FollowRetMark = flags & 1;
            o.FollowPunctuation = flags & 2;
            o.WordBreak = flags & 4;
            const bool wordWrap = flags != 7;
            SCOPED_TRACE("text " + std::to_string(textNo) + " flags " + std::to_string(flags));
            TEditorScreenStrings whole, bg;
            for (TEditorScreenStrings* st : {&whole, &bg}) {
                st->SetWrapOption(o);
                st->SetWordWrap(wordWrap);
            }
            whole.LoadThreads = 1;
            whole.LoadFromFile(path);
            // Small head and pieces: their ends fall next to every kind of line end.
            bg.BeginLoad(OpenLoad(path, 100 + flags * 37, 500 + 91 * flags), nullptr);
            std::string ended = "not ended"; // the error text and the line-end counts
            bg.OnLoadEnd = [&](const TLineEndCounts& c, const std::string& e) {
                ended = e + Shown(c);
            };
            bg.FinishLoad();
            ASSERT_EQ(RowDump(bg), RowDump(whole));
            EXPECT_EQ(ended, Shown(CountLineEnds(text.substr(0, TextLengthBeforeEofMark(text)))));
        }
        // The head ends in the last bytes: between an end-of-file mark and its line ends.
        TEditorScreenStrings whole;
        whole.LoadFromFile(path);
        for (size_t k = 1; k <= 6; ++k) {
            TEditorScreenStrings bg;
            bg.BeginLoad(OpenLoad(path, text.size() - k, 1 << 20), nullptr);
            bg.FinishLoad();
            ASSERT_EQ(RowDump(bg), RowDump(whole)) << k;
        }
    }
}

// Files in other encodings are decoded piece by piece into the same text and the same table
// codes as a whole-file decode; one that cannot be written back as read ends read-only.
TEST(BackgroundLoad, DecodedFilesEqualTheWholeFileDecode) {
    TempDir dir;
    const std::string path = dir / "memo.txt";
    std::mt19937 rng(20261208);
    const std::string memo = RandomMemoText(rng, 20000, true);
    TCharTable table;
    const std::string extra = Utf8ToDocument("〜😀é丂 ", &table) + "\r\n";
    std::string store;
    for (std::size_t at = 0; at < memo.size(); at += 997)
        store += memo.substr(at, 997) + extra;
    for (TEncoding e : {TEncoding::Utf8, TEncoding::Utf16LE, TEncoding::Utf16BE, TEncoding::EucJp,
                        TEncoding::Iso2022Jp})
        for (bool broken : {false, true}) {
            const TFileFormat format{e, e == TEncoding::Utf16LE || e == TEncoding::Utf16BE,
                                     TLineEndStyle::CrLf};
            std::string bytes = EncodeDocument(store, format, &table);
            if (broken) bytes.insert(bytes.size() / 2, "\xFF\x1B$B");
            TempDir::Write(path, bytes);
            SCOPED_TRACE(EncodingName(e) + (broken ? " broken" : ""));
            const TDecodedDocument whole = DecodeDocument(bytes, e);
            TEditorScreenStrings wholeRows;
            wholeRows.SetText(whole.text);
            for (std::size_t piece : {std::size_t{333}, std::size_t{4099}}) {
                TEditorScreenStrings bg;
                bg.SetCharTable(std::make_shared<TCharTable>());
                auto load = OpenLoad(path, 101, piece);
                load->DecodeFrom(e, format.bom ? 2 : 0);
                bg.BeginLoad(std::move(load), nullptr);
                std::string ended = "not ended";
                bg.OnLoadEnd = [&](const TLineEndCounts&, const std::string& error) {
                    ended = error;
                };
                bg.FinishLoad();
                ASSERT_EQ(bg.Text(), wholeRows.Text());
                EXPECT_EQ(bg.CharTable()->Save(), whole.table->Save());
                EXPECT_EQ(ended, whole.readOnlyReason);
                EXPECT_EQ(ended.empty(), !broken || e != TEncoding::Iso2022Jp);
            }
        }
}

TEST(BackgroundLoad, EditsAtTheTopTheWholeTextAndARewrapDuringTheLoad) {
    TempDir dir;
    const std::string path = dir / "memo.txt";
    std::string text;
    for (int i = 0; i < 4000; ++i)
        text += "line " + std::to_string(i) + " \x82\xA0\x82\xA2 some words to wrap on\r\n";
    TempDir::Write(path, text);
    TEditorScreenStrings want;
    want.SetWrapOption(WrapWidth(20));
    want.SetWordWrap(true);
    want.SetText("typed\r\n" + text);

    for (int what = 0; what < 3; ++what) {
        SCOPED_TRACE(what);
        Gate gate;
        TEditorScreenStrings st;
        st.SetWordWrap(true);
        st.BeginLoad(OpenLoad(path, 1000, 5000), [&gate] { gate.Pass(); });
        gate.Allow(2);
        gate.WaitPassed(2);
        st.AppendLoaded();
        const int loaded = st.Count();
        ASSERT_GT(loaded, 0);
        ASSERT_TRUE(st.LoadPending());
        EXPECT_EQ(st.RowEndKind(loaded - 1), reLineEnd); // whole lines only
        // Typing at the top does not wait, and the rest still lands after it.
        st.UpdateList(0, 0, "typed\r\n");
        EXPECT_TRUE(st.LoadPending());
        if (what == 0) {
            gate.Open(); // saving takes the whole text
            EXPECT_EQ(st.Text(), want.Text());
        } else if (what == 1) {
            // A re-wrap on an option change does not wait: the rows there are re-wrapped, a
            // piece cut meanwhile with the old options is cut again, the rest is cut anew.
            gate.Allow(1);
            gate.WaitPassed(3); // a piece with the old options waits to be taken
            st.SetWrapOption(WrapWidth(20));
            EXPECT_TRUE(st.LoadPending());
            gate.Open();
            st.FinishLoad();
            EXPECT_EQ(RowDump(st), RowDump(want));
        } else {
            // An edit at the last loaded line waits for the rest, so the lines stay in order.
            gate.Open();
            const int last = st.Count() - 1;
            st.UpdateList(last, 1, std::string(st.RowText(last)) + "!\r\n");
            EXPECT_FALSE(st.LoadPending());
            EXPECT_NE(st.Text().find("line 3999 "), std::string::npos);
            EXPECT_EQ(st.Text().size(), text.size() + 8);
        }
        EXPECT_FALSE(st.LoadPending());
    }
}

TEST(BackgroundLoad, AFileThatShrinksOrGrowsWhileReadIsReportedAndKeepsWholeLines) {
    TempDir dir;
    const std::string path = dir / "memo.txt";
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "row " + std::to_string(i) + "\r\n";
    for (bool grow : {false, true}) {
        SCOPED_TRACE(grow ? "grows" : "shrinks");
        TempDir::Write(path, text);
        Gate gate;
        TEditorScreenStrings st;
        std::string error;
        st.OnLoadEnd = [&](const TLineEndCounts&, const std::string& e) { error = e; };
        st.BeginLoad(OpenLoad(path, 4096, 8192), [&gate] { gate.Pass(); });
        gate.Allow(1);
        gate.WaitPassed(1);
        if (grow)
            TempDir::Write(path, text + text); // rewritten in place, longer
        else
            ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(text.size() / 3)), 0);
        gate.Open();
        st.FinishLoad();
        EXPECT_NE(error.find("ファイルが変更されました"), std::string::npos) << error;
        ASSERT_GT(st.Count(), 0);
        for (int r = 0; r < st.Count(); ++r)
            ASSERT_EQ(st.RowText(r).substr(0, 1), "r") << r;
    }
}

TEST(BackgroundLoad, ClosingMidLoadStopsTheThreadOrFinishesForTheOtherHalf) {
    TempDir dir;
    const std::string path = dir / "memo.txt";
    std::string text;
    for (int i = 0; i < 200000; ++i)
        text += "a line of a memo that is long enough\r\n";
    TempDir::Write(path, text);
    for (int stopAfter = 0; stopAfter < 3; ++stopAfter) {
        Gate gate;
        auto st = std::make_unique<TEditorScreenStrings>();
        st->BeginLoad(OpenLoad(path, 1000, 65536), [&gate] { gate.Pass(); });
        gate.Allow(stopAfter);
        gate.WaitPassed(stopAfter);
        gate.Open();
        st.reset(); // joins the thread; ASan finds a leak or a late write
        // A new text cancels a pending load as well.
        TEditorScreenStrings other;
        other.BeginLoad(OpenLoad(path, 1000, 65536), nullptr);
        other.SetText("new\r\n");
        EXPECT_FALSE(other.LoadPending());
        EXPECT_EQ(other.Text(), "new\r\n");
    }
    // The view that started a load leaves: a store shared with another is read to its
    // end, a store left alone stops where it is.
    for (bool shared : {false, true}) {
        TEditorScreenStrings s;
        FakeEditor starter, other;
        starter.AttachTo(s);
        if (shared) other.AttachTo(s);
        s.BeginLoad(OpenLoad(path, 1000, 65536), nullptr);
        s.LeaveLoad();
        EXPECT_FALSE(s.LoadPending());
        EXPECT_EQ(s.Count() > 190000, shared);
        s.Detach(&starter);
        if (shared) s.Detach(&other);
    }
}
