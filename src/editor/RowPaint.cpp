// The cell layout of a screen row, its marks, the left bar's numbers and the ruler's ticks.
#include "editor/RowPaint.h"

#include "text/Columns.h"
#include "text/RowStore.h"

#include <algorithm>

namespace {

TColor Or(TColor c, TColor fallback) {
    return c == clNone ? fallback : c;
}

// A store row's attributes per byte: token colours, then selection, then hit.
std::vector<TCellAttr> RowAttrs(TEditorCore& c, int row, TRowPaint& out) {
    const TColor editorBk = out.Base.Bk, fontFg = out.Base.Fg;
    const TFontStyles fontStyle = out.Base.Style;
    const int n = static_cast<int>(c.RowTextOf(row).size());
    std::vector<TCellAttr> attr(static_cast<size_t>(n), out.Base);
    if (!c.IsEofPos(row)) {
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
    out.Selected = out.Selected || !rs.Empty();
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
    return attr;
}

// Characters on the grid: each byte one cell, a two-byte character two.
void LayCells(TEditorCore& c, std::string_view text, const std::vector<TCellAttr>& attr,
              const std::vector<char>& composing, int topCol, int lastCol, TRowPaint& out) {
    const TWrapSettings& rules = c.Rules();
    const int n = static_cast<int>(text.size());
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
            TCellRun r{off, bytes, col,  next, attr[static_cast<size_t>(off)], TCellGlyph::Text,
                       0,   false, false};
            const unsigned char b = static_cast<unsigned char>(text[static_cast<size_t>(off)]);
            if (bytes == 1 && b == '\t') {
                r.Glyph = TCellGlyph::Blank;
            } else if (bytes == 1 && (b < 0x20 || b == 0x7F)) {
                r.Glyph = TCellGlyph::Control;
                r.Picture = static_cast<char16_t>(b == 0x7F ? 0x2421 : 0x2400 + b);
            }
            if (!composing.empty() && composing[static_cast<size_t>(off)]) {
                r.Composing = true;
                r.ComposingUnderline = composing[static_cast<size_t>(off)] == 2;
            }
            out.Cells.push_back(r);
        }
        col = next;
        off += bytes;
    }
    out.Width = out.Cut ? EditorMaxColumns : col;
}

} // namespace

TRowPaint LayoutRowPaint(TEditorCore& c, int row, int topCol, int lastCol,
                         const TComposedLine* composed) {
    TRowPaint out;
    const TColor editorBk = c.GetColor();
    const TColor fontFg = c.GetFont().Color;
    out.Base = {editorBk, fontFg, c.GetFont().Style};
    const int rc = c.Rows().RowCount();

    bool eofPos = false;
    int end = reLineEnd;
    int underlineRow = c.Row();
    if (composed && composed->Holds(row)) {
        // A row of the caret's line with the composition standing in it: each byte takes its
        // colours from where it comes from, the composition's from the input method's formats.
        const TComposedLine& l = *composed;
        const size_t v = static_cast<size_t>(row - l.FirstRow);
        const TWrapRow& w = l.Rows[v];
        const std::string_view text = std::string_view(l.Text).substr(w.Start, w.Length);
        std::vector<TCellAttr> attr(text.size(), out.Base);
        std::vector<char> composing(text.size(), 0);
        std::vector<std::vector<TCellAttr>> storeAttrs(static_cast<size_t>(l.StoreRows));
        std::vector<bool> made(static_cast<size_t>(l.StoreRows), false);
        bool lineEndSelected = false;
        for (size_t i = 0; i < text.size(); ++i) {
            const int at = static_cast<int>(w.Start + i);
            if (at >= l.At && at < l.At + l.Bytes) {
                // Underlined unless its clause has colours of its own (the one being converted).
                const int k = at - l.At;
                bool underline = true;
                for (const TCompositionFormat& f : l.Formats) {
                    if (k < f.Start || k >= f.Start + f.Length) continue;
                    attr[i].Fg = Or(f.Fg, attr[i].Fg);
                    attr[i].Bk = Or(f.Bk, attr[i].Bk);
                    underline = f.Underline || f.Bk == clNone;
                }
                composing[i] = underline ? 2 : 1;
                continue;
            }
            const int orig = at < l.At ? at : at - l.Bytes;
            const size_t r =
                static_cast<size_t>(std::upper_bound(l.RowStarts.begin(), l.RowStarts.end(), orig) -
                                    l.RowStarts.begin() - 1);
            if (!made[r]) {
                storeAttrs[r] = RowAttrs(c, l.FirstRow + static_cast<int>(r), out);
                made[r] = true;
            }
            const std::vector<TCellAttr>& sa = storeAttrs[r];
            const size_t o = static_cast<size_t>(orig - l.RowStarts[r]);
            if (o < sa.size()) attr[i] = sa[o];
        }
        const bool lastRow = v + 1 == l.Rows.size();
        if (lastRow && !l.EofRow)
            lineEndSelected = c.RowSelection(l.FirstRow + l.StoreRows - 1).LineEnd;
        out.LineEndSelected = lineEndSelected;
        LayCells(c, text, attr, composing, topCol, lastCol, out);
        eofPos = lastRow && l.EofRow;
        end = lastRow ? l.End : reWrapped;
        underlineRow = row == l.Caret.Row ? row : -1;
        if (lastRow && end == reTextEnd) eofPos = true;
    } else {
        if (composed) {
            row = composed->StoreRow(row);
            underlineRow = -1;
        }
        eofPos = c.IsEofPos(row);
        const std::vector<TCellAttr> attr = RowAttrs(c, row, out);
        LayCells(c, c.RowTextOf(row), attr, {}, topCol, lastCol, out);
        end = eofPos ? -1 : c.Rows().RowEndKind(row);
        if (row == rc - 1 && end == reTextEnd) eofPos = true;
    }

    // The mark after the text: the hide mark of a cut row, [EOF], the line end or the wrap.
    const TEditorMarks& m = c.Marks();
    auto mark = [&](const TEditorMark& k, TRowEndMark what) {
        if (!k.Visible()) return;
        out.EndMark = what;
        out.EndMarkColor = Or(k.Color(), fontFg);
    };
    if (out.Cut)
        mark(m.HideMark, TRowEndMark::Hide);
    else if (eofPos)
        mark(m.EofMark, TRowEndMark::Eof);
    else if (end == reLineEnd)
        mark(m.RetMark, TRowEndMark::Return);
    else if (end == reWrapped)
        mark(m.WrapMark, TRowEndMark::Wrap);

    const TEditorMark& ul = m.Underline;
    out.Underline = ul.Visible() && row == underlineRow;
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
