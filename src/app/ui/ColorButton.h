// Colour values on screen: the Qt colour of a 0x00BBGGRR value (system colours from the palette)
// and TColorButton, a button that shows a colour and lets the user choose another (or, where
// the item allows it, "no colour": the editor's own).
#pragma once

#include "app/Colors.h"

#include <QColor>
#include <QPalette>
#include <QToolButton>

QColor ColorToQColor(TColor c, const QPalette& pal);
TColor QColorToColor(const QColor& c);

class TColorButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(int colorValue READ ColorValue WRITE SetColorValue NOTIFY ColorChanged)
  public:
    // allowNone: the menu offers "既定の色" (clNone).
    explicit TColorButton(bool allowNone, QWidget* parent = nullptr);
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    int ColorValue() const { return static_cast<int>(color_); }
    void SetColorValue(int c) { SetColor(static_cast<TColor>(c)); }
    // The colour dialog (replaceable by tests): the chosen colour, or an invalid one.
    static QColor (*ChooseColor)(const QColor& start, QWidget* parent);

  signals:
    void ColorChanged(TColor c);

  private:
    void choose();
    void paintSwatch();
    TColor color_ = clBlack;
    bool allowNone_;
};
