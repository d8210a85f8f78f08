// TEditor as the control of a page.
#include "mainwindow/ui/EditorPageEditor.h"

#include "editor/PropertySet.h"
#include "editor/ui/EditorWidget.h"
#include "mainwindow/EditorActions.h"
#include "platform/AtomicFile.h"
#include "platform/MessageBox.h"
#include "syntax/Fountain.h"
#include "text/RowCut.h"
#include "text/RowStore.h"

#include <QEvent>
#include <QObject>

#include <vector>

namespace {

// Tells the page which of its controls has the focus (the active one of a split page).
class FocusWatch : public QObject {
  public:
    FocusWatch(QObject* parent, std::function<void()> onFocus)
        : QObject(parent), onFocus_(std::move(onFocus)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::FocusIn && onFocus_) onFocus_();
        return false;
    }

  private:
    std::function<void()> onFocus_;
};

} // namespace

TEditorPageEditor::TEditorPageEditor(QWidget* parent, const TPagePropSets& sets)
    : sets_(sets), editor_(new TEditor(parent)), alive_(editor_),
      doc_(std::make_shared<TPageDocument>()) {
    // A new page is written in the format the options give new pages.
    doc_->format = NewPageFormat();
    FormatChanged();
    wire();
}

TEditorPageEditor::TEditorPageEditor(QWidget* parent, const TPagePropSets& sets, TEditor& shareWith)
    : sets_(sets), editor_(new TEditor(parent, shareWith.Core().SharedStore())), alive_(editor_),
      doc_(std::make_shared<TPageDocument>()) {
    // The new control takes the first one's properties (the main form's own set EditorProp1).
    TEditorProp EditorProp1;
    EditorProp1.Assign(shareWith.Core());
    EditorProp1.AssignTo(editor_->Core());
    editor_->Core().SetFountain(shareWith.Core().Fountain());
    editor_->Core().SetReadOnly(shareWith.Core().ReadOnly());
    wire();
}

void TEditorPageEditor::wire() {
    QObject::connect(editor_, &TEditor::CaretMoved, [this] {
        if (OnCaretMoved) OnCaretMoved();
    });
    QObject::connect(editor_, &TEditor::Changed, [this] {
        if (OnChange) OnChange();
    });
    QObject::connect(editor_, &TEditor::SelectionModeChanged, [this] {
        if (OnSelectionModeChange) OnSelectionModeChange();
    });
    editor_->installEventFilter(new FocusWatch(editor_, [this] {
        if (OnFocus) OnFocus();
    }));
    // Characters a Shift-JIS page cannot hold: keep the page as UTF-8 from now on?
    editor_->OnNeedsUnicode = [this] {
        if (!AskKeepAsUnicode(*doc_, editor_->Core().Text())) return false;
        FormatChanged();
        if (OnChange) OnChange(); // the status bar shows the new encoding
        return true;
    };
}

TEditorPageEditor::~TEditorPageEditor() {
    delete alive_.data();
}

QWidget* TEditorPageEditor::Widget() {
    return editor_;
}

bool TEditorPageEditor::load(const std::string& path, const TEncoding* chosen, std::string* error) {
    TDecodedDocument d;
    try {
        if (!ReadPageDocument(path, chosen, &d, error)) {
            if (error && error->empty()) *error = "読み込みを取りやめました。";
            return false;
        }
        // The page keeps what it had when the rows cannot be made.
        auto store = editor_->Core().SharedStore();
        std::shared_ptr<TCharTable> oldTable = store ? store->CharTable() : nullptr;
        if (store) store->SetCharTable(d.table);
        try {
            editor_->TakeText(std::move(d.text));
        } catch (...) {
            if (store) store->SetCharTable(oldTable);
            throw;
        }
    } catch (const ETextTooLarge& e) {
        if (error) *error = "[" + path + "]\r\n" + e.what();
        return false;
    } catch (const std::bad_alloc&) {
        if (error) *error = "[" + path + "]\r\nメモリが足りないため、このファイルを開けません。";
        return false;
    }
    const bool hadReason = !doc_->readOnlyReason.empty();
    doc_->format = d.format;
    doc_->table = d.table;
    doc_->lineEnds = d.lineEnds;
    doc_->mixedTold = false;
    doc_->readOnlyReason = d.readOnlyReason;
    editor_->Core().Modified = false;
    if (hadReason && d.readOnlyReason.empty()) editor_->Core().SetReadOnly(false);
    if (!d.readOnlyReason.empty()) {
        editor_->Core().SetReadOnly(true);
        ShowMessage("[" + path + "]\r\n" + d.readOnlyReason +
                    "\r\n内容を失わないよう、読み取り専用で開きます。");
    }
    return true;
}

