// What an input method is told of the caret row: the row's text and the caret's place in it, in
// UTF-16 code units (a two-byte character of the document is one unit, a character outside the
// basic plane two).
#pragma once

#include <string>

class TCharTable;
class TEditorCore;

struct TImeRowText {
    std::u16string Text;
    int Cursor = 0;
};
// table: the document's own characters (null: plain CP932).
TImeRowText ImeRowText(const TEditorCore& core, const TCharTable* table);
