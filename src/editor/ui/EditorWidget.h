// TEditor: the editing control as a widget. It paints what TEditorCore computes on a fixed cell
// grid and turns key, mouse, input-method and clipboard events into calls on the core.
#pragma once

#include "editor/BarPaint.h"
#include "editor/Commands.h"
#include "editor/EditorCore.h"
#include "editor/Geometry.h"
#include "editor/InputMethodText.h"
#include "editor/MouseGestures.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QFont>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QMenu;

class TEditor : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit TEditor(QWidget* parent = nullptr);
    // A second control on the same row store (a split page); edits show in both.
    TEditor(QWidget* parent, std::shared_ptr<TEditorScreenStrings> store);
    ~TEditor() override;

    TEditorCore& Core() { return *core_; }
    const TEditorMetrics& Metrics() const { return metrics_; }
    // Sets the text (CP932) of the built-in row store.
    void SetText(std::string_view cp932);
    void TakeText(std::string&& cp932); // without copying the bytes
    // Starts showing a file that goes on loading in the background: its pieces are appended
    // here as they come, LoadProgressed after each.
    void BeginLoad(std::unique_ptr<TBackgroundLoad> load);
    // Waits, with the window alive (painting, timers; no user input), until a background load
    // has ended. False when this control was closed meanwhile: the caller must not touch it.
    bool WaitForLoad();

    // Inserts text as if typed (replacing a selection, in overwrite mode over the text): one
    // undo step, the caret after it; characters Shift-JIS cannot hold are reported.
    void InsertUtf16(const QString& text);
    // Runs a command of the control with the system clipboard; false when it did nothing.
    bool RunCommand(TEditorCommand c, int arg = 0, TEditorCommandKeys keys = {});

    // The popup menu built from the core's rules.
    QMenu* BuildPopupMenu();

    // Pixel geometry of the grid.
    QPoint CellOrigin(int row, int col) const; // top-left of a cell in viewport coordinates
    QRect CaretRect() const;

    // The document's table of characters beyond CP932 (null for a plain Shift-JIS document).
    TCharTable* DocTable() const;
    // Sees typed or pasted text before it goes in: the page may ask about characters its
    // encoding cannot hold (and switch to UTF-8) or turn them into "?" (returning how many).
    std::function<std::size_t(std::u16string& text)> OnTextEnters;

    // Told when text could not be kept exactly (characters CP932 lacks); shows a message box
    // unless replaced.
    std::function<void(const QString&)> WarningHandler;

    QVariant inputMethodQuery(Qt::InputMethodQuery q) const override;
    // The input method's composition, shown at the caret until it is committed.
    bool Composing() const { return !comp_.Empty(); }
    // Commits a composition where it was typed (the input method is asked to; what it keeps is
    // inserted here): anything that moves the caret or changes the page does this first.
    void CommitComposition();

    long long PaintedRows = 0; // rows drawn so far (partial repaint shows in it)

    // A run of edits and caret moves (Replace all) shown once: between BeginBatch and the last
    // EndBatch the control only notes what to repaint and tell; FlushBatch shows it at once (before
    // a question about the text, say) and the batch goes on.
    void BeginBatch() { ++batch_; }
    void EndBatch();
    void FlushBatch();

  signals:
    void CaretMoved();
    void Changed();
    void SelectionModeChanged();
    void LoadProgressed();
    void FocusEntered(); // the keyboard focus came to this control

  protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void WireCore();
    void CaretMovedNow();
    void ChangedNow();
    void UpdateMetrics();
    void UpdateScrollBars();
    void InvalidateRows(int first, int last);
    void Warn(const QString& message);
    // Text from outside (keys, input method, clipboard) in the document's bytes.
    std::string FromUtf16(std::u16string_view text, int* lost);
    void UpdateCursor(QPoint p, Qt::KeyboardModifiers mods);

    // Painting (TEditorPaint.cpp).
    void PaintRow(QPainter& p, int row, int y, const QRect& clip, const TComposedLine* composed);
    void Run(QPainter& p, const TPaintSteps& steps); // the core's drawing steps
    void PaintCaret(QPainter& p);
    QColor Col(TColor c) const;

    std::unique_ptr<TEditorCore> core_;
    TEditorMetrics metrics_;
    QFont font_;
    int ascent_ = 0;
    QTimer blink_;
    int blinksLeft_ = 0; // the caret rests (shown) after some seconds without input
    void StartBlink();
    bool caretOn_ = true;
    QString preedit_;
    TComposition comp_;
    // A composition committed by a control without the input method, and when: the input
    // method's own commit of it may still come, to this control or (after a focus change) to
    // the one that has the focus now.
    static QString insertedComposition_;
    static QElapsedTimer insertedAt_;
    void InsertComposition(); // the composition as typed text, without asking the input method
    void RevealComposition(); // scrolls the composition's caret into view
    TCaretTrail caretTrail_;
    bool syncingScroll_ = false;

    TEditorMouseGestures mouse_;
    int batch_ = 0;
    bool batchCaret_ = false, batchChange_ = false, batchView_ = false;
};
