// TBrMCalendar's cells: cursor and today fills, header colours, grid lines.
#include "calendar/ui/DialogCalendar.h"

#include "calendar/DateText.h"

#include <QPainter>

namespace tolmo {

TBrMCalendar::TBrMCalendar(QWidget* parent) : TMonthlyCalendar(parent), today_(JuliusDay()) {
    SetDayOfWeekBkColor(0xE1E1E1);
    SetShowNeighbor(true);
    SetAutoResize(false);
    for (int i = cfWeekday; i <= cfSpecialDay; ++i) {
        TCalExFont f = Fonts().Get(TCalExFontIndex(i));
        f.font.setPointSize(12);
        Fonts().Set(TCalExFontIndex(i), f);
    }
}

void TBrMCalendar::DrawCell(QPainter& p, int k, int r, const QRect& rect) {
    if (r == 0) {
        const QRect fill = rect.adjusted(1, 1, 0, 0);
        p.fillRect(fill, ToQColor(DayOfWeekBkColor()));
        const std::string_view name = ShortDayName((FirstDayOfWeek() + k) % 7);
        const TColor c = name == "日" ? clRed : name == "土" ? clBlue : clWindowText;
        p.setFont(FontOf(cfDayOfWeek));
        p.setPen(ToQColor(c));
        p.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip,
                   QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    } else {
        const int32_t jd = FirstCellDay() + 7 * (r - 1) + k;
        const bool inMonth = InDisplayedMonth(jd);
        if (inMonth || ShowNeighbor()) {
            const bool cursor = inMonth && isCursor_ && jd == JuliusDay();
            if (cursor)
                p.fillRect(rect, ToQColor(kCursorColor));
            else if (inMonth && jd == today_)
                p.fillRect(rect, ToQColor(colorToDay_));
            DrawDayText(p, jd, rect, inMonth, false, false);
        }
    }
    if (!keisen_) return;
    p.setPen(ToQColor(r == 0 ? clBtnShadow : clSilver));
    // Exclusive edges; the outermost edges of the grid get no line.
    const int right = rect.right() + 1, bottom = rect.bottom() + 1;
    if (bitmap_.width() > right) p.drawLine(right - 1, rect.top(), right - 1, bottom - 1);
    if (bitmap_.height() > bottom) p.drawLine(rect.left(), bottom - 1, right - 1, bottom - 1);
}

} // namespace tolmo
