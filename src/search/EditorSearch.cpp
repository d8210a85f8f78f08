// Search and replace on the editing control's core.
#include "search/EditorSearch.h"
#include "text/RowStore.h"

#include "search/RowSearch.h"
#include "text/Columns.h"

namespace {

// Row and byte offset of a caret position (row, display column).
TSearchPos posOf(const TEditorCore& e, TEditorPos p) {
    return {p.Row, e.IsEofPos(p.Row) ? 0 : e.OffsetOf(p.Row, p.Col)};
}

bool before(const TSearchPos& a, const TSearchPos& b) {
    return a.Row < b.Row || (a.Row == b.Row && a.Offset < b.Offset);
}

} // namespace

bool EditorCoreSearch(TEditorCore& editor, std::string_view pattern, TSearchOptions options) {
    const TRowView& rows = editor.Rows();
    if (rows.RowCount() == 0 || pattern.empty()) return false;
    TEditorSearchState st;
    st.Caret = posOf(editor, {editor.Row(), editor.Col()});
    if (editor.Selected()) {
        // The selection runs between its anchor and the caret (no walk over the rows).
        const TSearchPos anchor = posOf(editor, editor.SelAnchor());
        st.HasSelection = true;
        st.SelStart = before(anchor, st.Caret) ? anchor : st.Caret;
        st.SelEnd = before(anchor, st.Caret) ? st.Caret : anchor;
    }
    st.HitLength = editor.HitSelLength();
    TSearchHit hit;
    if (!EditorSearch(rows, st, pattern, options, hit)) return false;
    editor.ShowHitAt(hit.Row, static_cast<int>(hit.Offset), static_cast<int>(hit.Length));
    editor.ScrollCaret();
    return true;
}

bool TEditorReplaceTarget::Find(const TSearchCommandState& state) {
    return RunFind(
        asker_, state, caption_,
        [this](const std::string& pattern, TSearchOptions options) {
            return EditorCoreSearch(editor_, pattern, options);
        },
        CharTable(), &searchBytes_);
}

TCharTable* TEditorReplaceTarget::CharTable() const {
    const std::shared_ptr<TEditorScreenStrings> store = editor_.SharedStore();
    return store ? store->CharTable().get() : nullptr;
}

TReplaceAnswer TEditorReplaceTarget::Confirm(const std::string& prompt) {
    return OnConfirm ? OnConfirm(prompt) : TReplaceAnswer::All;
}
