// TEditor: event translation, scrolling, clipboard and the popup menu.
#include "editor/ui/EditorWidget.h"

#include "app/ui/ColorButton.h"
#include "editor/Commands.h"
#include "editor/InputMethodText.h"
#include "editor/PopupModel.h"
#include "editor/RowPaint.h"
#include "editor/ui/EditorAccessible.h"
#include "editor/ui/MenuItems.h"
#include "editor/ui/QtConversions.h"
#include "platform/Cp932.h"
#include "platform/ui/QtMessageSink.h"
#include "text/DocumentCodec.h"
#include "text/RowStore.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTextCharFormat>

#include <atomic>
#include <cstdlib>
#include <utility>

QString TEditor::insertedComposition_;
QElapsedTimer TEditor::insertedAt_;

TEditor::TEditor(QWidget* parent) : TEditor(parent, nullptr) {}

TEditor::TEditor(QWidget* parent, std::shared_ptr<TEditorScreenStrings> store)
    : QAbstractScrollArea(parent), core_(std::make_unique<TEditorCore>(std::move(store))),
      mouse_(*core_) {
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::IBeamCursor);
    WarningHandler = [this](const QString& m) { QMessageBox::warning(this, AppTitleText(), m); };
    blink_.setInterval(QApplication::cursorFlashTime() > 0 ? QApplication::cursorFlashTime() / 2
                                                           : 500);
    connect(&blink_, &QTimer::timeout, this, [this] {
        const bool rest = --blinksLeft_ <= 0;
        caretOn_ = !caretOn_ || rest;
        if (rest) blink_.stop(); // an idle window wakes nobody
        if (!comp_.Empty())      // the composition's caret
            viewport()->update(inputMethodQuery(Qt::ImCursorRectangle)
                                   .toRect()
                                   .translated(-viewport()->pos())
                                   .adjusted(-1, -1, 1, 1));
        else
            viewport()->update(CaretRect().adjusted(-1, -1, 1, 1));
    });
    WireCore();
    UpdateMetrics();
    TEditorAccessible::Watch(this);
    // A large text re-wraps on worker threads while this thread paints and takes keys; its rows
    // are swapped in by a call queued here (any store a widget shows lives on this thread).
    core_->SharedStore()->PostToOwnThread = [](std::function<void()> call) {
        QMetaObject::invokeMethod(qApp, std::move(call), Qt::QueuedConnection);
    };
    // The colouring of rows above a far jump, a slice at a time between the input and painting
    // waiting. A timer object, not a queued call: queued calls posted while the queue is being
    // worked through run in the same pass, and keys would wait for all of them.
    core_->SharedStore()->RunWhenIdle = [](std::function<void()> call) {
        auto* timer = new QTimer(qApp);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, qApp, [timer, call = std::move(call)] {
            timer->deleteLater();
            call();
        });
        timer->start(0);
    };
}

TEditor::~TEditor() {
    // A background load started here posts its pieces to this widget: a store that outlives it
    // (the other half of a split page) is loaded to its end first.
    if (const std::shared_ptr<TEditorScreenStrings> store = core_->SharedStore())
        store->LeaveLoad();
}

void TEditor::WireCore() {
    TEditorEvents& ev = core_->Events;
    ev.InvalidateRows = [this](int a, int b) {
        if (batch_)
            batchView_ = true;
        else
            InvalidateRows(a, b);
    };
    ev.InvalidateAll = [this] {
        if (batch_)
            batchView_ = true;
        else
            viewport()->update();
    };
    ev.SettingsChanged = [this] { UpdateMetrics(); };
    ev.OnCaretMoved = [this] {
        if (batch_)
            batchCaret_ = true;
        else
            CaretMovedNow();
    };
    ev.OnChange = [this] {
        if (batch_)
            batchChange_ = true;
        else
            ChangedNow();
    };
    ev.OnSelectionModeChange = [this] { emit SelectionModeChanged(); };
    ev.OnTopRowChange = ev.OnTopColChange = [this] {
        if (batch_)
            batchView_ = true;
        else
            UpdateScrollBars();
    };
    ev.OnWarning = [this](const std::string& m) { Warn(QString::fromStdString(m)); };
}

