// The month calendar control without its window: the selected day, the fonts and options, what a
// click or a key does, and what each cell shows (fill, text, colours, rokuyo strip, grid lines).
// TMonthlyCalendar draws the plain grid; TBrMCalendar is the program's own look.
#pragma once

#include "app/Colors.h"
#include "calendar/DayClassifier.h"
#include "calendar/MonthGrid.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace tolmo {

// A font by its face name and pixel height, with the colour of its text.
struct TCalExFont {
    std::string Face = "ＭＳ Ｐゴシック";
    int Height = 16;
    TColor Color = clBlack;
};
// Indexed by TCalExFontIndex.
using TCalExFonts = std::array<TCalExFont, 7>;

struct TCalLine {
    int X1, Y1, X2, Y2;
    TColor Color;
};

// One cell as it is drawn, in client coordinates: the fill (when Filled), the text centred in
// TextRect, the rokuyo strip below it, then the grid lines.
struct TCalCellPaint {
    bool Filled = false;
    TGridRect FillRect;
    TColor Fill = 0;
    std::string Text;
    TGridRect TextRect;
    TCalExFontIndex Font = cfWeekday;
    TColor TextColor = 0;
    bool NoClip = false;
    std::string Strip; // the rokuyo name; empty: no strip
    TGridRect StripRect;
    bool StripFilled = false;
    TColor StripFill = 0, StripColor = 0;
    std::vector<TCalLine> Lines;
};

// A cell as it is read out: the weekday of a header cell, the date of a day cell ("2026年5月3日
// 日曜日"), the day's holiday names and rokuyo as its description.
struct TCalCellText {
    bool Shown = false;
    bool Header = false;
    bool Selected = false; // the selected day
    std::string Name, Description;
};

class TMonthlyCalendar : public TDayClassifier {
  public:
    explicit TMonthlyCalendar(int32_t today);

    int32_t JuliusDay() const { return julius_; }
    // A new day redraws and reports the day change; the same day does nothing.
    void SetJuliusDay(int32_t jd);
    int32_t Year() const;
    int Month() const;
    int Day() const;
    // A component that would make a date IsValidDate rejects is ignored.
    void SetYear(int32_t y) { SetJuliusDay(WithYear(julius_, y)); }
    void SetMonth(int m) { SetJuliusDay(WithMonth(julius_, m)); }
    void SetDay(int d) { SetJuliusDay(WithDay(julius_, d)); }
    void SetHolidayLines(std::vector<std::string> lines);

    // A click on cell (col, row 0 = header) and a navigation key.
    void Click(int col, int row);
    void Key(TMonthGridKey key) { SetJuliusDay(MonthGridStep(julius_, key)); }
    // A key of the command tables: the arrows and Page Up/Down move the day; false for others.
    bool TableKey(int tableKey);

    int32_t FirstCellDay() const { return tolmo::FirstCellDay(julius_, Grid); }
    int RowCount() const { return MonthGridRows(julius_, Grid); }
    bool InDisplayedMonth(int32_t jd) const {
        return jd >= MonthFirstDay(julius_) && jd <= MonthLastDay(julius_);
    }
    // Cell (col, row) of a client area width x height, and what it shows there.
    virtual TCalCellPaint Paint(int width, int height, int col, int row) const;
    TCalCellText CellText(int col, int row) const;

    // The options; after changing them call Redraw.
    TCalExFonts Fonts;
    TMonthGridOptions Grid;
    TColor Color = clWindow;
    TColor NeighborColor = clSilver;
    TColor DayOfWeekBkColor = clNavy;
    bool ShowNeighbor = false;
    bool NeighborJump = false;
    bool ShowRokuyo = false;

    std::function<void(int32_t y, int m, int d)> OnDayChange;
    std::function<void()> OnRedraw; // the picture changed
    void Redraw() const {
        if (OnRedraw) OnRedraw();
    }

  protected:
    // The day number of a day cell with its rokuyo strip; days of other months have their
    // colours OR-ed with NeighborColor, inverted text is drawn in Color.
    void DayText(TCalCellPaint& c, int32_t jd, const TGridRect& rect, bool inMonth,
                 bool invert) const;

  private:
    int32_t julius_;
};

class TBrMCalendar : public TMonthlyCalendar {
  public:
    explicit TBrMCalendar(int32_t today);

    TCalCellPaint Paint(int width, int height, int col, int row) const override;

    bool Keisen = false;   // grid lines
    bool IsCursor = false; // fill the selected day with kCursorColor
    TColor ColorToDay = 0xD0FFD5;
    int32_t Today; // the system date when the control was made

    static constexpr TColor kCursorColor = 0xFFFFB9;
};

} // namespace tolmo
