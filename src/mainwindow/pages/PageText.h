// A page's text in the core of its editing control, without the window: reading the page's file
// into it (whole, or its first screen at once and the rest in the background), the file side that
// follows, the load's progress text, the caret for the status bar, and clearing the text.
#pragma once

#include "editor/PagePropSets.h"
#include "mainwindow/pages/DocumentEncoding.h"
#include "mainwindow/MainMenu.h"

#include <functional>
#include <memory>
#include <string>

class TEditorCore;

// Reads a page's file: a large Shift-JIS file goes to begin (its first screen at once, the rest
// in the background), any other is decoded whole and handed to take. The page's file side
// follows; a file that cannot be kept exactly opens read-only (after telling the user why). False
// with *error when it cannot be read or the user declined: the page then keeps its text.
using TTakeText = std::function<void(std::string&&)>;
using TBeginLoad = std::function<void(std::unique_ptr<TBackgroundLoad>, const TFileFormat&)>;
bool LoadPageFile(TAsker& asker, TEditorCore& c, TPageDocument& doc, const std::string& path,
                  const TEncoding* chosen, const TTakeText& take, const TBeginLoad& begin,
                  std::string* error);
// The file side before a background load starts (the control's table goes with it); true when
// the page was read-only for its file's sake before and may be written again.
bool BeginBackgroundDocument(TEditorCore& c, TPageDocument& doc, const TFileFormat& format);
// The background load has ended (error: the file could not be read whole): the line ends are
// known now, and a file read only in part makes the page read-only, so that it is never written
// over the file. True when the page must become read-only.
bool EndBackgroundDocument(TPageDocument& doc, const TLineEndCounts& counts,
                           const std::string& error);
// What the user is told of such a load: empty when it read the whole file.
std::string LoadEndMessage(const std::string& path, const std::string& error);

// "読み込み中… NN%" while the file is still being read, else empty.
std::string LoadProgressText(const TEditorCore& c);
TPageCaretInfo CaretInfoOf(const TEditorCore& c);
// Empties the text as one undo step.
void ClearPageText(TEditorCore& c);
// Puts text (CP932) in place of the whole text as one undo step.
void ReplacePageText(TEditorCore& c, const std::string& text);
// The text's table codes given their codes in into (which gains the characters it lacks), so
// that a text made with from can stand beside one made with into; false when into is full.
bool MoveTableCodes(std::string& cp932, const TCharTable& from, TCharTable& into);
// Rows clamped into the text.
void SetCaretRowClamped(TEditorCore& c, int row);
void SetTopRowClamped(TEditorCore& c, int row);

// A page's control as the pages see it, without its widget: the text's file side, reading and
// writing the page's file, the modified and read-only states, the caret rows and the property
// set of the file's extension. The widget gives the core and takes a text or a background load.
class TPageText {
  public:
    TPageText(const TPagePropSets& sets, std::shared_ptr<TPageDocument> doc)
        : sets_(sets), doc_(std::move(doc)) {}
    virtual ~TPageText() = default;

    // Reads the file into the row store; the control is not modified afterwards. On failure the
    // text stays as it was and *error says why.
    bool LoadFromFile(const std::string& path, std::string* error);
    // Reads the file again as one undo step (Ctrl+Z brings the text it replaced back); false
    // with *error (text unchanged) on failure. A read-only page, or one whose table cannot hold
    // both texts, is read as LoadFromFile does.
    bool Reread(const std::string& path, std::string* error);
    // Reads the file again in the given encoding; false with *error (text unchanged) on failure.
    bool ReloadAs(const std::string& path, TEncoding e, std::string* error);
    // The bytes written to the page's file, in its encoding and line ends. False with *error
    // when the format cannot hold every character (nothing is written then).
    bool FileBytes(std::string* bytes, std::string* error);
    // Writes them to the file at path, block by block (see SaveDocumentFile); false with *error,
    // the file then as it was.
    bool SaveToFile(const std::string& path, std::string* error);
    TPageDocument* Document() { return doc_.get(); }
    // The page's format changed (Save As, the menu): the character table follows it.
    virtual void FormatChanged();
    // A large file goes on loading after it was shown: waits for the whole text (false when the
    // page was closed meanwhile: the caller must not touch it).
    virtual bool WaitForWholeText() { return true; }
    void ClearText();
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
    // A second control on this one's text (the split view) takes its properties.
    void ShareLookWith(TEditorCore& partner) const;
    // A page's state for its recovery file (false while it is still loading, unless wait), and a
    // recovered state put back.
    bool CaptureForRecovery(bool wait, TRecoveryRecord& meta, TRowTableSnapshot& text) const;
    void RestoreFromRecovery(const TRecoveryRecord& r);

  protected:
    virtual TEditorCore& core() const = 0;
    // Who the page's questions and notices go to.
    virtual TAsker& asker() const = 0;
    virtual void takeText(std::string&& text) = 0;
    virtual void beginBackground(const std::string& path, std::unique_ptr<TBackgroundLoad> load,
                                 const TFileFormat& format) = 0;
    bool loadFile(const std::string& path, const TEncoding* chosen, std::string* error);

    const TPagePropSets& sets_;
    std::shared_ptr<TPageDocument> doc_; // shared with the partner of a split page
};
