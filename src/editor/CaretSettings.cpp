// Assign and comparison of the caret options.
#include "editor/CaretSettings.h"

bool TEditorCaretCursors::operator==(const TEditorCaretCursors& o) const {
    return DefaultCursor == o.DefaultCursor && DragSelCursor == o.DragSelCursor &&
           DragSelCopyCursor == o.DragSelCopyCursor && InSelCursor == o.InSelCursor &&
           LeftMarginCursor == o.LeftMarginCursor && TopMarginCursor == o.TopMarginCursor;
}

void TEditorCaretCursors::Assign(const TEditorCaretCursors& s) {
    if (*this == s) return;
    DefaultCursor = s.DefaultCursor;
    DragSelCursor = s.DragSelCursor;
    DragSelCopyCursor = s.DragSelCopyCursor;
    InSelCursor = s.InSelCursor;
    LeftMarginCursor = s.LeftMarginCursor;
    TopMarginCursor = s.TopMarginCursor;
    Changed();
}

void TEditorCaret::Assign(const TEditorCaret& s) {
    if (this == &s || *this == s) return;
    F = s.F;
    auto keep = Cursors.OnChange;
    Cursors.OnChange = nullptr;
    Cursors.Assign(s.Cursors);
    Cursors.OnChange = keep;
    Changed();
}

bool TEditorCaret::operator==(const TEditorCaret& o) const {
    return F == o.F && Cursors == o.Cursors;
}
