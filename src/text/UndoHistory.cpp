// Undo and redo: a record's old text replaces the rows the change produced, and the record
// becomes its own inverse on the other stack.
#include "text/UndoHistory.h"

#include <algorithm>

#include "text/RowStore.h"

namespace {
// The rows a record's layout describes, checked against its text.
bool RowsFromLayout(const TUndoData& r, std::vector<TWrapRow>& rows) {
    if (r.Layout.empty()) return false;
    size_t pos = 0;
    for (uint64_t e : r.Layout) {
        uint64_t len = e >> 2;
        TRowEnd re = static_cast<TRowEnd>(e & 3);
        if (len > r.Text.size() - pos) return false;
        rows.push_back({static_cast<uint32_t>(pos), static_cast<uint32_t>(len), re});
        pos += len;
        if (re == reLineEnd) {
            if (r.Text.compare(pos, 2, "\r\n") != 0) return false;
            pos += 2;
        }
    }
    return pos == r.Text.size();
}
} // namespace

void TEditorUndoObj::Clear() {
    FUndoList.clear();
    FRedoList.clear();
}

TUndoData& TEditorUndoObj::Push() {
    TUndoData d;
    if (TScreenStringsClient* ed = FOwner->ActiveEditor()) {
        d.CaretRow = ed->CaretRow();
        d.CaretCol = ed->CaretCol();
    }
    FUndoList.push_back(std::move(d));
    while (static_cast<int>(FUndoList.size()) > FListMax)
        FUndoList.pop_front();
    if (!FInUndoRedo) {
        FRedoList.clear();
        ++FPushCount;
    }
    return FUndoList.back();
}

void TEditorUndoObj::Undo() {
    if (!FUndoList.empty()) Replay(FUndoList, FRedoList);
}

void TEditorUndoObj::Redo() {
    if (!FRedoList.empty()) Replay(FRedoList, FUndoList);
}

void TEditorUndoObj::Replay(TUndoDataList& from, TUndoDataList& to) {
    TEditorScreenStrings& st = *FOwner;
    TUndoData r = std::move(from.back());
    from.pop_back();
    const bool isRedo = &to == &FUndoList;
    const int n = st.Count();
    const int start = std::clamp(r.StartRow, 0, n);
    const int count = std::clamp(r.RowCount, 0, n - start);

    st.BeginUpdate();
    // The rows as they are now become the inverse record.
    TUndoData inv;
    inv.StartRow = start;
    inv.Text = st.RowsText(start, start + count - 1);
    inv.Layout = st.RowsLayout(start, start + count - 1);
    inv.LastRowEnd =
        count > 0 ? static_cast<uint8_t>(st.RowEndKind(start + count - 1)) : NoOldRowEnd;

    int newRows = 0;
    if (r.LastRowEnd != NoOldRowEnd) {
        std::vector<TWrapRow> rows;
        if (!RowsFromLayout(r, rows)) {
            rows.clear();
            StrToWrapList(r.Text, st.WrapSettings(), rows);
            if (r.LastRowEnd == reWrapped && rows.size() > 1 && rows.back().Length == 0)
                rows.pop_back();
        }
        rows.back().RowEnd = static_cast<TRowEnd>(r.LastRowEnd & 3);
        newRows = static_cast<int>(rows.size());
        st.ChangeRows(start, count, r.Text, rows);
    } else {
        st.DeleteRows(start, count);
    }
    int parsed = st.InitBracketsFrom(start);
    st.RecordUpdate(start, count, newRows, st.FLastParsedRow, parsed);

    inv.RowCount = newRows;
    TScreenStringsClient* ed = st.ActiveEditor();
    if (ed) {
        inv.CaretRow = ed->CaretRow();
        inv.CaretCol = ed->CaretCol();
    }
    if (isRedo) {
        FInUndoRedo = true;
        TUndoData& d = Push();
        FInUndoRedo = false;
        int row = d.CaretRow, col = d.CaretCol;
        d = std::move(inv);
        d.CaretRow = row;
        d.CaretCol = col;
    } else {
        to.push_back(std::move(inv));
    }
    st.EndUpdate();
    if (ed) ed->SetCaretPos(r.CaretRow, r.CaretCol);
}
