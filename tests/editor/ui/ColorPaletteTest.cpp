// The colour palette widget: picking with both buttons and a drag, and with the keyboard.
#include "editor/ui/ColorPalette.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include "../../support/InputEvents.h"

TEST(ColorPaletteWidget, MousePicksAndDragsAndKeysPick) {
    TColorPalette p;
    p.show();
    int changes = 0;
    QObject::connect(&p, &TColorPalette::Change, [&changes] { ++changes; });
    // Cells of 16 x 16 inside a 2-pixel edge.
    Mouse(&p, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(2 + 8, 2 + 8));
    EXPECT_EQ(p.ForegroundIndex(), 0);
    QMouseEvent move(QEvent::MouseMove, QPointF(2 + 16 * 4 + 8, 2 + 8), QPointF(), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&p, &move);
    EXPECT_EQ(p.ForegroundIndex(), 4);
    Mouse(&p, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(2 + 16 * 4 + 8, 2 + 8));
    Click(&p, Qt::RightButton, QPoint(2 + 16 * 12 + 8, 2 + 16 * 4 + 8));
    EXPECT_EQ(p.BackgroundIndex(), 64);
    EXPECT_EQ(changes, 3);

    // The keys reach the model (its focus moves are tested there).
    p.setFocus();
    Key(&p, Qt::Key_Left);
    Key(&p, Qt::Key_F, Qt::NoModifier, "F");
    EXPECT_EQ(p.ForegroundIndex(), 63); // the focus began on the last pick
}
