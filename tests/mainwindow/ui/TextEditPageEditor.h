// A page control for the widget tests, on QPlainTextEdit: it proves the pages' wiring without
// the program's own editing control. Text is kept as Shift-JIS bytes on disk like the real one.
#pragma once

#include "mainwindow/ui/PageEditor.h"
#include "platform/Cp932.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>

class TTextEditPageEditor : public TPageEditor {
  public:
    explicit TTextEditPageEditor(QWidget* parent, QTextDocument* shared = nullptr)
        : edit_(new QPlainTextEdit(parent)) {
        if (shared) edit_->setDocument(shared);
        QObject::connect(edit_, &QPlainTextEdit::cursorPositionChanged, [this] {
            if (OnCaretMoved) OnCaretMoved();
        });
        QObject::connect(edit_->document(), &QTextDocument::modificationChanged, [this] {
            if (OnChange) OnChange();
        });
    }
    ~TTextEditPageEditor() override { delete edit_.data(); }
    QWidget* Widget() override { return edit_; }
    bool LoadFromFile(const std::string& path, std::string* error) override {
        QFile f(QString::fromStdString(path));
        if (!f.open(QIODevice::ReadOnly)) {
            *error = f.errorString().toStdString();
            return false;
        }
        QByteArray b = f.readAll();
        edit_->setPlainText(
            QString::fromStdString(Cp932ToUtf8(std::string_view(b.data(), b.size())))
                .replace("\r\n", "\n"));
        edit_->document()->setModified(false);
        ++loads;
        return true;
    }
    std::string TextBytes() const override {
        return Utf8ToCp932(edit_->toPlainText().replace("\n", "\r\n").toStdString());
    }
    void ClearText() override { edit_->clear(); }
    bool Modified() const override { return edit_->document()->isModified(); }
    void SetModified(bool m) override { edit_->document()->setModified(m); }
    bool ReadOnly() const override { return edit_->isReadOnly(); }
    void SetReadOnly(bool r) override { edit_->setReadOnly(r); }
    bool Overwrite() const override { return edit_->overwriteMode(); }
    bool BoxSelection() const override { return false; }
    int CaretRow() const override { return edit_->textCursor().blockNumber(); }
    int TopRow() const override { return edit_->verticalScrollBar()->value(); }
    void SetCaretRow(int row) override {
        QTextCursor c(edit_->document()->findBlockByNumber(row));
        edit_->setTextCursor(c);
    }
    void SetTopRow(int row) override { edit_->verticalScrollBar()->setValue(row); }
    TPageCaretInfo CaretInfo() const override {
        QTextCursor c = edit_->textCursor();
        return {c.blockNumber(), c.positionInBlock(), c.blockNumber(), c.positionInBlock()};
    }
    void ApplyPropertiesFor(const std::string& path) override { propsFor = path; }
    std::unique_ptr<TPageEditor> CreatePartner(QWidget* parent) override {
        return std::make_unique<TTextEditPageEditor>(parent, edit_->document());
    }

    QPlainTextEdit* Edit() const { return edit_; }
    std::string propsFor;
    int loads = 0;

  private:
    QPointer<QPlainTextEdit> edit_;
};
