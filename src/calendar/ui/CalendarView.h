// TCalendarView: the month calendar's window. It paints the cells the calendar core computes
// and hands clicks and navigation keys to it.
#pragma once

#include "calendar/MonthCalendar.h"

#include <QFrame>

namespace tolmo {

class TCalendarView : public QFrame {
    Q_OBJECT
  public:
    explicit TCalendarView(TMonthlyCalendar& calendar, QWidget* parent = nullptr);

    TMonthlyCalendar& Calendar() { return cal_; }
    // Cell (col, row 0 = header) in widget coordinates.
    QRect CellRect(int col, int row) const;

  signals:
    void Input(); // a click or a key was handed to the calendar

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    TMonthlyCalendar& cal_;
};

} // namespace tolmo
