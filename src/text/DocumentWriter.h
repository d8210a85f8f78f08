// A row store's text written in its file's format block by block: the rows' bytes with each
// line's end are gathered a block at a time and encoded, so that writing a text of any size needs
// only a few blocks of memory beside it.
#pragma once

#include "platform/FileReplace.h"
#include "text/DocumentCodec.h"
#include "text/RowTable.h"

#include <cstddef>

// Writes the text (the row store's CP932 rows) in format through write. A line ends in the
// format's line end, or, with ownLineEnds, in the row's own one where it has one (TRowRec::Eol).
// False when write fails, or when the encoding cannot hold every character: report->lost then
// counts them all, and nothing is written from the block that held the first one on.
bool WriteDocumentBlocks(const TRowTableSnapshot& text, const TFileFormat& format,
                         const TCharTable* table, bool ownLineEnds, const TWriteBytes& write,
                         TEncodeReport* report = nullptr,
                         std::size_t blockBytes = std::size_t{1} << 20);

// The line end bytes of a format's line-end style (TLineEndBytes).
inline uint8_t LineEndBytesOf(TLineEndStyle l) {
    return l == TLineEndStyle::Lf ? leLf : l == TLineEndStyle::Cr ? leCr : leCrLf;
}
