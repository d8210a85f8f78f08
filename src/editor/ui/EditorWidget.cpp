// TEditor: event translation, scrolling, clipboard and the popup menu.
#include "editor/ui/EditorWidget.h"

#include "editor/PopupModel.h"
#include "editor/ui/QtConversions.h"
#include "platform/Cp932.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollBar>

TEditor::TEditor(QWidget* parent) : TEditor(parent, nullptr) {}

TEditor::TEditor(QWidget* parent, std::shared_ptr<TEditorScreenStrings> store)
    : QAbstractScrollArea(parent), FCore(std::make_unique<TEditorCore>(std::move(store))) {
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::IBeamCursor);
    WarningHandler = [this](const QString& m) { QMessageBox::warning(this, "トルモ -Tolmo-", m); };
    FBlink.setInterval(QApplication::cursorFlashTime() > 0 ? QApplication::cursorFlashTime() / 2
                                                           : 500);
    connect(&FBlink, &QTimer::timeout, this, [this] {
        FCaretOn = !FCaretOn;
        viewport()->update(CaretRect().adjusted(-1, -1, 1, 1));
    });
    WireCore();
    UpdateMetrics();
}

TEditor::~TEditor() = default;

void TEditor::WireCore() {
    TEditorEvents& ev = FCore->Events;
    ev.InvalidateRows = [this](int a, int b) { InvalidateRows(a, b); };
    ev.InvalidateAll = [this] { viewport()->update(); };
    ev.SettingsChanged = [this] { UpdateMetrics(); };
    ev.OnCaretMoved = [this] {
        // The ruler marker, the caret-row underline and the old and new caret cells.
        const int top = FMetrics.TopMargin;
        if (FMetrics.RulerHeight) viewport()->update(0, 0, viewport()->width(), top);
        InvalidateRows(FLastCaretRow, FLastCaretRow);
        InvalidateRows(FCore->Row(), FCore->Row());
        FLastCaretRow = FCore->Row();
        FLastCaretCol = FCore->Col();
        FCaretOn = true;
        if (hasFocus()) FBlink.start();
        UpdateScrollBars();
        emit CaretMoved();
        if (QGuiApplication::inputMethod())
            QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
    };
    ev.OnChange = [this] {
        UpdateScrollBars();
        emit Changed();
    };
    ev.OnSelectionChange = [this](bool s) { emit SelectionChanged(s); };
    ev.OnSelectionModeChange = [this] { emit SelectionModeChanged(); };
    ev.OnTopRowChange = [this] {
        UpdateScrollBars();
        emit TopRowChanged();
    };
    ev.OnTopColChange = [this] {
        UpdateScrollBars();
        emit TopColChanged();
    };
    ev.OnWarning = [this](const std::string& m) { Warn(QString::fromStdString(m)); };
}

void TEditor::SetText(std::string_view cp932) {
    FCore->SetText(cp932);
    UpdateMetrics();
}

void TEditor::Warn(const QString& message) {
    if (WarningHandler) WarningHandler(message);
}

int TEditor::NumberColumns() const {
    const TEditorScreenStrings& rows = FCore->Rows();
    const int last = rows.RowCount() - 1;
    const int lastLine = last < 0 ? -1 : rows.RowToLine(last);
    const bool textEnd = last < 0 || rows.RowEndKind(last) == reTextEnd;
    return LeftbarNumberColumns(FCore->Leftbar(), last, lastLine, textEnd);
}

