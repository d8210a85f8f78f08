// A page's text in the core of its editing control, without the window: reading the page's file
// into it (whole, or its first screen at once and the rest in the background), the file side that
// follows, the load's progress text, the caret for the status bar, and clearing the text.
#pragma once

#include "mainwindow/DocumentEncoding.h"
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
bool LoadPageFile(TEditorCore& c, TPageDocument& doc, const std::string& path,
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

// "読み込み中… NN%" while the file is still being read, else empty.
std::string LoadProgressText(const TEditorCore& c);
TPageCaretInfo CaretInfoOf(const TEditorCore& c);
// Empties the text as one undo step.
void ClearPageText(TEditorCore& c);
// Rows clamped into the text.
void SetCaretRowClamped(TEditorCore& c, int row);
void SetTopRowClamped(TEditorCore& c, int row);
