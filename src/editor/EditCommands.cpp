// TEditorCore: editing commands. Every change is one call of the row store's UpdateList, so
// each command is one undo step.
#include "editor/BoxClipboard.h"
#include "editor/EditorCore.h"

#include <algorithm>

std::string TEditorCore::PadTo(int row, int col) const {
    const int w = RowWidthOf(row);
    return col > w ? std::string(col - w, ' ') : std::string();
}

void TEditorCore::AfterChange() {
    const TEditorRowsUpdate u = rows_->TakeUpdate();
    Modified = true;
    if (u.FirstRow >= 0) coloring_.Invalidate(u.FirstRow);
    if (u.FirstRow >= 0 && Events.InvalidateRows) {
        if (u.CountChanged)
            Events.InvalidateRows(u.FirstRow, -1);
        else
            Events.InvalidateRows(u.FirstRow, u.FirstRow + u.NewCount - 1);
    }
    if (u.CountChanged) Notify(Events.SettingsChanged); // the number column may have grown
    Notify(Events.OnChange);
}

void TEditorCore::ReplaceSpan(int r1, int o1, int r2, int o2, const std::string& text,
                              size_t caretAt) {
    const int rc = store_->RowCount();
    selActive_ = false;
    hitLength_ = 0;
    if (rc == 0) {
        if (text.empty()) return;
        rows_->UpdateList(0, 0, text, Here());
    } else {
        std::string head, tail;
        if (r1 >= rc) {
            r1 = rc - 1;
            head = std::string(store_->RowText(r1)) + "\r\n";
        } else {
            head = std::string(store_->RowText(r1).substr(0, o1));
        }
        if (r2 >= rc) {
            r2 = rc - 1;
        } else {
            const std::string_view t = store_->RowText(r2);
            tail = std::string(t.substr(std::min<size_t>(o2, t.size())));
            if (store_->RowEndKind(r2) == reLineEnd) tail += "\r\n";
        }
        const size_t at = head.size() + (caretAt == std::string::npos ? text.size() : caretAt);
        const TRowPlace p = rows_->UpdateList(r1, r2 - r1 + 1, head + text + tail, Here(), at);
        AfterChange();
        if (p.Row >= store_->RowCount())
            PlaceCaret(MaxRow(), 0, 1, false);
        else
            PlaceCaret(p.Row, OffsetToCol(store_->RowText(p.Row), p.Offset, Rules()), 1, false);
        if (Events.OnSelectionChange) Events.OnSelectionChange(false);
        return;
    }
    AfterChange();
    const TEditorPos p =
        PosToRowCol(static_cast<int64_t>(caretAt == std::string::npos ? text.size() : caretAt));
    PlaceCaret(p.Row, p.Col, 1, false);
}

void TEditorCore::ReplaceRows(int r1, int r2, const std::string& newText, int caretRow,
                              int caretCol) {
    selActive_ = false;
    hitLength_ = 0;
    rows_->UpdateList(r1, r2 - r1 + 1, newText, Here());
    AfterChange();
    PlaceCaret(caretRow, caretCol, 1, false);
}

void TEditorCore::SetSelText(const std::string& text) {
    if (FReadOnly || text.empty()) return;
    int r1, o1, r2, o2;
    if (selMode_ == smBox && Selected()) DeleteSelection();
    if (selMode_ == smLine && StreamRange(r1, o1, r2, o2)) {
        ReplaceSpan(r1, o1, r2, o2, text);
        return;
    }
    const int off = CaretOffset();
    ReplaceSpan(row_, off, row_, off, PadTo(row_, FCol) + text);
}