void TEditor::UpdateMetrics() {
    FFont = ToQFont(FCore->GetFont());
    const QFontMetrics fm(FFont);
    FAscent = fm.ascent();
    TEditorGeometryInput in;
    in.Font = {fm.height(), fm.leading() > 0 ? fm.leading() : 0,
               std::max(1, (fm.horizontalAdvance(QChar(u'あ')) + 1) / 2)};
    in.Margin = &FCore->Margin();
    in.Ruler = &FCore->Ruler();
    in.Imagebar = &FCore->Imagebar();
    in.Leftbar = &FCore->Leftbar();
    in.ScrollBars = FCore->GetScrollBars();
    in.HScrollBarHeight = 0; // the viewport already excludes the scroll bars
    in.ClientHeight = viewport()->height();
    in.NumberColumns = FCore->Leftbar().ShowNumber() ? NumberColumns() : 0;
    const int oldN = FMetrics.NumberColumns;
    FMetrics = ComputeEditorMetrics(in);
    const int cols = std::max(1, (viewport()->width() - FMetrics.LeftMargin) / FMetrics.CellWidth);
    FCore->SetVisibleArea(FMetrics.VisibleRows, cols);
    const TScrollStyle sb = FCore->GetScrollBars();
    setVerticalScrollBarPolicy(sb == ssVertical || sb == ssBoth ? Qt::ScrollBarAlwaysOn
                                                                : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(sb == ssHorizontal || sb == ssBoth ? Qt::ScrollBarAlwaysOn
                                                                    : Qt::ScrollBarAlwaysOff);
    UpdateScrollBars();
    if (oldN != FMetrics.NumberColumns) viewport()->update();
    viewport()->update();
}

void TEditor::UpdateScrollBars() {
    FSyncingScroll = true;
    verticalScrollBar()->setRange(0, FCore->MaxRow());
    verticalScrollBar()->setPageStep(FMetrics.VisibleRows);
    verticalScrollBar()->setValue(FCore->TopRow());
    horizontalScrollBar()->setRange(0, EditorMaxColumns);
    horizontalScrollBar()->setPageStep(FCore->VisibleCols());
    horizontalScrollBar()->setValue(FCore->TopCol());
    FSyncingScroll = false;
}

void TEditor::scrollContentsBy(int, int) {
    if (FSyncingScroll) return;
    FCore->SetTopRow(verticalScrollBar()->value());
    FCore->SetTopCol(horizontalScrollBar()->value());
    viewport()->update();
}

void TEditor::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    UpdateMetrics();
}

void TEditor::InvalidateRows(int first, int last) {
    // A changed row count moves the number column and the rows below: repaint from there.
    const int n = NumberColumns();
    if (FCore->Leftbar().Visible() && FCore->Leftbar().ShowNumber() &&
        n != FMetrics.NumberColumns) {
        UpdateMetrics();
        return;
    }
    const int top = FCore->TopRow();
    const int vis = FMetrics.VisibleRows + 1;
    if (last < 0) last = top + vis;
    first = std::max(first, top);
    last = std::min(last, top + vis);
    if (first > last) return;
    const int y = FMetrics.TopMargin + (first - top) * FMetrics.RowHeight;
    viewport()->update(0, y, viewport()->width(), (last - first + 1) * FMetrics.RowHeight);
}

QPoint TEditor::CellOrigin(int row, int col) const {
    return {FMetrics.LeftMargin + (col - FCore->TopCol()) * FMetrics.CellWidth,
            FMetrics.TopMargin + (row - FCore->TopRow()) * FMetrics.RowHeight};
}

TEditorPos TEditor::PosAt(QPoint p) const {
    const int dy = p.y() - FMetrics.TopMargin;
    int row = FCore->TopRow() + (dy < 0 ? -1 : dy / FMetrics.RowHeight);
    row = std::clamp(row, 0, FCore->MaxRow());
    const int dx = p.x() - FMetrics.LeftMargin;
    int col = FCore->TopCol() + (dx < 0 ? 0 : (dx + FMetrics.CellWidth / 2) / FMetrics.CellWidth);
    return {row, std::max(0, col)};
}

