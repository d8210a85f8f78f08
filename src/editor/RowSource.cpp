// Logical-line helpers shared by every row store.
#include "editor/RowSource.h"

int TEditorRowSource::RowStart(int r) const {
    while (r > 0 && RowEndKind(r - 1) == erWrapped)
        --r;
    return r;
}

int TEditorRowSource::RowEnd(int r) const {
    const int last = RowCount() - 1;
    while (r < last && RowEndKind(r) == erWrapped)
        ++r;
    return r;
}

std::string TEditorRowSource::RowsText(int first, int last) const {
    std::string s;
    for (int r = first; r <= last; ++r) {
        s += RowText(r);
        if (RowEndKind(r) == erLineEnd) s += "\r\n";
    }
    return s;
}

std::string TEditorRowSource::Text() const {
    return RowsText(0, RowCount() - 1);
}

std::int64_t TEditorRowSource::TextPos(int row) const {
    std::int64_t pos = 0;
    for (int r = 0; r < row && r < RowCount(); ++r)
        pos += static_cast<std::int64_t>(RowText(r).size()) + (RowEndKind(r) == erLineEnd ? 2 : 0);
    return pos;
}

int TEditorRowSource::RowToLine(int row) const {
    int line = 0;
    for (int r = 0; r < row && r < RowCount(); ++r)
        if (RowEndKind(r) != erWrapped) ++line;
    return line;
}

int TEditorRowSource::RowOfTextPos(std::int64_t pos) const {
    const int n = RowCount();
    for (int r = 0; r < n; ++r) {
        const std::int64_t len =
            static_cast<std::int64_t>(RowText(r).size()) + (RowEndKind(r) == erLineEnd ? 2 : 0);
        if (pos < len) return r;
        pos -= len;
    }
    return n - 1;
}
