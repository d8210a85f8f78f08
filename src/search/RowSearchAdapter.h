// Adapts a row store (the editor's TEditorScreenStrings, or any store with RowText, RowEndKind
// and Count or RowCount) to the search's row source, so an editor's Search is one call.
#pragma once

#include "search/RowSearch.h"

template <class Store> class TSearchRowsOf final : public TSearchRowSource {
  public:
    explicit TSearchRowsOf(const Store& store) : store_(store) {}
    int RowCount() const override {
        if constexpr (requires(const Store& s) { s.RowCount(); })
            return store_.RowCount();
        else
            return store_.Count();
    }
    std::string_view RowText(int row) const override { return store_.RowText(row); }
    // Row-end kind 0 is reLineEnd in every store.
    bool RowHasLineEnd(int row) const override {
        return static_cast<int>(store_.RowEndKind(row)) == 0;
    }

  private:
    const Store& store_;
};

// The editor's Search over a row store (see EditorSearch).
template <class Store>
bool EditorSearchIn(const Store& store, const TEditorSearchState& state, std::string_view pattern,
                    TSearchOptions options, TSearchHit& hit) {
    return EditorSearch(TSearchRowsOf<Store>(store), state, pattern, options, hit);
}