void TEditor::CaretMovedNow() {
    // The ruler marker, the caret-row underline and the old and new caret cells.
    const TCaretRepaint r = caretTrail_.Moved(metrics_, core_->Row());
    if (r.Ruler.Height) viewport()->update(0, r.Ruler.Y, viewport()->width(), r.Ruler.Height);
    InvalidateRows(r.LeftRow, r.LeftRow);
    InvalidateRows(r.Row, r.Row);
    caretOn_ = true;
    if (hasFocus()) StartBlink();
    UpdateScrollBars();
    emit CaretMoved();
    // The candidate window's place and the surrounding text (reconversion).
    if (QGuiApplication::inputMethod() && hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImQueryInput);
}

void TEditor::ChangedNow() {
    UpdateScrollBars();
    if (QGuiApplication::inputMethod() && hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImQueryInput);
    emit Changed();
}

void TEditor::EndBatch() {
    if (batch_ > 0 && --batch_ == 0) FlushBatch();
}

void TEditor::FlushBatch() {
    const bool caret = std::exchange(batchCaret_, false);
    const bool change = std::exchange(batchChange_, false);
    const bool view = std::exchange(batchView_, false);
    if (!caret && !change && !view) return;
    viewport()->update();
    UpdateScrollBars();
    if (change) ChangedNow();
    if (caret) CaretMovedNow();
}

void TEditor::SetText(std::string_view cp932) {
    TakeText(std::string(cp932));
}

void TEditor::TakeText(std::string&& cp932) {
    core_->TakeText(std::move(cp932));
    UpdateMetrics();
}

void TEditor::BeginLoad(std::unique_ptr<TBackgroundLoad> load) {
    // One call at a time is posted however many pieces come meanwhile; it takes them all.
    auto posted = std::make_shared<std::atomic<bool>>(false);
    core_->BeginLoad(std::move(load), [this, posted] {
        if (posted->exchange(true)) return;
        QMetaObject::invokeMethod(
            this,
            [this, posted] {
                posted->store(false);
                if (const auto store = core_->SharedStore()) store->AppendLoaded();
                emit LoadProgressed();
            },
            Qt::QueuedConnection);
    });
    UpdateMetrics();
}

