// A stand-in editor for the row store tests: a caret it gives with its edits and takes back
// from undo, a parse bound and parser it gives the store, and a record of the changes it pulled;
// StoreWithEditor attaches one to a store for a test.
#pragma once

#include "text/LineBreaking.h"
#include "text/RowStore.h"

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct FakeEditor : TRowStoreView {
    TEditorScreenStrings* store = nullptr;
    int row = 0, col = 0;
    uint64_t seen = 0;
    std::vector<int> invalidated;    // rows whose parser state changed, as pulled
    std::vector<TRowChange> changes; // everything pulled

    void AttachTo(TEditorScreenStrings& s) {
        store = &s;
        seen = s.Revision();
        s.Attach(this);
    }
    void RowsChanged() override { Pull(); }
    void Pull() {
        for (const TRowChange& c : store->ChangesSince(seen)) {
            changes.push_back(c);
            if (c.Kind == TRowChange::ckStates || c.Kind == TRowChange::ckParsed)
                for (int r = c.FirstRow; r < c.FirstRow + c.NewRowCount; ++r)
                    invalidated.push_back(r);
        }
        seen = store->Revision();
    }
    TCaretPos Caret() const { return {row, col}; }
    // An edit at the caret, and undo and redo putting the caret back as an editor does.
    void Edit(int index, int count, std::string_view s) {
        store->UpdateList(index, count, s, Caret());
    }
    void Undo() { Take(store->Undo(Caret())); }
    void Redo() { Take(store->Redo(Caret())); }
    // Shows rows top..top+visible-1: the store parses twice as many after a change.
    void Show(int top, int visible) { store->SetParseBound(this, top + 2 * visible); }
    void ParseAll() { store->SetParseBound(this, INT_MAX); }
    void SetParser(std::function<std::unique_ptr<TRowStateParser>()> p) {
        store->SetViewParser(this, std::move(p));
    }

  private:
    void Take(std::optional<TCaretPos> c) {
        if (c) row = c->Row, col = c->Col;
    }
};

struct StoreWithEditor {
    TEditorScreenStrings s;
    FakeEditor ed;
    StoreWithEditor() {
        ed.AttachTo(s);
        ed.Show(0, 10);
    }
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
