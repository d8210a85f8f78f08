// Logical-line helpers shared by every row store.
#include "editor/HEditorRows.h"

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
