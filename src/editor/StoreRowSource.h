// The editor core's view of the row store TEditorScreenStrings: rows, UpdateList, undo, marks,
// wrap and the parser states the store keeps, with the editor attached as the store's client.
#pragma once

#include "editor/RowSource.h"
#include "text/RowStore.h"

#include <functional>
#include <memory>

class TEditorCore;

class TEditorScreenRows : public TEditorRowSource, public TScreenStringsClient {
  public:
    explicit TEditorScreenRows(std::shared_ptr<TEditorScreenStrings> store = nullptr);
    ~TEditorScreenRows() override;
    void SetOwner(TEditorCore* owner) { FOwner = owner; }
    TEditorScreenStrings& Store() { return *FStore; }
    const std::shared_ptr<TEditorScreenStrings>& SharedStore() const { return FStore; }

    // TEditorRowSource
    int RowCount() const override { return FStore->Count(); }
    std::string_view RowText(int r) const override { return FStore->RowText(r); }
    int RowEndKind(int r) const override { return FStore->RowEndKind(r); }
    void UpdateList(int index, int count, const std::string& s) override;
    std::uint16_t RowMarks(int r) const override { return FStore->ListRowMarks(r); }
    void SetRowMarks(int r, std::uint16_t m) override { FStore->SetListRowMarks(r, m); }
    std::uint16_t MarksInList() const override { return FStore->MarksInList(); }
    bool WordWrap() const override { return FStore->WordWrap(); }
    int WrapByte() const override { return FStore->WrapOption().WrapByte(); }
    bool CanUndo() const override { return FStore->UndoObj().CanUndo(); }
    bool CanRedo() const override { return FStore->UndoObj().CanRedo(); }
    bool Undo(int& caretRow, int& caretCol) override;
    bool Redo(int& caretRow, int& caretCol) override;
    void SetUndoCaret(int, int) override {} // the store asks the editor for its caret
    TEditorRowsUpdate TakeUpdate() override;
    void SetText(std::string_view cp932) override;
    void ApplyWrap(bool wordWrap, const TEditorPropWrap& w, int tabSpaceCount) override;
    int RewrapCount() const override { return FRewraps; }
    void SetFountain(const TFountain* f) override;
    bool SavedState(int row, TFountainState& out) override;
    int RowStart(int r) const override { return FStore->RowStart(r); }
    int RowEnd(int r) const override { return FStore->RowEnd(r); }
    std::int64_t TextPos(int r) const override { return FStore->TextPos(r); }
    int RowOfTextPos(std::int64_t pos) const override { return FStore->RowOfTextPos(pos); }
    int RowToLine(int r) const override { return FStore->RowToLine(r); }

    // TScreenStringsClient
    int CaretRow() const override;
    int CaretCol() const override;
    void SetCaretPos(int row, int col) override;
    int TopRow() const override;
    void SetTopRow(int row) override;
    int VisibleRowCount() const override;
    bool Focused() const override { return HasFocus && HasFocus(); }
    bool InitBracketsFull() const override;
    std::unique_ptr<TRowStateParser> CreateRowParser() override;
    void InvalidateRow(int row) override;
    void ListUpdated(const TUpdateInfo& info) override;
    void ListReset() override;

    std::function<bool()> HasFocus;

  private:
    bool UndoStep(bool redo, int& caretRow, int& caretCol);
    void Note(int first, int oldCount, int newCount, bool moved);
    std::shared_ptr<TEditorScreenStrings> FStore;
    TEditorCore* FOwner = nullptr;
    const TFountain* FFountain = nullptr;
    TEditorRowsUpdate FUpdate;
    int FRewraps = 0;
    bool FRebuilding = false;
    int FOwnEdit = 0; // inside a change this editor makes
    bool FCaretSet = false;
    int FCaretRow = 0, FCaretCol = 0;
};
