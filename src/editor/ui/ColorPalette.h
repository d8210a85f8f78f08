// TColorPalette: a grid of 13 x 5 colour cells with a raised edge. A left button press picks the
// foreground, a right press the background, dragging with the button down keeps picking; the
// arrow keys move a focus cell, F and B pick it.
#pragma once

#include "editor/ColorPaletteModel.h"

#include <QWidget>

class TColorPalette : public QWidget {
    Q_OBJECT
  public:
    explicit TColorPalette(QWidget* parent = nullptr);

    TColorPaletteModel& Model() { return model_; }
    const TColorPaletteModel& Model() const { return model_; }
    int ForegroundIndex() const { return model_.ForegroundIndex(); }
    int BackgroundIndex() const { return model_.BackgroundIndex(); }
    TColor ForegroundColor() const { return model_.ForegroundColor(); }
    TColor BackgroundColor() const { return model_.BackgroundColor(); }
    void SetForegroundColor(TColor c);
    void SetBackgroundColor(TColor c);

    QSize sizeHint() const override { return {208, 80}; }

  signals:
    void Change(); // a pick changed the foreground or the background

  protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    QRect GridRect() const;
    void PickAt(QPoint p, bool background);
    TColorPaletteModel model_;
    Qt::MouseButton dragButton_ = Qt::NoButton;
};
