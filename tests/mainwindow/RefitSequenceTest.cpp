// When the window-width wrap is worked out again and when a page change drops the preview.
#include "mainwindow/RefitSequence.h"

#include <gtest/gtest.h>

TEST(RefitSequence, OneQueuedRefitPerResizeAndThePreviewDroppedOffItsPage) {
    TRefitSequence r(0);
    EXPECT_TRUE(r.Resized());
    EXPECT_FALSE(r.Resized()); // already queued
    r.RefitRan();
    EXPECT_TRUE(r.Resized());
    EXPECT_TRUE(r.PageChanged(0, false).RefitAll);
    EXPECT_FALSE(r.PageChanged(1, false).RefitAll); // once per resize
    r.Opened(2);
    EXPECT_FALSE(r.PageChanged(2, true).CancelPanel); // the same page again
    EXPECT_TRUE(r.PageChanged(1, true).CancelPanel);
    EXPECT_FALSE(r.PageChanged(0, false).CancelPanel); // a closed panel has nothing to drop
}
