// The caret row for the input method.
#include "editor/InputMethodText.h"

#include "editor/EditorCore.h"
#include "text/DocumentCodec.h"

TImeRowText ImeRowText(const TEditorCore& core, const TCharTable* table) {
    const std::string_view row = core.RowTextOf(core.Row());
    TImeRowText t;
    t.Text = DocumentToUtf16(row, table);
    t.Cursor = static_cast<int>(DocumentToUtf16(row.substr(0, core.CaretOffset()), table).size());
    return t;
}