bool TEditor::WaitForLoad() {
    QPointer<TEditor> self(this);
    while (self && core_->Rows().LoadPending()) {
        QEventLoop loop;
        connect(this, &TEditor::LoadProgressed, &loop, &QEventLoop::quit);
        connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
        QTimer::singleShot(250, &loop, &QEventLoop::quit); // the other half of a split page pumps
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return !self.isNull();
}

void TEditor::Warn(const QString& message) {
    if (WarningHandler) WarningHandler(message);
}

void TEditor::UpdateMetrics() {
    font_ = ToQFont(core_->GetFont());
    const QFontMetrics fm(font_);
    ascent_ = fm.ascent();
    TEditorGeometryInput in;
    in.Font = {
        fm.height(), fm.leading() > 0 ? fm.leading() : 0,
        GridCharWidth(fm.horizontalAdvance(QChar(u'あ')), fm.horizontalAdvance(QLatin1Char('0')))};
    in.Margin = &core_->Margin();
    in.Ruler = &core_->Ruler();
    in.Imagebar = &core_->Imagebar();
    in.Leftbar = &core_->Leftbar();
    in.ScrollBars = core_->GetScrollBars();
    in.HScrollBarHeight = 0; // the viewport already excludes the scroll bars
    in.ClientHeight = viewport()->height();
    in.NumberColumns = core_->Leftbar().ShowNumber() ? LeftbarColumnsOf(*core_) : 0;
    const int oldN = metrics_.NumberColumns;
    metrics_ = ComputeEditorMetrics(in);
    core_->SetVisibleArea(metrics_.VisibleRows, VisibleColumns(metrics_, viewport()->width()));
    const TScrollStyle sb = core_->GetScrollBars();
    setVerticalScrollBarPolicy(ShowsVerticalBar(sb) ? Qt::ScrollBarAlwaysOn
                                                    : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(ShowsHorizontalBar(sb) ? Qt::ScrollBarAlwaysOn
                                                        : Qt::ScrollBarAlwaysOff);
    UpdateScrollBars();
    if (oldN != metrics_.NumberColumns) viewport()->update();
    viewport()->update();
}

void TEditor::UpdateScrollBars() {
    syncingScroll_ = true;
    verticalScrollBar()->setRange(0, core_->MaxRow());
    verticalScrollBar()->setPageStep(metrics_.VisibleRows);
    verticalScrollBar()->setValue(core_->TopRow());
    horizontalScrollBar()->setRange(0, EditorMaxColumns);
    horizontalScrollBar()->setPageStep(core_->VisibleCols());
    horizontalScrollBar()->setValue(core_->TopCol());
    syncingScroll_ = false;
}

void TEditor::scrollContentsBy(int, int) {
    if (syncingScroll_) return;
    CommitComposition();
    core_->SetTopRow(verticalScrollBar()->value());
    core_->SetTopCol(horizontalScrollBar()->value());
    viewport()->update();
}

void TEditor::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    UpdateMetrics();
}

void TEditor::InvalidateRows(int first, int last) {
    // A changed row count moves the number column and the rows below: repaint from there.
    if (NumberColumnsChanged(*core_, metrics_.NumberColumns)) {
        UpdateMetrics();
        return;
    }
    const TRowBand band = RowsBand(metrics_, core_->TopRow(), first, last);
    if (band.Height) viewport()->update(0, band.Y, viewport()->width(), band.Height);
}

QPoint TEditor::CellOrigin(int row, int col) const {
    const TEditorPoint o = ::CellOrigin(*core_, metrics_, row, col);
    return {o.X, o.Y};
}

QRect TEditor::CaretRect() const {
    const TEditorRect r = CaretRectOf(*core_, metrics_, hasFocus());
    return {r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top};
}

// --- keyboard and input method -------------------------------------------------------------

bool TEditor::focusNextPrevChild(bool next) {
    if (core_->WantTabs) return false; // Tab is a key of the text
    return QAbstractScrollArea::focusNextPrevChild(next);
}

bool TEditor::RunCommand(TEditorCommand c, int arg, TEditorCommandKeys keys) {
    CommitComposition();
    if (NeedsWholeText(c, keys) && core_->Rows().LoadPending() && !WaitForLoad()) return false;
    TQtEditorClipboard clipboard([this](const QString& m) { Warn(m); });
    clipboard.table = DocTable();
    clipboard.convert = [this](std::u16string_view t, int* n) { return FromUtf16(t, n); };
    return Execute(*core_, c, arg, keys, &clipboard);
}

void TEditor::keyPressEvent(QKeyEvent* e) {
    if (hasFocus()) StartBlink();
    CommitComposition(); // a key the input method let through while it composed
    const Qt::KeyboardModifiers mods = e->modifiers();
    const int key = ToTableKey(e->key(), mods);
    if (const TEditorKeyBinding* b = key ? FindEditorKey(key, ToTableModifiers(mods)) : nullptr) {
        RunCommand(
            b->Command, b->Arg,
            {bool(mods & Qt::ShiftModifier), bool(mods & Qt::ControlModifier), e->isAutoRepeat()});
        return;
    }
    switch (UnboundKeyAction(key, ToTableModifiers(mods), e->key() == Qt::Key_Backtab)) {
    case TUnboundKey::ToWindow:
        e->ignore();
        return;
    case TUnboundKey::Ignore:
        return;
    case TUnboundKey::Type:
        break;
    }
    const QString text = QString::fromStdU16String(TypedText(e->text().toStdU16String()));
    if (text.isEmpty()) {
        e->ignore();
        return;
    }
    InsertUtf16(text);
}

TCharTable* TEditor::DocTable() const {
    const std::shared_ptr<TEditorScreenStrings> store = core_->SharedStore();
    return store ? store->CharTable().get() : nullptr;
}

std::string TEditor::FromUtf16(std::u16string_view u, int* lost) {
    std::u16string text(u);
    const std::size_t replaced = OnTextEnters ? OnTextEnters(text) : 0;
    Cp932Report report;
    std::string s = Utf16ToDocument(text, DocTable(), &report);
    *lost = static_cast<int>(report.failures + replaced);
    return s;
}

void TEditor::InsertUtf16(const QString& text) {
    if (core_->ReadOnly() || text.isEmpty()) return;
    int lost = 0;
    const std::string s = FromUtf16(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()), &lost);
    core_->InsertTyped(s);
    if (lost) Warn(LostCharsMessage(lost));
}

