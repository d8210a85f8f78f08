// The month calendar's window: painting the computed cells, clicks and keys.
#include "calendar/ui/CalendarView.h"

#include "app/ui/ColorButton.h"
#include "app/ui/QtFont.h"
#include "calendar/ui/CalendarAccessible.h"
#include "editor/ui/QtConversions.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <array>
#include <optional>

namespace tolmo {

namespace {

QColor Colour(TColor c) {
    return ColorToQColor(c, QApplication::palette());
}

QRect Q(const TGridRect& r) {
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom));
}

// A calendar font's height is its character cell, ascent and descent together, as the calendar's
// cells were measured for; Qt's pixel size is the em. A two-digit day must also leave a quarter
// of its cell blank: drawn as wide as the cell, "15161718" ran together. The Japanese fonts at
// hand have wider digits than the ones the cells were measured for, so the size is fitted to both.
QFont FittedFont(const TCalExFont& wanted, int cellWidth) {
    QFont f = ToQFont(FaceFontRequest(wanted.Face, wanted.Height));
    f.setStyleStrategy(QFont::PreferAntialias);
    for (int px = wanted.Height; px > 6; --px) {
        f.setPixelSize(px);
        const QFontMetrics m(f);
        if (m.height() <= wanted.Height &&
            m.horizontalAdvance(QStringLiteral("28")) * 4 <= cellWidth * 3)
            break;
    }
    return f;
}

} // namespace

TCalendarView::TCalendarView(TMonthlyCalendar& calendar, QWidget* parent)
    : QFrame(parent), cal_(calendar) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    cal_.OnRedraw = [this] { update(); };
    TCalendarAccessible::Install();
    connect(this, &TCalendarView::Input, this, [this] { TCalendarAccessible::DayChanged(this); });
}

QRect TCalendarView::CellRect(int col, int row) const {
    const QRect client = contentsRect();
    return Q(GridCellRect(client.width(), client.height(), cal_.RowCount(), col, row))
        .translated(client.topLeft());
}

void TCalendarView::paintEvent(QPaintEvent* e) {
    QFrame::paintEvent(e);
    QPainter p(this);
    const QRect client = contentsRect();
    p.setClipRect(client);
    p.translate(client.topLeft());
    p.fillRect(QRect(QPoint(0, 0), client.size()), Colour(cal_.Color));
    const int cellWidth = client.width() / 7;
    // Each font is fitted once a paint, not once a cell.
    std::array<std::optional<QFont>, std::tuple_size_v<TCalExFonts>> fitted;
    auto font = [&](TCalExFontIndex i) -> const QFont& {
        if (!fitted[i]) fitted[i] = FittedFont(cal_.Fonts[i], cellWidth);
        return *fitted[i];
    };
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    for (int r = 0; r < cal_.RowCount(); ++r)
        for (int k = 0; k < 7; ++k) {
            const TCalCellPaint c = cal_.Paint(client.width(), client.height(), k, r);
            if (c.Filled) p.fillRect(Q(c.FillRect), Colour(c.Fill));
            if (!c.Text.empty()) {
                p.setFont(font(c.Font));
                p.setPen(Colour(c.TextColor));
                p.drawText(Q(c.TextRect), flags | (c.NoClip ? Qt::TextDontClip : 0),
                           QString::fromStdString(c.Text));
            }
            if (!c.Strip.empty()) {
                if (c.StripFilled) p.fillRect(Q(c.StripRect), Colour(c.StripFill));
                p.setFont(font(cfRokuyo));
                p.setPen(Colour(c.StripColor));
                p.drawText(Q(c.StripRect), flags, QString::fromStdString(c.Strip));
            }
            for (const TCalLine& l : c.Lines) {
                p.setPen(Colour(l.Color));
                p.drawLine(l.X1, l.Y1, l.X2, l.Y2);
            }
        }
}

void TCalendarView::mousePressEvent(QMouseEvent* e) {
    QFrame::mousePressEvent(e);
    const QPoint pt = e->position().toPoint() - contentsRect().topLeft();
    int k, r;
    if (!GridCellFromPoint(contentsRect().width(), contentsRect().height(), cal_.RowCount(), pt.x(),
                           pt.y(), k, r))
        return;
    cal_.Click(k, r);
    emit Input();
}

void TCalendarView::keyPressEvent(QKeyEvent* e) {
    if (!cal_.TableKey(ToTableKey(e->key(), {}))) return QFrame::keyPressEvent(e);
    emit Input();
}

} // namespace tolmo
