// The layout pass and the drawing of one page.
#include "print/PageLayout.h"

#include "text/DocumentCodec.h"

#include <cmath>

TTextPrintLines::TTextPrintLines(std::string text, std::shared_ptr<const TCharTable> table)
    : text_(std::move(text)), table_(std::move(table)) {
    const std::size_t n = text_.size();
    std::size_t start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text_[i];
        if (c != '\r' && c != '\n') continue;
        starts_.push_back(start);
        ends_.push_back(i);
        if (c == '\r' && i + 1 < n && text_[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n || starts_.empty()) {
        starts_.push_back(start);
        ends_.push_back(n);
    }
}

std::string_view TTextPrintLines::Line(std::size_t i, std::string&) const {
    return std::string_view(text_).substr(starts_[i], ends_[i] - starts_[i]);
}

TPrintLayout::TPrintLayout(const TStringsPrinter& p, const TPageGeometry& g, TPrintMeasurer& m,
                           const TPrintLines& lines)
    : p_(p), g_(g), m_(m), lines_(lines) {}

long long TPrintLayout::PageNumber(std::size_t k) const {
    return static_cast<long long>(k) + p_.FirstLaidOutPageNumber();
}

std::vector<std::size_t> TPrintLayout::PrintedPages() const {
    std::vector<std::size_t> out;
    for (std::size_t k = 0; k < pages_.size(); ++k)
        if (p_.PageIsPrinted(static_cast<int>(std::min<std::size_t>(k + 1, 2000000000))))
            out.push_back(k);
    return out;
}

// Walks the rows from a page start. onRow(column, y, lineNumber, row text) places a row;
// onBreak(start of the next page) is told of every page end and returns false to stop there.
template <typename OnRow, typename OnBreak>
TPrintLayout::TResult TPrintLayout::walk(const TPageStart& from, const TProgress* progress,
                                         OnRow onRow, OnBreak onBreak) const {
    const std::size_t count = lines_.Count();
    const int columns = p_.ColumnCount();
    int y = g_.Header.Bottom;
    int column = 0;
    long long number = from.LineNumber;
    std::string buf;
    std::vector<std::size_t> ends;
    bool resume = !from.Fresh;
    for (std::size_t i = from.Line; i < count; ++i) {
        if (progress && *progress) {
            const int percent =
                count <= 1
                    ? 100
                    : static_cast<int>(std::lround(static_cast<double>(i) / (count - 1) * 100));
            if (!(*progress)(i, percent)) return lrCancelled;
        }
        if (!resume) {
            if (!p_.LineIsPrinted(static_cast<long long>(i)))
                continue; // skipped lines take no number
            ++number;
        }
        const std::string_view text = lines_.Line(i, buf);
        WrapLine(text, g_.WrapWidth, m_, g_.TabStop, true, ends);
        std::size_t r = resume ? from.Row : 0;
        resume = false;
        for (; r < ends.size(); ++r) {
            if (y + g_.RowPitch > g_.Footer.Top) {
                if (column + 1 < columns) {
                    ++column;
                } else {
                    if (!onBreak(TPageStart{i, static_cast<std::uint32_t>(r), number, false}))
                        return lrDone;
                    column = 0;
                }
                y = g_.Header.Bottom;
            }
            const std::size_t start = r == 0 ? 0 : ends[r - 1];
            onRow(column, y, number, text.substr(start, ends[r] - start));
            y += g_.RowPitch;
        }
    }
    return lrDone;
}

TPrintLayout::TResult TPrintLayout::Build(const TProgress& progress) {
    pages_.clear();
    if (!g_.Fits()) return lrNoRoom;
    TPageStart first;
    first.LineNumber = static_cast<long long>(p_.FirstLineNumber()) - 1;
    pages_.push_back(first);
    const TResult r = walk(
        first, &progress, [](int, int, long long, std::string_view) {},
        [this](const TPageStart& next) {
            pages_.push_back(next);
            return true;
        });
    if (r != lrDone) pages_.clear();
    return r;
}

void TPrintLayout::band(std::vector<TPrintItem>& out, TPrintItem::TKind kind,
                        TStringsPrinterHeaderAlign a, const std::string& tmpl, const TPrintRect& r,
                        long long page, const THeaderClock& clock) const {
    if (a == haNone || tmpl.empty()) return;
    TPrintItem item;
    item.Kind = kind;
    item.Align = a == haLeft     ? TPrintItem::alLeft
                 : a == haCenter ? TPrintItem::alCenter
                                 : TPrintItem::alRight;
    item.Rect = r;
    item.Text = ExpandHeaderText(tmpl, page, p_.FileName(), clock);
    out.push_back(std::move(item));
}

std::vector<TPrintItem> TPrintLayout::DrawPage(std::size_t k, const THeaderClock& clock) const {
    std::vector<TPrintItem> out;
    if (k >= pages_.size()) return out;
    const long long page = PageNumber(k);
    band(out, TPrintItem::ikHeader, p_.HeaderAlign(), p_.Header(), g_.Header, page, clock);
    walk(
        pages_[k], nullptr,
        [&](int column, int y, long long number, std::string_view row) {
            const int dx = column * g_.ColumnStep;
            if (p_.LineNumber()) {
                TPrintItem n;
                n.Kind = TPrintItem::ikLineNumber;
                n.Align = TPrintItem::alRight;
                n.Rect = {g_.Gutter.Left + dx, y, g_.Gutter.Right + dx, g_.Footer.Top};
                n.Text = std::to_string(number) + ":";
                out.push_back(std::move(n));
            }
            TPrintItem t;
            t.Kind = TPrintItem::ikRow;
            t.Rect = {g_.Text.Left + dx, y, g_.Text.Right + dx, g_.Footer.Top};
            // The row as the document's characters: its table codes print as themselves.
            t.Text = DocumentToUtf8(row, lines_.Table());
            out.push_back(std::move(t));
        },
        [](const TPageStart&) { return false; });
    band(out, TPrintItem::ikFooter, p_.FooterAlign(), p_.Footer(), g_.Footer, page, clock);
    return out;
}
