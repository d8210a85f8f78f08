// The month calendar widgets: rows, neighbour days, selection, keys, mouse and the today mark.
#include "calendar/JulianDay.h"
#include "calendar/ui/DialogCalendar.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace tolmo;

namespace {

QColor Q(TColor c) {
    return ToQColor(c);
}

// True when some pixel of the rectangle has exactly the colour.
bool HasColour(const QImage& img, const QRect& r, const QColor& c) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.pixelColor(x, y).rgb() == c.rgb()) return true;
    return false;
}

void BigFonts(TCustomCalendarEx& cal) {
    for (int i = 0; i < 7; ++i) {
        TCalExFont f = cal.Fonts().Get(TCalExFontIndex(i));
        f.font.setPixelSize(24);
        f.font.setBold(true);
        f.font.setStyleStrategy(QFont::NoAntialias);
        cal.Fonts().Set(TCalExFontIndex(i), f);
    }
}

void Key(QWidget& w, int key) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

void Click(TMonthlyCalendar& cal, int col, int row) {
    const QPoint p = cal.CellRect(col, row).center() + cal.contentsRect().topLeft();
    QMouseEvent e(QEvent::MouseButtonPress, p, cal.mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(&cal, &e);
}

} // namespace

TEST(MonthlyCalendar, CellGeometryCoversTheClientArea) {
    TMonthlyCalendar cal;
    cal.resize(157, 109);
    cal.SetAutoResize(false);
    const QRect client(QPoint(0, 0), cal.contentsRect().size());
    EXPECT_EQ(cal.Bitmap().size(), client.size());
    EXPECT_EQ(cal.CellRect(6, 6).bottomRight(), client.bottomRight());
}

TEST(MonthlyCalendar, NeighbourDaysAreOredWithNeighborColor) {
    TMonthlyCalendar cal;
    cal.resize(7 * 40, 7 * 36);
    BigFonts(cal);
    cal.SetShowNeighbor(true);
    cal.SetNeighborColor(clSilver);
    cal.SetJuliusDay(DateToJulius(2015, 2, 10));
    // 1 March 2015, a Sunday, stands in column 0 of the last row: red OR silver = $C0C0FF.
    const QImage img = cal.Bitmap().toImage();
    EXPECT_TRUE(HasColour(img, cal.CellRect(0, 6), Q(0xC0C0FF)));
    EXPECT_FALSE(HasColour(img, cal.CellRect(0, 6), Q(clRed)));
    // A Sunday of the month itself stays plain red.
    EXPECT_TRUE(HasColour(img, cal.CellRect(0, 2), Q(clRed)));
    cal.SetShowNeighbor(false);
    EXPECT_FALSE(HasColour(cal.Bitmap().toImage(), cal.CellRect(0, 6), Q(0xC0C0FF)));
}

TEST(MonthlyCalendar, SelectedDayIsInverted) {
    TMonthlyCalendar cal;
    cal.resize(7 * 40, 7 * 36);
    cal.SetJuliusDay(DateToJulius(2015, 2, 10)); // Tuesday, row 3
    const QImage img = cal.Bitmap().toImage();
    EXPECT_EQ(img.pixelColor(cal.CellRect(2, 3).topLeft() + QPoint(1, 1)).rgb(), Q(clBlack).rgb());
    EXPECT_EQ(img.pixelColor(cal.CellRect(3, 3).topLeft() + QPoint(1, 1)).rgb(), Q(clWindow).rgb());
}

TEST(MonthlyCalendar, MouseAndKeys) {
    TMonthlyCalendar cal;
    cal.resize(7 * 40, 7 * 36);
    cal.SetShowNeighbor(true);
    cal.SetJuliusDay(DateToJulius(2015, 2, 10));
    int changes = 0;
    cal.OnDayChange = [&](int32_t, int, int) { ++changes; };
    Click(cal, 0, 6); // 1 March: another month, NeighborJump off
    EXPECT_EQ(cal.JuliusDay(), DateToJulius(2015, 2, 10));
    Click(cal, 0, 0); // the header
    EXPECT_EQ(changes, 0);
    Click(cal, 5, 2); // 6 February
    EXPECT_EQ(cal.JuliusDay(), DateToJulius(2015, 2, 6));
    cal.SetNeighborJump(true);
    Click(cal, 0, 6);
    EXPECT_EQ(cal.JuliusDay(), DateToJulius(2015, 3, 1));
    EXPECT_EQ(cal.Month(), 3);
    // Keys move freely into other months.
    cal.SetJuliusDay(DateToJulius(2015, 2, 26));
    changes = 0;
    Key(cal, Qt::Key_Down);
    EXPECT_EQ(JuliusToDate(cal.JuliusDay()), (TJDate{2015, 3, 5}));
    EXPECT_EQ(JuliusToDate(cal.FirstCellDay()), (TJDate{2015, 2, 22})); // redrawn as March
    Key(cal, Qt::Key_Up);
    Key(cal, Qt::Key_Right);
    Key(cal, Qt::Key_Left);
    Key(cal, Qt::Key_Left);
    EXPECT_EQ(JuliusToDate(cal.JuliusDay()), (TJDate{2015, 2, 25}));
    cal.SetJuliusDay(DateToJulius(2015, 1, 31));
    Key(cal, Qt::Key_PageDown);
    EXPECT_EQ(JuliusToDate(cal.JuliusDay()), (TJDate{2015, 2, 28}));
}

