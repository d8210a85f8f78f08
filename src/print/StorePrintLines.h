// The logical lines of an editor's row store as lines to print, read when the layout asks.
#pragma once

#include "print/PageLayout.h"
#include "text/RowStore.h"

#include <memory>

class TStorePrintLines : public TPrintLines {
  public:
    explicit TStorePrintLines(std::shared_ptr<TEditorScreenStrings> store)
        : store_(std::move(store)) {}
    const TCharTable* Table() const override { return store_->CharTable().get(); }
    std::size_t Count() const override { return static_cast<std::size_t>(store_->LineCount()); }
    // The rows of logical line i joined (a wrapped line is printed whole).
    std::string_view Line(std::size_t i, std::string& buf) const override {
        buf.clear();
        if (i >= Count()) return buf;
        const int first = store_->LineToRow(static_cast<int>(i));
        const int last = store_->RowEnd(first);
        for (int r = first; r <= last; ++r)
            buf.append(store_->RowText(r));
        return buf;
    }

  private:
    std::shared_ptr<TEditorScreenStrings> store_;
};
