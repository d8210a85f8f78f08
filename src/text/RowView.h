// TRowView: the read-only view of screen rows that painting, search and colouring read, each
// row's CP932 text and how it ends.
#pragma once

#include <string_view>

#include "text/RowData.h"

// A row's text and how it ends, as handed out in batches.
struct TRowPiece {
    const char* P = nullptr;
    uint32_t Len = 0;
    TRowEnd End = reLineEnd;
};

class TRowView {
  public:
    virtual ~TRowView() = default;
    virtual int RowCount() const = 0;
    virtual std::string_view RowText(int r) const = 0; // valid until the next change
    virtual TRowEnd RowEndKind(int r) const = 0;
    // Rows first.. (at most n, fewer at the end) into out; returns how many. Readers that walk
    // many rows (search) take them this way: a store can hand them out without a lookup per row.
    // Several threads may call it at once while the rows do not change.
    virtual int RowPieces(int first, int n, TRowPiece* out) const {
        int k = 0;
        for (int r = first; k < n && r < RowCount(); ++r, ++k) {
            const std::string_view t = RowText(r);
            out[k] = {t.data(), static_cast<uint32_t>(t.size()), RowEndKind(r)};
        }
        return k;
    }
    // The text of the row after r when r is wrapped (its logical line goes on there), else empty.
    std::string_view NextRowText(int r) const {
        return RowEndKind(r) == reWrapped && r + 1 < RowCount() ? RowText(r + 1)
                                                                : std::string_view();
    }
};
