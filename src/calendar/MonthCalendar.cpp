// The month calendar's selected day, input and cell pictures.
#include "calendar/MonthCalendar.h"

#include "calendar/DateText.h"
#include "calendar/JulianDay.h"
#include "editor/Commands.h"

#include <cstdlib>

namespace tolmo {

TMonthlyCalendar::TMonthlyCalendar(int32_t today) : julius_(today) {
    const TColor colours[7] = {clBlack, clBlue, clRed, clWhite, clRed, clGreen, clBlack};
    for (int i = 0; i < 7; ++i)
        Fonts[i].Color = colours[i];
    Fonts[cfRokuyo].Height = 13;
}

void TMonthlyCalendar::SetJuliusDay(int32_t jd) {
    if (jd == julius_) return;
    julius_ = jd;
    Redraw();
    const TJDate d = JuliusToDate(jd);
    if (OnDayChange) OnDayChange(d.year, d.month, d.day);
}

int32_t TMonthlyCalendar::Year() const {
    return JuliusToDate(julius_).year;
}
int TMonthlyCalendar::Month() const {
    return JuliusToDate(julius_).month;
}
int TMonthlyCalendar::Day() const {
    return JuliusToDate(julius_).day;
}

void TMonthlyCalendar::SetHolidayLines(std::vector<std::string> lines) {
    SetHolidayList(std::move(lines));
    Redraw();
}

void TMonthlyCalendar::Click(int col, int row) {
    if (const std::optional<int32_t> jd = ClickedDay(julius_, Grid, col, row, NeighborJump))
        SetJuliusDay(*jd);
}

void TMonthlyCalendar::DayText(TCalCellPaint& c, int32_t jd, const TGridRect& rect, bool inMonth,
                               bool invert) const {
    const TJDate d = JuliusToDate(jd);
    c.Font = GetDayFont(d.year, d.month, d.day);
    auto shade = [&](TColor t) { return invert ? Color : inMonth ? t : (t | NeighborColor); };
    c.TextColor = shade(Fonts[c.Font].Color);
    c.Text = std::to_string(d.day);
    c.TextRect = rect;
    const int rokuyo = ShowRokuyo ? Rokuyo(jd) : 0;
    if (rokuyo == 0) return;
    const int h = std::abs(Fonts[cfRokuyo].Height);
    c.TextRect.Bottom = rect.Bottom - h;
    c.StripRect = rect;
    c.StripRect.Top = rect.Bottom - h + 1;
    c.Strip = RokuyoNames[static_cast<size_t>(rokuyo)];
    c.StripFilled = invert;
    c.StripFill = clHighlight;
    c.StripColor = shade(Fonts[cfRokuyo].Color);
}

TCalCellPaint TMonthlyCalendar::Paint(int width, int height, int col, int row) const {
    TCalCellPaint c;
    const TGridRect rect = GridCellRect(width, height, RowCount(), col, row);
    if (row == 0) {
        c.Filled = true;
        c.FillRect = c.TextRect = rect;
        c.Fill = DayOfWeekBkColor;
        c.Font = cfDayOfWeek;
        c.TextColor = Fonts[cfDayOfWeek].Color;
        c.Text = ShortDayName((Grid.FirstDayOfWeek + col) % 7);
        c.NoClip = true;
        return c;
    }
    const TDayCell day = DayCellOf(julius_, Grid, col, row, ShowNeighbor);
    if (!day.Shown) return c;
    const bool selected = day.InMonth && day.Day == julius_;
    DayText(c, day.Day, rect, day.InMonth, selected);
    if (selected) {
        // The inverted cell: filled in the day's own font colour.
        c.Filled = true;
        c.FillRect = rect;
        c.Fill = Fonts[c.Font].Color;
    }
    return c;
}

TCalCellText TMonthlyCalendar::CellText(int col, int row) const {
    static constexpr std::string_view weekdays[] = {"日曜日", "月曜日", "火曜日", "水曜日",
                                                    "木曜日", "金曜日", "土曜日"};
    TCalCellText t;
    if (row == 0) {
        t.Shown = t.Header = true;
        t.Name = weekdays[(Grid.FirstDayOfWeek + col) % 7];
        return t;
    }
    const TDayCell day = DayCellOf(julius_, Grid, col, row, ShowNeighbor);
    if (!day.Shown) return t;
    const TJDate d = JuliusToDate(day.Day);
    t.Shown = true;
    t.Selected = day.InMonth && day.Day == julius_;
    t.Name = std::to_string(d.year) + "年" + std::to_string(d.month) + "月" +
             std::to_string(d.day) + "日 " + std::string(weekdays[JuliusDayOfWeek(day.Day) - 1]);
    t.Description = GetDayNames(d.year, d.month, d.day);
    if (const int r = Rokuyo(day.Day); r > 0) {
        if (!t.Description.empty()) t.Description += " ";
        t.Description += RokuyoNames[r];
    }
    return t;
}

TBrMCalendar::TBrMCalendar(int32_t today) : TMonthlyCalendar(today), Today(today) {
    DayOfWeekBkColor = 0xE1E1E1;
    ShowNeighbor = true;
    Grid.AutoResize = false;
}

TCalCellPaint TBrMCalendar::Paint(int width, int height, int col, int row) const {
    TCalCellPaint c;
    const TGridRect rect = GridCellRect(width, height, RowCount(), col, row);
    if (row == 0) {
        c.Filled = true;
        c.FillRect = {rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom};
        c.Fill = DayOfWeekBkColor;
        c.Text = ShortDayName((Grid.FirstDayOfWeek + col) % 7);
        c.TextRect = rect;
        c.Font = cfDayOfWeek;
        c.TextColor = c.Text == "日" ? clRed : c.Text == "土" ? clBlue : clWindowText;
        c.NoClip = true;
    } else {
        const int32_t jd = FirstCellDay() + 7 * (row - 1) + col;
        const bool inMonth = InDisplayedMonth(jd);
        if (inMonth || ShowNeighbor) {
            DayText(c, jd, rect, inMonth, false);
            if (inMonth && IsCursor && jd == JuliusDay())
                c.Fill = kCursorColor;
            else if (inMonth && jd == Today)
                c.Fill = ColorToDay;
            c.Filled = inMonth && ((IsCursor && jd == JuliusDay()) || jd == Today);
            c.FillRect = rect;
        }
    }
    if (Keisen) {
        // The outermost edges of the grid get no line.
        const TColor pen = row == 0 ? clBtnShadow : clSilver;
        if (width > rect.Right + 1)
            c.Lines.push_back({rect.Right, rect.Top, rect.Right, rect.Bottom, pen});
        if (height > rect.Bottom + 1)
            c.Lines.push_back({rect.Left, rect.Bottom, rect.Right, rect.Bottom, pen});
    }
    return c;
}

bool TMonthlyCalendar::TableKey(int tableKey) {
    static const std::pair<int, TMonthGridKey> keys[] = {
        {tkey::Right, TMonthGridKey::Right},   {tkey::Left, TMonthGridKey::Left},
        {tkey::Up, TMonthGridKey::Up},         {tkey::Down, TMonthGridKey::Down},
        {tkey::PageUp, TMonthGridKey::PageUp}, {tkey::PageDown, TMonthGridKey::PageDown}};
    for (const auto& [key, step] : keys)
        if (key == tableKey) {
            Key(step);
            return true;
        }
    return false;
}

} // namespace tolmo
