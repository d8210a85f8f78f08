// What a page needs of its editing control. The pages talk to the control only through this, so
// that the page logic does not depend on how the control is built; TEditorPageEditor is the one
// used by the program (over TEditor).
#pragma once

#include "mainwindow/DocumentEncoding.h"
#include "mainwindow/MainMenu.h"

#include <functional>
#include <memory>
#include <string>

class QWidget;

class TPageEditor {
  public:
    virtual ~TPageEditor() = default;
    virtual QWidget* Widget() = 0;

    // Reads the file (Shift-JIS, any line end) into the row store; the control is not modified
    // afterwards. On failure the text stays as it was and *error says why.
    virtual bool LoadFromFile(const std::string& path, std::string* error) = 0;
    // The text of the row store: Shift-JIS, CR LF.
    virtual std::string TextBytes() const = 0;
    // The bytes written to the page's file, in its encoding and line ends. False with *error
    // when the format cannot hold every character (nothing is written then).
    virtual bool FileBytes(std::string* bytes, std::string* error) {
        (void)error;
        *bytes = TextBytes();
        return true;
    }
    // The file side of the page (encoding, line ends, table); null when the control has none.
    virtual TPageDocument* Document() { return nullptr; }
    // Reads the file again in the given encoding; false with *error (text unchanged) on failure.
    virtual bool ReloadAs(const std::string& path, TEncoding e, std::string* error) {
        (void)path;
        (void)e;
        (void)error;
        return false;
    }
    // The page's format changed (Save As, the menu): the table follows it.
    virtual void FormatChanged() {}
    virtual void ClearText() = 0;
    // A large file goes on loading after it was shown. WaitForWholeText waits for it with the
    // window alive (false when the page was closed meanwhile: the caller must not touch it);
    // LoadProgressText is what the status bar shows meanwhile (empty when nothing is loading).
    virtual bool WaitForWholeText() { return true; }
    virtual std::string LoadProgressText() const { return {}; }

    virtual bool Modified() const = 0;
    virtual void SetModified(bool modified) = 0;
    virtual bool ReadOnly() const = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual bool Overwrite() const = 0;
    virtual bool BoxSelection() const = 0;

    virtual int CaretRow() const = 0;
    virtual int TopRow() const = 0;
    virtual void SetCaretRow(int row) = 0;
    virtual void SetTopRow(int row) = 0;
    virtual TPageCaretInfo CaretInfo() const = 0;

    // Property set and colouring definition chosen by the file's extension.
    virtual void ApplyPropertiesFor(const std::string& path) = 0;
    // A second control sharing this one's row store (the split view): same properties, starting
    // at this control's top row.
    virtual std::unique_ptr<TPageEditor> CreatePartner(QWidget* parent) = 0;
    virtual bool CanSplit() const { return true; }

    // Events the main window listens to.
    std::function<void()> OnCaretMoved, OnChange, OnFocus, OnSelectionModeChange;
    std::function<void()> OnLoadProgress; // a background load went on, or ended
};

// Makes the editing control of a new page.
using TPageEditorFactory = std::function<std::unique_ptr<TPageEditor>(QWidget* parent)>;
