// The calendar control: selected day, fonts, lists, bitmap; the month grid, its cells and input.
#include "calendar/ui/MonthCalendar.h"

#include "calendar/DateText.h"
#include "calendar/JulianDay.h"

#include <QDate>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tolmo {

namespace {

int32_t TodayJulius() {
    const QDate d = QDate::currentDate();
    return DateToJulius(d.year(), d.month(), d.day());
}

std::vector<std::string> ToLines(const QStringList& lines) {
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(lines.size()));
    for (const QString& s : lines)
        out.push_back(s.toStdString());
    return out;
}

} // namespace

// ---- TCustomCalendarEx ----

TCustomCalendarEx::TCustomCalendarEx(QWidget* parent) : QFrame(parent), julius_(TodayJulius()) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    fonts_.OnChange = [this] { Invalidate(); };
}

void TCustomCalendarEx::SetJuliusDay(int32_t jd) {
    if (jd == julius_) return;
    julius_ = jd;
    Invalidate();
    const TJDate d = JuliusToDate(jd);
    DoDayChange(d.year, d.month, d.day);
}

int32_t TCustomCalendarEx::Year() const {
    return JuliusToDate(julius_).year;
}
int TCustomCalendarEx::Month() const {
    return JuliusToDate(julius_).month;
}
int TCustomCalendarEx::Day() const {
    return JuliusToDate(julius_).day;
}

void TCustomCalendarEx::SetYear(int32_t y) {
    const TJDate d = JuliusToDate(julius_);
    if (IsValidDate(y, d.month, d.day)) SetJuliusDay(DateToJulius(y, d.month, d.day));
}

void TCustomCalendarEx::SetMonth(int m) {
    const TJDate d = JuliusToDate(julius_);
    if (m >= 1 && m <= 12 && IsValidDate(d.year, m, d.day))
        SetJuliusDay(DateToJulius(d.year, m, d.day));
}

void TCustomCalendarEx::SetDay(int day) {
    const TJDate d = JuliusToDate(julius_);
    if (day >= 1 && day <= 31 && IsValidDate(d.year, d.month, day))
        SetJuliusDay(DateToJulius(d.year, d.month, day));
}

void TCustomCalendarEx::SetHolidayLines(const QStringList& lines) {
    SetHolidayList(ToLines(lines));
    Invalidate();
}

void TCustomCalendarEx::SetSpecialDayLines(const QStringList& lines) {
    SetSpecialDayList(ToLines(lines));
    Invalidate();
}

void TCustomCalendarEx::NextMonth() {
    const TJDate d = JuliusToDate(julius_);
    const int32_t y = d.month == 12 ? d.year + 1 : d.year;
    const int m = d.month == 12 ? 1 : d.month + 1;
    const int day = std::min<int>(d.day, DaysInMonth(y, m));
    SetJuliusDay(DateToJulius(y, m, day));
}

void TCustomCalendarEx::PrevMonth() {
    const TJDate d = JuliusToDate(julius_);
    const int32_t y = d.month == 1 ? d.year - 1 : d.year;
    const int m = d.month == 1 ? 12 : d.month - 1;
    const int day = std::min<int>(d.day, DaysInMonth(y, m));
    SetJuliusDay(DateToJulius(y, m, day));
}

void TCustomCalendarEx::Invalidate() {
    RedrawCalendar();
    update();
}

void TCustomCalendarEx::RedrawCalendar() {
    // The bitmap follows the client area, also before the first resize event of a hidden widget.
    const QSize s = contentsRect().size();
    if (bitmap_.size() != s) bitmap_ = s.isEmpty() ? QPixmap() : QPixmap(s);
    if (bitmap_.isNull()) return;
    bitmap_.fill(ToQColor(color_));
}

void TCustomCalendarEx::DoDayChange(int32_t y, int m, int d) {
    if (OnDayChange) OnDayChange(y, m, d);
    emit DayChanged(y, m, d);
}

QFont TCustomCalendarEx::FontOf(TCalExFontIndex i) const {
    QFont f = fonts_.Get(i).font;
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void TCustomCalendarEx::paintEvent(QPaintEvent* e) {
    QFrame::paintEvent(e);
    QPainter p(this);
    p.drawPixmap(contentsRect().topLeft(), bitmap_);
}

void TCustomCalendarEx::resizeEvent(QResizeEvent* e) {
    QFrame::resizeEvent(e);
    Invalidate();
}

// ---- TMonthlyCalendar ----

TMonthlyCalendar::TMonthlyCalendar(QWidget* parent) : TCustomCalendarEx(parent) {}

int32_t TMonthlyCalendar::MonthFirstDay() const {
    const TJDate d = JuliusToDate(JuliusDay());
    return DateToJulius(d.year, d.month, 1);
}

int32_t TMonthlyCalendar::MonthLastDay() const {
    const TJDate d = JuliusToDate(JuliusDay());
    return DateToJulius(d.year, d.month, 1) + DaysInMonth(d.year, d.month) - 1;
}

int32_t TMonthlyCalendar::FirstCellDay() const {
    const int32_t j1 = MonthFirstDay();
    const int w1 = JuliusDayOfWeek(j1);
    int32_t f = j1 - ((w1 + 7 - (firstDayOfWeek_ + 1)) % 7);
    if (!firstRowFirstDay_ && f == j1) f = j1 - 7;
    return f;
}

int TMonthlyCalendar::RowCount() const {
    if (!autoResize_) return 7;
    const int32_t f = FirstCellDay(), l = MonthLastDay();
    int rows = (l - f) / 7 + 2;
    if (!lastRowLastDay_ && (l - f + 1) % 7 == 0) ++rows;
    return rows;
}

QRect TMonthlyCalendar::CellRect(int k, int r) const {
    const int w = contentsRect().width(), h = contentsRect().height();
    const int rows = RowCount();
    const int x0 = static_cast<int>(int64_t(w) * k / 7),
              x1 = static_cast<int>(int64_t(w) * (k + 1) / 7);
    const int y0 = static_cast<int>(int64_t(h) * r / rows),
              y1 = static_cast<int>(int64_t(h) * (r + 1) / rows);
    return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
}

bool TMonthlyCalendar::CellFromPoint(int x, int y, int& col, int& row) const {
    const int rows = RowCount();
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < 7; ++k)
            if (CellRect(k, r).contains(x, y)) {
                col = k;
                row = r;
                return true;
            }
    return false;
}