TEST(MonthlyCalendar, DayChangeOnlyOnARealChange) {
    TMonthlyCalendar cal;
    std::vector<TJDate> seen;
    cal.OnDayChange = [&](int32_t y, int m, int d) { seen.push_back({y, uint8_t(m), uint8_t(d)}); };
    cal.SetJuliusDay(DateToJulius(2004, 2, 29));
    cal.SetJuliusDay(DateToJulius(2004, 2, 29));
    cal.SetYear(2005); // 29 February 2005 does not exist: ignored
    cal.SetDay(31);
    cal.SetMonth(3);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], (TJDate{2004, 2, 29}));
    EXPECT_EQ(seen[1], (TJDate{2004, 3, 29}));
    cal.SetJuliusDay(DateToJulius(1582, 10, 4));
    EXPECT_THROW(cal.SetDay(10), EJuliusError);
    EXPECT_EQ(cal.Day(), 4);
}

TEST(BrMCalendar, TodayHeadersAndNoCursor) {
    TBrMCalendar cal;
    cal.resize(7 * 40, 7 * 36);
    BigFonts(cal);
    cal.SetToday(DateToJulius(2015, 2, 12)); // Thursday, row 3
    cal.SetColorToDay(clLime);
    cal.SetJuliusDay(DateToJulius(2015, 2, 10));
    QImage img = cal.Bitmap().toImage();
    const QPoint inset(2, 2);
    EXPECT_EQ(img.pixelColor(cal.CellRect(4, 3).topLeft() + inset).rgb(), Q(clLime).rgb());
    // IsCursor off: the selected day has no fill.
    EXPECT_EQ(img.pixelColor(cal.CellRect(2, 3).topLeft() + inset).rgb(), Q(clWindow).rgb());
    EXPECT_TRUE(HasColour(img, cal.CellRect(6, 0), Q(clBlue))); // "土"
    EXPECT_TRUE(HasColour(img, cal.CellRect(0, 0), Q(clRed)));  // "日"
    EXPECT_FALSE(HasColour(img, cal.CellRect(3, 0), Q(clRed)));
    cal.SetIsCursor(true);
    img = cal.Bitmap().toImage();
    EXPECT_EQ(img.pixelColor(cal.CellRect(2, 3).topLeft() + inset).rgb(),
              Q(TBrMCalendar::kCursorColor).rgb());
    // Today in another month's cell is not marked.
    cal.SetJuliusDay(DateToJulius(2015, 3, 10));
    img = cal.Bitmap().toImage();
    EXPECT_FALSE(HasColour(img, cal.CellRect(4, 0).adjusted(0, 0, 0, 0), Q(clLime)));
    for (int r = 1; r < 7; ++r)
        for (int k = 0; k < 7; ++k)
            EXPECT_NE(img.pixelColor(cal.CellRect(k, r).topLeft() + inset).rgb(), Q(clLime).rgb());
}

TEST(BrMCalendar, GridLines) {
    TBrMCalendar cal;
    cal.resize(7 * 40, 7 * 36);
    const QRect c = cal.CellRect(2, 3);
    EXPECT_NE(cal.Bitmap().toImage().pixelColor(c.right(), c.center().y()).rgb(),
              Q(clSilver).rgb());
    cal.SetKeisen(true);
    const QImage img = cal.Bitmap().toImage();
    EXPECT_EQ(img.pixelColor(c.right(), c.center().y()).rgb(), Q(clSilver).rgb());
    EXPECT_EQ(img.pixelColor(c.center().x(), c.bottom()).rgb(), Q(clSilver).rgb());
    const QRect last = cal.CellRect(6, 6); // the outermost edges stay bare
    EXPECT_NE(img.pixelColor(last.right(), last.center().y()).rgb(), Q(clSilver).rgb());
    EXPECT_NE(img.pixelColor(last.center().x(), last.bottom()).rgb(), Q(clSilver).rgb());
}

TEST(CalExFonts, SynchronizeAssignsAll) {
    TCalExFonts f;
    int changes = 0;
    f.OnChange = [&] { ++changes; };
    TCalExFont big{QFont(), clGreen};
    big.font.setPixelSize(30);
    f.Set(cfWeekday, big);
    EXPECT_NE(f.Sunday().font.pixelSize(), 30);
    f.SetSynchronize(true);
    f.Set(cfWeekday, big);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(f.Get(TCalExFontIndex(i)).font.pixelSize(), 30);
    EXPECT_EQ(f.Sunday().color, clRed); // colours stay per font
    EXPECT_EQ(changes, 2);
}

TEST(MonthlyCalendar, RokuyoStrip) {
    TMonthlyCalendar cal;
    cal.resize(7 * 40, 7 * 40);
    cal.SetShowRokuyo(true);
    cal.SetJuliusDay(DateToJulius(2015, 2, 10)); // Tuesday, row 3; rokuyo known in 2015
    ASSERT_NE(Rokuyo(cal.JuliusDay()), 0);
    const QRect cell = cal.CellRect(2, 3);
    const QImage img = cal.Bitmap().toImage();
    // The selected day: the cell in its font colour, the strip at the bottom in the highlight.
    EXPECT_EQ(img.pixelColor(cell.left() + 1, cell.top() + 1).rgb(), Q(clBlack).rgb());
    EXPECT_EQ(img.pixelColor(cell.left() + 1, cell.bottom() - 1).rgb(), Q(clHighlight).rgb());
    // Days from 2021 on have no rokuyo and no strip.
    cal.SetJuliusDay(DateToJulius(2026, 2, 10));
    const QImage later = cal.Bitmap().toImage();
    EXPECT_EQ(later.pixelColor(cell.left() + 1, cell.bottom() - 1).rgb(), Q(clBlack).rgb());
}