QRect TEditor::CaretRect() const {
    const QPoint o = CellOrigin(FCore->Row(), FCore->Col());
    TEditorRect r{};
    if (FCore->GetHitStyle() == hsCaret && FCore->HitSelLength() > 0 && hasFocus()) {
        const TEditorRowSel hit = FCore->RowHit(FCore->Row());
        const std::string_view t = FCore->RowTextOf(FCore->Row());
        const int w = std::max(2, (OffsetToCol(t, hit.End, FCore->Rules()) -
                                   OffsetToCol(t, hit.Start, FCore->Rules())) *
                                      FMetrics.CellWidth);
        return {o.x(), o.y(), w, FMetrics.TextHeight};
    }
    r = CaretShape(o.x(), o.y(), FMetrics.CellWidth, FMetrics.RowHeight,
                   FCore->Caret().Style() == csBrief, FCore->OverWrite());
    return {r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top};
}

// --- keyboard and input method -------------------------------------------------------------

bool TEditor::focusNextPrevChild(bool next) {
    if (FCore->WantTabs) return false; // Tab is a key of the text
    return QAbstractScrollArea::focusNextPrevChild(next);
}

bool TEditor::HandleShortcut(QKeyEvent* e) {
    const auto mods = e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const int key = e->key();
    if (mods == Qt::ControlModifier) {
        switch (key) {
        case Qt::Key_C:
            CopyToClipboard();
            return true;
        case Qt::Key_X:
            CutToClipboard();
            return true;
        case Qt::Key_V:
            PasteFromClipboard();
            return true;
        case Qt::Key_B:
            BoxPasteFromClipboard();
            return true;
        case Qt::Key_Z:
            if (!FCore->ReadOnly()) FCore->Undo();
            return true;
        case Qt::Key_A:
            if (!FCore->ReadOnly()) FCore->Redo();
            return true;
        case Qt::Key_K:
            FCore->SetSelectionMode(FCore->SelectionMode() == smBox ? smLine : smBox);
            return true;
        default:
            break;
        }
        if (key >= Qt::Key_0 && key <= Qt::Key_9) {
            FCore->GotoRowMark(key - Qt::Key_0);
            return true;
        }
    }
    if (mods == (Qt::ControlModifier | Qt::ShiftModifier)) {
        // Shift changes the digit keys' text; the key code of the digit row is what counts.
        static const int shifted[] = {Qt::Key_ParenRight,  Qt::Key_Exclam,    Qt::Key_At,
                                      Qt::Key_NumberSign,  Qt::Key_Dollar,    Qt::Key_Percent,
                                      Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk,
                                      Qt::Key_ParenLeft};
        for (int n = 0; n <= 9; ++n) {
            if (key == Qt::Key_0 + n || key == shifted[n]) {
                FCore->ToggleRowMark(n);
                return true;
            }
        }
    }
    return false;
}

void TEditor::keyPressEvent(QKeyEvent* e) {
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    const bool rep = e->isAutoRepeat();
    auto nav = [&](TEditorKey k) { FCore->KeyNavigate(k, shift, ctrl, rep); };
    switch (e->key()) {
    case Qt::Key_Left:
        nav(TEditorKey::Left);
        return;
    case Qt::Key_Right:
        nav(TEditorKey::Right);
        return;
    case Qt::Key_Up:
        nav(TEditorKey::Up);
        return;
    case Qt::Key_Down:
        nav(TEditorKey::Down);
        return;
    case Qt::Key_Home:
        nav(TEditorKey::Home);
        return;
    case Qt::Key_End:
        nav(TEditorKey::End);
        return;
    case Qt::Key_PageUp:
        nav(TEditorKey::PageUp);
        return;
    case Qt::Key_PageDown:
        nav(TEditorKey::PageDown);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!ctrl) FCore->KeyReturn(shift);
        return;
    case Qt::Key_Tab:
        if (!ctrl && !shift) FCore->KeyTab();
        return;
    case Qt::Key_Backtab:
        return;
    case Qt::Key_Backspace:
        FCore->KeyBackspace();
        return;
    case Qt::Key_Delete:
        FCore->KeyDelete();
        return;
    case Qt::Key_Insert:
        e->ignore();
        return; // the owner switches OverWrite
    default:
        break;
    }
    if (HandleShortcut(e)) return;
    if (ctrl || (e->modifiers() & Qt::AltModifier)) {
        e->ignore();
        return;
    }
    QString text = e->text();
    text.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
    if (text.isEmpty()) {
        e->ignore();
        return;
    }
    InsertUtf16(text);
}

