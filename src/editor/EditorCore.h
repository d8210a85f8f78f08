// TEditorCore: the behaviour of the editing control without a window. It holds the caret
// (row, display column, remembered column), the view origin, the selection in stream or box
// mode, the displayed search hit, the settings objects, and carries out every editing command
// through the row store's one replacement primitive. The widget paints what this computes and
// turns key and mouse events into calls on it.
#pragma once

#include "editor/PropertySet.h"
#include "editor/RowColoring.h"
#include "editor/StoreRowSource.h"
#include "text/Columns.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TEditorSelectionMode { smLine, smBox };

struct TEditorPos {
    int Row = 0, Col = 0;
    bool operator==(const TEditorPos&) const = default;
};

// A row's selected byte range [Start, End) and whether its line end is selected too.
struct TEditorRowSel {
    int Start = 0, End = 0;
    bool LineEnd = false;
    bool Empty() const { return Start >= End && !LineEnd; }
};

struct TEditorEvents {
    std::function<void()> OnCaretMoved, OnChange, OnSelectionModeChange;
    std::function<void()> OnTopRowChange, OnTopColChange;
    std::function<void(bool selected)> OnSelectionChange;
    std::function<void(int first, int last)> InvalidateRows;   // last -1: to the end
    std::function<void()> InvalidateAll;                       // metrics or bars changed
    std::function<void()> SettingsChanged;                     // recompute metrics
    std::function<void(const std::string& message)> OnWarning; // UTF-8 text for the user
};

enum class TEditorKey { Left, Right, Up, Down, Home, End, PageUp, PageDown };

class TEditorCore : public TEditorPropTarget {
  public:
    TEditorCore(); // on a row store of its own
    // On a row store shared with other editors (a split page).
    explicit TEditorCore(std::shared_ptr<TEditorScreenStrings> store);
    ~TEditorCore() override;

    TEditorEvents Events;
    // The rows as painting, search and the window read them.
    const TEditorScreenStrings& Rows() const { return *store_; }
    // The row store, to share it with a second editor of a split page.
    std::shared_ptr<TEditorScreenStrings> SharedStore() const { return rows_->SharedStore(); }
    // The link to the row store: character offsets and the record of text changes.
    TEditorScreenRows& ScreenRows() const { return *rows_; }
    // Replaces the whole text (no undo history).
    void SetText(std::string_view cp932);
    void TakeText(std::string&& cp932); // without copying the bytes
    // Starts showing a file that goes on loading in the background (no undo history).
    void BeginLoad(std::unique_ptr<TBackgroundLoad> load, std::function<void()> wake);
    std::string Text() const { return store_->Text(); }

    // Caret and view.
    int Row() const { return row_; }
    int Col() const { return col_; }
    void SetRow(int row);
    void SetCol(int col);
    void SetCaret(int row, int col); // as a mouse click: forgets the remembered column
    int TopRow() const { return topRow_; }
    int TopCol() const { return topCol_; }
    void SetTopRow(int r);
    void SetTopCol(int c);
    int VisibleRows() const { return visibleRows_; }
    int VisibleCols() const { return visibleCols_; }
    void SetVisibleArea(int rows, int cols);
    void ScrollCaret(); // brings the caret into view
    int MaxRow() const; // the row count when the [EOF] position exists, else the last row
    bool IsEofPos(int row) const { return row >= store_->RowCount(); }
    int CaretOffset() const { return OffsetOf(row_, col_); }
    int OffsetOf(int row, int col) const;
    // Word wrap, wrap width and tab width of the rows, for column arithmetic.
    const TWrapSettings& Rules() const { return store_->WrapSettings(); }
    std::string_view RowTextOf(int r) const;
    int RowWidthOf(int r) const;

    bool OverWrite() const { return overWrite_; }
    void SetOverWrite(bool v);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    bool WantTabs = true, WantReturns = true;
    bool MouseDragging = false; // set by the widget while a button drag runs

