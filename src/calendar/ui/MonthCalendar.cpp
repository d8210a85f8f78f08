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
    SetJuliusDay(WithYear(julius_, y));
}

void TCustomCalendarEx::SetMonth(int m) {
    SetJuliusDay(WithMonth(julius_, m));
}

void TCustomCalendarEx::SetDay(int day) {
    SetJuliusDay(WithDay(julius_, day));
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
    SetJuliusDay(AddMonth(julius_, 1));
}

void TCustomCalendarEx::PrevMonth() {
    SetJuliusDay(AddMonth(julius_, -1));
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
    return tolmo::MonthFirstDay(JuliusDay());
}

int32_t TMonthlyCalendar::MonthLastDay() const {
    return tolmo::MonthLastDay(JuliusDay());
}

int32_t TMonthlyCalendar::FirstCellDay() const {
    return tolmo::FirstCellDay(JuliusDay(), grid_);
}

int TMonthlyCalendar::RowCount() const {
    return MonthGridRows(JuliusDay(), grid_);
}

QRect TMonthlyCalendar::CellRect(int k, int r) const {
    const TGridRect g =
        GridCellRect(contentsRect().width(), contentsRect().height(), RowCount(), k, r);
    return QRect(QPoint(g.Left, g.Top), QPoint(g.Right, g.Bottom));
}

bool TMonthlyCalendar::CellFromPoint(int x, int y, int& col, int& row) const {
    return GridCellFromPoint(contentsRect().width(), contentsRect().height(), RowCount(), x, y, col,
                             row);
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
                   QString::fromUtf8(ShortDayName((grid_.FirstDayOfWeek + k) % 7).data()));
        return;
    }
    const TDayCell c = DayCellOf(JuliusDay(), grid_, k, r, showNeighbor_);
    if (!c.Shown) return;
    const bool selected = c.InMonth && c.Day == JuliusDay();
    if (selected) {
        const TJDate d = JuliusToDate(c.Day);
        p.fillRect(rect, ToQColor(Fonts().Get(GetDayFont(d.year, d.month, d.day)).color));
    }
    DrawDayText(p, c.Day, rect, c.InMonth, selected, selected);
}

void TMonthlyCalendar::mousePressEvent(QMouseEvent* e) {
    TCustomCalendarEx::mousePressEvent(e);
    const QPoint pt = e->position().toPoint() - contentsRect().topLeft();
    int k, r;
    if (!CellFromPoint(pt.x(), pt.y(), k, r)) return;
    if (const std::optional<int32_t> jd = ClickedDay(JuliusDay(), grid_, k, r, neighborJump_))
        SetJuliusDay(*jd);
}

void TMonthlyCalendar::keyPressEvent(QKeyEvent* e) {
    TMonthGridKey key;
    switch (e->key()) {
    case Qt::Key_Right:
        key = TMonthGridKey::Right;
        break;
    case Qt::Key_Left:
        key = TMonthGridKey::Left;
        break;
    case Qt::Key_Up:
        key = TMonthGridKey::Up;
        break;
    case Qt::Key_Down:
        key = TMonthGridKey::Down;
        break;
    case Qt::Key_PageUp:
        key = TMonthGridKey::PageUp;
        break;
    case Qt::Key_PageDown:
        key = TMonthGridKey::PageDown;
        break;
    default:
        TCustomCalendarEx::keyPressEvent(e);
        return;
    }
    SetJuliusDay(MonthGridStep(JuliusDay(), key));
    e->accept();
}

} // namespace tolmo
