// How a page's file is read and written in its own encoding and line ends: detection, the
// questions on the way (binary file, mixed line ends, characters Shift-JIS cannot hold), the
// format of new pages and the encodings the user chose for single files.
#pragma once

#include "mainwindow/pages/Recovery.h"
#include "platform/MessageBox.h"
#include "setup/Options.h" // the settings keys of the new-page format
#include "text/BackgroundLoad.h"
#include "text/DocumentCodec.h"
#include "text/DocumentWriter.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The file side of one page (shared by the two controls of a split page).
struct TPageDocument {
    TFileFormat format;
    std::shared_ptr<TCharTable> table; // also set on the page's row store
    TLineEndCounts lineEnds;           // as read
    // Each line keeps the end it was read with (lines typed take the format's); false once the
    // user chose the line ends for the whole page.
    bool ownLineEnds = true;
    // The end-of-file mark and the line ends after it that the file had and a save leaves out;
    // the user is told once, before the first save.
    std::size_t droppedTail = 0;
    bool droppedTailTold = false;
    std::string readOnlyReason; // why the page opened read-only; empty when it did not
    // "UTF-8 / LF" as the status bar shows it.
    std::string StatusText() const;
};

// The format new pages are written in (the options keep it, Shift-JIS with CR LF by default).
TFileFormat NewPageFormat();
void SetNewPageFormat(const TFileFormat& f);

// Reads and decodes a file for a page. chosen (may be null) is the encoding the user chose for
// it; otherwise it is detected. A file with NUL bytes (not UTF-16) is opened only when the user
// says so (asker asks). False with *error when it cannot be read; false with an empty *error when
// the user declined. *dropped (may be null): the bytes of an end-of-file mark and the line ends
// after it, which the text leaves out (0 when there is none, or the file is binary and keeps them).
bool ReadPageDocument(TAsker& asker, const std::string& path, const TEncoding* chosen,
                      TDecodedDocument* doc, std::string* error, std::size_t* dropped = nullptr);

// Files from this size on open with their first screen first, the rest read in the background.
inline constexpr int64_t kBackgroundLoadBytes = int64_t{64} << 20;
// Opens a large file for a background load: its head is read and tells the encoding; *format is
// how the page is written (its line ends follow when the load has ended). Null when the file takes
// the whole-file path (ReadPageDocument): smaller, not a regular file, a head of plain ASCII, too
// large for the memory, or unreadable (ReadPageDocument then says why). *declined when the user
// declined to open a binary file.
//
// A Shift-JIS file's bytes are the text; another encoding is decoded piece by piece as it is
// read, and the page's character table gives codes as the pieces are taken, on the page's own
// thread. Whether such a file can be written back as it was is known when the load has ended: it
// then turns read-only if it cannot.
std::unique_ptr<TBackgroundLoad> OpenPageInBackground(TAsker& asker, const std::string& path,
                                                      const TEncoding* chosen, TFileFormat* format,
                                                      bool* declined);

// Writes the row store's text in the page's format block by block, every line with its own end
// (see WriteDocumentBlocks). False with *error when the format cannot hold every character
// (nothing from the block that held the first one on is written) or a write failed.
bool WritePageDocument(const TRowTableSnapshot& text, const TPageDocument& d,
                       const TWriteBytes& write, std::string* error);
// Before a save: tells once what the save leaves out that the file had (its end-of-file mark).
void TellWhatSaveLeavesOut(TAsker& asker, TPageDocument& d);

// A Shift-JIS, EUC-JP or ISO-2022-JP page that receives characters its encoding cannot hold
// becomes a UTF-8 page: its table takes the text's user-defined characters as they are. The
// question comes first; false for No.
bool AskKeepAsUnicode(TAsker& asker, TPageDocument& d, std::string_view storeText);
// Text about to enter a page (typed, pasted, from the input method): when the page's encoding
// cannot hold one of its characters, the question above comes at once, never a refused save
// later. No turns those characters into "?": returns how many. *switched: the page became UTF-8.
// storeText gives the page's text, needed only when the page switches.
std::size_t TakeEnteringText(TAsker& asker, TPageDocument& d,
                             const std::function<std::string()>& storeText, std::u16string& text,
                             bool* switched);
// Gives a page a table for its new encoding (when it needs one and has none).
void EnsureTableFor(TPageDocument& d, std::string_view storeText);

// The encodings the user chose for single files ("開き直す"), kept in a file of the data folder
// so that a file reopens in its encoding after a restart.
class TEncodingChoices {
  public:
    // The list file: one "encoding name<TAB>path" per line (UTF-8, LF).
    void Load(const std::string& file);
    bool Save() const;
    bool Find(const std::string& path, TEncoding* e) const;
    void Set(const std::string& path, TEncoding e);
    void Forget(const std::string& path);

  private:
    std::string file_;
    std::map<std::string, TEncoding> byPath_;
};
// The choices of the running program (loaded by the main window).
TEncodingChoices& EncodingChoices();
inline constexpr const char* kEncodingChoicesFileName = "Tolmo.enc";

// A page's format and table in its recovery record, and back: a recovered page is written as the
// page was, and its table codes stand for the same characters. False when the record's table is
// damaged (its codes then read as plain CP932).
void DescribeForRecovery(const TPageDocument& d, TRecoveryRecord& r);
bool RestoreFromRecovery(const TRecoveryRecord& r, TPageDocument& d);
// The first line of a recovered text that differs from its file on disk (UTF-8), both read as
// their characters.
std::string RecoveryOfferLine(const TRecoveryRecord& r, std::string_view disk, bool haveDisk);

// A format chosen for the next save: false when the page has it already; otherwise the page
// takes it, and when its line end is new, every line takes that one.
bool SetPageFormat(TPageDocument& d, const TFileFormat& f);
// The encoding menu as it opens: reopening needs a page with a file, a new format for the save a
// writable page; the names of the page's encoding and line ends are checked.
struct TEncodingMenuState {
    bool Reopen = false, Format = false;
    std::string Encoding, LineEnd;
};
TEncodingMenuState EncodingMenuState(const TPageDocument& d, bool named, bool readOnly);
// The encodings a file can be reopened in (a UTF-8 byte-order mark is read, never chosen).
std::vector<TEncoding> ReopenEncodings();
// The names the format menus and the save dialog offer: the encodings (with and without a BOM)
// or the line ends; and a chosen name put into a format (false for a name of neither kind).
std::vector<std::string> FormatChoiceNames(bool encodings);
bool ApplyFormatChoice(const std::string& name, TFileFormat& f);
// Keeps the encoding chosen for a file (null: detect it again) in the list of choices.
void RememberEncodingChoice(const std::string& path, const TEncoding* e);
