// The editing control as assistive technology sees it (AT-SPI through Qt's accessibility): an
// editable multi-line text with its caret, selections and character extents, and the events for
// inserted and removed text, caret moves and selection changes.
#pragma once

#include <QAccessibleWidget>

#include <functional>

class TEditor;

class TEditorAccessible : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface {
  public:
    explicit TEditorAccessible(TEditor* editor);

    // Makes Qt build this interface for every editing control, and sends the control's events
    // from now on.
    static void Watch(TEditor* editor);
    // Edits are kept as characters and events sent while assistive technology listens
    // (QAccessible::isActive) or a listener inside the program is set, which hears them too.
    static bool Listening();
    static void SetListener(std::function<void(QAccessibleEvent*)> listener);

    void* interface_cast(QAccessible::InterfaceType t) override;
    QAccessible::Role role() const override { return QAccessible::EditableText; }
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

  private:
    TEditor* editor() const;
    // The range [start, end) of the boundary unit holding offset.
    void unitAt(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const;
    void placeCaret(int offset) const;
    void selectRange(int start, int end) const;
};
