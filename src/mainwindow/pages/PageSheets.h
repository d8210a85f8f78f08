// The pages' controls as the page book's host sees them, without widgets: one sheet per page with
// its control (two on a split page, the focused one answering), page ids that follow moves, the
// states and carets the book asks for, reading and writing a page's file, and the status panels'
// texts of the active page. The window adds the tab sheets, the splitter and the dialogs.
#pragma once

#include "mainwindow/pages/PageBook.h"
#include "mainwindow/pages/PageText.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TPageSheets : public TPageHost, public TPageIds {
  public:
    struct TSheet {
        virtual ~TSheet() = default;
        int id = 0;
        std::unique_ptr<TPageText> lower;
        std::unique_ptr<TPageText> upper; // the split view's second control
        TPageText* focused = nullptr;
    };

    // The status panels (0 caret, 1 read-only, 2 overwrite, 5 box selection, 6 progress).
    std::function<void(int panel, const std::string& text)> SetStatusPanel;
    std::function<void(TPageText*)> OnPageStatus;      // the active page's status was refreshed
    std::function<void(bool modified)> OnModifiedMark; // the F11 "更新" mark
    std::function<void(int index)> OnTextChanged;      // any page's text changed
    std::function<void()> OnStatusRefreshed;           // after the status: the lock-key panels
    // A page's file was read or written; before a write, false (with the reason) stops it.
    std::function<void(int index, const std::string&path)> OnFileRead, OnFileWritten;
    std::function<bool(int index, const std::string& path, std::string* error)> BeforeFileWrite;
    // Before a page's text is replaced by its file read again: the text is kept (recovery).
    std::function<void(int index)> BeforeReread;
    // A page was saved, re-read or closed: what its recovery file keeps may have to go.
    std::function<void()> OnPageSettled;

    // The control of a page (the focused half of a split page); null without the page.
    TPageText* TextOfPage(int index) const;
    // Every control of every page (both halves of a split page).
    std::vector<TPageText*> AllTexts() const;
    // Caret display: screen rows and columns ("Row / Col") or logical lines ("Line / Char").
    void SetRowColMode(bool rowCol);
    void UpdateCaretPanel();
    // The active page's panels, the modified mark and what follows them.
    void ShowPageStatus();
    // Panels 1 and 2 after the active control's read-only or overwrite mode was toggled.
    void ShowModePanels();
    void Clear(); // the active page's text, as one undo step
    // Reads a page's file again as one undo step (the text it replaces is handed to
    // BeforeReread first); false with *error when it cannot be read.
    bool RereadPageText(int index, const std::string& path, std::string* error);
    // Reads the active page's file again in the encoding (detected when null); a modified page
    // asks first. The choice is remembered for the file.
    void ReopenActive(const TPageBook& book, const TEncoding* e);
    // The active page is written in another format from its next save (not a read-only page).
    void ChangeActiveFormat(const std::function<void(TFileFormat&)>& change);

    // What a page's control tells.
    void CaretMoved(const TPageText* t);
    void Changed(const TSheet& s, const TPageText* t);
    void Focused(TSheet& s, TPageText* t);
    void SelectionModeChanged(const TPageText* t);
    void LoadProgressed(const TPageText* t);

    // TPageHost, TPageIds.
    int PageCount() const override { return static_cast<int>(sheets_.size()); }
    bool LoadPageText(int index, const std::string& path, std::string* error) override;
    bool SavePageText(int index, const std::string& path, std::string* error) override;
    bool IsModified(int index) const override;
    void SetModified(int index, bool modified) override;
    bool IsReadOnly(int index) const override;
    void SetReadOnly(int index, bool readOnly) override;
    void GetCaret(int index, int* row, int* topRow) const override;
    void SetCaret(int index, int row, int topRow) override;
    bool IsSplit(int index) const override;
    void ApplyPropertiesFor(int index, const std::string& path) override;
    int PageId(int index) const override { return sheet(index).id; }
    int IndexOfPage(int id) const override;

  protected:
    TSheet& sheet(int i) const { return *sheets_.at(static_cast<std::size_t>(i)); }
    TSheet& addSheet(std::unique_ptr<TSheet> s, std::unique_ptr<TPageText> lower);
    std::unique_ptr<TSheet> takeSheet(int index);
    void moveSheet(int from, int to);
    // Closes the upper half of a split page; the text typed there stays modified.
    void dropUpper(TSheet& s);
    void setPanel(int panel, const std::string& text) {
        if (SetStatusPanel) SetStatusPanel(panel, text);
    }

  private:
    std::vector<std::unique_ptr<TSheet>> sheets_;
    int nextId_ = 1;
    bool rowCol_ = false;
};
