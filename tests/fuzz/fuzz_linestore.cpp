// Fuzz target for the row store: arbitrary text, wrap widths, edits, undo and redo, checked
// against the row invariants, a full parser walk and the text each step left.
#include <cstdint>
#include <string>
#include <vector>

#include "../support/FakeEditor.h"
#include "FuzzCheck.h"

namespace {

// A parser whose state depends on the text: '{' opens bracket 0, '}' closes it, '#' counts.
struct ToyParser : TRowStateParser {
    void ParseRow(std::string_view text, TRowEnd, std::string_view, TRowParserState& s) override {
        for (char c : text) {
            if (c == '{' && s.BracketIndex == -1) s.BracketIndex = 0;
            if (c == '}' && s.BracketIndex == 0) s.BracketIndex = -1;
            if (c == '#') s.State[0] = static_cast<uint8_t>((s.State[0] + 1) & 3);
        }
        s.Str = s.State[0] == 3 ? "x" : "";
    }
};

void CheckRows(TEditorScreenStrings& s) {
    const int n = s.Count();
    int lines = 0;
    int64_t pos = 0;
    TRowMarks marks = 0;
    for (int r = 0; r < n; ++r) {
        std::string_view t = s.RowText(r);
        FUZZ_CHECK(t.find('\r') == std::string_view::npos &&
                   t.find('\n') == std::string_view::npos);
        TRowEnd re = s.RowEndKind(r);
        FUZZ_CHECK(re <= reTextEnd);
        if (r < n - 1) FUZZ_CHECK(re != reTextEnd);
        if (!s.WordWrap()) FUZZ_CHECK(re != reWrapped);
        FUZZ_CHECK(s.TextPos(r) == pos);
        FUZZ_CHECK(s.RowToLine(r) == lines);
        FUZZ_CHECK(s.LineToRow(lines) == s.RowStart(r));
        FUZZ_CHECK(s.RowOfTextPos(pos) == r || t.empty());
        marks |= s.ListRowMarks(r);
        pos += static_cast<int64_t>(t.size()) + (re == reLineEnd ? 2 : 0);
        if (re != reWrapped) {
            FUZZ_CHECK(s.RowEnd(r) == r);
            ++lines;
        } else if (r < n - 1) {
            FUZZ_CHECK(s.RowEnd(r) == s.RowEnd(r + 1));
        }
    }
    if (n > 0 && s.RowEndKind(n - 1) == reWrapped) ++lines;
    FUZZ_CHECK(s.LineCount() == lines);
    FUZZ_CHECK(s.TextLength() == pos);
    FUZZ_CHECK(s.MarksInList() == marks);
    std::string text = s.Text();
    FUZZ_CHECK(static_cast<int64_t>(text.size()) == pos);
    // Text round trip.
    TEditorScreenStrings t;
    t.SetWrapOption(s.WrapOption());
    t.SetWordWrap(s.WordWrap());
    t.SetText(text);
    FUZZ_CHECK(t.Text() == text);
    // Logical lines joined again give the text.
    std::string joined;
    for (int i = 0; i < s.LineCount(); ++i) {
        int first = s.LineToRow(i), last = s.RowEnd(first);
        for (int r = first; r <= last; ++r)
            joined += s.RowText(r);
        if (s.RowEndKind(last) == reLineEnd) joined += "\r\n";
    }
    FUZZ_CHECK(joined == text);
    // Parser states equal those of a full walk.
    std::vector<TRowParserState> inc;
    for (int r = 0; r < n; ++r)
        inc.push_back(s.ParserState(r));
    s.InitBrackets();
    for (int r = 0; r < n; ++r)
        FUZZ_CHECK(s.ParserState(r) == inc[static_cast<size_t>(r)]);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    StoreWithEditor store;
    // Named references rather than a structured binding: the lambdas below capture them.
    auto& s = store.s;
    auto& ed = store.ed;
    ed.ParseAll();
    ed.SetParser([] { return std::make_unique<ToyParser>(); });
    uint8_t cfg = in.Byte();
    TEditorWrapOption o;
    o.SetWrapByte(in.Int(0, 60));
    o.FollowPunctuation = cfg & 1;
    o.Leading = cfg & 2;
    o.WordBreak = cfg & 4;
    o.FollowRetMark = cfg & 8;
    s.SetWrapOption(o);
    s.SetTabSpaceCount(2 + (cfg >> 4 & 3) * 2);
    s.SetWordWrap(cfg & 0x40);
    const std::string bytes = in.Bytes(in.Int(0, 400));
    std::unique_ptr<char[]> buf(new char[bytes.size() + 1]);
    bytes.copy(buf.get(), bytes.size());
    s.LoadFromBuffer(std::move(buf), bytes.size());
    CheckRows(s);

    std::vector<std::string> hist{s.Text()};
    size_t pos = 0;
    int undoable = 0;
    // An edit that made an undo step: the texts after it are no longer reachable by redo.
    auto recordStep = [&](uint64_t pushesBefore) {
        if (s.UndoObj().PushCount() == pushesBefore) return;
        hist.resize(pos + 1);
        hist.push_back(s.Text());
        ++pos;
        undoable = std::min(undoable + 1, s.UndoObj().ListMax());
    };
    while (in.n > 0) {
        int op = in.Byte() % 10;
        int n = s.Count();
        if (op <= 4) {
            int index = in.Int(0, n);
            int count = in.Int(0, n - index);
            std::string str = in.Bytes(in.Int(0, 24));
            ed.col = in.Byte() & 1 ? 0 : 3;
            uint64_t pushes = s.UndoObj().PushCount();
            ed.Edit(index, count, str);
            FUZZ_CHECK((s.UndoObj().PushCount() != pushes) == !(count == 0 && str.empty()));
            recordStep(pushes);
        } else if (op == 5) {
            FUZZ_CHECK(s.UndoObj().CanUndo() == (undoable > 0));
            if (undoable > 0) {
                ed.Undo();
                --pos;
                --undoable;
                FUZZ_CHECK(s.Text() == hist[pos]);
            }
        } else if (op == 6) {
            FUZZ_CHECK(s.UndoObj().CanRedo() == (pos + 1 < hist.size()));
            if (pos + 1 < hist.size()) {
                ed.Redo();
                ++pos;
                ++undoable;
                FUZZ_CHECK(s.Text() == hist[pos]);
            }
        } else if (op == 7) {
            if (n > 0) {
                const int r = in.Int(0, n - 1);
                const auto m = static_cast<TRowMark>(in.Byte() & 15);
                in.Byte() & 1 ? s.PutRowMark(r, m) : s.DeleteRowMark(r, m);
            }
        } else if (op == 8) {
            std::string before = s.Text();
            uint8_t c = in.Byte();
            if (c & 1)
                s.SetWordWrap(!s.WordWrap());
            else {
                TEditorWrapOption w = s.WrapOption();
                w.SetWrapByte(in.Int(0, 60));
                s.SetWrapOption(w);
            }
            FUZZ_CHECK(s.Text() == before);
            if (!s.UndoObj().CanUndo() && !s.UndoObj().CanRedo()) {
                hist.assign(1, before);
                pos = 0;
                undoable = 0;
            }
        } else {
            // Whole-line edits: append, insert, delete or replace logical line i.
            int lc = s.LineCount();
            std::string str = in.Bytes(in.Int(0, 8));
            int what = in.Byte() % 4;
            int i = in.Int(0, lc);
            uint64_t pushes = s.UndoObj().PushCount();
            int first = s.LineToRow(i);
            int rows = i < lc ? s.RowEnd(first) - first + 1 : 0;
            if (what == 0 || (what == 1 && i == lc))
                ed.Edit(s.Count(), 0, str + "\r\n");
            else if (what == 1)
                ed.Edit(first, 0, str + "\r\n");
            else if (i < lc && what == 2)
                ed.Edit(first, rows, "");
            else if (i < lc)
                ed.Edit(first, rows,
                        s.RowEndKind(first + rows - 1) == reLineEnd ? str + "\r\n" : str);
            recordStep(pushes);
        }
        CheckRows(s);
    }
    return 0;
}