void TEditor::InsertUtf16(const QString& text) {
    if (FCore->ReadOnly() || text.isEmpty()) return;
    Cp932Report report;
    const std::string s = Utf16ToCp932(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()), &report);
    FCore->InsertTyped(s);
    if (!report.ok()) Warn(LostCharsMessage(static_cast<int>(report.failures)));
}

void TEditor::inputMethodEvent(QInputMethodEvent* e) {
    if (!e->commitString().isEmpty() && !FCore->ReadOnly()) InsertUtf16(e->commitString());
    FPreedit = e->preeditString();
    FPreeditCursor = FPreedit.size();
    for (const auto& a : e->attributes())
        if (a.type == QInputMethodEvent::Cursor) FPreeditCursor = a.start;
    InvalidateRows(FCore->Row(), FCore->Row());
    e->accept();
}

QVariant TEditor::inputMethodQuery(Qt::InputMethodQuery q) const {
    switch (q) {
    case Qt::ImEnabled:
        return !FCore->ReadOnly();
    case Qt::ImCursorRectangle: {
        QRect r = CaretRect();
        if (!FPreedit.isEmpty())
            r.translate(QFontMetrics(FFont).horizontalAdvance(FPreedit.left(FPreeditCursor)), 0);
        r.setHeight(FMetrics.RowHeight);
        return r.translated(viewport()->pos());
    }
    case Qt::ImFont:
        return FFont;
    case Qt::ImCursorPosition:
        return static_cast<int>(
            Cp932ToUtf16(FCore->RowTextOf(FCore->Row()).substr(0, FCore->CaretOffset())).size());
    case Qt::ImSurroundingText: {
        const std::u16string u = Cp932ToUtf16(FCore->RowTextOf(FCore->Row()));
        return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
    }
    case Qt::ImAnchorPosition:
        return inputMethodQuery(Qt::ImCursorPosition);
    case Qt::ImHints:
        return static_cast<int>(Qt::ImhMultiLine);
    default:
        return QAbstractScrollArea::inputMethodQuery(q);
    }
}

// --- clipboard -------------------------------------------------------------------------------

void TEditor::CopyToClipboard() {
    bool box = false;
    const std::string s = FCore->CopyText(box);
    if (s.empty() && !FCore->Selected()) return;
    QGuiApplication::clipboard()->setMimeData(MakeEditorMime(s, box));
}

void TEditor::CutToClipboard() {
    if (FCore->ReadOnly() || !FCore->Selected()) return;
    CopyToClipboard();
    FCore->DeleteSelection();
}

void TEditor::PasteFromClipboard() {
    bool box = false;
    int lost = 0;
    const std::string s = EditorMimeText(QGuiApplication::clipboard()->mimeData(), box, lost);
    if (s.empty() || FCore->ReadOnly()) return;
    FCore->PasteText(s, box);
    if (lost) Warn(LostCharsMessage(lost));
}

void TEditor::BoxPasteFromClipboard() {
    bool box = false;
    int lost = 0;
    const std::string s = EditorMimeText(QGuiApplication::clipboard()->mimeData(), box, lost);
    if (s.empty() || FCore->ReadOnly()) return;
    FCore->SetSelTextBox(s);
    if (lost) Warn(LostCharsMessage(lost));
}

// --- mouse -----------------------------------------------------------------------------------

