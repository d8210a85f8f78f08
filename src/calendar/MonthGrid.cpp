// Month grid arithmetic of the calendar control.
#include "calendar/MonthGrid.h"

#include "calendar/JulianDay.h"

#include <algorithm>

namespace tolmo {

int32_t MonthFirstDay(int32_t jd) {
    const TJDate d = JuliusToDate(jd);
    return DateToJulius(d.year, d.month, 1);
}

int32_t MonthLastDay(int32_t jd) {
    const TJDate d = JuliusToDate(jd);
    return DateToJulius(d.year, d.month, 1) + DaysInMonth(d.year, d.month) - 1;
}

int32_t FirstCellDay(int32_t jd, const TMonthGridOptions& o) {
    const int32_t j1 = MonthFirstDay(jd);
    const int w1 = JuliusDayOfWeek(j1);
    int32_t f = j1 - ((w1 + 7 - (o.FirstDayOfWeek + 1)) % 7);
    if (!o.FirstRowFirstDay && f == j1) f = j1 - 7;
    return f;
}

int MonthGridRows(int32_t jd, const TMonthGridOptions& o) {
    if (!o.AutoResize) return 7;
    const int32_t f = FirstCellDay(jd, o), l = MonthLastDay(jd);
    int rows = (l - f) / 7 + 2;
    if (!o.LastRowLastDay && (l - f + 1) % 7 == 0) ++rows;
    return rows;
}

int32_t CellDay(int32_t jd, const TMonthGridOptions& o, int col, int row) {
    return FirstCellDay(jd, o) + 7 * (row - 1) + col;
}

TDayCell DayCellOf(int32_t jd, const TMonthGridOptions& o, int col, int row, bool showNeighbor) {
    TDayCell c;
    c.Day = CellDay(jd, o, col, row);
    c.InMonth = c.Day >= MonthFirstDay(jd) && c.Day <= MonthLastDay(jd);
    c.Shown = c.InMonth || showNeighbor;
    return c;
}

std::optional<int32_t> ClickedDay(int32_t jd, const TMonthGridOptions& o, int col, int row,
                                  bool neighborJump) {
    if (row < 1) return std::nullopt;
    const TDayCell c = DayCellOf(jd, o, col, row, true);
    if (!c.InMonth && !neighborJump) return std::nullopt;
    return c.Day;
}

int32_t WithYear(int32_t jd, int32_t year) {
    const TJDate d = JuliusToDate(jd);
    return IsValidDate(year, d.month, d.day) ? DateToJulius(year, d.month, d.day) : jd;
}

int32_t WithMonth(int32_t jd, int month) {
    const TJDate d = JuliusToDate(jd);
    return month >= 1 && month <= 12 && IsValidDate(d.year, month, d.day)
               ? DateToJulius(d.year, month, d.day)
               : jd;
}

int32_t WithDay(int32_t jd, int day) {
    const TJDate d = JuliusToDate(jd);
    return day >= 1 && day <= 31 && IsValidDate(d.year, d.month, day)
               ? DateToJulius(d.year, d.month, day)
               : jd;
}

TGridRect GridCellRect(int w, int h, int rows, int k, int r) {
    rows = std::max(1, rows);
    const int x0 = static_cast<int>(int64_t(w) * k / 7),
              x1 = static_cast<int>(int64_t(w) * (k + 1) / 7);
    const int y0 = static_cast<int>(int64_t(h) * r / rows),
              y1 = static_cast<int>(int64_t(h) * (r + 1) / rows);
    return {x0, y0, x1 - 1, y1 - 1};
}

bool GridCellFromPoint(int w, int h, int rows, int x, int y, int& col, int& row) {
    if (w <= 0 || h <= 0 || rows <= 0 || x < 0 || y < 0 || x >= w || y >= h) return false;
    // The inverse of GridCellRect's even split: the last cell whose left (top) edge is <= x (y).
    col = static_cast<int>((int64_t(x) * 7 + 6) / w);
    while (col > 0 && GridCellRect(w, h, rows, col, 0).Left > x)
        --col;
    while (col < 6 && GridCellRect(w, h, rows, col + 1, 0).Left <= x)
        ++col;
    row = static_cast<int>((int64_t(y) * rows) / h);
    while (row > 0 && GridCellRect(w, h, rows, 0, row).Top > y)
        --row;
    while (row < rows - 1 && GridCellRect(w, h, rows, 0, row + 1).Top <= y)
        ++row;
    const TGridRect c = GridCellRect(w, h, rows, col, row);
    return x >= c.Left && x <= c.Right && y >= c.Top && y <= c.Bottom;
}

int32_t AddMonth(int32_t jd, int months) {
    const TJDate d = JuliusToDate(jd);
    int64_t index = int64_t(d.year) * 12 + (d.month - 1) + months;
    const int32_t y = static_cast<int32_t>(index >= 0 ? index / 12 : (index - 11) / 12);
    const int m = static_cast<int>(index - int64_t(y) * 12) + 1;
    int day = std::min<int>(d.day, DaysInMonth(y, m));
    if (y == 1582 && m == 10 && day >= 5 && day <= 14) day = 15; // the reform days never were
    return DateToJulius(y, m, day);
}

int32_t MonthGridStep(int32_t jd, TMonthGridKey key) {
    switch (key) {
    case TMonthGridKey::Left:
        return jd - 1;
    case TMonthGridKey::Right:
        return jd + 1;
    case TMonthGridKey::Up:
        return jd - 7;
    case TMonthGridKey::Down:
        return jd + 7;
    case TMonthGridKey::PageUp:
        return AddMonth(jd, -1);
    case TMonthGridKey::PageDown:
        return AddMonth(jd, 1);
    }
    return jd;
}

} // namespace tolmo
