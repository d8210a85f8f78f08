// The preview's arithmetic: the counter and page buttons at the ends, the three zoom sizes and
// the printable area's place on the paper.
#include "print/PreviewLayout.h"

#include <gtest/gtest.h>

TEST(PreviewLayout, CounterClampsAndEnablesTheButtons) {
    const TPreviewPage first = PreviewPage(-4, 3);
    EXPECT_EQ(first.counter, "  1 /   3");
    EXPECT_FALSE(first.back);
    EXPECT_TRUE(first.forward);
    const TPreviewPage last = PreviewPage(99, 3);
    EXPECT_EQ(last.index, 2);
    EXPECT_TRUE(last.back);
    EXPECT_FALSE(last.forward);
    EXPECT_FALSE(PreviewPage(0, 1).forward);
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
    const TPreviewSize actual = PreviewImageSize(zmActual, 0.16, g, p, 0, 0);
    EXPECT_EQ(actual.width, 320);
    EXPECT_EQ(actual.height, 480);
    const TPreviewSize wide = PreviewImageSize(zmFitWidth, 1, g, p, 400, 10);
    EXPECT_EQ(wide.width, 400);
    EXPECT_EQ(wide.height, 600);
    const TPreviewSize high = PreviewImageSize(zmFitHeight, 1, g, p, 10, 300);
    EXPECT_EQ(high.width, 200);
    EXPECT_EQ(high.height, 300);
    EXPECT_EQ(PreviewImageSize(zmFitWidth, 1, g, p, -20, 0).width, 1);
    const TPreviewRect r = PreviewPageRect(400, 600, g, p);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right, 380);
    EXPECT_EQ(r.bottom, 560);
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
