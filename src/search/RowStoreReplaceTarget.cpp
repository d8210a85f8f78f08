// Find and replace on a bare row store (see HTReplaceRows.h).
#include "search/RowStoreReplaceTarget.h"

#include "search/RowSearch.h"

#include <algorithm>

TSearchPos TRowStoreReplaceTarget::PosOf(std::ptrdiff_t pos) const {
    const int count = store_.Count();
    if (count == 0) return {};
    if (pos >= store_.TextLength() && store_.RowEndKind(count - 1) == reLineEnd)
        return {count, 0}; // the "[EOF]" position
    const int row = store_.RowOfTextPos(pos);
    return {row, pos - static_cast<std::ptrdiff_t>(store_.TextPos(row))};
}

bool TRowStoreReplaceTarget::Find(const TSearchCommandState& state) {
    std::string pattern;
    TSearchHit hit;
    TEditorSearchState st;
    st.Caret = PosOf(caret_);
    st.HitLength = hit_;
    if (sel_ > 0) {
        st.HasSelection = true;
        st.SelStart = st.Caret;
        st.SelEnd = PosOf(caret_ + sel_);
    }
    if (!SearchTextBytes(state.Text, pattern, store_.CharTable().get())) {
        ++NotFound;
        return false;
    }
    const TSearchPattern& prepared = PreparedPattern(pattern, state.Options);
    if (store_.Count() == 0 || prepared.Empty() ||
        !SearchRows(store_, SearchStartPos(store_, st, state.Options & soDown), prepared, hit)) {
        ++NotFound;
        return false;
    }
    caret_ = static_cast<std::ptrdiff_t>(store_.TextPos(hit.Row)) + hit.Offset;
    sel_ = 0;
    hit_ = hit.Length;
    return true;
}

TReplaceAnswer TRowStoreReplaceTarget::Confirm(const std::string& prompt) {
    return OnConfirm ? OnConfirm(prompt) : TReplaceAnswer::All;
}

void TRowStoreReplaceTarget::SetSelStart(std::ptrdiff_t pos) {
    caret_ = std::clamp<std::ptrdiff_t>(pos, 0, store_.TextLength());
    sel_ = hit_ = 0;
}

void TRowStoreReplaceTarget::SetSelText(const std::string& replacement) {
    if (replacement.empty() || store_.Count() == 0) return;
    const std::ptrdiff_t end = std::min<std::ptrdiff_t>(caret_ + sel_, store_.TextLength());
    const int first = store_.RowOfTextPos(caret_);
    const int last = store_.RowOfTextPos(std::max<std::ptrdiff_t>(end - 1, caret_));
    std::string rows = store_.RowsText(first, last);
    const auto from = static_cast<std::size_t>(caret_ - store_.TextPos(first));
    const auto len = static_cast<std::size_t>(end - caret_);
    rows.replace(std::min(from, rows.size()), len, replacement);
    store_.UpdateList(first, last - first + 1, rows);
    caret_ += static_cast<std::ptrdiff_t>(replacement.size());
    sel_ = hit_ = 0;
}