bool TEditorPageEditor::LoadFromFile(const std::string& path, std::string* error) {
    TEncoding chosen;
    const bool has = EncodingChoices().Find(path, &chosen);
    return load(path, has ? &chosen : nullptr, error);
}

bool TEditorPageEditor::ReloadAs(const std::string& path, TEncoding e, std::string* error) {
    return load(path, &e, error);
}

std::string TEditorPageEditor::TextBytes() const {
    return editor_->Core().Text();
}

bool TEditorPageEditor::FileBytes(std::string* bytes, std::string* error) {
    return EncodePageDocument(editor_->Core().Text(), *doc_, bytes, error);
}

void TEditorPageEditor::FormatChanged() {
    if (UsesCharTable(doc_->format.encoding) && !doc_->table)
        EnsureTableFor(*doc_, editor_->Core().Text());
    if (auto store = editor_->Core().SharedStore()) store->SetCharTable(doc_->table);
    editor_->viewport()->update();
}

void TEditorPageEditor::ClearText() {
    TEditorCore& c = editor_->Core();
    c.SelectAll();
    c.DeleteSelection(); // one undo step; SetSelText ignores an empty text
}

bool TEditorPageEditor::Modified() const {
    return editor_->Core().Modified;
}

void TEditorPageEditor::SetModified(bool modified) {
    editor_->Core().Modified = modified;
}

bool TEditorPageEditor::ReadOnly() const {
    return editor_->Core().ReadOnly();
}

void TEditorPageEditor::SetReadOnly(bool readOnly) {
    editor_->Core().SetReadOnly(readOnly);
}

bool TEditorPageEditor::Overwrite() const {
    return editor_->Core().OverWrite();
}

bool TEditorPageEditor::BoxSelection() const {
    return editor_->Core().SelectionMode() == smBox;
}

int TEditorPageEditor::CaretRow() const {
    return editor_->Core().Row();
}

int TEditorPageEditor::TopRow() const {
    return editor_->Core().TopRow();
}

void TEditorPageEditor::SetCaretRow(int row) {
    TEditorCore& c = editor_->Core();
    c.SetRow(std::max(0, std::min(row, c.MaxRow())));
}

void TEditorPageEditor::SetTopRow(int row) {
    TEditorCore& c = editor_->Core();
    c.SetTopRow(std::max(0, std::min(row, c.MaxRow())));
}

TPageCaretInfo TEditorPageEditor::CaretInfo() const {
    const TEditorCore& c = editor_->Core();
    const TCaretLine l = CaretLineOf(c);
    TPageCaretInfo info;
    info.row = c.Row();
    info.col = c.Col();
    info.line = l.Line;
    info.chr = l.Char;
    return info;
}

void TEditorPageEditor::ApplyPropertiesFor(const std::string& path) {
    sets_.ForPath(path).AssignTo(editor_->Core());
    editor_->Core().SetFountain(sets_.FountainForPath(path));
}

std::unique_ptr<TPageEditor> TEditorPageEditor::CreatePartner(QWidget* parent) {
    auto partner = std::make_unique<TEditorPageEditor>(parent, sets_, *editor_);
    partner->doc_ = doc_; // one file side for both controls
    return partner;
}
