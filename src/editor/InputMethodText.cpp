// The caret row for the input method, and the composition laid into its line.
#include "editor/InputMethodText.h"

#include "text/DocumentCodec.h"
#include "text/RowStore.h"

#include <algorithm>

TImeRowText ImeRowText(const TEditorCore& core, const TCharTable* table) {
    const std::string_view row = core.RowTextOf(core.Row());
    const int n = static_cast<int>(row.size());
    auto units = [&](int bytes) {
        return static_cast<int>(
            DocumentToUtf16(row.substr(0, std::clamp(bytes, 0, n)), table).size());
    };
    TImeRowText t;
    t.Text = DocumentToUtf16(row, table);
    const int caret = std::min(core.CaretOffset(), n);
    t.Cursor = units(caret);
    t.Anchor = t.Cursor;
    const TEditorRowSel s = core.RowSelection(core.Row());
    if (s.End > s.Start) {
        const int start = std::min(s.Start, n), end = std::min(s.End, n);
        t.Anchor = units(caret <= start ? end : start);
        t.Selection = DocumentToUtf16(row.substr(start, end - start), table);
    }
    return t;
}

TComposition MakeComposition(std::u16string_view text, const std::vector<TCompositionFormat>& fmts,
                             int cursor, bool caretVisible) {
    TComposition c;
    c.CaretVisible = caretVisible;
    // Byte offset of every UTF-16 unit (a pair's second unit shares its character's offset).
    std::vector<int> at(text.size() + 1, 0);
    for (size_t i = 0; i < text.size();) {
        const bool pair = i + 1 < text.size() && text[i] >= 0xD800 && text[i] < 0xDC00 &&
                          text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
        const size_t len = pair ? 2 : 1;
        at[i] = static_cast<int>(c.Bytes.size());
        if (pair) at[i + 1] = at[i];
        c.Bytes += Utf16ToDocument(text.substr(i, len), nullptr);
        i += len;
    }
    at[text.size()] = static_cast<int>(c.Bytes.size());
    const int units = static_cast<int>(text.size());
    auto byteAt = [&](int u) { return at[static_cast<size_t>(std::clamp(u, 0, units))]; };
    for (const TCompositionFormat& f : fmts) {
        TCompositionFormat b = f;
        b.Start = byteAt(f.Start);
        b.Length = byteAt(f.Start + f.Length) - b.Start;
        if (b.Length > 0) c.Formats.push_back(b);
    }
    c.Caret = byteAt(cursor);
    return c;
}

TComposedLine ComposeLine(const TEditorCore& core, const TComposition& comp) {
    TComposedLine l;
    const TEditorScreenStrings& rows = core.Rows();
    const int rc = rows.RowCount();
    const int row = core.Row();
    l.EofRow = core.IsEofPos(row);
    int first = row, last = row;
    if (!l.EofRow) {
        while (first > 0 && rows.RowEndKind(first - 1) == reWrapped)
            --first;
        while (last + 1 < rc && rows.RowEndKind(last) == reWrapped)
            ++last;
        l.End = rows.RowEndKind(last);
        if (last == rc - 1 && l.End != reLineEnd) l.End = reTextEnd;
    } else {
        l.End = reTextEnd;
    }
    l.FirstRow = first;
    l.StoreRows = last - first + 1;
    for (int r = first; r <= last; ++r) {
        l.RowStarts.push_back(static_cast<int>(l.Text.size()));
        l.Text += core.RowTextOf(r);
    }
    const int rowStart = l.RowStarts[static_cast<size_t>(row - first)];
    l.At = rowStart + std::min(core.CaretOffset(), static_cast<int>(core.RowTextOf(row).size()));
    l.Bytes = static_cast<int>(comp.Bytes.size());
    l.Formats = comp.Formats;
    l.Text.insert(static_cast<size_t>(l.At), comp.Bytes);
    WrapLine(l.Text, 0, core.Rules(), l.Rows);
    if (l.Rows.empty()) l.Rows.push_back({0, 0, reLineEnd});

    // The composition's caret: on the row its byte starts (at a wrap, the next row's start).
    const int caret = l.At + std::clamp(comp.Caret, 0, l.Bytes);
    size_t v = 0;
    while (v + 1 < l.Rows.size() && static_cast<int>(l.Rows[v + 1].Start) <= caret)
        ++v;
    const TWrapRow& w = l.Rows[v];
    const std::string_view text = std::string_view(l.Text).substr(w.Start, w.Length);
    l.Caret = {first + static_cast<int>(v),
               OffsetToCol(text, caret - static_cast<int>(w.Start), core.Rules())};
    return l;
}

void SelectRowUnits(TEditorCore& core, const TCharTable* table, int start, int end) {
    const int row = core.Row();
    const std::string_view text = core.RowTextOf(row);
    const int n = static_cast<int>(text.size());
    // The byte offset of a unit: whole characters only.
    auto offsetOf = [&](int unit) {
        int off = 0, units = 0;
        while (off < n && units < unit) {
            const int bytes = CharBytesAt(text, off);
            units += static_cast<int>(DocumentToUtf16(text.substr(off, bytes), table).size());
            off += bytes;
        }
        return off;
    };
    const int a = offsetOf(std::max(0, start)), b = offsetOf(std::max(start, end));
    const int64_t from = core.PosOf(row, OffsetToCol(text, a, core.Rules()));
    const int64_t to = core.PosOf(row, OffsetToCol(text, b, core.Rules()));
    core.SetSelStart(from);
    core.SetSelLength(to - from);
}