void TEditorCore::InsertTyped(const std::string& s) {
    if (FReadOnly || s.empty()) return;
    hitLength_ = 0;
    if (Selected()) {
        SetSelText(s);
        return;
    }
    selActive_ = false;
    const int off = CaretOffset();
    const std::string pad = PadTo(row_, FCol);
    if (!overWrite_ || IsEofPos(row_) || !pad.empty()) {
        ReplaceSpan(row_, off, row_, off, pad + s);
        return;
    }
    // Overwrite: replace as many columns as the text takes, into the following rows of a
    // wrapped line; a two-byte character cut at the end is replaced by a space.
    const TWrapSettings& rules = Rules();
    const int want = RowWidth(s, rules);
    int row = row_, o = off, got = 0;
    std::string text = s;
    while (got < want) {
        const std::string_view t = store_->RowText(row);
        if (o >= static_cast<int>(t.size())) {
            if (store_->RowEndKind(row) != reWrapped || row + 1 >= store_->RowCount()) break;
            ++row, o = 0;
            continue;
        }
        const int b = CharBytesAt(t, o);
        const int w = OffsetToCol(t, o + b, rules) - OffsetToCol(t, o, rules);
        got += w;
        o += b;
    }
    if (got > want) text.append(got - want, ' ');
    ReplaceSpan(row_, off, row, o, text, s.size());
}

// Indentation text of width I: tabs and spaces with TabIndent, else spaces.
static std::string IndentText(int width, const TEditorCaret& c) {
    if (width <= 0) return {};
    if (!c.TabIndent()) return std::string(width, ' ');
    return std::string(width / c.TabSpaceCount(), '\t') +
           std::string(width % c.TabSpaceCount(), ' ');
}

void TEditorCore::KeyReturn(bool shift) {
    if (FReadOnly || !WantReturns) return;
    if (Selected()) {
        if (shift) return;
        DeleteSelection();
    }
    hitLength_ = 0;
    selActive_ = false;
    if (IsEofPos(row_) || store_->RowCount() == 0) {
        ReplaceSpan(row_, 0, row_, 0, "\r\n");
        return;
    }
    if (overWrite_) {
        PlaceCaret(row_ + 1, 0, 1, false);
        return;
    }
    const TWrapSettings& rules = Rules();
    const int first = store_->RowStart(row_);
    int indent = 0;
    if (caret_.AutoIndent()) {
        indent = IndentWidth(store_->RowText(first), rules);
        // A caret inside the row's own indentation splits it there. An indentation taken
        // from a line above is not cut back, or an empty row could never inherit one.
        if (row_ == first && FCol < indent) indent = FCol;
        if (indent < 1 && caret_.PrevSpaceIndent() && store_->RowText(first).empty()) {
            for (int r = first - 1; r >= 0; --r) {
                if (store_->RowText(r).empty()) continue;
                indent = IndentWidth(store_->RowText(store_->RowStart(r)), rules);
                break;
            }
        }
    }
    const std::string ind = IndentText(indent, caret_);
    if (shift) {
        ReplaceSpan(first, 0, first, 0, ind + "\r\n", ind.size());
        return;
    }
    const int off = CaretOffset();
    ReplaceSpan(row_, off, row_, off, "\r\n" + ind);
}

void TEditorCore::KeyTab() {
    if (FReadOnly || !WantTabs) return;
    const int tab = caret_.TabSpaceCount();
    int w = tab - FCol % tab;
    if (store_->WordWrap())
        w = std::min(w, store_->WrapOption().WrapByte - FCol % store_->WrapOption().WrapByte);
    if (overWrite_) {
        CleanSelection();
        PlaceCaret(row_, FCol + w, 1, false);
        return;
    }
    InsertTyped(caret_.SoftTab() ? std::string(w, ' ') : std::string("\t"));
}

bool TEditorCore::DeleteKeyDone() {
    if (FReadOnly) return true;
    if (Selected()) {
        DeleteSelection();
        return true;
    }
    selActive_ = false;
    hitLength_ = 0;
    return false;
}

