// The editing control's accessible interface and its events.
#include "editor/ui/EditorAccessible.h"

#include "editor/CharOffsets.h"
#include "editor/MouseGestures.h"
#include "editor/ui/EditorWidget.h"
#include "text/Columns.h"
#include "text/RowStore.h"

#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <climits>

namespace {

QString toQString(const std::u16string& s) {
    return QString::fromStdU16String(s);
}

int clampInt(int64_t v) {
    return static_cast<int>(std::min<int64_t>(v, INT_MAX));
}

TCharOffsets& offsetsOf(TEditor* e) {
    return e->Core().ScreenRows().Offsets();
}

// The character offset of a caret position (row, display column).
int offsetOfPos(TEditor* e, TEditorPos p) {
    const TEditorCore& c = e->Core();
    return clampInt(offsetsOf(e).Offset(p.Row, c.OffsetOf(p.Row, p.Col)));
}

// The caret position of a character offset.
TEditorPos posOfOffset(TEditor* e, int offset) {
    const TEditorCore& c = e->Core();
    const TRowByte p = offsetsOf(e).Position(offset);
    return {p.Row, OffsetToCol(c.RowTextOf(p.Row), p.Byte, c.Rules())};
}

QAccessibleInterface* editorFactory(const QString&, QObject* object) {
    if (auto* e = qobject_cast<TEditor*>(object)) return new TEditorAccessible(e);
    return nullptr;
}

std::function<void(QAccessibleEvent*)>& listener() {
    static std::function<void(QAccessibleEvent*)> l;
    return l;
}

void tell(QAccessibleEvent* e) {
    QAccessible::updateAccessibility(e);
    if (listener()) listener()(e);
}

} // namespace

TEditorAccessible::TEditorAccessible(TEditor* editor)
    : QAccessibleWidget(editor, QAccessible::EditableText) {}

TEditor* TEditorAccessible::editor() const {
    return static_cast<TEditor*>(widget());
}

bool TEditorAccessible::Listening() {
    return listener() || QAccessible::isActive();
}

void TEditorAccessible::SetListener(std::function<void(QAccessibleEvent*)> l) {
    listener() = std::move(l);
}

void TEditorAccessible::Watch(TEditor* e) {
    static const bool installed = [] {
        QAccessible::installFactory(editorFactory);
        return true;
    }();
    (void)installed;
    // Edits are kept as characters only while someone listens.
    e->Core().ScreenRows().RecordTextChanges = &TEditorAccessible::Listening;
    QObject::connect(e, &TEditor::Changed, e, [e] {
        TEditorScreenRows& r = e->Core().ScreenRows();
        for (const TTextChange& c : r.TakeTextChanges()) {
            const int at = clampInt(c.Offset);
            if (!c.Removed.empty() && !c.Inserted.empty()) {
                QAccessibleTextUpdateEvent ev(e, at, toQString(c.Removed), toQString(c.Inserted));
                tell(&ev);
            } else if (!c.Removed.empty()) {
                QAccessibleTextRemoveEvent ev(e, at, toQString(c.Removed));
                tell(&ev);
            } else {
                QAccessibleTextInsertEvent ev(e, at, toQString(c.Inserted));
                tell(&ev);
            }
        }
    });
    QObject::connect(e, &TEditor::CaretMoved, e, [e] {
        if (!TEditorAccessible::Listening()) return;
        const TEditorCore& c = e->Core();
        QAccessibleTextCursorEvent ev(e, offsetOfPos(e, {c.Row(), c.Col()}));
        tell(&ev);
    });
    TEditorEvents& events = e->Core().Events;
    events.OnSelectionChange = [e, before = events.OnSelectionChange](bool selected) {
        if (before) before(selected);
        if (!TEditorAccessible::Listening()) return;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(e);
        auto* text = iface ? iface->textInterface() : nullptr;
        int start = 0, end = 0;
        if (text && selected && text->selectionCount() > 0) text->selection(0, &start, &end);
        QAccessibleTextSelectionEvent ev(e, start, end);
        tell(&ev);
    };
}

void* TEditorAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

QAccessible::State TEditorAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    const bool ro = editor()->Core().ReadOnly();
    s.editable = !ro;
    s.readOnly = ro;
    s.multiLine = true;
    s.selectableText = true;
    s.focusable = true;
    return s;
}

