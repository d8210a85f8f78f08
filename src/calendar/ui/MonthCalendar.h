// The self-drawn month calendar: TCustomCalendarEx holds the selected day, the fonts, the
// holiday lists and the off-screen bitmap; TMonthlyCalendar lays out and draws the week grid.
#pragma once

#include "calendar/DayClassifier.h"
#include "calendar/MonthGrid.h"
#include "calendar/ui/CalendarFonts.h"

#include <QFrame>
#include <QPixmap>
#include <QStringList>
#include <functional>

class QPainter;

namespace tolmo {

class TCustomCalendarEx : public QFrame, public TDayClassifier {
    Q_OBJECT
  public:
    explicit TCustomCalendarEx(QWidget* parent = nullptr);

    int32_t JuliusDay() const { return julius_; }
    void SetJuliusDay(int32_t jd);
    int32_t Year() const;
    int Month() const;
    int Day() const;
    // A component that would make a date IsValidDate rejects is ignored.
    void SetYear(int32_t y);
    void SetMonth(int m);
    void SetDay(int d);

    void SetHolidayLines(const QStringList& lines);
    void SetSpecialDayLines(const QStringList& lines);

    TCalExFonts& Fonts() { return fonts_; }
    const TCalExFonts& Fonts() const { return fonts_; }
    void SetFonts(const TCalExFonts& f) { fonts_.Assign(f); }

    TColor Color() const { return color_; }
    void SetColor(TColor c) { SetProp(color_, c); }
    void SetAutoEquinox(bool on) { SetProp(AutoEquinox, on); }
    void SetAutoFurikae(bool on) { SetProp(AutoFurikae, on); }

    void NextDay() { SetJuliusDay(julius_ + 1); }
    void PrevDay() { SetJuliusDay(julius_ - 1); }
    void NextMonth();
    void PrevMonth();

    // Redraws the bitmap (nothing while it has no size) and schedules a repaint.
    void Invalidate();
    const QPixmap& Bitmap() const { return bitmap_; }

    std::function<void(int32_t y, int m, int d)> OnDayChange;

  signals:
    void DayChanged(int y, int m, int d);

  protected:
    virtual void RedrawCalendar();
    virtual void DoDayChange(int32_t y, int m, int d);
    // Drawing helpers for descendants: the bitmap painter's font and colour of a day font.
    QFont FontOf(TCalExFontIndex i) const;

    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

    template <class T> void SetProp(T& field, T value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }

    QPixmap bitmap_;

  private:
    int32_t julius_;
    TColor color_ = clWindow;
    TCalExFonts fonts_;
};

class TMonthlyCalendar : public TCustomCalendarEx {
    Q_OBJECT
  public:
    explicit TMonthlyCalendar(QWidget* parent = nullptr);

    TDayOfWeek FirstDayOfWeek() const { return grid_.FirstDayOfWeek; }
    void SetFirstDayOfWeek(TDayOfWeek d) { SetProp(grid_.FirstDayOfWeek, d); }
    TColor NeighborColor() const { return neighborColor_; }
    void SetNeighborColor(TColor c) { SetProp(neighborColor_, c); }
    TColor DayOfWeekBkColor() const { return dayOfWeekBkColor_; }
    void SetDayOfWeekBkColor(TColor c) { SetProp(dayOfWeekBkColor_, c); }
    bool ShowNeighbor() const { return showNeighbor_; }
    void SetShowNeighbor(bool on) { SetProp(showNeighbor_, on); }
    bool NeighborJump() const { return neighborJump_; }
    void SetNeighborJump(bool on) { SetProp(neighborJump_, on); }
    bool AutoResize() const { return grid_.AutoResize; }
    void SetAutoResize(bool on) { SetProp(grid_.AutoResize, on); }
    bool FirstRowFirstDay() const { return grid_.FirstRowFirstDay; }
    void SetFirstRowFirstDay(bool on) { SetProp(grid_.FirstRowFirstDay, on); }
    bool LastRowLastDay() const { return grid_.LastRowLastDay; }
    void SetLastRowLastDay(bool on) { SetProp(grid_.LastRowLastDay, on); }
    bool ShowRokuyo() const { return showRokuyo_; }
    void SetShowRokuyo(bool on) { SetProp(showRokuyo_, on); }

    virtual int32_t FirstCellDay() const;
    virtual int RowCount() const;
    // Cell (column 0..6, row 0 = header) in client coordinates, right and bottom exclusive.
    QRect CellRect(int col, int row) const;
    // false when the point lies in no cell.
    virtual bool CellFromPoint(int x, int y, int& col, int& row) const;
    // The displayed month's first and last julian day.
    int32_t MonthFirstDay() const;
    int32_t MonthLastDay() const;

  protected:
    void RedrawCalendar() override;
    virtual void DrawCell(QPainter& p, int col, int row, const QRect& rect);
    // The day-number text of a day cell (with the rokuyo strip when shown), for descendants.
    // Text in `Color` when inverted; days of other months OR their colour with NeighborColor.
    void DrawDayText(QPainter& p, int32_t jd, const QRect& rect, bool inMonth, bool invertText,
                     bool invertStrip);
    bool InDisplayedMonth(int32_t jd) const {
        return jd >= MonthFirstDay() && jd <= MonthLastDay();
    }

    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    TMonthGridOptions grid_;
    TColor neighborColor_ = clSilver;
    TColor dayOfWeekBkColor_ = clNavy;
    bool showNeighbor_ = false;
    bool neighborJump_ = false;
    bool showRokuyo_ = false;
};

} // namespace tolmo
