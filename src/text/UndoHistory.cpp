// The two stacks of undo records and a record's row layout.
#include "text/UndoHistory.h"

#include <cstdint>
#include <utility>

bool TUndoData::LayoutRows(std::vector<TWrapRow>& rows, std::vector<uint8_t>* eols) const {
    if (Layout.empty()) return false;
    size_t pos = 0;
    for (uint64_t e : Layout) {
        if (eols) eols->push_back(static_cast<uint8_t>(e >> LayoutEolShift));
        e &= (uint64_t{1} << LayoutEolShift) - 1;
        uint64_t len = e >> 2;
        TRowEnd re = static_cast<TRowEnd>(e & 3);
        if (len > Text.size() - pos) return false;
        if (len > UINT32_MAX) return false;
        rows.push_back({pos, static_cast<uint32_t>(len), re});
        pos += len;
        if (re == reLineEnd) {
            if (Text.compare(pos, 2, "\r\n") != 0) return false;
            pos += 2;
        }
    }
    return pos == Text.size();
}

void TEditorUndoObj::Clear() {
    undoList_.clear();
    redoList_.clear();
}

void TEditorUndoObj::Trim() {
    while (static_cast<int>(undoList_.size()) > listMax_)
        undoList_.pop_front();
}

void TEditorUndoObj::Push(TUndoData d) {
    undoList_.push_back(std::move(d));
    Trim();
    redoList_.clear();
    ++FPushCount;
}

TUndoData TEditorUndoObj::TakeUndo() {
    TUndoData d = std::move(undoList_.back());
    undoList_.pop_back();
    return d;
}

TUndoData TEditorUndoObj::TakeRedo() {
    TUndoData d = std::move(redoList_.back());
    redoList_.pop_back();
    return d;
}

void TEditorUndoObj::PushUndone(TUndoData inverse) {
    redoList_.push_back(std::move(inverse));
}

void TEditorUndoObj::PushRedone(TUndoData inverse) {
    undoList_.push_back(std::move(inverse));
    Trim();
}