    // Selection.
    TEditorSelectionMode SelectionMode() const { return selMode_; }
    bool SetSelectionMode(TEditorSelectionMode m); // false while a mouse drag runs
    bool Selected() const;                         // a non-empty selection
    bool SelectedData() const { return Selected() || HitSelLength() > 0; }
    TEditorPos SelAnchor() const { return anchor_; }
    void StartSelection();  // anchor at the caret
    void ExtendSelection(); // the caret moved with Shift or a drag
    void SelectRows(int r1, int r2);
    void CleanSelection();
    TEditorRowSel RowSelection(int row) const; // bytes of a row inside the selection
    int BoxLeft() const;
    int BoxRight() const; // exclusive
    int64_t SelStart() const;
    void SetSelStart(int64_t pos);
    int64_t SelLength() const;
    void SetSelLength(int64_t len);
    std::string SelText() const;
    void SetSelText(const std::string& text);
    bool InSelection(int row, int col) const;

    // Search hit shown with hsDraw or hsCaret (with hsSelect a hit is a selection).
    int HitSelLength() const { return hitLength_; }
    void ShowHit(int64_t start, int length);
    // The same for a hit found at byte `offset` of `row` (no text position to look up).
    void ShowHitAt(int row, int offset, int length);
    // The hit shown becomes a selection of the same bytes, the caret at its end.
    void SelectHit();
    TEditorRowSel RowHit(int row) const;

    // Typing and editing commands.
    void InsertTyped(const std::string& cp932); // typed text, input-method results, one step
    void KeyReturn(bool shift);
    void KeyTab();
    void KeyBackspace();
    void KeyDelete();
    void KeyNavigate(TEditorKey key, bool shift, bool ctrl, bool repeat);
    std::string CopyText(bool& box) const; // what CopyToClipboard writes
    void PasteText(const std::string& cp932, bool box);
    void SetSelTextBox(const std::string& cp932);
    void SelectAll();
    void DeleteSelection();
    // Drops the selected text at (row, col): moved, or copied with copy. False when the point
    // lies inside the selection (nothing happens) or the editor is read-only.
    bool DropSelection(int row, int col, bool copy);
    int64_t PosOf(int row, int col) const { return AbsPos(row, OffsetOf(row, col)); }
    void IndentLines();
    void UnIndentLines();
    void TabIndentLines();
    void TabUnIndentLines();
    void DeleteRow(int row);
    void Undo();
    void Redo();
    bool CanUndo() const { return rows_->CanUndo(); }
    bool CanRedo() const { return rows_->CanRedo(); }
    bool Modified = false;
    // Another editor on the same row store changed the rows: repaint, keep the caret inside.
    void RowsChangedElsewhere();
    // Around a re-wrap of the rows (a new width, options or tab width): the caret, the selection,
    // the search hit and the top row are noted as places in the text and found there again.
    void KeepTextPlaces();
    void RestoreTextPlaces();
    // A background load appended rows first..: the scroll range grows; the view repaints when
    // they show. The caret, the selection and the rows above stay as they are.
    void RowsAppended(int first);

    // Row marks.
    void PutRowMark(int row, int mark);
    void DeleteRowMark(int row, int mark);
    bool GotoRowMark(int mark);
    void ToggleRowMark(int mark); // the popup's mark items

    // Colouring: the assigned definition, or the built-in one configured from View.
    void SetFountain(const TFountain* f);
    const TFountain* Fountain() const { return fountain_; }
    TEditorRowColoring& Coloring() { return coloring_; }
    void ViewChanged();
    const TEditorFountain& BuiltInFountain() const { return builtIn_; }

    // Word movement over the tokens of a row; the default uses the colouring's tokens.
    std::function<std::vector<std::pair<int, int>>(int row)> RowTokens; // (offset, length)

