// The month calendar's accessible table and its cells.
#include "calendar/ui/CalendarAccessible.h"

#include "calendar/ui/CalendarView.h"

#include <QPointer>

namespace tolmo {

namespace {

// One cell: index = row * 7 + col, row 0 the weekday headers.
class TCalendarCell : public QAccessibleInterface {
  public:
    TCalendarCell(TCalendarView* view, int index) : view_(view), index_(index) {}

    bool isValid() const override { return view_ && index_ < 7 * view_->Calendar().RowCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent() ? parent()->window() : nullptr; }
    QAccessibleInterface* parent() const override {
        return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        const TCalCellText c = cell();
        if (t == QAccessible::Name) return QString::fromStdString(c.Name);
        if (t == QAccessible::Description) return QString::fromStdString(c.Description);
        return {};
    }
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect r = view_->CellRect(index_ % 7, index_ / 7);
        return QRect(view_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override {
        return index_ < 7 ? QAccessible::ColumnHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const TCalCellText c = cell();
        s.invisible = !c.Shown;
        if (!c.Header) {
            s.selectable = s.focusable = true;
            s.selected = c.Selected;
            s.focused = c.Selected && view_->hasFocus();
        }
        return s;
    }

  private:
    TCalCellText cell() const { return view_->Calendar().CellText(index_ % 7, index_ / 7); }
    QPointer<TCalendarView> view_;
    int index_;
};

QAccessibleInterface* calendarFactory(const QString&, QObject* object) {
    if (auto* v = qobject_cast<TCalendarView*>(object)) return new TCalendarAccessible(v);
    return nullptr;
}

} // namespace

TCalendarAccessible::TCalendarAccessible(TCalendarView* view)
    : QAccessibleWidget(view, QAccessible::Table) {}

TCalendarAccessible::~TCalendarAccessible() {
    for (const QAccessible::Id id : cells_)
        if (id) QAccessible::deleteAccessibleInterface(id);
}

void TCalendarAccessible::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(calendarFactory);
        return true;
    }();
    (void)installed;
}

void TCalendarAccessible::DayChanged(TCalendarView* view) {
    if (!QAccessible::isActive()) return;
    auto* iface = static_cast<TCalendarAccessible*>(QAccessible::queryAccessibleInterface(view));
    const int index = iface ? iface->SelectedIndex() : -1;
    if (index < 0) return;
    QAccessibleEvent ev(iface->child(index),
                        view->hasFocus() ? QAccessible::Focus : QAccessible::Selection);
    QAccessible::updateAccessibility(&ev);
}

TCalendarView* TCalendarAccessible::View() const {
    return static_cast<TCalendarView*>(widget());
}

QString TCalendarAccessible::text(QAccessible::Text t) const {
    QString s = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && s.isEmpty()) {
        const TMonthlyCalendar& c = View()->Calendar();
        s = QStringLiteral("%1年%2月").arg(c.Year()).arg(c.Month());
    }
    return s;
}

int TCalendarAccessible::childCount() const {
    return 7 * View()->Calendar().RowCount();
}

QAccessibleInterface* TCalendarAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    if (cells_.size() <= static_cast<size_t>(index)) cells_.resize(index + 1, 0);
    if (!cells_[index])
        cells_[index] = QAccessible::registerAccessibleInterface(new TCalendarCell(View(), index));
    return QAccessible::accessibleInterface(cells_[index]);
}

int TCalendarAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (size_t i = 0; i < cells_.size(); ++i)
        if (cells_[i] && QAccessible::accessibleInterface(cells_[i]) == child)
            return static_cast<int>(i);
    return -1;
}

QAccessibleInterface* TCalendarAccessible::childAt(int x, int y) const {
    const QPoint p = View()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < childCount(); ++i)
        if (View()->CellRect(i % 7, i / 7).contains(p)) return child(i);
    return nullptr;
}

int TCalendarAccessible::SelectedIndex() const {
    for (int i = 7; i < childCount(); ++i)
        if (View()->Calendar().CellText(i % 7, i / 7).Selected) return i;
    return -1;
}

QAccessibleInterface* TCalendarAccessible::focusChild() const {
    const int i = View()->hasFocus() ? SelectedIndex() : -1;
    return i < 0 ? nullptr : child(i);
}

} // namespace tolmo
