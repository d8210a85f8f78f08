// The preview's arithmetic: the counter and its buttons, the zoom sizes, the printable area.
#include "print/PreviewLayout.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(PreviewLayout, CounterClampsAndEnablesTheButtons) {
    // The counter, then "<" while there is a page back and ">" while there is one forward.
    auto shown = [](int wanted, int pages) {
        const TPreviewPage p = PreviewPage(wanted, pages);
        return std::to_string(p.index) + ":" + p.counter + (p.back ? " <" : "") +
               (p.forward ? " >" : "");
    };
    EXPECT_EQ(shown(-4, 3), "0:  1 /   3 >");
    EXPECT_EQ(shown(99, 3), "2:  3 /   3 <");
    EXPECT_EQ(shown(0, 1), "0:  1 /   1");
    // The buttons move through the pages and set the zoom.
    TPreviewModel m(3);
    m.Clicked("FramSpeedBtn4");
    m.Clicked("FramSpeedBtn3");
    EXPECT_EQ(m.Page(), 2);
    EXPECT_FALSE(m.Enabled("FramSpeedBtn3"));
    m.Clicked("FramSpeedBtn2");
    EXPECT_EQ(m.Text("Label1"), "  2 /   3");
    EXPECT_TRUE(m.Enabled("FramSpeedBtn1") && m.Enabled("FramSpeedBtn4"));
    m.Clicked("FramSpeedBtn6");
    EXPECT_EQ(m.Zoom(), zmFitWidth);
}

TEST(PreviewLayout, ZoomSizesAndThePrintableArea) {
    TPageGeometry g;
    g.UnprintableLeft = g.UnprintableRight = 100;
    g.UnprintableTop = g.UnprintableBottom = 200;
    TPrinterPage p;
    p.PageWidth = 1800; // paper 2000 x 3000
    p.PageHeight = 2600;
    auto size = [&](TPreviewZoom zoom, double ratio, int w, int h) {
        const TPreviewSize s = PreviewImageSize(zoom, ratio, g, p, w, h);
        return std::pair(s.width, s.height);
    };
    EXPECT_EQ(size(zmActual, 0.16, 0, 0), std::pair(320, 480));
    EXPECT_EQ(size(zmFitWidth, 1, 400, 10), std::pair(400, 600));
    EXPECT_EQ(size(zmFitHeight, 1, 10, 300), std::pair(200, 300));
    EXPECT_EQ(size(zmFitWidth, 1, -20, 0).first, 1);
    const TPreviewRect r = PreviewPageRect(400, 600, g, p);
    EXPECT_EQ(std::tuple(r.left, r.top, r.right, r.bottom), std::tuple(20, 40, 380, 560));
}

TEST(PreviewLayout, TheHandDragsALargePageAndTheWheelScrollsByItsDelta) {
    EXPECT_FALSE(TPreviewHand::Shown(400, 300, 400, 300)); // fits: no hand
    EXPECT_TRUE(TPreviewHand::Shown(401, 300, 400, 300) && TPreviewHand::Shown(100, 301, 400, 300));
    TPreviewHand h;
    h.Press(500, 400, 30, 60);
    EXPECT_EQ(h.ScrollX(490), 40); // the page follows the mouse: the view scrolls the other way
    EXPECT_EQ(h.ScrollY(450), 10);
    EXPECT_EQ(TPreviewHand::WheelScroll(200, -120), 320); // a notch down: 120 pixels
    TPreviewModel m(1);
    m.Clicked("FramSpeedBtn5");
    EXPECT_TRUE(m.RedrawnOnResize() && !TPreviewModel(1).RedrawnOnResize());
}