QString TEditorAccessible::text(QAccessible::Text t) const {
    QString s = QAccessibleWidget::text(t);
    if (t != QAccessible::Name || !s.isEmpty()) return s;
    // A page's control is named after its tab.
    for (QWidget* w = editor(); w && w->parentWidget(); w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs) return tabs->tabText(tabs->indexOf(w)).remove(u'&').trimmed();
    }
    return s;
}

// --- text ------------------------------------------------------------------------------------

int TEditorAccessible::characterCount() const {
    return clampInt(offsetsOf(editor()).Count());
}

QString TEditorAccessible::text(int startOffset, int endOffset) const {
    if (endOffset < 0) endOffset = characterCount();
    return toQString(offsetsOf(editor()).Text(startOffset, endOffset));
}

void TEditorAccessible::unitAt(int offset, QAccessible::TextBoundaryType type, int* start,
                               int* end) const {
    TEditor* e = editor();
    TCharOffsets& o = offsetsOf(e);
    const int n = characterCount();
    offset = std::clamp(offset, 0, n);
    if (type == QAccessible::NoBoundary) {
        *start = 0;
        *end = n;
        return;
    }
    if (type == QAccessible::CharBoundary) {
        *start = offset;
        *end = std::min(offset + 1, n);
        return;
    }
    // The logical line holding the offset, its line end included.
    const TEditorScreenStrings& rows = e->Core().Rows();
    const int row = o.Position(offset).Row;
    if (row >= rows.RowCount()) {
        *start = *end = n;
        return;
    }
    const int lineStart = clampInt(o.RowStart(rows.RowStart(row)));
    const int lineEnd = clampInt(o.RowStart(rows.RowEnd(row) + 1));
    if (type == QAccessible::LineBoundary || type == QAccessible::ParagraphBoundary) {
        *start = lineStart;
        *end = lineEnd;
        return;
    }
    // Words and sentences inside the line.
    const std::u16string line = o.Text(lineStart, lineEnd);
    const QString q = toQString(line);
    QTextBoundaryFinder f(type == QAccessible::SentenceBoundary ? QTextBoundaryFinder::Sentence
                                                                : QTextBoundaryFinder::Word,
                          q);
    const int at = CodePointIndex(line, offset - lineStart);
    f.setPosition(at);
    int a = f.isAtBoundary() ? at : f.toPreviousBoundary();
    f.setPosition(at);
    int b = f.toNextBoundary();
    if (a < 0) a = 0;
    if (b < 0) b = static_cast<int>(q.size());
    const std::u16string_view v(line);
    *start = lineStart + CodePoints(v.substr(0, a));
    *end = lineStart + CodePoints(v.substr(0, b));
}

QString TEditorAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType type,
                                        int* startOffset, int* endOffset) const {
    unitAt(offset, type, startOffset, endOffset);
    return text(*startOffset, *endOffset);
}

QString TEditorAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType type,
                                            int* startOffset, int* endOffset) const {
    int s = 0, e = 0;
    unitAt(offset, type, &s, &e);
    if (s <= 0) {
        *startOffset = *endOffset = 0;
        return {};
    }
    unitAt(s - 1, type, startOffset, endOffset);
    return text(*startOffset, *endOffset);
}

QString TEditorAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType type,
                                           int* startOffset, int* endOffset) const {
    int s = 0, e = 0;
    unitAt(offset, type, &s, &e);
    if (e >= characterCount() || e <= offset) {
        *startOffset = *endOffset = characterCount();
        return {};
    }
    unitAt(e, type, startOffset, endOffset);
    return text(*startOffset, *endOffset);
}

QString TEditorAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = offset;
    return {};
}

// --- caret and selection ---------------------------------------------------------------------

int TEditorAccessible::cursorPosition() const {
    const TEditorCore& c = editor()->Core();
    return offsetOfPos(editor(), {c.Row(), c.Col()});
}

void TEditorAccessible::placeCaret(int offset) const {
    const TEditorPos p = posOfOffset(editor(), std::clamp(offset, 0, characterCount()));
    TEditorCore& c = editor()->Core();
    c.CleanSelection();
    c.SetCaret(p.Row, p.Col);
}

