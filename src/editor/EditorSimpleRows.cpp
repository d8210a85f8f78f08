// The self-contained row store: replacement primitive, plain wrap and undo.
#include "editor/EditorSimpleRows.h"

#include "platform/Cp932.h"

#include <algorithm>

std::vector<TEditorSimpleRows::Row> TEditorSimpleRows::TextToRows(std::string_view t) const {
    std::vector<Row> rows;
    auto addLine = [&](std::string_view line) {
        if (!FWrap) {
            rows.push_back({std::string(line), erLineEnd, 0});
            return;
        }
        const TColumnRules rules{FTab, FWrapByte};
        while (RowWidth(line, rules) >= FWrapByte) {
            int off = ColToOffset(line, FWrapByte, rules);
            if (off > 0 && OffsetToCol(line, off, rules) > FWrapByte)
                off = PrevCharOffset(line, off);
            if (off <= 0) off = CharBytesAt(line, 0);
            // a two-byte character would be cut: it begins the next row
            if (OffsetToCol(line, off, rules) > FWrapByte) off = PrevCharOffset(line, off);
            rows.push_back({std::string(line.substr(0, off)), erWrapped, 0});
            line.remove_prefix(off);
        }
        rows.push_back({std::string(line), erLineEnd, 0});
    };
    size_t start = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '\r' && t[i] != '\n') continue;
        addLine(t.substr(start, i - start));
        if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < t.size() || t.empty()) addLine(t.substr(start));
    return rows;
}

void TEditorSimpleRows::SetText(std::string_view text) {
    FRows.clear();
    FUndo.clear();
    FRedo.clear();
    if (!text.empty()) {
        FRows = TextToRows(text);
        const char last = text.back();
        if (last != '\r' && last != '\n') FRows.back().End = erTextEnd;
    }
    Note(0, 0, RowCount());
    FUpdate.CountChanged = true;
}

void TEditorSimpleRows::SetWordWrap(bool on, int wrapByte, int tab) {
    const std::string text = Text();
    const bool textEnd = !FRows.empty() && FRows.back().End == erTextEnd;
    FWrap = on;
    FWrapByte = std::clamp(wrapByte, 20, 250);
    FTab = tab;
    SetText(text);
    if (textEnd && !FRows.empty()) FRows.back().End = erTextEnd;
}

void TEditorSimpleRows::Note(int first, int oldCount, int newCount) {
    if (FUpdate.FirstRow < 0) {
        FUpdate = {first, oldCount, newCount, oldCount != newCount};
        return;
    }
    const int lo = std::min(FUpdate.FirstRow, first);
    FUpdate.OldCount = std::max(FUpdate.FirstRow + FUpdate.OldCount, first + oldCount) - lo;
    FUpdate.NewCount = std::max(FUpdate.FirstRow + FUpdate.NewCount, first + newCount) - lo;
    FUpdate.FirstRow = lo;
    FUpdate.CountChanged = FUpdate.CountChanged || oldCount != newCount;
}

TEditorRowsUpdate TEditorSimpleRows::TakeUpdate() {
    TEditorRowsUpdate u = FUpdate;
    FUpdate = {};
    return u;
}

// Replaces rows, carrying marks aligned at the bottom of the range.
void TEditorSimpleRows::Replace(int index, int count, std::vector<Row> rows) {
    const int n = static_cast<int>(rows.size());
    std::uint16_t removed = 0;
    if (n >= count) {
        for (int j = 0; j < count; ++j)
            rows[n - count + j].Marks |= FRows[index + j].Marks;
    } else {
        for (int j = 0; j < count - n; ++j)
            removed |= FRows[index + j].Marks;
        for (int j = count - n; j < count; ++j)
            rows[j - (count - n)].Marks |= FRows[index + j].Marks;
        if (n > 0) rows[0].Marks |= removed;
    }
    FRows.erase(FRows.begin() + index, FRows.begin() + index + count);
    FRows.insert(FRows.begin() + index, rows.begin(), rows.end());
    if (n == 0 && removed && !FRows.empty()) {
        const int to = index < RowCount() ? index : RowCount() - 1;
        FRows[to].Marks |= removed;
    }
    Note(index, count, n);
}

