// The program's own month calendar: grid lines, an optional cursor fill, today's mark and
// coloured Sunday and Saturday headers.
#pragma once

#include "calendar/ui/MonthCalendar.h"

namespace tolmo {

class TBrMCalendar : public TMonthlyCalendar {
    Q_OBJECT
  public:
    explicit TBrMCalendar(QWidget* parent = nullptr);

    bool Keisen() const { return keisen_; }
    void SetKeisen(bool on) { SetProp(keisen_, on); }
    bool IsCursor() const { return isCursor_; }
    void SetIsCursor(bool on) { SetProp(isCursor_, on); }
    TColor ColorToDay() const { return colorToDay_; }
    void SetColorToDay(TColor c) { SetProp(colorToDay_, c); }
    // The system date when the control was made.
    int32_t Today() const { return today_; }
    void SetToday(int32_t jd) { SetProp(today_, jd); }

    static constexpr TColor kCursorColor = 0xFFFFB9;

  protected:
    void DrawCell(QPainter& p, int col, int row, const QRect& rect) override;

  private:
    bool keisen_ = false;
    bool isCursor_ = false;
    TColor colorToDay_ = 0xD0FFD5;
    int32_t today_;
};

} // namespace tolmo
