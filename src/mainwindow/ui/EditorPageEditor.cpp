// TEditor as the control of a page.
#include "mainwindow/ui/EditorPageEditor.h"

#include "editor/PropertySet.h"
#include "editor/ui/EditorWidget.h"
#include "mainwindow/PageText.h"
#include "platform/AtomicFile.h"
#include "platform/MessageBox.h"
#include "syntax/Fountain.h"
#include "text/RowStore.h"

#include <QEvent>
#include <QObject>
#include <QTimer>

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
    QObject::connect(editor_, &TEditor::LoadProgressed, [this] {
        if (OnLoadProgress) OnLoadProgress();
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
    return LoadPageFile(
        editor_->Core(), *doc_, path, chosen,
        [this](std::string&& text) { editor_->TakeText(std::move(text)); },
        [this, &path](std::unique_ptr<TBackgroundLoad> load, const TFileFormat& format) {
            beginBackground(path, std::move(load), format);
        },
        error);
}

void TEditorPageEditor::beginBackground(const std::string& path,
                                        std::unique_ptr<TBackgroundLoad> load,
                                        const TFileFormat& format) {
    const bool hadReason = BeginBackgroundDocument(editor_->Core(), *doc_, format);
    // The end may come inside a save that waited for it: the line ends are set there and then.
    std::shared_ptr<TPageDocument> doc = doc_;
    QPointer<TEditor> ed(editor_);
    editor_->Core().SharedStore()->OnLoadEnd = [doc, ed, path](const TLineEndCounts& counts,
                                                               const std::string& error) {
        if (EndBackgroundDocument(*doc, counts, error) && ed) ed->Core().SetReadOnly(true);
        if (!ed) return;
        QTimer::singleShot(0, ed, [ed, path, error] {
            if (ed) emit ed->LoadProgressed(); // the status bar shows the end
            if (!error.empty())
                ShowErrorBox("[" + path + "]を読み込めません。\r\n" + error +
                             "\r\n内容を失わないよう、読み取り専用で開きます。");
        });
    };
    editor_->BeginLoad(std::move(load));
    editor_->Core().Modified = false;
    if (hadReason) editor_->Core().SetReadOnly(false);
}

bool TEditorPageEditor::WaitForWholeText() {
    return editor_->WaitForLoad();
}

std::string TEditorPageEditor::LoadProgressText() const {
    return ::LoadProgressText(editor_->Core());
}

bool TEditorPageEditor::LoadFromFile(const std::string& path, std::string* error) {
    TEncoding chosen;
    const bool has = EncodingChoices().Find(path, &chosen);
    return load(path, has ? &chosen : nullptr, error);
}

bool TEditorPageEditor::ReloadAs(const std::string& path, TEncoding e, std::string* error) {
    return load(path, &e, error);
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
    ClearPageText(editor_->Core());
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
    SetCaretRowClamped(editor_->Core(), row);
}

void TEditorPageEditor::SetTopRow(int row) {
    SetTopRowClamped(editor_->Core(), row);
}

TPageCaretInfo TEditorPageEditor::CaretInfo() const {
    return CaretInfoOf(editor_->Core());
}

void TEditorPageEditor::ApplyPropertiesFor(const std::string& path) {
    sets_.ForPath(path).AssignTo(editor_->Core());
    editor_->Core().SetFountain(sets_.FountainForPath(path));
}

std::unique_ptr<TEditorPageEditor> TEditorPageEditor::CreatePartner(QWidget* parent) {
    auto partner = std::make_unique<TEditorPageEditor>(parent, sets_, *editor_);
    partner->doc_ = doc_; // one file side for both controls
    return partner;
}