void TEditorSimpleRows::UpdateList(int index, int count, const std::string& s) {
    const int rc = RowCount();
    if (index < 0 || count < 0 || index + count > rc) return;
    if (count == 0 && (s.empty() || index != rc)) return;
    if (index == rc && count == 0) { // appending after the last row
        UndoRec u{FCaretRow, FCaretCol, index, 0, 3, {}};
        std::vector<Row> rows = TextToRows(s);
        if (!s.empty() && s.back() != '\n') rows.back().End = erTextEnd;
        u.RowCount = static_cast<int>(rows.size());
        Replace(index, 0, std::move(rows));
        FUndo.push_back(u);
        if (static_cast<int>(FUndo.size()) > UndoListMax) FUndo.erase(FUndo.begin());
        FRedo.clear();
        return;
    }
    const int B = std::max(RowStart(index), index - 1);
    const int L = index + count - 1;
    int E = RowEnd(L);
    if (s.empty() && B == index && E == L) { // whole lines deleted
        UndoRec u{FCaretRow, FCaretCol, index, 0, FRows[L].End, RowsText(index, L)};
        Replace(index, count, {});
        FUndo.push_back(u);
        if (static_cast<int>(FUndo.size()) > UndoListMax) FUndo.erase(FUndo.begin());
        FRedo.clear();
        return;
    }
    int lastEnd;
    if (L < E) {
        lastEnd = FRows[E].End;
    } else if (E == rc - 1) {
        lastEnd = (!s.empty() && s.back() == '\n') ? erLineEnd : erTextEnd;
    } else {
        E = RowEnd(E + 1);
        lastEnd = FRows[E].End;
    }
    UndoRec u{FCaretRow, FCaretCol, B, 0, FRows[E].End, RowsText(B, E)};
    std::string text = RowsText(B, index - 1) + s + RowsText(L + 1, E);
    std::vector<Row> rows = TextToRows(text);
    rows.back().End = lastEnd;
    u.RowCount = static_cast<int>(rows.size());
    Replace(B, E - B + 1, std::move(rows));
    FUndo.push_back(u);
    if (static_cast<int>(FUndo.size()) > UndoListMax) FUndo.erase(FUndo.begin());
    FRedo.clear();
}

bool TEditorSimpleRows::Apply(std::vector<UndoRec>& from, std::vector<UndoRec>& to, int& caretRow,
                              int& caretCol) {
    if (from.empty()) return false;
    UndoRec r = from.back();
    from.pop_back();
    UndoRec inv{FCaretRow, FCaretCol, r.StartRow, 0, 3, {}};
    if (r.RowCount > 0) {
        inv.Text = RowsText(r.StartRow, r.StartRow + r.RowCount - 1);
        inv.LastRowEnd = FRows[r.StartRow + r.RowCount - 1].End;
    }
    std::vector<Row> rows;
    if (r.LastRowEnd != 3) {
        rows = TextToRows(r.Text);
        rows.back().End = r.LastRowEnd;
    }
    inv.RowCount = static_cast<int>(rows.size());
    Replace(r.StartRow, r.RowCount, std::move(rows));
    to.push_back(inv);
    caretRow = r.CaretRow;
    caretCol = r.CaretCol;
    return true;
}

bool TEditorSimpleRows::Undo(int& caretRow, int& caretCol) {
    return Apply(FUndo, FRedo, caretRow, caretCol);
}

bool TEditorSimpleRows::Redo(int& caretRow, int& caretCol) {
    return Apply(FRedo, FUndo, caretRow, caretCol);
}

void TEditorSimpleRows::SetRowMarks(int r, std::uint16_t m) {
    FRows.at(r).Marks = m;
}

std::uint16_t TEditorSimpleRows::MarksInList() const {
    std::uint16_t m = 0;
    for (const Row& r : FRows)
        m |= r.Marks;
    return m;
}
