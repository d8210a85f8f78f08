// The cell layout of a screen row, its marks, the left bar's numbers and the ruler's ticks.
#include "editor/RowPaint.h"

#include "text/Columns.h"
#include "text/RowStore.h"

namespace {

TColor Or(TColor c, TColor fallback) {
    return c == clNone ? fallback : c;
}

} // namespace

TRowPaint LayoutRowPaint(TEditorCore& c, int row, int topCol, int lastCol) {
    TRowPaint out;
    const TColor editorBk = c.GetColor();
    const TColor fontFg = c.GetFont().Color;
    const TFontStyles fontStyle = c.GetFont().Style;
    out.Base = {editorBk, fontFg, fontStyle};
    const bool eofPos = c.IsEofPos(row);
    const std::string_view text = c.RowTextOf(row);
    const int n = static_cast<int>(text.size());

    // Attributes per byte: token colours, then selection, then hit.
    std::vector<TCellAttr> attr(static_cast<size_t>(n), out.Base);
    if (!eofPos) {
        for (const TFountainToken& t : c.Coloring().Tokens(row)) {
            if (!t.Color) continue;
            const TFountainColor& fc = *t.Color;
            if (fc.BkColor() == clNone && fc.Color() == clNone && fc.Style() == 0) continue;
            const TCellAttr a{Or(fc.BkColor(), editorBk), Or(fc.Color(), fontFg),
                              fc.Style() ? fc.Style() : fontStyle};
            for (int i = std::max(0, t.Start); i < t.Start + t.Length && i < n; ++i)
                attr[static_cast<size_t>(i)] = a;
        }
    }
    // Selected text in reverse unless the view gives it colours of its own.
    const TEditorColorItem& sel = c.View().Colors().Select;
    const TCellAttr selA{Or(sel.BkColor, fontFg), Or(sel.Color, editorBk), fontStyle};
    const TEditorRowSel rs = c.RowSelection(row);
    for (int i = std::max(0, rs.Start); i < rs.End && i < n; ++i)
        attr[static_cast<size_t>(i)] = selA;
    out.Selected = !rs.Empty();
    out.LineEndSelected = rs.LineEnd;
    out.SelectionBk = selA.Bk;
    if (c.GetHitStyle() == hsDraw) {
        const TEditorColorItem& hit = c.View().Colors().Hit;
        const TCellAttr hitA{Or(hit.BkColor, fontFg), Or(hit.Color, editorBk), fontStyle};
        const TEditorRowSel hs = c.RowHit(row);
        for (int i = std::max(0, hs.Start); i < hs.End && i < n; ++i)
            attr[static_cast<size_t>(i)] = hitA;
        out.Selected = out.Selected || !hs.Empty();
    }

    // Characters on the grid: each byte one cell, a two-byte character two.
    const TWrapSettings& rules = c.Rules();
    int col = 0;
    for (int off = 0; off < n;) {
        const int bytes = CharBytesAt(text, off);
        const int next = OffsetToCol(text, off + bytes, rules);
        if (next > EditorMaxColumns) {
            out.Cut = true;
            break;
        }
        if (col >= lastCol) break;
        if (next > topCol) {
            TCellRun r{off, bytes, col, next, attr[static_cast<size_t>(off)], TCellGlyph::Text, 0};
            const unsigned char b = static_cast<unsigned char>(text[static_cast<size_t>(off)]);
            if (bytes == 1 && b == '\t') {
                r.Glyph = TCellGlyph::Blank;
            } else if (bytes == 1 && (b < 0x20 || b == 0x7F)) {
                r.Glyph = TCellGlyph::Control;
                r.Picture = static_cast<char16_t>(b == 0x7F ? 0x2421 : 0x2400 + b);
            }
            out.Cells.push_back(r);
        }
        col = next;
        off += bytes;
    }
    out.Width = out.Cut ? EditorMaxColumns : col;

    // The mark after the text: the hide mark of a cut row, [EOF], the line end or the wrap.
    const TEditorMarks& m = c.Marks();
    auto mark = [&](const TEditorMark& k, TRowEndMark what) {
        if (!k.Visible()) return;
        out.EndMark = what;
        out.EndMarkColor = Or(k.Color(), fontFg);
    };
    const int rc = c.Rows().RowCount();
    const int end = eofPos ? -1 : c.Rows().RowEndKind(row);
    if (out.Cut)
        mark(m.HideMark, TRowEndMark::Hide);
    else if (eofPos || (row == rc - 1 && end == reTextEnd))
        mark(m.EofMark, TRowEndMark::Eof);
    else if (end == reLineEnd)
        mark(m.RetMark, TRowEndMark::Return);
    else if (end == reWrapped)
        mark(m.WrapMark, TRowEndMark::Wrap);

    const TEditorMark& ul = m.Underline;
    out.Underline = ul.Visible() && row == c.Row();
    out.UnderlineColor = Or(ul.Color(), fontFg);
    return out;
}

int LeftbarColumnsOf(TEditorCore& c) {
    const TEditorScreenStrings& rows = c.Rows();
    const int last = rows.RowCount() - 1;
    const int lastLine = last < 0 ? -1 : rows.RowToLine(last);
    const bool textEnd = last < 0 || rows.RowEndKind(last) == reTextEnd;
    return LeftbarNumberColumns(c.Leftbar(), last, lastLine, textEnd);
}

bool NumberColumnsChanged(TEditorCore& c, int shownColumns) {
    return c.Leftbar().Visible() && c.Leftbar().ShowNumber() && LeftbarColumnsOf(c) != shownColumns;
}

int LeftbarRowNumber(const TEditorLeftbar& bar, const TEditorScreenStrings& rows, int row) {
    int number = row;
    if (bar.ShowNumberMode() == nmLine) {
        if (row > 0 && row <= rows.RowCount() && rows.RowEndKind(row - 1) == reWrapped) return -1;
        // The row after the text (the caret's place at its end) counts as the next line.
        number = row < rows.RowCount() ? rows.RowToLine(row)
                                       : (row > 0 ? rows.RowToLine(row - 1) + 1 : 0);
    }
    return bar.ZeroBase() ? number : number + 1;
}

TLeftbarColors LeftbarColors(const TEditorLeftbar& bar, TColor editorBk) {
    return {Or(bar.BkColor(), editorBk), bar.Edge() ? edc::clWhite : bar.BkColor(),
            bar.Edge() ? edc::clGray : bar.Color()};
}

TColor ImagebarBk(const TEditorLeftbar& bar, TColor editorBk) {
    return bar.Visible() && bar.BkColor() != clNone ? bar.BkColor() : editorBk;
}

TImagebarMarks ImagebarMarksOf(std::uint16_t marks) {
    TImagebarMarks out;
    for (int m = 0; m <= 15; ++m) {
        if (!(marks & (1u << m))) continue;
        int& slot = m <= 9 ? out.Digit : out.Color;
        if (slot < 0) slot = m;
    }
    return out;
}

std::vector<TRulerTick> RulerTicks(int topCol, int gauge, int visibleCols) {
    std::vector<TRulerTick> out;
    gauge = std::max(1, gauge);
    const int step = std::max(1, gauge / 2);
    for (int col = topCol - topCol % gauge; col - topCol < visibleCols; col += step)
        if (col >= topCol) out.push_back({col, col % gauge == 0});
    return out;
}
