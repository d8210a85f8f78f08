// The main window's search commands (see SearchCommands.h).
#include "search/ui/SearchMenu.h"

#include "editor/ui/EditorWidget.h"
#include "platform/ui/QtMessageSink.h"
#include "search/EditorSearch.h"
#include "search/ui/ReplaceQuestion.h"
#include "search/ui/SearchDialogs.h"

#include <QWidget>

TSearchCommands::TSearchCommands(QWidget* window, std::function<TEditor*()> activeEditor,
                                 QObject* parent)
    : QObject(parent), window_(window), active_(std::move(activeEditor)) {}

std::string TSearchCommands::caption() const {
    return window_ ? window_->window()->windowTitle().toStdString() : std::string();
}

bool TSearchCommands::Find() {
    TEditor* editor = active_ ? active_() : nullptr;
    // A search sees the whole text: a file still loading is read to its end first.
    if (!editor || !editor->WaitForLoad()) return false;
    return RunFind(
        WindowAsker(), State, caption(),
        [editor](const std::string& pattern, TSearchOptions o) {
            return EditorCoreSearch(editor->Core(), pattern, o);
        },
        editor->DocTable());
}

bool TSearchCommands::FindFirst() {
    if (!active_ || !active_()) return false;
    TSearchDialog dlg(window_, StorePath);
    return dlg.Execute(State) && Find();
}

bool TSearchCommands::FindNext() {
    return PrepareFindNext(State, true) && Find();
}

bool TSearchCommands::FindPrevious() {
    return PrepareFindNext(State, false) && Find();
}

int TSearchCommands::ReplaceText() {
    TEditor* editor = active_ ? active_() : nullptr;
    if (!editor) return 0;
    TReplaceDialog dlg(window_, StorePath);
    if (!dlg.Execute(State) || !editor->WaitForLoad()) return 0;
    // The control shows the run of replacements once, and what it has so far before any box.
    struct ShownFirst : TAsker {
        TEditor& editor;
        TAsker& asker;
        ShownFirst(TEditor& e, TAsker& a) : editor(e), asker(a) {}
        bool Show(const TMessage& m) override {
            editor.FlushBatch();
            return asker.Show(m);
        }
        int Choose(const TMessage& m) override {
            editor.FlushBatch();
            return asker.Choose(m);
        }
    } asker(*editor, WindowAsker());
    struct Batch {
        TEditor& editor;
        explicit Batch(TEditor& e) : editor(e) { editor.BeginBatch(); }
        ~Batch() { editor.EndBatch(); }
    } batch(*editor);
    TEditorReplaceTarget target(asker, editor->Core(), caption());
    target.OnConfirm = [this, editor](const std::string& prompt) {
        editor->FlushBatch();
        const QPoint caret = editor->viewport()->mapToGlobal(editor->CaretRect().topLeft());
        return AskReplaceConfirm(window_, prompt, caret, editor->Metrics().RowHeight);
    };
    return RunReplace(target, State).Replaced;
}