    // Settings (TEditorPropTarget).
    TColor GetColor() const override { return color_; }
    void SetColor(TColor c) override;
    TEditorCaret& Caret() override { return caret_; }
    const TEditorCaret& Caret() const { return caret_; }
    const TEditorFont& GetFont() const override { return font_; }
    void SetFont(const TEditorFont& f) override;
    TEditorHitStyle GetHitStyle() const override { return hitStyle_; }
    void SetHitStyle(TEditorHitStyle s) override;
    TEditorImagebar& Imagebar() override { return imagebar_; }
    TEditorLeftbar& Leftbar() override { return leftbar_; }
    TEditorMargin& Margin() override { return margin_; }
    TEditorMarks& Marks() override { return marks_; }
    const TSortedNames& GetReserveWordList() const override { return reserve_; }
    void SetReserveWordList(const TSortedNames& l) override;
    TEditorRuler& Ruler() override { return ruler_; }
    TScrollStyle GetScrollBars() const override { return scrollBars_; }
    void SetScrollBars(TScrollStyle s) override;
    TEditorSpeed& Speed() override { return speed_; }
    TEditorViewInfo& View() override { return view_; }
    bool GetWordWrap() const override { return wordWrap_; }
    void SetWordWrap(bool w) override;
    TEditorWrapOption GetWrapOption() const override { return wrapOption_; }
    void SetWrapOption(const TEditorWrapOption& w) override;
    int WrapCount() const { return rows_->RewrapCount(); } // rows rebuilt so far

  private:
    void AfterNewText(); // caret, view and selection back to the start of a new text
    TCaretPos Here() const { return {row_, col_}; } // the caret as the row store takes it
    void ParseBoundChanged(); // the top row, the visible rows or InitBracketsFull changed
    friend struct TEditorCoreAccess;
    void Init();
    void ShowHitAt(TEditorPos p, int64_t start, int length);
    void Notify(const std::function<void()>& f) const {
        if (f) f();
    }
    void SettingChanged();
    void Rewrap();
    void PlaceCaret(int row, int col, int dir, bool vertical);
    void CaretMoved();
    int64_t AbsPos(int row, int offset) const;
    TEditorPos PosToRowCol(int64_t pos) const;
    // Replaces the bytes from (r1, o1) to (r2, o2) by text; the caret goes caretAt bytes into
    // the text (npos: after it).
    void ReplaceSpan(int r1, int o1, int r2, int o2, const std::string& text,
                     size_t caretAt = std::string::npos);
    void ReplaceRows(int r1, int r2, const std::string& newText, int caretRow, int caretCol);
    void AfterChange();
    // The common start of Backspace and Delete: true when the key is done (read-only, or the
    // selection was deleted); otherwise the selection anchor and the hit mark are dropped.
    bool DeleteKeyDone();
    bool StreamRange(int& r1, int& o1, int& r2, int& o2) const;
    void BoxRows(int& r1, int& r2) const;
    std::string BoxPart(int row) const;
    void IndentCommand(int kind);
    void WordLeft();
    void WordRight();
    std::vector<std::pair<int, int>> Tokens(int row) const;
    std::string PadTo(int row, int col) const; // spaces that bring a row to col

    std::unique_ptr<TEditorScreenRows> rows_; // edits go through here
    TEditorScreenStrings* store_;             // rows are read here
    TEditorFountain builtIn_;
    const TFountain* fountain_ = nullptr;
    TEditorRowColoring coloring_;
    int row_ = 0, col_ = 0, topRow_ = 0, topCol_ = 0, remembered_ = -1;
    int visibleRows_ = 20, visibleCols_ = 80;
    bool overWrite_ = false, readOnly_ = false;
    TEditorSelectionMode selMode_ = smLine;
    bool selActive_ = false;
    TEditorPos anchor_;
    int64_t hitStart_ = 0;
    int hitLength_ = 0;
    struct TTextPlaces {
        int64_t Caret = 0, Anchor = 0, Top = 0;
        int CaretBeyond = 0; // columns past the end of the caret's row (free caret)
        bool SelActive = false;
        int HitLength = 0;
    } kept_;

    TColor color_ = edc::clWindow;
    TEditorCaret caret_;
    TEditorFont font_;
    TEditorHitStyle hitStyle_ = hsSelect;
    TEditorImagebar imagebar_;
    TEditorLeftbar leftbar_;
    TEditorMargin margin_;
    TEditorMarks marks_;
    TSortedNames reserve_;
    TEditorRuler ruler_;
    TScrollStyle scrollBars_ = ssBoth;
    TEditorSpeed speed_;
    TEditorViewInfo view_;
    bool wordWrap_ = false;
    TEditorWrapOption wrapOption_;
};
