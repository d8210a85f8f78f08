// Block-wise writing of a row store's text in a file format.
#include "text/DocumentWriter.h"

#include "platform/Cp932.h"

#include <string>

namespace {

// Where a long row may be cut: after whole characters, at least `want` bytes in; with beforeAscii
// only where an ASCII character follows (the encoder is back in its first state there).
std::size_t characterCut(std::string_view s, std::size_t want, bool beforeAscii) {
    std::size_t i = 0;
    while (i < s.size() && (i < want || (beforeAscii && static_cast<unsigned char>(s[i]) >= 0x80)))
        i += IsDBCSLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
    return i;
}

// True when the row's last character is ASCII.
bool endsInAscii(std::string_view s) {
    bool ascii = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        ascii = static_cast<unsigned char>(s[i]) < 0x80;
        if (IsDBCSLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ++i;
    }
    return ascii;
}

} // namespace

bool WriteDocumentBlocks(const TRowTableSnapshot& text, const TFileFormat& format,
                         const TCharTable* table, bool ownLineEnds, const TWriteBytes& write,
                         TEncodeReport* report, std::size_t blockBytes) {
    // Shift-JIS without extra characters is the rows' bytes themselves.
    const bool raw = format.encoding == TEncoding::ShiftJis && (!table || table->Empty());
    // The line ends are put in by the gathering, so the encoder leaves them as they are.
    TFileFormat blockFormat = format;
    blockFormat.lineEnd = TLineEndStyle::CrLf;
    const std::string_view usual = LineEndBytes(LineEndBytesOf(format.lineEnd));
    TEncodeReport total;
    bool writeFailed = false;
    bool first = true;
    std::string buf;
    buf.reserve(blockBytes + blockBytes / 8);
    auto flush = [&]() -> bool {
        if (buf.empty() && !(first && format.bom)) return true;
        if (raw) {
            writeFailed = !write(buf);
        } else {
            TEncodeReport r;
            const std::string out = EncodeDocument(buf, blockFormat, table, &r);
            blockFormat.bom = false;
            total.lost += r.lost;
            if (total.ok()) writeFailed = !write(out); // after a loss the rest is only counted
        }
        first = false;
        buf.clear();
        return !writeFailed;
    };
    auto finish = [&](bool ok) {
        if (report) *report = total;
        return ok && total.ok();
    };
    // ISO-2022-JP carries a state from character to character: a block ends only where the
    // whole text's encoding would be back in ASCII, so the blocks give the same bytes.
    const bool stateful = !raw && format.encoding == TEncoding::Iso2022Jp;
    for (const auto& blk : text.Blocks) {
        for (std::size_t i = 0, n = blk->size(); i < n; ++i) {
            std::string_view row = blk->Text(i);
            while (row.size() > blockBytes) { // a long row goes in pieces
                const std::size_t cut = raw ? blockBytes : characterCut(row, blockBytes, stateful);
                if (cut >= row.size()) break;
                buf.append(row.substr(0, cut));
                row.remove_prefix(cut);
                if (!flush()) return finish(false);
            }
            buf.append(row);
            const bool lineEnd = blk->RowEnd(i) == reLineEnd;
            if (lineEnd) {
                const uint8_t own = ownLineEnds ? blk->Eol(i) : uint8_t{leUsual};
                buf.append(own ? LineEndBytes(own) : usual);
            }
            if (buf.size() >= blockBytes && (!stateful || lineEnd || endsInAscii(row)) && !flush())
                return finish(false);
        }
    }
    return finish(flush());
}
