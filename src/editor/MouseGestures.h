// The editing control's mouse gestures without a window: the press, drag and release states of
// the left button (click, stream selection, row selection, dragging a selection to move or
// copy it) and the double click that selects a word. The widget hands in the caret positions
// under the mouse; this class decides what they do to the core.
#pragma once

#include "editor/EditorCore.h"
#include "editor/Geometry.h"

#include <optional>

enum class TEditorDrag { None, Pending, Selecting, RowSelect, Armed, Moving };

class TEditorMouseGestures {
  public:
    explicit TEditorMouseGestures(TEditorCore& core) : core_(core) {}

    // Left button down at pixel (x, y) over caret position pos; leftOfText: over the bars left
    // of the text area.
    void Press(int x, int y, TEditorPos pos, bool leftOfText, bool shift);
    // The mouse moved with the button held; aboveText: over the ruler or top margin. A
    // selection or a drag starts only once the mouse is minMove pixels away from the press.
    // True when the drop position of a selection drag changed (repaint its marker).
    bool Move(int x, int y, TEditorPos pos, bool aboveText, int minMove);
    // Left button up; ctrl copies a dragged selection instead of moving it.
    void Release(bool ctrl);
    // A double click in the text area: selects the token under pos.
    bool DoubleClick(TEditorPos pos);

    // The same at a pixel of a viewport laid out by m: the bars end at the left margin, the ruler
    // at the top margin, and a drag starts half a cell away from its press.
    void PressAt(int x, int y, const TEditorMetrics& m, bool shift);
    bool MoveAt(int x, int y, const TEditorMetrics& m);
    bool DoubleClickAt(int x, int y, const TEditorMetrics& m); // over the bars: nothing

    TEditorDrag State() const { return drag_; }
    bool Dragging() const { return drag_ == TEditorDrag::Moving; }
    TEditorPos DropPos() const { return dropPos_; }

  private:
    TEditorCore& core_;
    TEditorDrag drag_ = TEditorDrag::None;
    int pressX_ = 0, pressY_ = 0;
    TEditorPos pressPos_, dropPos_;
    int rowAnchor_ = 0;
};

// Selects the token of the colouring under (row, col); false when none lies there.
bool SelectWordAt(TEditorCore& core, int row, int col);

// The caret position under pixel (x, y) of the viewport: the row by the row height, the column
// to the nearer cell edge, both kept inside the text.
TEditorPos PosAtPixel(const TEditorCore& core, const TEditorMetrics& m, int x, int y);
// The top-left pixel of a cell in the viewport.
TEditorPoint CellOrigin(const TEditorCore& core, const TEditorMetrics& m, int row, int col);
// The caret's rectangle: the hit text's width when the hit is shown as the caret (focused), else
// the shape of the caret style at the caret's cell.
TEditorRect CaretRectOf(const TEditorCore& core, const TEditorMetrics& m, bool focused);
// Whether the caret is drawn: its row on the screen and its rectangle right of the bars.
bool CaretOnScreen(const TEditorCore& core, const TEditorMetrics& m, bool focused);
// The mouse cursor over pixel (x, y): the drag cursors while a selection is dragged (ctrl:
// copying), the margin cursors over the bars and the ruler, the selection cursor over selected
// text. None when the control leaves the cursor alone (AutoCursor off).
std::optional<TCursor> CursorAtPixel(const TEditorCore& core, const TEditorMetrics& m, int x, int y,
                                     bool dragging, bool ctrl);