void TEditorCore::KeyBackspace() {
    if (DeleteKeyDone()) return;
    const int rc = store_->RowCount();
    if (rc == 0) return;
    if (IsEofPos(row_)) { // joins the empty last line to the one above
        ReplaceSpan(rc - 1, static_cast<int>(store_->RowText(rc - 1).size()), rc, 0, "");
        return;
    }
    const TWrapSettings& rules = Rules();
    const std::string_view t = store_->RowText(row_);
    const int width = RowWidth(t, rules);
    const bool blank = t.find_first_not_of(" \t") == std::string_view::npos;
    if (caret_.BackSpaceUnIndent() && FCol > 0 && (blank || FCol == IndentWidth(t, rules))) {
        const int first = store_->RowStart(row_);
        int target = 0;
        for (int r = row_ - 1; r >= 0; --r) {
            const int w = store_->RowText(r).empty() ? 0 : IndentWidth(store_->RowText(r), rules);
            if (r >= first && w == 0) continue; // same line: only real indentation counts
            if (w < FCol) {
                target = w;
                break;
            }
        }
        if (width <= target) {
            PlaceCaret(row_, target, -1, false);
            return;
        }
        int off = 0, col = 0;
        while (off < static_cast<int>(t.size())) {
            const int next = OffsetToCol(t, off + CharBytesAt(t, off), rules);
            if (next > target) break;
            col = next;
            off += CharBytesAt(t, off);
        }
        ReplaceSpan(row_, off, row_, CaretOffset(), std::string(target - col, ' '));
        return;
    }
    if (FCol > width) { // beyond the row end: only the caret moves
        PlaceCaret(row_, FCol - 1, -1, false);
        return;
    }
    const int off = CaretOffset();
    if (off == 0) {
        if (row_ == 0) return;
        const std::string_view above = store_->RowText(row_ - 1);
        const int len = static_cast<int>(above.size());
        if (store_->RowEndKind(row_ - 1) == reWrapped)
            ReplaceSpan(row_ - 1, PrevCharOffset(above, len), row_ - 1, len, "");
        else
            ReplaceSpan(row_ - 1, len, row_, 0, "");
        return;
    }
    ReplaceSpan(row_, PrevCharOffset(t, off), row_, off, "");
}

void TEditorCore::KeyDelete() {
    if (DeleteKeyDone()) return;
    if (IsEofPos(row_) || store_->RowCount() == 0) return;
    const std::string_view t = store_->RowText(row_);
    const int off = CaretOffset();
    const int width = RowWidthOf(row_);
    if (FCol < width && off < static_cast<int>(t.size())) {
        ReplaceSpan(row_, off, row_, off + CharBytesAt(t, off), "", 0);
        return;
    }
    const int end = store_->RowEndKind(row_);
    if (end == reTextEnd) return;
    const int len = static_cast<int>(t.size());
    if (end == reWrapped) {
        const std::string_view next = store_->RowText(row_ + 1);
        ReplaceSpan(row_ + 1, 0, row_ + 1, CharBytesAt(next, 0), "", 0);
        PlaceCaret(row_, FCol, -1, false);
        return;
    }
    const std::string pad = PadTo(row_, FCol);
    ReplaceSpan(row_, len, row_ + 1, 0, pad);
}

void TEditorCore::DeleteSelection() {
    if (FReadOnly || !Selected()) return;
    if (selMode_ == smLine) {
        int r1, o1, r2, o2;
        StreamRange(r1, o1, r2, o2);
        ReplaceSpan(r1, o1, r2, o2, "");
        return;
    }
    int r1, r2;
    BoxRows(r1, r2);
    const int left = BoxLeft();
    std::string s;
    for (int r = r1; r <= r2; ++r) {
        const std::string_view t = store_->RowText(r);
        const TEditorRowSel part = RowSelection(r);
        s += t.substr(0, part.Start);
        s += t.substr(part.End);
        if (store_->RowEndKind(r) == reLineEnd) s += "\r\n";
    }
    ReplaceRows(r1, r2, s, r1, left);
}

void TEditorCore::PasteText(const std::string& text, bool box) {
    if (FReadOnly || text.empty()) return;
    if (box)
        SetSelTextBox(text);
    else
        SetSelText(text);
}

