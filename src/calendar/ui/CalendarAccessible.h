// The month calendar as assistive technology sees it: a table whose children are the weekday
// headers and the day cells, each named with its date and described by its holidays and rokuyo.
#pragma once

#include <QAccessibleWidget>

#include <vector>

namespace tolmo {

class TCalendarView;

class TCalendarAccessible : public QAccessibleWidget {
  public:
    explicit TCalendarAccessible(TCalendarView* view);
    ~TCalendarAccessible() override;

    // Makes Qt build this interface for every calendar view.
    static void Install();
    // The selected day moved: tells the reader which cell has the focus now.
    static void DayChanged(TCalendarView* view);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text t) const override;

    TCalendarView* View() const;
    int SelectedIndex() const; // the selected day's cell, -1 when none shows

  private:
    mutable std::vector<QAccessible::Id> cells_; // created as they are asked for
};

} // namespace tolmo
