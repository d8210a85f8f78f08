// The layout pass: lays the lines out on pages and keeps, per page, only where it starts (its
// first line and row), so that a page is drawn again when it is printed or shown instead of
// every page's drawing being held at once. Drawing a page gives a list of items for the printer
// layer to paint.
#pragma once

#include "print/HeaderText.h"
#include "print/PageGeometry.h"
#include "print/PrintWrap.h"
#include "print/StringsPrinter.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TCharTable;

// The lines to print (the row store's CP932 bytes), one entry per logical line.
class TPrintLines {
  public:
    virtual ~TPrintLines() = default;
    virtual std::size_t Count() const = 0;
    // Line i; the view may point into buf.
    virtual std::string_view Line(std::size_t i, std::string& buf) const = 0;
    // The document's table of characters beyond CP932 (null: plain CP932).
    virtual const TCharTable* Table() const { return nullptr; }
};

// Lines held in a vector of strings.
class TVectorPrintLines : public TPrintLines {
  public:
    explicit TVectorPrintLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    std::size_t Count() const override { return lines_.size(); }
    std::string_view Line(std::size_t i, std::string&) const override { return lines_[i]; }

  private:
    std::vector<std::string> lines_;
};

// Lines of one text held whole (CR LF, CR or LF end a line; a last line end adds no empty line).
class TTextPrintLines : public TPrintLines {
  public:
    explicit TTextPrintLines(std::string text, std::shared_ptr<const TCharTable> table = nullptr);
    std::size_t Count() const override { return starts_.size(); }
    std::string_view Line(std::size_t i, std::string&) const override;
    const TCharTable* Table() const override { return table_.get(); }

  private:
    std::string text_;
    std::shared_ptr<const TCharTable> table_;
    std::vector<std::uint64_t> starts_, ends_;
};

// One thing to paint on a page, in printable-area pixels.
struct TPrintItem {
    enum TKind { ikHeader, ikFooter, ikLineNumber, ikRow } Kind = ikRow;
    enum TAlign { alLeft, alCenter, alRight } Align = alLeft;
    TPrintRect Rect;  // drawn as one line from the rectangle's top
    std::string Text; // UTF-8: rows are read through the document's table
};

// Where a laid-out page begins.
struct TPageStart {
    std::size_t Line = 0;     // source line of its first row
    std::uint32_t Row = 0;    // row of that line
    long long LineNumber = 0; // number printed beside that line
    bool Fresh = true;        // the first page: the walk starts before line 0
};

class TPrintLayout {
  public:
    enum TResult { lrDone, lrCancelled, lrNoRoom };
    // Called before each source line with its index and the progress 0..100; false cancels.
    using TProgress = std::function<bool(std::size_t line, int percent)>;

    TPrintLayout(const TStringsPrinter& p, const TPageGeometry& g, TPrintMeasurer& m,
                 const TPrintLines& lines);

    // Lays every page out. lrNoRoom (nothing laid out) when not one row fits a column.
    TResult Build(const TProgress& progress = {});

    std::size_t PageCount() const { return pages_.size(); }
    const TPageStart& Page(std::size_t k) const { return pages_[k]; }
    // The printed number of page k (0-based).
    long long PageNumber(std::size_t k) const;
    // Indices (0-based) of the pages that go to the printer, in order.
    std::vector<std::size_t> PrintedPages() const;
    // What page k holds: header, line numbers, rows, footer.
    std::vector<TPrintItem> DrawPage(std::size_t k, const THeaderClock& clock) const;

    const TPageGeometry& Geometry() const { return g_; }

  private:
    template <typename OnRow, typename OnBreak>
    TResult walk(const TPageStart& from, const TProgress* progress, OnRow onRow,
                 OnBreak onBreak) const;
    void band(std::vector<TPrintItem>& out, TPrintItem::TKind kind, TStringsPrinterHeaderAlign a,
              const std::string& tmpl, const TPrintRect& r, long long page,
              const THeaderClock& clock) const;

    TStringsPrinter p_;
    TPageGeometry g_;
    TPrintMeasurer& m_;
    const TPrintLines& lines_;
    std::vector<TPageStart> pages_;
};