void TEditor::UpdateCursor(QPoint p, Qt::KeyboardModifiers mods) {
    const TEditorCaretCursors& c = FCore->Caret().Cursors;
    if (!FCore->Caret().AutoCursor()) return;
    TCursor shape = c.DefaultCursor;
    if (FDrag == Drag::Moving)
        shape = (mods & Qt::ControlModifier) ? c.DragSelCopyCursor : c.DragSelCursor;
    else if (p.x() < FMetrics.LeftMargin)
        shape = c.LeftMarginCursor;
    else if (p.y() < FMetrics.TopMargin)
        shape = c.TopMarginCursor;
    else {
        const TEditorPos pos = PosAt(p);
        if (FCore->InSelection(pos.Row, pos.Col)) shape = c.InSelCursor;
    }
    viewport()->setCursor(ToQCursor(shape));
}

void TEditor::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(e);
        return;
    }
    const QPoint p = e->position().toPoint();
    const TEditorPos pos = PosAt(p);
    FPressPoint = p;
    FCore->MouseDragging = true;
    if (e->modifiers() & Qt::ShiftModifier) {
        FCore->StartSelection();
        FCore->SetCaret(pos.Row, pos.Col);
        FCore->ExtendSelection();
        FDrag = Drag::Selecting;
        return;
    }
    if (p.x() >= FMetrics.LeftMargin && FCore->InSelection(pos.Row, pos.Col) &&
        FCore->Caret().SelMove() && FCore->Caret().SelDragMode() == dmAutomatic) {
        FDrag = Drag::Armed;
        FPressPos = pos;
        return;
    }
    FCore->CleanSelection();
    if (p.x() < FMetrics.LeftMargin && FCore->Caret().RowSelect()) {
        FRowAnchor = pos.Row;
        FCore->SelectRows(pos.Row, pos.Row);
        FDrag = Drag::RowSelect;
        return;
    }
    FCore->SetCaret(pos.Row, pos.Col);
    FPressPos = {FCore->Row(), FCore->Col()};
    FDrag = Drag::Pending;
}

void TEditor::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (!(e->buttons() & Qt::LeftButton) || FDrag == Drag::None) {
        UpdateCursor(p, e->modifiers());
        return;
    }
    TEditorPos pos = PosAt(p);
    if (p.y() < FMetrics.TopMargin && FCore->TopRow() > 0) pos.Row = FCore->TopRow() - 1;
    const int half = std::max(1, FMetrics.CellWidth / 2);
    const bool far =
        std::abs(p.x() - FPressPoint.x()) >= half || std::abs(p.y() - FPressPoint.y()) >= half;
    switch (FDrag) {
    case Drag::Pending:
        if (!far) return;
        FDrag = Drag::Selecting;
        FCore->StartSelection();
        [[fallthrough]];
    case Drag::Selecting:
        FCore->SetCaret(pos.Row, pos.Col);
        FCore->ExtendSelection();
        break;
    case Drag::RowSelect:
        FCore->SelectRows(FRowAnchor, pos.Row);
        break;
    case Drag::Armed:
        if (!far) return;
        FDrag = Drag::Moving;
        [[fallthrough]];
    case Drag::Moving:
        // The selection stays; a mark at the drop position follows the mouse.
        FDropPos = pos;
        viewport()->update();
        break;
    default:
        break;
    }
    UpdateCursor(p, e->modifiers());
}

void TEditor::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const Drag d = FDrag;
    FDrag = Drag::None;
    FCore->MouseDragging = false;
    if (d == Drag::Moving)
        DropSelection(e->modifiers() & Qt::ControlModifier);
    else if (d == Drag::Armed) {
        FCore->CleanSelection();
        FCore->SetCaret(FPressPos.Row, FPressPos.Col);
    }
    UpdateCursor(e->position().toPoint(), e->modifiers());
}

void TEditor::DropSelection(bool copy) {
    FCore->DropSelection(FDropPos.Row, FDropPos.Col, copy);
    viewport()->update();
}

