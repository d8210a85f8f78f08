// Caret and editing options of an editor (TEditorCaret) with their defaults and clamps.
#pragma once

#include "editor/SettingsNotify.h"

// Cursor identifiers: the system's negative set plus the two cursors the editor registers.
using TCursor = int;
namespace edc {
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crRightArrow = 1;  // registered at start-up: points into the text
inline constexpr TCursor crDragSelCopy = 2; // registered at start-up: drag with a plus sign
} // namespace edc

class TEditorCaretCursors : public TEditorNotify {
  public:
    TCursor DefaultCursor = edc::crIBeam;
    TCursor DragSelCursor = edc::crDrag;
    TCursor DragSelCopyCursor = edc::crDragSelCopy;
    TCursor InSelCursor = edc::crDefault;
    TCursor LeftMarginCursor = edc::crRightArrow;
    TCursor TopMarginCursor = edc::crDefault;
    bool operator==(const TEditorCaretCursors& o) const;
    void Assign(const TEditorCaretCursors& s);
};

enum TEditorDragMode { dmManual, dmAutomatic };
enum TEditorCaretStyle { csDefault, csBrief };

class TEditorCaret : public TEditorNotify {
  public:
    TEditorCaret() {
        Cursors.OnChange = [this] { Changed(); };
    }
    TEditorCaret(const TEditorCaret& s) : TEditorCaret() { Assign(s); }
    TEditorCaret& operator=(const TEditorCaret& s) {
        Assign(s);
        return *this;
    }

    bool AutoCursor() const { return F.AutoCursor; }
    bool AutoIndent() const { return F.AutoIndent; }
    bool BackSpaceUnIndent() const { return F.BackSpaceUnIndent; }
    bool FreeCaret() const { return F.FreeCaret; }
    bool FreeRow() const { return F.FreeRow; }
    bool InTab() const { return F.InTab; }
    bool KeepCaret() const { return F.KeepCaret; }
    bool LockScroll() const { return F.LockScroll; }
    bool NextLine() const { return F.NextLine; }
    bool PrevSpaceIndent() const { return F.PrevSpaceIndent; }
    bool RowSelect() const { return F.RowSelect; }
    TEditorDragMode SelDragMode() const { return F.SelDragMode; }
    bool SelMove() const { return F.SelMove; }
    bool SoftTab() const { return F.SoftTab; }
    TEditorCaretStyle Style() const { return F.Style; }
    bool TabIndent() const { return F.TabIndent; }
    int TabSpaceCount() const { return F.TabSpaceCount; }

    void SetAutoCursor(bool v) { Set(F.AutoCursor, v); }
    void SetAutoIndent(bool v) { Set(F.AutoIndent, v); }
    void SetBackSpaceUnIndent(bool v) { Set(F.BackSpaceUnIndent, v); }
    void SetFreeCaret(bool v) { Set(F.FreeCaret, v); }
    void SetFreeRow(bool v) { Set(F.FreeRow, v); }
    void SetInTab(bool v) { Set(F.InTab, v); }
    void SetKeepCaret(bool v) { Set(F.KeepCaret, v); }
    void SetLockScroll(bool v) { Set(F.LockScroll, v); }
    void SetNextLine(bool v) { Set(F.NextLine, v); }
    void SetPrevSpaceIndent(bool v) { Set(F.PrevSpaceIndent, v); }
    void SetRowSelect(bool v) { Set(F.RowSelect, v); }
    void SetSelDragMode(TEditorDragMode v) { Set(F.SelDragMode, v); }
    void SetSelMove(bool v) { Set(F.SelMove, v); }
    void SetSoftTab(bool v) { Set(F.SoftTab, v); }
    void SetStyle(TEditorCaretStyle v) { Set(F.Style, v); }
    void SetTabIndent(bool v) { Set(F.TabIndent, v); }
    // 2..8, rounded down to even: only 2, 4, 6 and 8 occur.
    void SetTabSpaceCount(int v) { Set(F.TabSpaceCount, ClampInt(v, 2, 8) & ~1); }

    TEditorCaretCursors Cursors;
    void Assign(const TEditorCaret& s);
    bool operator==(const TEditorCaret& o) const;

  private:
    struct Fields {
        bool AutoCursor = true, AutoIndent = true, BackSpaceUnIndent = true, FreeCaret = true;
        bool FreeRow = false, InTab = false, KeepCaret = false, LockScroll = false;
        bool NextLine = false, PrevSpaceIndent = false, RowSelect = true;
        TEditorDragMode SelDragMode = dmAutomatic;
        bool SelMove = true, SoftTab = false;
        TEditorCaretStyle Style = csDefault;
        bool TabIndent = false;
        int TabSpaceCount = 8;
        bool operator==(const Fields&) const = default;
    } F;
};
