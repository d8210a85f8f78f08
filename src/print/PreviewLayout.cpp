// The preview window's page counter, zoom sizes and page rectangle.
#include "print/PreviewLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

TPreviewPage PreviewPage(int wanted, int pages) {
    TPreviewPage r;
    r.index = std::clamp(wanted, 0, std::max(0, pages - 1));
    char text[32];
    std::snprintf(text, sizeof text, "%3d / %3d", r.index + 1, pages);
    r.counter = text;
    r.back = r.index >= 1;
    r.forward = r.index < pages - 1;
    return r;
}

double PreviewPaperWidth(const TPageGeometry& g, const TPrinterPage& p) {
    return std::max(1, g.UnprintableLeft + p.PageWidth + g.UnprintableRight);
}

double PreviewPaperHeight(const TPageGeometry& g, const TPrinterPage& p) {
    return std::max(1, g.UnprintableTop + p.PageHeight + g.UnprintableBottom);
}

TPreviewSize PreviewImageSize(TPreviewZoom zoom, double ratio, const TPageGeometry& g,
                              const TPrinterPage& p, int viewWidth, int viewHeight) {
    const double pw = PreviewPaperWidth(g, p), ph = PreviewPaperHeight(g, p);
    TPreviewSize s;
    if (zoom == zmActual) {
        s.width = static_cast<int>(std::lround(ratio * pw));
        s.height = static_cast<int>(std::lround(ratio * ph));
    } else if (zoom == zmFitWidth) {
        s.width = viewWidth;
        s.height = static_cast<int>(viewWidth * ph / pw);
    } else {
        s.height = viewHeight;
        s.width = static_cast<int>(std::lround(viewHeight * pw / ph));
    }
    s.width = std::max(1, s.width);
    s.height = std::max(1, s.height);
    return s;
}

TPreviewRect PreviewPageRect(int w, int h, const TPageGeometry& g, const TPrinterPage& p) {
    const double pw = PreviewPaperWidth(g, p), ph = PreviewPaperHeight(g, p);
    return {static_cast<double>(std::lround(w * g.UnprintableLeft / pw)),
            static_cast<double>(std::lround(h * g.UnprintableTop / ph)),
            static_cast<double>(std::lround(w * (p.PageWidth + g.UnprintableLeft) / pw)),
            static_cast<double>(std::lround(h * (p.PageHeight + g.UnprintableTop) / ph))};
}