void TEditorAccessible::selectRange(int start, int end) const {
    placeCaret(start);
    TEditorCore& c = editor()->Core();
    c.StartSelection();
    const TEditorPos p = posOfOffset(editor(), std::clamp(end, 0, characterCount()));
    c.SetCaret(p.Row, p.Col);
    c.ExtendSelection();
}

void TEditorAccessible::setCursorPosition(int position) {
    placeCaret(position);
}

int TEditorAccessible::selectionCount() const {
    const TEditorCore& c = editor()->Core();
    if (!c.Selected()) return 0;
    if (c.SelectionMode() == smLine) return 1;
    return std::abs(c.SelAnchor().Row - c.Row()) + 1; // a box: one range per row
}

void TEditorAccessible::selection(int index, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (index < 0 || index >= selectionCount()) return;
    TEditor* e = editor();
    const TEditorCore& c = e->Core();
    if (c.SelectionMode() == smLine) {
        const int a = offsetOfPos(e, c.SelAnchor()), b = offsetOfPos(e, {c.Row(), c.Col()});
        *startOffset = std::min(a, b);
        *endOffset = std::max(a, b);
        return;
    }
    const int row = std::min(c.SelAnchor().Row, c.Row()) + index;
    const TEditorRowSel s = c.RowSelection(row);
    TCharOffsets& o = offsetsOf(e);
    *startOffset = clampInt(o.Offset(row, s.Start));
    *endOffset = clampInt(o.Offset(row, s.End));
}

void TEditorAccessible::addSelection(int startOffset, int endOffset) {
    selectRange(startOffset, endOffset); // one selection at a time
}

void TEditorAccessible::removeSelection(int) {
    editor()->Core().CleanSelection();
    editor()->viewport()->update();
}

void TEditorAccessible::setSelection(int, int startOffset, int endOffset) {
    selectRange(startOffset, endOffset);
    editor()->viewport()->update();
}

// --- geometry --------------------------------------------------------------------------------

QRect TEditorAccessible::characterRect(int offset) const {
    TEditor* e = editor();
    const TEditorCore& c = e->Core();
    const TRowByte p = offsetsOf(e).Position(std::clamp(offset, 0, characterCount()));
    const std::string_view row = c.RowTextOf(p.Row);
    const int col = OffsetToCol(row, p.Byte, c.Rules());
    const int next = p.Byte < static_cast<int>(row.size())
                         ? OffsetToCol(row, p.Byte + CharBytesAt(row, p.Byte), c.Rules())
                         : col + 1;
    const QPoint origin = e->CellOrigin(p.Row, col);
    const QRect local(
        origin, QSize(std::max(1, next - col) * e->Metrics().CellWidth, e->Metrics().RowHeight));
    return QRect(e->viewport()->mapToGlobal(local.topLeft()), local.size());
}

int TEditorAccessible::offsetAtPoint(const QPoint& point) const {
    TEditor* e = editor();
    const QPoint p = e->viewport()->mapFromGlobal(point);
    if (!e->viewport()->rect().contains(p)) return -1;
    return offsetOfPos(e, PosAtPixel(e->Core(), e->Metrics(), p.x(), p.y()));
}

void TEditorAccessible::scrollToSubstring(int startIndex, int) {
    const TEditorPos p = posOfOffset(editor(), std::clamp(startIndex, 0, characterCount()));
    TEditorCore& c = editor()->Core();
    if (p.Row < c.TopRow() || p.Row >= c.TopRow() + c.VisibleRows())
        c.SetTopRow(std::max(0, p.Row - c.VisibleRows() / 2));
    editor()->viewport()->update();
}

// --- editing ---------------------------------------------------------------------------------

void TEditorAccessible::deleteText(int startOffset, int endOffset) {
    if (editor()->Core().ReadOnly() || startOffset >= endOffset) return;
    selectRange(startOffset, endOffset);
    editor()->Core().DeleteSelection();
}

void TEditorAccessible::insertText(int offset, const QString& text) {
    if (editor()->Core().ReadOnly()) return;
    placeCaret(offset);
    editor()->InsertUtf16(text);
}

void TEditorAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    if (editor()->Core().ReadOnly()) return;
    selectRange(startOffset, endOffset);
    if (startOffset < endOffset && text.isEmpty()) editor()->Core().DeleteSelection();
    editor()->InsertUtf16(text); // replaces the selection
}
