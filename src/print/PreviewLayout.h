// The preview window without its window: its controls as data and TPreviewModel (the page shown,
// the zoom mode, the page counter and which page buttons work), the image size of each zoom mode,
// the window's first size, and where the printable area lies on the pictured paper.
#pragma once

#include "app/Form.h"
#include "print/PageGeometry.h"

#include <string>

enum TPreviewZoom { zmActual, zmFitWidth, zmFitHeight };

struct TPreviewPage {
    int index = 0;        // clamped to the pages
    std::string counter;  // "%3d / %3d"
    bool back = false;    // first and previous
    bool forward = false; // next and last
};
TPreviewPage PreviewPage(int wanted, int pages);

// The paper's size with its unprintable edges, in printer pixels (at least 1).
double PreviewPaperWidth(const TPageGeometry& g, const TPrinterPage& p);
double PreviewPaperHeight(const TPageGeometry& g, const TPrinterPage& p);

// The image of the page: actual size at ratio screen pixels per printer pixel, or fitted to the
// view's width or height (the view less the scroll bar across it); never below 1 x 1.
struct TPreviewSize {
    int width = 1, height = 1;
};
TPreviewSize PreviewImageSize(TPreviewZoom zoom, double ratio, const TPageGeometry& g,
                              const TPrinterPage& p, int viewWidth, int viewHeight);

// The printable area on an image of w x h pixels, each edge rounded.
struct TPreviewRect {
    double left = 0, top = 0, right = 0, bottom = 0;
};
TPreviewRect PreviewPageRect(int w, int h, const TPageGeometry& g, const TPrinterPage& p);

// The window's first size: as wide as the image with its scroll bar and a little room (at most
// the screen's width, at least minWidth), five sixths of the screen's height.
TPreviewSize PreviewWindowSize(int imageWidth, int scrollBarWidth, int minWidth, int availWidth,
                               int availHeight);

// Scrolling the page by hand: the hand cursor over a page larger than its view, the page
// following the mouse while the left button is held, the wheel moving it by its delta in pixels.
class TPreviewHand {
  public:
    static bool Shown(int imageWidth, int imageHeight, int viewWidth, int viewHeight);
    // The button went down at (x, y) with the page scrolled to (scrollX, scrollY).
    void Press(int x, int y, int scrollX, int scrollY);
    // The scroll position that keeps the pressed point under the mouse at (x, y).
    int ScrollX(int x) const { return scrollX_ - (x - x_); }
    int ScrollY(int y) const { return scrollY_ - (y - y_); }
    static int WheelScroll(int scrollY, int angleDelta) { return scrollY - angleDelta; }

  private:
    int x_ = 0, y_ = 0, scrollX_ = 0, scrollY_ = 0;
};

const TFormDesc& PreviewForm();

// The buttons: first, previous, next and last page (FramSpeedBtn1..4), fit the height, fit the
// width, actual size (5..7) and close (8).
class TPreviewModel : public TFormModel {
  public:
    explicit TPreviewModel(int pages) : pages_(pages) { ShowPage(0); }
    int Page() const { return page_; }
    TPreviewZoom Zoom() const { return zoom_; }
    // A fitted image is drawn again for the window's new size; an actual one only placed.
    bool RedrawnOnResize() const { return zoom_ != zmActual; }
    void ShowPage(int wanted);
    void Clicked(const std::string& name) override;

  private:
    int pages_, page_ = 0;
    TPreviewZoom zoom_ = zmActual;
};
