// The control of a page: TEditor under the page's TPageText (file side, states, caret, property
// set by extension), with the events the pages listen to. The pages talk to the control only
// through this.
#pragma once

#include "mainwindow/pages/PageText.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <string>

class QWidget;
class TEditor;

class TEditorPageEditor : public TPageText {
  public:
    TEditorPageEditor(QWidget* parent, const TPagePropSets& sets);
    // A control on an existing page's row store and file side (the split view).
    TEditorPageEditor(QWidget* parent, TEditorPageEditor& shareWith);
    ~TEditorPageEditor() override;

    QWidget* Widget();
    TEditor* Editor() const { return editor_; }
    void FormatChanged() override; // and the text is drawn again
    // A large file goes on loading after it was shown: waits for it with the window alive (false
    // when the page was closed meanwhile: the caller must not touch it).
    bool WaitForWholeText();
    // A second control sharing this one's text (the split view): same properties, starting at
    // this control's top row.
    std::unique_ptr<TEditorPageEditor> CreatePartner(QWidget* parent);

    // Events the main window listens to.
    std::function<void()> OnCaretMoved, OnChange, OnFocus, OnSelectionModeChange;
    std::function<void()> OnLoadProgress; // a background load went on, or ended

  protected:
    TEditorCore& core() const override;
    TAsker& asker() const override;
    void takeText(std::string&& text) override;
    void beginBackground(const std::string& path, std::unique_ptr<TBackgroundLoad> load,
                         const TFileFormat& format) override;

  private:
    void wire();
    TEditor* editor_;
    QPointer<QWidget> alive_; // guards editor_ against its parent deleting it first
};

// Makes the editing control of a new page.
using TPageEditorFactory = std::function<std::unique_ptr<TEditorPageEditor>(QWidget* parent)>;
