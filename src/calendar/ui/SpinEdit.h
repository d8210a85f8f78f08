// The date dialog's numeric fields and their up-down control.
#pragma once

#include "calendar/DateFields.h"

#include <QLineEdit>
#include <QWidget>
#include <functional>

class QToolButton;

namespace tolmo {

// A borderless field that takes digits only, overwriting from the caret; focused it turns
// light cyan with blue text; Ctrl+Left and Ctrl+Right move to the neighbouring field.
class TBrEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit TBrEdit(int maxLength, QWidget* parent = nullptr);

    TBrEdit* KeyLeftNext = nullptr;
    TBrEdit* KeyRightNext = nullptr;
    // Set while a typed digit is being placed.
    bool Placing() const { return placing_; }

    std::function<void()> OnEnter;        // the field received the focus
    std::function<void()> OnKeyUp;        // a key was released
    std::function<void(int)> OnArrowStep; // Up (+1) or Down (-1)

  protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

  private:
    bool placing_ = false;
};

// An up-down control attached to one field at a time; it never wraps. A step inside the range
// writes the new position into the field; a step past it is reported instead.
class TUpDown : public QWidget {
    Q_OBJECT
  public:
    explicit TUpDown(QWidget* parent = nullptr);

    void Associate(QLineEdit* field); // nullptr detaches
    QLineEdit* Associated() const { return field_; }
    void SetRange(int min, int max);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetMax(int max) { max_ = max; }
    int Position() const { return position_; }
    void SetPosition(int p) { position_ = p; }
    // +1 up, -1 down; the position is first read back from the field.
    void Step(int dir);

    std::function<void()> OnBeforeStep;
    std::function<void()> OnLimit;

  private:
    QToolButton* up_;
    QToolButton* down_;
    QLineEdit* field_ = nullptr;
    int min_ = 1, max_ = 100, position_ = 1;
};

} // namespace tolmo