void TMonthlyCalendar::RedrawCalendar() {
    TCustomCalendarEx::RedrawCalendar();
    if (bitmap_.isNull()) return;
    QPainter p(&bitmap_);
    const int rows = RowCount();
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < 7; ++k)
            DrawCell(p, k, r, CellRect(k, r));
}

void TMonthlyCalendar::DrawDayText(QPainter& p, int32_t jd, const QRect& rect, bool inMonth,
                                   bool invertText, bool invertStrip) {
    const TJDate d = JuliusToDate(jd);
    const TCalExFontIndex fi = GetDayFont(d.year, d.month, d.day);
    auto shade = [&](TColor c) { return inMonth ? c : (c | neighborColor_); };
    p.setFont(FontOf(fi));
    p.setPen(ToQColor(invertText ? Color() : shade(Fonts().Get(fi).color)));
    const QString num = QString::number(d.day);
    const int rokuyo = showRokuyo_ ? Rokuyo(jd) : 0;
    if (rokuyo == 0) {
        p.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, num);
        return;
    }
    const QFont rf = FontOf(cfRokuyo);
    const int h = rf.pixelSize() > 0 ? rf.pixelSize() : QFontMetrics(rf).height();
    QRect upper = rect, strip = rect;
    upper.setBottom(rect.bottom() - h);
    strip.setTop(rect.bottom() - h + 1);
    p.drawText(upper, Qt::AlignCenter | Qt::TextSingleLine, num);
    if (invertStrip) p.fillRect(strip, ToQColor(clHighlight));
    p.setFont(rf);
    p.setPen(ToQColor(invertStrip ? Color() : shade(Fonts().Rokuyo().color)));
    const std::string_view name = RokuyoNames[static_cast<size_t>(rokuyo)];
    p.drawText(strip, Qt::AlignCenter | Qt::TextSingleLine,
               QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

void TMonthlyCalendar::DrawCell(QPainter& p, int k, int r, const QRect& rect) {
    if (r == 0) {
        p.fillRect(rect, ToQColor(dayOfWeekBkColor_));
        p.setFont(FontOf(cfDayOfWeek));
        p.setPen(ToQColor(Fonts().DayOfWeek().color));
        p.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip,
                   QString::fromUtf8(ShortDayName((firstDayOfWeek_ + k) % 7).data()));
        return;
    }
    const int32_t jd = FirstCellDay() + 7 * (r - 1) + k;
    const bool inMonth = InDisplayedMonth(jd);
    if (!inMonth && !showNeighbor_) return;
    const bool selected = inMonth && jd == JuliusDay();
    if (selected) {
        const TJDate d = JuliusToDate(jd);
        p.fillRect(rect, ToQColor(Fonts().Get(GetDayFont(d.year, d.month, d.day)).color));
    }
    DrawDayText(p, jd, rect, inMonth, selected, selected);
}

void TMonthlyCalendar::mousePressEvent(QMouseEvent* e) {
    TCustomCalendarEx::mousePressEvent(e);
    const QPoint pt = e->position().toPoint() - contentsRect().topLeft();
    int k, r;
    if (!CellFromPoint(pt.x(), pt.y(), k, r) || r == 0) return;
    const int32_t jd = FirstCellDay() + 7 * (r - 1) + k;
    if (!InDisplayedMonth(jd) && !neighborJump_) return;
    SetJuliusDay(jd);
}

void TMonthlyCalendar::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Right:
        NextDay();
        break;
    case Qt::Key_Left:
        PrevDay();
        break;
    case Qt::Key_Up:
        SetJuliusDay(JuliusDay() - 7);
        break;
    case Qt::Key_Down:
        SetJuliusDay(JuliusDay() + 7);
        break;
    case Qt::Key_PageUp:
        PrevMonth();
        break;
    case Qt::Key_PageDown:
        NextMonth();
        break;
    default:
        TCustomCalendarEx::keyPressEvent(e);
        return;
    }
    e->accept();
}

} // namespace tolmo
