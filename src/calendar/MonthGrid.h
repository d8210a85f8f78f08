// The month calendar's grid without a window: which day each cell shows, how many rows the grid
// has, where the cells lie in a client area, which cell a point hits, and where the selection
// goes for the navigation keys.
#pragma once

#include <cstdint>
#include <optional>

namespace tolmo {

enum TDayOfWeek { dowSun = 0, dowMon, dowTue, dowWed, dowThu, dowFri, dowSat };

struct TMonthGridOptions {
    TDayOfWeek FirstDayOfWeek = dowSun;
    bool AutoResize = true;        // as many rows as the month needs, else always 7
    bool FirstRowFirstDay = false; // a month starting on the first weekday starts in row 1
    bool LastRowLastDay = false;   // a month ending on the last weekday ends in the last row
};

struct TGridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0; // right and bottom inclusive
    bool operator==(const TGridRect&) const = default;
};

enum class TMonthGridKey { Left, Right, Up, Down, PageUp, PageDown };

// The first and last julian day of the month of jd.
int32_t MonthFirstDay(int32_t jd);
int32_t MonthLastDay(int32_t jd);
// The day of the first day cell (row 1, column 0) for the month of jd.
int32_t FirstCellDay(int32_t jd, const TMonthGridOptions& o);
// Rows with the weekday header (row 0).
int MonthGridRows(int32_t jd, const TMonthGridOptions& o);
// The day shown in day cell (col, row >= 1).
int32_t CellDay(int32_t jd, const TMonthGridOptions& o, int col, int row);
// A day cell (row >= 1) for the selected day jd: the day it shows, whether that day lies in
// jd's month, and whether it is drawn at all (a neighbouring month's day only with showNeighbor).
struct TDayCell {
    int32_t Day = 0;
    bool InMonth = false, Shown = false;
};
TDayCell DayCellOf(int32_t jd, const TMonthGridOptions& o, int col, int row, bool showNeighbor);
// The day a click on cell (col, row) selects; none for the weekday row, and for a neighbouring
// month's day unless neighborJump.
std::optional<int32_t> ClickedDay(int32_t jd, const TMonthGridOptions& o, int col, int row,
                                  bool neighborJump);
// jd with its year, month or day replaced; jd itself when that date does not exist.
int32_t WithYear(int32_t jd, int32_t year);
int32_t WithMonth(int32_t jd, int month);
int32_t WithDay(int32_t jd, int day);
// Cell (column 0..6, row 0..rows-1) of a client area width × height split evenly.
TGridRect GridCellRect(int width, int height, int rows, int col, int row);
// The cell a point hits; false outside every cell.
bool GridCellFromPoint(int width, int height, int rows, int x, int y, int& col, int& row);
// The same day one month later or earlier (clamped to the month's length; a day the 1582 reform
// skipped becomes 15 October).
int32_t AddMonth(int32_t jd, int months);
// The selected day after a navigation key.
int32_t MonthGridStep(int32_t jd, TMonthGridKey key);

} // namespace tolmo