void TEditor::inputMethodEvent(QInputMethodEvent* e) {
    e->accept();
    if (core_->ReadOnly()) {
        comp_ = {};
        preedit_.clear();
        viewport()->update();
        return;
    }
    const bool hadComposition = !comp_.Empty();
    comp_ = {};
    preedit_.clear();
    // The input method's own commit of a composition already inserted here (it may come after
    // QInputMethod::commit returned, or after the focus left) is not inserted twice. Its next
    // commit or a new composition ends the wait.
    if (!insertedComposition_.isEmpty() &&
        (!e->commitString().isEmpty() || !e->preeditString().isEmpty() ||
         insertedAt_.elapsed() > 2000)) {
        const QString echo = std::exchange(insertedComposition_, QString());
        if (e->commitString() == echo && insertedAt_.elapsed() <= 2000) e->setCommitString({});
    }
    // A reconversion takes the text it converts out of the row, relative to the caret.
    if (e->replacementLength() > 0) {
        const int cursor = ImeRowText(*core_, DocTable()).Cursor;
        SelectRowUnits(*core_, DocTable(), cursor + e->replacementStart(),
                       cursor + e->replacementStart() + e->replacementLength());
        if (e->commitString().isEmpty()) core_->DeleteSelection();
    }
    if (!e->commitString().isEmpty()) InsertUtf16(e->commitString());

    preedit_ = e->preeditString();
    std::vector<TCompositionFormat> formats;
    int cursor = static_cast<int>(preedit_.size());
    bool caretVisible = true;
    for (const QInputMethodEvent::Attribute& a : e->attributes()) {
        if (a.type == QInputMethodEvent::Cursor) {
            cursor = a.start;
            caretVisible = a.length > 0;
        } else if (a.type == QInputMethodEvent::TextFormat && !preedit_.isEmpty()) {
            const QTextCharFormat f = a.value.value<QTextFormat>().toCharFormat();
            TCompositionFormat c;
            c.Start = a.start;
            c.Length = a.length;
            if (f.background().style() != Qt::NoBrush) c.Bk = QColorToColor(f.background().color());
            if (f.foreground().style() != Qt::NoBrush) c.Fg = QColorToColor(f.foreground().color());
            c.Underline = f.fontUnderline() || f.underlineStyle() != QTextCharFormat::NoUnderline;
            formats.push_back(c);
        } else if (a.type == QInputMethodEvent::Selection && preedit_.isEmpty()) {
            // The input method marks text of the row (units from the row's start).
            const int from = std::min(a.start, a.start + a.length);
            SelectRowUnits(*core_, DocTable(), from, from + std::abs(a.length));
        }
    }
    if (!preedit_.isEmpty()) {
        comp_ = MakeComposition(preedit_.toStdU16String(), formats, cursor, caretVisible);
        caretOn_ = true;
        RevealComposition();
    }
    if (hadComposition || !comp_.Empty()) viewport()->update();
    if (QGuiApplication::inputMethod())
        QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void TEditor::RevealComposition() {
    const TComposedLine l = ComposeLine(*core_, comp_);
    const int cols = core_->VisibleCols(), rows = metrics_.VisibleRows;
    if (l.Caret.Col + 2 > core_->TopCol() + cols)
        core_->SetTopCol(l.Caret.Col + 2 - cols);
    else if (l.Caret.Col < core_->TopCol())
        core_->SetTopCol(std::max(0, l.Caret.Col - 1));
    if (l.Caret.Row >= core_->TopRow() + rows) core_->SetTopRow(l.Caret.Row - rows + 1);
}

void TEditor::InsertComposition() {
    if (comp_.Empty()) return;
    const QString text = preedit_;
    insertedComposition_ = text;
    insertedAt_.start();
    comp_ = {};
    preedit_.clear();
    InsertUtf16(text);
    viewport()->update();
}

void TEditor::CommitComposition() {
    if (comp_.Empty()) return;
    QInputMethod* im = QGuiApplication::inputMethod();
    // The input method commits its own composition (an event with the text) and starts afresh;
    // one that answers later finds it already in the text.
    if (im && hasFocus()) im->commit();
    if (!comp_.Empty()) {
        InsertComposition();
        if (im && hasFocus()) im->reset();
    }
}

QVariant TEditor::inputMethodQuery(Qt::InputMethodQuery q) const {
    switch (q) {
    case Qt::ImEnabled:
        return !core_->ReadOnly();
    case Qt::ImCursorRectangle: {
        QRect r = CaretRect();
        if (!comp_.Empty()) {
            // The composition's caret, in the row it reached.
            const TComposedLine l = ComposeLine(*core_, comp_);
            r = QRect(CellOrigin(l.Caret.Row, l.Caret.Col), QSize(2, metrics_.TextHeight));
        }
        r.setHeight(metrics_.RowHeight);
        return r.translated(viewport()->pos());
    }
    case Qt::ImFont:
        return font_;
    case Qt::ImCursorPosition:
        return ImeRowText(*core_, DocTable()).Cursor;
    case Qt::ImAnchorPosition:
        return ImeRowText(*core_, DocTable()).Anchor;
    case Qt::ImSurroundingText:
        return QString::fromStdU16String(ImeRowText(*core_, DocTable()).Text);
    case Qt::ImCurrentSelection:
        return QString::fromStdU16String(ImeRowText(*core_, DocTable()).Selection);
    case Qt::ImHints:
        return static_cast<int>(Qt::ImhMultiLine);
    default:
        return QAbstractScrollArea::inputMethodQuery(q);
    }
}

// --- mouse -----------------------------------------------------------------------------------

void TEditor::UpdateCursor(QPoint p, Qt::KeyboardModifiers mods) {
    if (const std::optional<TCursor> shape = CursorAtPixel(
            *core_, metrics_, p.x(), p.y(), mouse_.Dragging(), mods & Qt::ControlModifier))
        viewport()->setCursor(ToQCursor(*shape));
}

void TEditor::mousePressEvent(QMouseEvent* e) {
    CommitComposition(); // where it was typed, before the click moves the caret
    if (e->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(e);
        return;
    }
    const QPoint p = e->position().toPoint();
    mouse_.PressAt(p.x(), p.y(), metrics_, e->modifiers() & Qt::ShiftModifier);
}

void TEditor::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if ((e->buttons() & Qt::LeftButton) && mouse_.MoveAt(p.x(), p.y(), metrics_))
        viewport()->update();
    UpdateCursor(p, e->modifiers());
}