void TEditorCore::SetSelTextBox(const std::string& text) {
    if (FReadOnly || text.empty()) return;
    const std::vector<std::string> lines = SplitTextLines(text);
    if (lines.empty()) return;
    int row = row_, col = FCol;
    if (Selected() && selMode_ == smBox) {
        int r1, r2;
        BoxRows(r1, r2);
        row = r1, col = BoxLeft();
        DeleteSelection();
    } else if (Selected()) {
        DeleteSelection();
        row = row_, col = FCol;
    }
    const TWrapSettings& rules = Rules();
    const int rc = store_->RowCount();
    const int n = static_cast<int>(lines.size());
    const int lastExisting = std::min(row + n - 1, rc - 1);
    std::string s;
    for (int k = 0; row + k <= lastExisting; ++k) {
        const int r = row + k;
        std::string t(store_->RowText(r));
        const int w = RowWidth(t, rules);
        if (w < col) t.append(col - w, ' ');
        const int off = ColToOffset(t, col, rules);
        t.insert(off, lines[k]);
        s += t;
        if (store_->RowEndKind(r) == reLineEnd) s += "\r\n";
    }
    const int made = std::max(0, lastExisting - row + 1);
    if (made < n) { // rows beyond the end of the text
        const bool endsWithLineEnd = rc == 0 || store_->RowEndKind(rc - 1) == reLineEnd;
        if (!endsWithLineEnd && made > 0) s += "\r\n";
        for (int k = made; k < n; ++k) {
            s += std::string(col, ' ') + lines[k];
            if (k + 1 < n || endsWithLineEnd) s += "\r\n";
        }
    }
    const int caretCol = col + RowWidth(lines.back(), rules);
    selActive_ = false;
    hitLength_ = 0;
    if (made > 0)
        rows_->UpdateList(row, lastExisting - row + 1, s, Here());
    else if (rc > 0)
        rows_->UpdateList(rc - 1, 1, store_->RowsText(rc - 1, rc - 1) + s, Here());
    else
        rows_->UpdateList(0, 0, s, Here());
    AfterChange();
    PlaceCaret(row + n - 1, caretCol, 1, false);
}

void TEditorCore::SelectAll() {
    selActive_ = false;
    anchor_ = {0, 0};
    PlaceCaret(0, 0, -1, false);
    selActive_ = true;
    const int mr = MaxRow();
    PlaceCaret(mr, IsEofPos(mr) ? 0 : RowWidthOf(mr), 1, false);
    ExtendSelection();
}

// kind: 0 Indent, 1 UnIndent, 2 TabIndent, 3 TabUnIndent.
void TEditorCore::IndentCommand(int kind) {
    if (FReadOnly || !Selected()) return;
    const TWrapSettings& rules = Rules();
    int r1, r2, left = 0;
    if (selMode_ == smBox) {
        BoxRows(r1, r2);
        left = BoxLeft();
    } else {
        int o1, o2;
        StreamRange(r1, o1, r2, o2);
        if (r2 > r1 && o2 == 0) --r2;
        r2 = std::min(r2, store_->RowCount() - 1);
    }
    if (r1 > r2) return;
    const int tab = caret_.TabSpaceCount();
    std::string s;
    for (int r = r1; r <= r2; ++r) {
        std::string t(store_->RowText(r));
        const int end = store_->RowEndKind(r);
        bool eligible = true;
        if (store_->WordWrap())
            eligible = end != reWrapped && (r == 0 || store_->RowEndKind(r - 1) != reWrapped) &&
                       RowWidth(t, rules) + 1 < store_->WrapOption().WrapByte;
        const int base = ColToOffset(t, left, rules);
        if (eligible && base <= static_cast<int>(t.size())) {
            size_t e = base;
            while (e < t.size() && (t[e] == ' ' || t[e] == '\t'))
                ++e;
            const std::string blanks = t.substr(base, e - base);
            const int w = RowWidth(blanks, rules);
            std::string repl;
            if (kind == 0)
                repl = std::string(w + 1, ' ');
            else if (kind == 1)
                repl = std::string(std::max(0, w - 1), ' ');
            else if (kind == 2)
                repl = "\t" + blanks;
            else {
                const int nw = w > 0 ? ((w - 1) / tab) * tab : 0;
                repl = blanks.find('\t') != std::string::npos
                           ? std::string(nw / tab, '\t') + std::string(nw % tab, ' ')
                           : std::string(nw, ' ');
            }
            t = t.substr(0, base) + repl + t.substr(e);
        }
        s += t;
        if (end == reLineEnd) s += "\r\n";
    }
    const TEditorSelectionMode mode = selMode_;
    const TEditorPos anchor = anchor_;
    const TEditorPos caret{row_, FCol};
    ReplaceRows(r1, r2, s, caret.Row, caret.Col);
    // Keep the selection over the same rows.
    selActive_ = true;
    if (mode == smBox) {
        anchor_ = anchor;
    } else {
        const bool down =
            anchor.Row < caret.Row || (anchor.Row == caret.Row && anchor.Col <= caret.Col);
        anchor_ = {down ? r1 : r2, 0};
        const int endRow = down ? caret.Row : r1;
        const int endCol = down ? (caret.Col == 0 ? 0 : RowWidthOf(endRow)) : 0;
        if (!down) anchor_ = {anchor.Row, anchor.Col == 0 ? 0 : RowWidthOf(anchor.Row)};
        PlaceCaret(endRow, endCol, 1, false);
    }
    ExtendSelection();
}

