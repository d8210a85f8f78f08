// Block-wise writing of a row store's text in a file format.
#include "text/DocumentWriter.h"

#include "platform/Cp932.h"

#include <algorithm>
#include <cstring>
#include <memory>
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

// Shift-JIS without extra characters: the rows' bytes themselves, copied into one buffer.
bool writeRaw(const TRowTableSnapshot& text, std::string_view usual, bool ownLineEnds,
              const TWriteBytes& write, std::size_t blockBytes) {
    blockBytes = std::max<std::size_t>(blockBytes, 2);
    const std::unique_ptr<char[]> mem(new char[blockBytes]);
    char* const start = mem.get();
    char* const end = start + blockBytes;
    char* out = start;
    auto flush = [&] {
        const bool ok =
            out == start || write(std::string_view(start, static_cast<std::size_t>(out - start)));
        out = start;
        return ok;
    };
    for (const auto& blk : text.Blocks) {
        const TPackedRows& rows = *blk;
        for (std::size_t i = 0, n = rows.Count(); i < n; ++i) {
            const std::size_t len = rows.Len(i);
            if (len > static_cast<std::size_t>(end - out)) {
                if (!flush()) return false;
                if (len > blockBytes && !write(rows.Text(i))) return false; // a long row as it is
            }
            if (len && len <= blockBytes) {
                std::memcpy(out, rows.P(i), len);
                out += len;
            }
            if (rows.RowEnd(i) != reLineEnd) continue;
            const uint8_t own = ownLineEnds ? rows.Eol(i) : uint8_t{leUsual};
            const std::string_view le = own ? LineEndBytes(own) : usual;
            if (end - out < 2 && !flush()) return false;
            std::memcpy(out, le.data(), le.size());
            out += le.size();
        }
    }
    return flush();
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
    if (raw) {
        if (report) *report = total;
        return writeRaw(text, usual, ownLineEnds, write, blockBytes);
    }
    bool writeFailed = false;
    bool first = true;
    std::string buf;
    buf.reserve(blockBytes + blockBytes / 8);
    auto flush = [&]() -> bool {
        if (buf.empty() && !(first && format.bom)) return true;
        TEncodeReport r;
        const std::string out = EncodeDocument(buf, blockFormat, table, &r);
        blockFormat.bom = false;
        total.lost += r.lost;
        if (total.ok()) writeFailed = !write(out); // after a loss the rest is only counted
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
    const bool stateful = format.encoding == TEncoding::Iso2022Jp;
    for (const auto& blk : text.Blocks) {
        for (std::size_t i = 0, n = blk->Count(); i < n; ++i) {
            std::string_view row = blk->Text(i);
            while (row.size() > blockBytes) { // a long row goes in pieces
                const std::size_t cut = characterCut(row, blockBytes, stateful);
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
