// One-pass converters between a file's bytes and the row store's CP932 bytes: ASCII runs copied in
// bulk, table lookups for the rest, large inputs cut at line ends and converted on every core.
// Both directions work block by block, so a file can be read or written piece by piece.
#pragma once

#include "platform/Cp932.h"
#include "text/CharTable.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum class TEncoding { ShiftJis, Utf8, Utf16LE, Utf16BE, EucJp, Iso2022Jp };
enum class TLineEndStyle { CrLf, Lf, Cr };

// How a document is written: its encoding, whether it starts with a byte-order mark, its line ends.
struct TFileFormat {
    TEncoding encoding = TEncoding::ShiftJis;
    bool bom = false;
    TLineEndStyle lineEnd = TLineEndStyle::CrLf;
    bool operator==(const TFileFormat&) const = default;
};

// What decoding found.
struct TDecodeOutcome {
    bool exact = true;     // the text is written back to exactly the bytes that were read
    bool full = false;     // the table ran out of codes (some characters became "？")
    bool extended = false; // the file uses codes beyond its encoding's strict form: the NEC and
                           // IBM rows of EUC-JP, the half-width kana or JIS X 0212 of ISO-2022-JP
};

// A character or invalid bytes of the text whose table code is still to be given.
struct TPendingCode {
    std::size_t pos; // of the code's two bytes in the text
    char32_t ch;     // 0: bytes
    unsigned char n; // how many bytes
    char b[3];
};
// Gives the pending codes their table codes, in order, and writes them into the text; false when
// the table ran out (those become "？").
bool GiveCodes(const std::vector<TPendingCode>& codes, TCharTable& table, char* text);

// Decodes a file (after its byte-order mark) into the row store's bytes. Characters CP932 cannot
// hold and bytes that are not valid get codes of the document's table, in the order they appear.
class TStoreDecoder {
  public:
    // threads: how many threads a large block may use (0: every core). Without a table the codes
    // are left to the caller (TakePending); the text holds a code of the table's range for each.
    TStoreDecoder(TEncoding e, TCharTable* table, int threads = 0);
    ~TStoreDecoder();
    // Decodes the next bytes and appends the text to out. A line cut by the end of in waits for
    // the next call (its bytes are kept); last ends the file.
    void Decode(std::string_view in, bool last, std::string& out);
    const TDecodeOutcome& Outcome() const { return outcome_; }
    // The codes still to be given, positions in out as the Decode calls had it.
    std::vector<TPendingCode> TakePending() { return std::move(pending_); }

  private:
    TEncoding e_;
    TCharTable* table_;
    std::vector<TPendingCode> pending_;
    int threads_;
    std::string carry_;
    TDecodeOutcome outcome_;
    int jisSet_ = 0;           // ISO-2022-JP: the set in force
    bool jisEscEmpty_ = false; // ISO-2022-JP: an escape with nothing in its set yet
};

// Encodes the row store's text (CP932, CR LF line ends) in a file's format, block by block: each
// call may end anywhere (a character or line end cut by it is finished by the next call); the
// first call writes the byte-order mark, the last one the return to ASCII of ISO-2022-JP.
class TStoreEncoder {
  public:
    // table may be null (plain CP932: the user-defined area means its private-use characters).
    TStoreEncoder(const TFileFormat& format, const TCharTable* table);
    void Encode(std::string_view cp932CrLf, bool last, std::string& out);
    // Characters the encoding cannot hold (each written as "?").
    std::size_t Lost() const { return lost_; }

  private:
    void encodeBlock(std::string_view s, std::string& out);
    TFileFormat format_;
    const TCharTable* table_;
    bool extended_;
    std::string carry_;
    bool started_ = false;
    int jisSet_ = 0;
    std::size_t lost_ = 0;
};

// True when every character of the text can be written in the encoding's strict form (extended:
// the file already uses the NEC and IBM rows, half-width kana in ISO-2022-JP, JIS X 0212).
bool FitsEncoding(std::u16string_view text, TEncoding e, bool extended);
// Replaces each character FitsEncoding refuses by "?"; returns how many it replaced.
std::size_t ReplaceUnfitting(std::u16string& text, TEncoding e, bool extended);
