// TEditor as the control of a page.
#include "mainwindow/ui/EditorPageEditor.h"

#include "editor/ui/EditorWidget.h"
#include "platform/ui/QtMessageSink.h"
#include "text/RowStore.h"

#include <QTimer>

TEditorPageEditor::TEditorPageEditor(QWidget* parent, const TPagePropSets& sets)
    : TPageText(sets, std::make_shared<TPageDocument>()), editor_(new TEditor(parent)),
      alive_(editor_) {
    // A new page is written in the format the options give new pages.
    doc_->format = NewPageFormat();
    FormatChanged();
    wire();
}

TEditorPageEditor::TEditorPageEditor(QWidget* parent, TEditorPageEditor& shareWith)
    : TPageText(shareWith.sets_, shareWith.doc_),
      editor_(new TEditor(parent, shareWith.core().SharedStore())), alive_(editor_) {
    shareWith.ShareLookWith(editor_->Core());
    wire();
}

void TEditorPageEditor::wire() {
    for (auto [signal, hook] : {std::pair{&TEditor::CaretMoved, &OnCaretMoved},
                                {&TEditor::Changed, &OnChange},
                                {&TEditor::LoadProgressed, &OnLoadProgress},
                                {&TEditor::SelectionModeChanged, &OnSelectionModeChange},
                                {&TEditor::FocusEntered, &OnFocus}}) // the active half
        QObject::connect(editor_, signal, [hook] {
            if (*hook) (*hook)();
        });
    // Characters the page's encoding cannot hold: keep the page as UTF-8 from now on?
    editor_->OnTextEnters = [this](std::u16string& text) {
        bool switched = false;
        const std::size_t replaced = TakeEnteringText(
            WindowAsker(), *doc_, [this] { return editor_->Core().Text(); }, text, &switched);
        if (switched) {
            FormatChanged();
            if (OnChange) OnChange(); // the status bar shows the new encoding
        }
        return replaced;
    };
}

TEditorPageEditor::~TEditorPageEditor() {
    delete alive_.data();
}

QWidget* TEditorPageEditor::Widget() {
    return editor_;
}

TEditorCore& TEditorPageEditor::core() const {
    return editor_->Core();
}

TAsker& TEditorPageEditor::asker() const {
    return WindowAsker();
}

void TEditorPageEditor::takeText(std::string&& text) {
    editor_->TakeText(std::move(text));
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
        QTimer::singleShot(0, ed, [ed, message = LoadEndMessage(path, error)] {
            if (ed) emit ed->LoadProgressed(); // the status bar shows the end
            if (!message.empty()) WindowAsker().ShowErrorBox(message);
        });
    };
    editor_->BeginLoad(std::move(load));
    editor_->Core().Modified = false;
    if (hadReason) editor_->Core().SetReadOnly(false);
}

bool TEditorPageEditor::WaitForWholeText() {
    return editor_->WaitForLoad();
}

void TEditorPageEditor::FormatChanged() {
    TPageText::FormatChanged();
    editor_->viewport()->update();
}

std::unique_ptr<TEditorPageEditor> TEditorPageEditor::CreatePartner(QWidget* parent) {
    return std::make_unique<TEditorPageEditor>(parent, *this);
}
