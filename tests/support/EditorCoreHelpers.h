// Helpers for tests on the editor core: Shift-JIS literals, a selection, a wrap width.
#pragma once

#include "editor/EditorCore.h"
#include "platform/Cp932.h"

#include <string>
#include <utility>

// The Shift-JIS bytes of a UTF-8 literal.
inline std::string J(const char* utf8) {
    return Utf8ToCp932(utf8);
}

// The caret as (row, column).
inline std::pair<int, int> CaretOf(const TEditorCore& e) {
    return {e.Row(), e.Col()};
}
using RC = std::pair<int, int>;

// Selects from (r0, c0) to (r1, c1), as the keyboard or a drag would.
inline void Select(TEditorCore& e, int r0, int c0, int r1, int c1) {
    e.SetCaret(r0, c0);
    e.StartSelection();
    e.SetCaret(r1, c1);
    e.ExtendSelection();
}

// Word wrap on at the given width.
inline void WrapAt(TEditorCore& e, int wrapByte) {
    TEditorWrapOption w;
    w.SetWrapByte(wrapByte);
    e.SetWrapOption(w);
    e.SetWordWrap(true);
}
