// Cutting a loaded text into screen rows on every core: the text is split after line ends into
// parts, each part's line ends are found and its lines wrapped on its own thread, and the rows of
// the parts are joined in order, the same rows one pass over the whole text makes.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "text/LineBreaking.h"
#include "text/RowTable.h"

// The text cannot be held: more rows than the row index counts, or the memory ran short.
class ETextTooLarge : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The rows of p[0..n) in blocks of at most TRowTable::BlockRows rows. CR, LF and CR LF end
// lines; with word wrap each line is wrapped by ws, without it a line longer than
// ws.MaxRowBytes continues on the next row. The last row is reTextEnd when no line end follows
// it. With ws.LineEnd set, a line whose end is not that one keeps its own (TRowRec::Eol). `threads`
// 0 uses every core; the text is cut in parts of about partBytes (a few per thread). Throws
// ETextTooLarge and leaves nothing behind.
std::vector<TRowBlock> CutRows(const char* p, size_t n, const TWrapSettings& ws, int threads = 0,
                               size_t partBytes = size_t{1} << 20);

// What ReadAndCutRows made of a file.
struct TReadCut {
    std::vector<TRowBlock> Blocks;
    size_t TextLength = 0; // the file's bytes before an end-of-file mark (EndOfFileMark.h)
    int Error = 0;         // errno of a failed read, 0 when the file was shorter than its size
};

// The rows of a file of `size` bytes (fd open for reading), read into buf: the threads read the
// file in pieces of partBytes (pread) and cut the lines of each piece as soon as they are there,
// so that the copying runs beside the cut on the same cores. The rows end at the end-of-file
// mark. False when the file did not give its `size` bytes (an error, or it is shorter now): the
// rows are dropped. Throws ETextTooLarge as CutRows does.
bool ReadAndCutRows(int fd, char* buf, size_t size, const TWrapSettings& ws, int threads,
                    TReadCut* out, size_t partBytes = size_t{1} << 20);

// The lines of a table's rows (its snapshot's blocks) cut into rows again on every core: wrapped
// with ws, or one row per line without wrap. A row's marks go to the new row of the same rank in
// its line (the last one when the line has fewer rows now); the last row ends with lastEnd
// (reTextEnd for reWrapped without wrap). Rows point into the old texts where a line's rows lay
// one after the other; other lines are copied into chunks added to *chunks (chunk, bytes), which
// the table must take with the rows. Setting *cancel (when given) from another thread stops the
// work soon; the rows returned then are incomplete.
std::vector<TRowBlock> RewrapRows(const std::vector<std::shared_ptr<const TPackedRows>>& blocks,
                                  bool wrap, const TWrapSettings& ws, TRowEnd lastEnd, int threads,
                                  std::vector<std::pair<std::shared_ptr<char[]>, size_t>>* chunks,
                                  std::atomic<bool>* cancel = nullptr);
