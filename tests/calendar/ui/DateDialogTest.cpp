// The date dialog's window driven with keys, clicks and buttons: the wiring to its model.
#include "calendar/ui/DateDialog.h"
#include "calendar/ui/CalendarView.h"

#include "../../support/InputEvents.h"
#include "../../support/RecordingSink.h"

#include <QLineEdit>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tolmo;

namespace {

struct Shown {
    RecordingSink sink;
    TDateDialog dlg;
    explicit Shown(const char* preset) : dlg(THidukeOptions{true, true, "", preset}) {
        dlg.show();
        QApplication::processEvents();
    }
    QLineEdit* Focus(const char* name) {
        QLineEdit* e = dlg.Field(name);
        e->setFocus();
        QApplication::processEvents();
        if (!e->hasFocus()) { // offscreen windows may not take the focus: enter by hand
            QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
            QApplication::sendEvent(e, &in);
        }
        return e;
    }
    std::string Fields() {
        return (dlg.Field("edtYear")->text() + "|" + dlg.Field("edtMonth")->text() + "|" +
                dlg.Field("edtDay")->text())
            .toStdString();
    }
};

} // namespace

TEST(Hiduke, ReturnAndTheCloseBoxAcceptEscCancels) {
    {
        Shown s("2005/11/24");
        Key(s.dlg.Field("edtDay"), Qt::Key_Return);
        EXPECT_EQ(s.dlg.Result().toStdString(), "H17.11.24 (木)");
        EXPECT_FALSE(s.dlg.isVisible());
    }
    {
        Shown s("2005/11/24");
        s.dlg.close(); // the window's close box
        EXPECT_EQ(s.dlg.Result().toStdString(), "H17.11.24 (木)");
    }
    Shown esc("2005/11/24");
    Key(esc.dlg.Calendar1, Qt::Key_Escape);
    EXPECT_TRUE(esc.dlg.Cancelled());
    EXPECT_TRUE(esc.dlg.Result().isEmpty());
    Shown menu("2005/11/24");
    menu.dlg.mnHelp->trigger();
    EXPECT_EQ(menu.sink.texts(), std::vector<std::string>{kDateDialogHelp});
    menu.dlg.Field("edtYear")->setText(""); // a field edited by hand: no date, the dialog stays
    menu.dlg.mnWrite->trigger();
    EXPECT_TRUE(menu.dlg.isVisible());
    menu.dlg.mnCancel->trigger();
    EXPECT_TRUE(menu.dlg.Result().isEmpty());
}

TEST(Hiduke, FieldsTypeStepAndMove) {
    Shown s("2006/1/31");
    QLineEdit* day = s.Focus("edtDay");
    EXPECT_EQ(day->cursorPosition(), 0);
    EXPECT_EQ(day->palette().color(QPalette::Base), QColor(0xB9, 0xFF, 0xFF)); // light cyan
    EXPECT_EQ(s.dlg.UpDown->x(), day->geometry().right() + 1);
    Key(day, Qt::Key_Up);
    EXPECT_EQ(s.Fields(), "2006| 2| 1");
    day->setCursorPosition(0);
    Key(day, Qt::Key_2, Qt::NoModifier, "2"); // overwrites from the caret: " 1" -> "21"
    EXPECT_EQ(day->text().toStdString(), "21");
    EXPECT_EQ(day->cursorPosition(), 1);
    Key(day, Qt::Key_Left, Qt::ControlModifier);
    QLineEdit* month = s.dlg.Field("edtMonth");
    EXPECT_TRUE(month->hasFocus() || s.dlg.Model.UpDownField() == "edtMonth");
    s.Focus("edtMonth");
    s.dlg.UpDown->findChildren<QToolButton*>()[1]->click(); // the down arrow
    EXPECT_EQ(s.Fields(), "2006| 1|21");
}

TEST(Hiduke, CalendarAndButtonsWriteTheFields) {
    Shown s("2015/2/10");
    TCalendarView* cal = s.dlg.Calendar1;
    Mouse(cal, QEvent::MouseButtonPress, Qt::LeftButton, cal->CellRect(5, 2).center()); // 6 Feb
    EXPECT_EQ(s.Fields(), "2015| 2| 6");
    Key(cal, Qt::Key_PageDown); // the keys themselves are the calendar's test
    s.dlg.Form->Get<QToolButton>("btnZennen")->click();
    EXPECT_EQ(s.Fields(), "2016| 3| 6");
}

// Two-digit days stay apart: each day's ink leaves a quarter of its cell blank, so that the
// space between two days is clearly wider than between a day's own digits (drawn at the size of
// the whole character cell, "15161718" ran together).
TEST(Hiduke, TwoDigitDaysKeepAGapBetweenCells) {
    Shown s("2015/2/10"); // 15 to 21 February fill the third row, none of them marked
    TCalendarView* cal = s.dlg.Calendar1;
    const QImage img = cal->grab().toImage();
    for (int k = 0; k < 7; ++k) {
        const QRect cell = cal->CellRect(k, 3);
        int first = -1, last = -1;
        for (int x = cell.left(); x <= cell.right(); ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                if (qGray(img.pixel(x, y)) < 150) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
        ASSERT_GE(first, 0) << "day " << 15 + k << " not drawn";
        EXPECT_LE((last - first + 1) * 4, cell.width() * 3)
            << "day " << 15 + k << " fills " << last - first + 1 << " of " << cell.width() << " px";
    }
}