void TEditorCore::IndentLines() {
    IndentCommand(0);
}
void TEditorCore::UnIndentLines() {
    IndentCommand(1);
}
void TEditorCore::TabIndentLines() {
    IndentCommand(2);
}
void TEditorCore::TabUnIndentLines() {
    IndentCommand(3);
}

void TEditorCore::DeleteRow(int row) {
    if (FReadOnly || row < 0 || row >= store_->RowCount()) return;
    hitLength_ = 0;
    selActive_ = false;
    rows_->UpdateList(row, 1, "", Here());
    AfterChange();
    if (row < store_->RowCount())
        PlaceCaret(row, 0, -1, false);
    else if (row > 0)
        PlaceCaret(row - 1, RowWidthOf(row - 1), -1, false);
    else
        PlaceCaret(0, 0, -1, false);
}

void TEditorCore::Undo() {
    CleanSelection();
    const std::optional<TCaretPos> c = rows_->Undo(Here());
    if (!c) return;
    AfterChange();
    PlaceCaret(c->Row, c->Col, -1, false);
}

void TEditorCore::Redo() {
    CleanSelection();
    const std::optional<TCaretPos> c = rows_->Redo(Here());
    if (!c) return;
    AfterChange();
    PlaceCaret(c->Row, c->Col, -1, false);
}

bool TEditorCore::DropSelection(int row, int col, bool copy) {
    if (FReadOnly || !Selected() || InSelection(row, col)) return false;
    bool box = false;
    const std::string text = CopyText(box);
    if (box) {
        if (!copy) DeleteSelection();
        CleanSelection();
        PlaceCaret(row, col, -1, false);
        SetSelTextBox(text);
        return true;
    }
    const int64_t start = SelStart();
    const int64_t len = SelLength();
    int64_t drop = PosOf(row, col);
    if (!copy) {
        DeleteSelection();
        if (drop > start) drop -= len;
    }
    SetSelStart(drop);
    SetSelText(text);
    return true;
}

void TEditorCore::RowsChangedElsewhere() {
    const TEditorRowsUpdate u = rows_->TakeUpdate();
    if (u.FirstRow >= 0) coloring_.Invalidate(u.FirstRow);
    selActive_ = false;
    hitLength_ = 0;
    if (u.CountChanged) Notify(Events.SettingsChanged);
    Notify(Events.InvalidateAll);
    if (row_ > MaxRow() || FTopRow > MaxRow()) {
        FTopRow = std::min(FTopRow, MaxRow());
        ParseBoundChanged();
        PlaceCaret(std::min(row_, MaxRow()), FCol, -1, true);
    }
}