void TEditor::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || e->position().x() < FMetrics.LeftMargin) return;
    // A double click selects the word under the mouse.
    const TEditorPos pos = PosAt(e->position().toPoint());
    const int off = FCore->OffsetOf(pos.Row, pos.Col);
    for (const TFountainToken& t : FCore->Coloring().Tokens(pos.Row)) {
        if (off >= t.Start && off < t.Start + t.Length) {
            const std::string_view s = FCore->RowTextOf(pos.Row);
            FCore->CleanSelection();
            FCore->SetCaret(pos.Row, OffsetToCol(s, t.Start, FCore->Rules()));
            FCore->StartSelection();
            FCore->SetCaret(pos.Row, OffsetToCol(s, t.Start + t.Length, FCore->Rules()));
            FCore->ExtendSelection();
            FDrag = Drag::None;
            return;
        }
    }
}

void TEditor::contextMenuEvent(QContextMenuEvent* e) {
    if (!UseOwnPopup) {
        e->ignore();
        return;
    }
    QMenu* menu = BuildPopupMenu();
    menu->exec(e->globalPos());
    delete menu;
}

static void AddItems(QMenu* menu, const std::vector<TEditorPopupItem>& items, TEditor* ed);

QMenu* TEditor::BuildPopupMenu() {
    TEditorPopupState s;
    s.CanUndo = FCore->CanUndo();
    s.CanRedo = FCore->CanRedo();
    s.ReadOnly = FCore->ReadOnly();
    s.Selected = FCore->Selected();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    s.ClipboardHasText = mime && mime->hasText();
    s.TextNotEmpty = FCore->Rows().RowCount() > 0;
    s.BoxMode = FCore->SelectionMode() == smBox;
    s.MarksInList = FCore->Rows().MarksInList();
    auto* menu = new QMenu(this);
    AddItems(menu, BuildEditorPopupMenu(s), this);
    return menu;
}

static void RunPopupCommand(TEditor* ed, const TEditorPopupItem& i) {
    TEditorCore& c = ed->Core();
    using C = TEditorPopupCommand;
    switch (i.Command) {
    case C::PutMark:
        c.ToggleRowMark(i.Arg);
        break;
    case C::JumpMark:
        c.GotoRowMark(i.Arg);
        break;
    case C::Undo:
        c.Undo();
        break;
    case C::Redo:
        c.Redo();
        break;
    case C::Cut:
        ed->CutToClipboard();
        break;
    case C::Copy:
        ed->CopyToClipboard();
        break;
    case C::Paste:
        ed->PasteFromClipboard();
        break;
    case C::BoxPaste:
        ed->BoxPasteFromClipboard();
        break;
    case C::Delete:
        c.DeleteSelection();
        break;
    case C::SelectAll:
        c.SelectAll();
        break;
    case C::BoxSelect:
        c.SetSelectionMode(c.SelectionMode() == smBox ? smLine : smBox);
        break;
    case C::None:
        break;
    }
}

static void AddItems(QMenu* menu, const std::vector<TEditorPopupItem>& items, TEditor* ed) {
    for (const TEditorPopupItem& i : items) {
        if (i.Caption == "-") {
            menu->addSeparator();
            continue;
        }
        const QString caption = QString::fromStdString(i.Caption);
        if (!i.Items.empty()) {
            AddItems(menu->addMenu(caption), i.Items, ed);
            continue;
        }
        QAction* a = menu->addAction(caption);
        // The shortcut is shown beside the caption; the keys themselves reach keyPressEvent.
        if (!i.ShortCut.empty()) a->setShortcut(QKeySequence(QString::fromStdString(i.ShortCut)));
        a->setShortcutContext(Qt::WidgetShortcut);
        a->setEnabled(i.Enabled);
        a->setCheckable(i.Checked);
        a->setChecked(i.Checked);
        QObject::connect(a, &QAction::triggered, ed, [ed, i] { RunPopupCommand(ed, i); });
    }
}

void TEditor::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    FCaretOn = true;
    FBlink.start();
    viewport()->update();
}

void TEditor::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    FBlink.stop();
    FCaretOn = false;
    viewport()->update();
}
