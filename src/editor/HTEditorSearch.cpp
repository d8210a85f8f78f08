// Search and replace on the editing control's core (see HTEditorSearch.h).
#include "editor/HTEditorSearch.h"

#include "editor/EditorColumns.h"
#include "editor/HTSearchRowsOf.h"

#include <algorithm>

namespace {

// Row and byte offset of a text position of the editor (line ends count 2).
TSearchPos posOf(const TEditorRowSource& rows, int pos) {
    const int count = rows.RowCount();
    for (int r = 0; r < count; ++r) {
        const int len = static_cast<int>(rows.RowText(r).size());
        const int end = rows.RowEndKind(r);
        if (pos < len || (pos == len && end != erWrapped)) return {r, std::max(pos, 0)};
        pos -= len + (end == erLineEnd ? 2 : 0);
        if (pos < 0) return {r, len}; // inside a line end
    }
    return {count, 0};
}

} // namespace

bool EditorCoreSearch(TEditorCore& editor, std::string_view pattern, TSearchOptions options) {
    const TEditorRowSource& rows = editor.Rows();
    if (rows.RowCount() == 0 || pattern.empty()) return false;
    TEditorSearchState st;
    st.Caret = {editor.Row(), editor.IsEofPos(editor.Row()) ? 0 : editor.CaretOffset()};
    if (editor.Selected()) {
        const int start = editor.SelStart();
        st.HasSelection = true;
        st.SelStart = posOf(rows, start);
        st.SelEnd = posOf(rows, start + editor.SelLength());
    }
    st.HitLength = editor.HitSelLength();
    TSearchHit hit;
    if (!EditorSearchIn(rows, st, pattern, options, hit)) return false;
    const int col =
        OffsetToCol(rows.RowText(hit.Row), static_cast<int>(hit.Offset), editor.Rules());
    editor.ShowHit(editor.PosOf(hit.Row, col), static_cast<int>(hit.Length));
    editor.ScrollCaret();
    return true;
}

bool TEditorReplaceTarget::Find(const TSearchCommandState& state) {
    return RunFind(state, caption_, [this](const std::string& pattern, TSearchOptions options) {
        return EditorCoreSearch(editor_, pattern, options);
    });
}

TReplaceAnswer TEditorReplaceTarget::Confirm(const std::string& prompt) {
    return OnConfirm ? OnConfirm(prompt) : TReplaceAnswer::All;
}
