// The logic of the main window's Find, Find next/previous and Replace commands, free of any
// window: the shared search state, the messages, the replace loop with its questions, and where
// the question box goes. The main window supplies the editor and the boxes (TReplaceTarget).
#pragma once

#include "platform/MessageBox.h"
#include "search/Matcher.h"

#include <cstddef>
#include <functional>

class TCharTable;
#include <string>
#include <string_view>

// The last search of a main window, shared by all its pages. Texts are UTF-8 as typed.
struct TSearchCommandState {
    std::string Text;
    std::string Replacement;
    TSearchOptions Options = soDown;
};

// Find next (forward) or previous: false when no search text is stored; otherwise sets or
// clears soDown in the state.
bool PrepareFindNext(TSearchCommandState& state, bool forward);

// "検索文字列  ' " + text + " '" + "\r\n" + "は見つかりませんでした。"
std::string SearchNotFoundMessage(std::string_view text);
// " " + text + " " + "  を" + "\r\n" + " " + replacement + " " + "  に 置き換えますか？"
std::string ReplacePromptMessage(std::string_view text, std::string_view replacement);

// The Shift-JIS bytes the editor searches for; false (and the bytes with "?" in place of the
// characters) when the text holds a character that Shift-JIS cannot hold, which no document
// can contain either.
bool SearchTextBytes(std::string_view utf8, std::string& bytes);
// The same for a document with a table of characters beyond CP932 (null: plain Shift-JIS): a
// pattern finds the table's characters; a replacement gives new characters codes.
bool SearchTextBytes(std::string_view utf8, std::string& bytes, const TCharTable* table);
std::string ReplacementBytes(std::string_view utf8, TCharTable* table);

// The search text's bytes kept between the searches of one command (Replace all searches once
// per hit): made again only when the text or the document's table changed.
struct TSearchBytesCache {
    std::string Text;
    const TCharTable* Table = nullptr;
    std::size_t TableSize = 0;
    std::string Bytes;
    bool Ok = false;
    bool Made = false;
};

// Find: runs the editor's search (given the Shift-JIS pattern and the options) with the stored
// text; when nothing is found (or the text cannot occur in a Shift-JIS document) shows
// SearchNotFoundMessage in asker's information box captioned with the main window's title and
// returns false.
bool RunFind(TAsker& asker, const TSearchCommandState& state, std::string_view caption,
             const std::function<bool(const std::string& pattern, TSearchOptions options)>& search,
             const TCharTable* table = nullptr, TSearchBytesCache* cache = nullptr);

enum class TReplaceAnswer { Yes, No, Cancel, All };

// What the replace loop drives: the active page's editor and the boxes around it.
class TReplaceTarget {
  public:
    virtual ~TReplaceTarget() = default;
    // Find: the editor's Search with the stored text and options; shows the not-found message
    // and returns false when nothing is found.
    virtual bool Find(const TSearchCommandState& state) = 0;
    // The question box placed next to the hit (see ConfirmBoxPos).
    virtual TReplaceAnswer Confirm(const std::string& prompt) = 0;
    // Whether the editor shows hits with its caret (hsCaret); switched to hsDraw and back.
    virtual bool HitStyleIsCaret() const = 0;
    virtual void SetHitStyleCaret(bool caret) = 0;

    // Editor primitives used to replace the displayed hit (byte positions in the text).
    virtual std::ptrdiff_t SelStart() const = 0;  // selection start, or caret (a hit's start)
    virtual std::ptrdiff_t SelLength() const = 0; // bytes selected, 0 when none
    virtual std::ptrdiff_t HitLength() const = 0; // HitSelLength of a displayed hit, 0 when none
    virtual void SetSelStart(std::ptrdiff_t pos) = 0;            // removes any selection or hit
    virtual void SetSelLength(std::ptrdiff_t len) = 0;           // selects from the caret
    virtual void SetSelText(const std::string& replacement) = 0; // one undo step
    // The displayed hit becomes a selection of the same range.
    virtual void SelectHit() {
        const std::ptrdiff_t start = SelStart(), hit = HitLength();
        SetSelStart(start);
        SetSelLength(hit);
    }
    // The document's table of characters beyond CP932; null for plain Shift-JIS.
    virtual TCharTable* CharTable() const { return nullptr; }
};

// Replaces the displayed hit (or selection) by the replacement: a hit becomes a real selection
// of the same range first; searching backward, the caret goes back to the start of the inserted
// text so that the next backward search does not find it again.
void ReplaceHit(TReplaceTarget& target, const std::string& replacement, bool backward);

struct TReplaceResult {
    int Replaced = 0;
    bool Cancelled = false;
};

// The Replace command after the dialog: find, ask (with soReplaceConfirm), replace; repeat while
// soReplaceAll is set. All replaces, sets soReplaceAll and clears soReplaceConfirm. The state's
// options are updated as the loop changes them.
TReplaceResult RunReplace(TReplaceTarget& target, TSearchCommandState& state);

struct TScreenPoint {
    int X = 0, Y = 0;
    bool operator==(const TScreenPoint&) const = default;
};
struct TScreenRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Top-left corner of the question box: one row height plus its own height above the caret's
// screen position (below the caret row when that would leave the screen at the top), 2 pixels
// right of the caret, moved left to stay 4 pixels inside the screen's right edge (and never off
// its left edge).
TScreenPoint ConfirmBoxPos(TScreenPoint caret, int rowHeight, int boxWidth, int boxHeight,
                           const TScreenRect& screen);
