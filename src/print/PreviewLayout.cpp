// The preview window's description, buttons, page counter, zoom sizes and page rectangle.
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

TPreviewSize PreviewWindowSize(int imageWidth, int scrollBarWidth, int minWidth, int availWidth,
                               int availHeight) {
    return {std::max(std::min(availWidth, imageWidth + scrollBarWidth + 16), minWidth),
            availHeight / 6 * 5};
}

bool TPreviewHand::Shown(int imageWidth, int imageHeight, int viewWidth, int viewHeight) {
    return imageWidth > viewWidth || imageHeight > viewHeight;
}

void TPreviewHand::Press(int x, int y, int scrollX, int scrollY) {
    x_ = x, y_ = y, scrollX_ = scrollX, scrollY_ = scrollY;
}

const TFormDesc& PreviewForm() {
    auto button = [](const char* name, const char* caption) {
        return TControl{
            .Kind = TCtl::ToolButton, .Name = name, .Caption = caption, .Parent = "Panel1"};
    };
    static const TFormDesc desc = {
        {.Kind = TCtl::Panel, .Name = "Panel1", .Layout = TLay::HBox},
        {.Kind = TCtl::Label, .Name = "Label1", .Parent = "Panel1"},
        button("FramSpeedBtn1", "|◀"),
        button("FramSpeedBtn2", "◀"),
        button("FramSpeedBtn3", "▶"),
        button("FramSpeedBtn4", "▶|"),
        {.Kind = TCtl::Spacing, .Parent = "Panel1", .Max = 12},
        button("FramSpeedBtn5", "縦の長さに合わせる(&K)"),
        button("FramSpeedBtn6", "横の長さに合わせる(&L)"),
        button("FramSpeedBtn7", "元の大きさに戻す(&J)"),
        {.Kind = TCtl::Stretch, .Parent = "Panel1", .Max = 1},
        button("FramSpeedBtn8", "閉じる(&Q)"), // kept at the right edge
        {.Kind = TCtl::Slot, .Name = "ScrollBox1", .Stretch = 1},
        {.Kind = TCtl::Slot, .Name = "StatusBar1"},
    };
    return desc;
}

void TPreviewModel::ShowPage(int wanted) {
    const TPreviewPage p = PreviewPage(wanted, pages_);
    page_ = p.index;
    SetText("Label1", p.counter);
    SetEnabled({"FramSpeedBtn1", "FramSpeedBtn2"}, p.back);
    SetEnabled({"FramSpeedBtn3", "FramSpeedBtn4"}, p.forward);
}

void TPreviewModel::Clicked(const std::string& name) {
    const int to[] = {0, page_ - 1, page_ + 1, pages_ - 1};
    const TPreviewZoom zooms[] = {zmFitHeight, zmFitWidth, zmActual};
    const int n = name.starts_with("FramSpeedBtn") ? name.back() - '0' : 0;
    if (n >= 1 && n <= 4) ShowPage(to[n - 1]);
    if (n >= 5 && n <= 7) zoom_ = zooms[n - 5];
}
