// The control of a page: TEditor with the property set and colouring definition chosen by the
// file's extension, the page's file side (encoding, line ends, table), and the events the pages
// listen to. The pages talk to the control only through this.
#pragma once

#include "editor/PagePropSets.h"
#include "mainwindow/DocumentEncoding.h"
#include "mainwindow/MainMenu.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <string>

class QWidget;
class TEditor;

class TEditorPageEditor {
  public:
    TEditorPageEditor(QWidget* parent, const TPagePropSets& sets);
    // A control on an existing editor's row store (the split view).
    TEditorPageEditor(QWidget* parent, const TPagePropSets& sets, TEditor& shareWith);
    ~TEditorPageEditor();

    QWidget* Widget();
    TEditor* Editor() const { return editor_; }
    // Reads the file into the row store; the control is not modified afterwards. On failure the
    // text stays as it was and *error says why.
    bool LoadFromFile(const std::string& path, std::string* error);
    // The bytes written to the page's file, in its encoding and line ends. False with *error
    // when the format cannot hold every character (nothing is written then).
    bool FileBytes(std::string* bytes, std::string* error);
    // The file side of the page.
    TPageDocument* Document() { return doc_.get(); }
    // Reads the file again in the given encoding; false with *error (text unchanged) on failure.
    bool ReloadAs(const std::string& path, TEncoding e, std::string* error);
    // The page's format changed (Save As, the menu): the table follows it.
    void FormatChanged();
    void ClearText();
    // A large file goes on loading after it was shown. WaitForWholeText waits for it with the
    // window alive (false when the page was closed meanwhile: the caller must not touch it);
    // LoadProgressText is what the status bar shows meanwhile (empty when nothing is loading).
    bool WaitForWholeText();
    std::string LoadProgressText() const;

    bool Modified() const;
    void SetModified(bool modified);
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    bool Overwrite() const;
    bool BoxSelection() const;
    int CaretRow() const;
    int TopRow() const;
    void SetCaretRow(int row);
    void SetTopRow(int row);
    TPageCaretInfo CaretInfo() const;
    // Property set and colouring definition chosen by the file's extension.
    void ApplyPropertiesFor(const std::string& path);
    // A second control sharing this one's row store (the split view): same properties, starting
    // at this control's top row.
    std::unique_ptr<TEditorPageEditor> CreatePartner(QWidget* parent);

    // Events the main window listens to.
    std::function<void()> OnCaretMoved, OnChange, OnFocus, OnSelectionModeChange;
    std::function<void()> OnLoadProgress; // a background load went on, or ended

  private:
    void wire();
    bool load(const std::string& path, const TEncoding* chosen, std::string* error);
    void beginBackground(const std::string& path, std::unique_ptr<TBackgroundLoad> load,
                         const TFileFormat& format);
    const TPagePropSets& sets_;
    TEditor* editor_;
    QPointer<QWidget> alive_;            // guards editor_ against its parent deleting it first
    std::shared_ptr<TPageDocument> doc_; // shared with the partner of a split page
};

// Makes the editing control of a new page.
using TPageEditorFactory = std::function<std::unique_ptr<TEditorPageEditor>(QWidget* parent)>;
