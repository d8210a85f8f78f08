// A stand-in editor for the row store tests: caret and view as plain fields, a parser factory,
// and a record of what the store told it; StoreWithEditor attaches one to a store for a test.
#pragma once

#include "text/LineBreaking.h"
#include "text/RowStore.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct FakeEditor : TScreenStringsClient {
    int row = 0, col = 0, top = 0, visible = 10;
    bool full = false, focus = false;
    std::function<std::unique_ptr<TRowStateParser>()> parser;
    std::vector<int> invalidated;
    std::vector<TUpdateInfo> updates;

    int CaretRow() const override { return row; }
    int CaretCol() const override { return col; }
    void SetCaretPos(int r, int c) override { row = r, col = c; }
    int TopRow() const override { return top; }
    int VisibleRowCount() const override { return visible; }
    bool Focused() const override { return focus; }
    bool InitBracketsFull() const override { return full; }
    std::unique_ptr<TRowStateParser> CreateRowParser() override {
        return parser ? parser() : nullptr;
    }
    void InvalidateRow(int r) override { invalidated.push_back(r); }
    void ListUpdated(const TUpdateInfo& u) override { updates.push_back(u); }
};

struct StoreWithEditor {
    TEditorScreenStrings s;
    FakeEditor ed;
    StoreWithEditor() { s.Attach(&ed); }
    ~StoreWithEditor() { s.Detach(&ed); }
};

// Every row as "[text]" and its end: L line end, W wrapped, T text end.
inline std::string RowDump(const TEditorScreenStrings& s) {
    std::string out;
    for (int r = 0; r < s.Count(); ++r)
        out += "[" + std::string(s.RowText(r)) + "]" + "LWT"[s.RowEndKind(r)];
    return out;
}

// Wrap options with the given width and the default character sets.
inline TEditorWrapOption WrapWidth(int width) {
    TEditorWrapOption o;
    o.SetWrapByte(width);
    return o;
}
