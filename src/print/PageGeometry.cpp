// Page geometry from numbers.
#include "print/PageGeometry.h"

#include <algorithm>
#include <cmath>

TPrintFontMetrics RoundFontMetrics(double ascent, double descent, double leading, double average,
                                   bool italic) {
    return {static_cast<int>(std::ceil(ascent + descent)),
            std::max(0, static_cast<int>(std::lround(leading))),
            std::max(1, static_cast<int>(std::lround(average))), italic};
}

int MmToPixels(int dpi, int mm) {
    return static_cast<int>(std::lround(dpi * static_cast<double>(mm) / 25.4));
}

int DecimalDigits(long long n) {
    int d = 1;
    for (n = n < 0 ? -n : n; n >= 10; n /= 10)
        ++d;
    return d;
}

bool TPageGeometry::Fits() const {
    return RowHeight > 0 && WrapWidth > 0 && Text.Width() > 0 &&
           Header.Bottom + RowPitch <= Footer.Top;
}

TPageGeometry ComputePageGeometry(const TStringsPrinter& p, const TPrinterPage& page,
                                  const TPrintFontMetrics& font, long long lineCount) {
    TPageGeometry g;
    const int dpi = std::max(1, page.Dpi);
    auto mm = [dpi](int v) { return MmToPixels(dpi, v); };
    g.PaperWidth = mm(page.PaperWidthMm);
    g.PaperHeight = mm(page.PaperHeightMm);
    if (page.Landscape) std::swap(g.PaperWidth, g.PaperHeight);
    const int pw = page.PageWidth, ph = page.PageHeight;

    // The printable area is taken to be centred on the paper.
    g.UnprintableLeft = std::max(0, (g.PaperWidth - pw) / 2);
    g.UnprintableTop = std::max(0, (g.PaperHeight - ph) / 2);
    g.UnprintableRight = std::max(0, g.PaperWidth - pw - g.UnprintableLeft);
    g.UnprintableBottom = std::max(0, g.PaperHeight - ph - g.UnprintableTop);

    g.Body.Left = std::max(0, mm(p.MarginLeft()) - g.UnprintableLeft);
    g.Body.Top = std::max(0, mm(p.MarginTop()) - g.UnprintableTop);
    g.Body.Right = std::min(pw, pw - mm(p.MarginRight()) + g.UnprintableRight);
    g.Body.Bottom = std::min(ph, ph - mm(p.MarginBottom()) + g.UnprintableBottom);

    const int h = font.Height + font.ExternalLeading;
    const int a = font.AveCharWidth;
    g.RowHeight = h;
    g.AveCharWidth = a;
    g.TabStop = 8 * a;

    g.Header = {g.Body.Left, g.Body.Top, g.Body.Right, g.Body.Top};
    if (p.HeaderAlign() != haNone && !p.Header().empty()) g.Header.Bottom += 3 * h / 2;
    g.Footer = {g.Body.Left, g.Body.Bottom, g.Body.Right, g.Body.Bottom};
    if (p.FooterAlign() != haNone && !p.Footer().empty()) g.Footer.Top -= 3 * h / 2;

    const int cols = p.ColumnCount();
    const int space = mm(p.ColumnSpace());
    g.GutterWidth = p.LineNumber() ? (DecimalDigits(lineCount) + 2) * a : 0;
    g.Gutter = {g.Body.Left, g.Header.Bottom, g.Body.Left + g.GutterWidth, g.Footer.Top};
    g.ColumnWidth = (g.Body.Right - g.Gutter.Right - (space + g.GutterWidth) * (cols - 1)) / cols;
    g.Text = {g.Gutter.Right, g.Header.Bottom, g.Gutter.Right + g.ColumnWidth, g.Footer.Top};
    g.ColumnStep = space + g.GutterWidth + g.ColumnWidth;
    g.RowPitch = h + mm(p.MarginLine());
    g.WrapWidth = g.Text.Width() - (font.Italic ? a : 0);
    return g;
}
