// Text files in the encodings users have (Shift-JIS, UTF-8, UTF-16, EUC-JP, ISO-2022-JP) and
// their line ends, converted to the CP932 bytes of the row store and back without losing a byte.
#pragma once

#include "platform/Cp932.h"
#include "text/CharTable.h"
#include "text/StoreCodec.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Names as the status bar, the menus and the settings show them: "Shift-JIS", "UTF-8",
// "UTF-8 BOM", "UTF-16LE", "UTF-16BE", "EUC-JP", "ISO-2022-JP"; "CRLF", "LF", "CR".
std::string EncodingName(TEncoding e, bool bom = false);
std::string LineEndName(TLineEndStyle l);
// Back from the names above (letter case and "-" ignored); false for an unknown name.
bool ParseEncodingName(std::string_view name, TEncoding* e, bool* bom);
bool ParseLineEndName(std::string_view name, TLineEndStyle* l);
// The same into a format: a known name sets its part (encoding and BOM, or the line ends) and
// leaves the rest; an unknown one changes nothing and gives false.
bool SetEncodingByName(std::string_view name, TFileFormat& f);
bool SetLineEndByName(std::string_view name, TFileFormat& f);
// Every encoding a user can choose, in menu order, with the BOM variant of UTF-8 after it.
const std::vector<TFileFormat>& ChoosableEncodings();
// True when the encoding needs the document's character table (everything but Shift-JIS).
inline bool UsesCharTable(TEncoding e) {
    return e != TEncoding::ShiftJis;
}

// What detection found out about a file's bytes.
struct TDetection {
    TEncoding encoding = TEncoding::ShiftJis;
    bool bom = false;
    bool decided = true; // false: pure ASCII (the new-document encoding applies)
    bool binary = false; // NUL bytes in the first block of a file that is not UTF-16
};
// A byte-order mark decides; otherwise valid UTF-8 with a multi-byte character is UTF-8, escape
// sequences of JIS make ISO-2022-JP, and Shift-JIS and EUC-JP are told apart by how valid and how
// Japanese the bytes are. Reads the first megabyte from the first byte that is not ASCII; a file
// that is ASCII throughout is looked through whole for the escapes of JIS.
TDetection DetectEncoding(std::string_view bytes);

struct TLineEndCounts {
    std::size_t crlf = 0, lf = 0, cr = 0;
    bool Mixed() const { return (crlf != 0) + (lf != 0) + (cr != 0) > 1; }
    bool None() const { return crlf + lf + cr == 0; }
    // The most frequent style (CR LF before LF before CR on a tie); fallback when there is none.
    TLineEndStyle Main(TLineEndStyle fallback) const;
};
TLineEndCounts CountLineEnds(std::string_view text);

// A file read into the row store's bytes.
struct TDecodedDocument {
    std::string text;                  // CP932, line ends as the file has them
    TFileFormat format;                // what saving writes
    std::shared_ptr<TCharTable> table; // the document's extra characters; null for Shift-JIS
    TLineEndCounts lineEnds;
    // Not empty: the document cannot be kept exactly (the table is full, or the file cannot be
    // written back as it was read); it opens read-only and this says why.
    std::string readOnlyReason;
    // The file uses codes beyond its encoding's strict form (see TDecodeOutcome::extended):
    // characters typed later may use them too.
    bool extendedCodes = false;
};

// Reads a file's bytes as the given encoding (a byte-order mark of that encoding is skipped and
// kept in the format). A 0x1A with only line ends after it ends the text. Line ends that are not
// found keep newLineEnd. Large files are decoded on every core.
TDecodedDocument DecodeDocument(std::string_view bytes, TEncoding encoding,
                                TLineEndStyle newLineEnd = TLineEndStyle::CrLf);
// Why a decoded document opens read-only (empty when it does not).
std::string ReadOnlyReason(const TDecodeOutcome& o, TEncoding encoding);
// The same taking the bytes: a Shift-JIS file becomes the text without a copy.
TDecodedDocument DecodeFileBytes(std::string&& bytes, TEncoding encoding,
                                 TLineEndStyle newLineEnd = TLineEndStyle::CrLf);

// What could not be written.
struct TEncodeReport {
    std::size_t lost = 0; // characters the encoding cannot hold (written as "?")
    bool ok() const { return lost == 0; }
};
// Writes the row store's text (CP932, CR LF line ends) in the format. table may be null (plain
// CP932: the user-defined area means its private-use characters). TStoreEncoder does the same
// block by block.
std::string EncodeDocument(std::string_view cp932CrLf, const TFileFormat& format,
                           const TCharTable* table, TEncodeReport* report = nullptr);
// The same taking the text: Shift-JIS with CR LF is the text itself, without a copy.
std::string EncodeStoreText(std::string&& cp932CrLf, const TFileFormat& format,
                            const TCharTable* table, TEncodeReport* report = nullptr);

// The text of the row store as Unicode, with the document's table (null: plain CP932).
std::u16string DocumentToUtf16(std::string_view cp932, const TCharTable* table);
std::string DocumentToUtf8(std::string_view cp932, const TCharTable* table);
// Typed, pasted or handed-in text to the row store's bytes. With a table (a document that is not
// Shift-JIS), a character whose CP932 form is not exactly itself gets a table code, so that it is
// written back as typed; without one, the JIS-variant forms map to their CP932 codes. What cannot
// be held becomes "?" and is counted in report->failures.
std::string Utf16ToDocument(std::u16string_view text, TCharTable* table,
                            Cp932Report* report = nullptr);
std::string Utf8ToDocument(std::string_view utf8, TCharTable* table, Cp932Report* report = nullptr);
// The same without giving new codes (search patterns): a character without a code is looked
// for in its CP932 form.
std::string Utf8ToDocumentLookup(std::string_view utf8, const TCharTable* table,
                                 Cp932Report* report = nullptr);
// True when a Shift-JIS page cannot hold every character of the text (it would become "?").
bool NeedsMoreThanCp932(std::u16string_view text);