void TEditor::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const bool dropped = mouse_.Dragging();
    mouse_.Release(e->modifiers() & Qt::ControlModifier);
    if (dropped) viewport()->update();
    UpdateCursor(e->position().toPoint(), e->modifiers());
}

void TEditor::mouseDoubleClickEvent(QMouseEvent* e) {
    CommitComposition();
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton) mouse_.DoubleClickAt(p.x(), p.y(), metrics_);
}

void TEditor::contextMenuEvent(QContextMenuEvent* e) {
    CommitComposition();
    QMenu* menu = BuildPopupMenu();
    menu->exec(e->globalPos());
    delete menu;
}

QMenu* TEditor::BuildPopupMenu() {
    auto* menu = new QMenu(this);
    AddMenuItems<TEditorPopupItem>(
        menu, BuildEditorPopupMenu(PopupStateOf(*core_, TQtEditorClipboard().HasText())),
        &TEditorPopupItem::ShortCut, {},
        [this](const TEditorPopupItem& i) { RunCommand(i.Command, i.Arg); });
    return menu;
}

// The caret blinks for ten seconds after the last input, as desktop text fields do, then stays
// shown; it does not blink at all without the focus (another window active, or hidden).
void TEditor::StartBlink() {
    blinksLeft_ = 10000 / std::max(1, blink_.interval());
    blink_.start();
}

void TEditor::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    emit FocusEntered();
    caretOn_ = true;
    StartBlink();
    viewport()->update();
}

void TEditor::focusOutEvent(QFocusEvent* e) {
    // The input method already serves the new focus (a menu, another page): the composition goes
    // in here as it is.
    InsertComposition();
    QAbstractScrollArea::focusOutEvent(e);
    blink_.stop();
    caretOn_ = false;
    viewport()->update();
}
