// TRowView: the read-only view of screen rows that painting, search and colouring read, each
// row's CP932 text and how it ends.
#pragma once

#include <string_view>

#include "text/RowData.h"

class TRowView {
  public:
    virtual ~TRowView() = default;
    virtual int RowCount() const = 0;
    virtual std::string_view RowText(int r) const = 0; // valid until the next change
    virtual TRowEnd RowEndKind(int r) const = 0;
    // The text of the row after r when r is wrapped (its logical line goes on there), else empty.
    std::string_view NextRowText(int r) const {
        return RowEndKind(r) == reWrapped && r + 1 < RowCount() ? RowText(r + 1)
                                                                : std::string_view();
    }
};
