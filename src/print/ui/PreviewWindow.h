// TPreviewWindow: the laid-out pages one at a time, in actual size or fitted to the window's
// width or height, scrolled with the wheel or dragged with the hand.
#pragma once

#include "app/ui/FormView.h"
#include "print/PreviewLayout.h"

#include <QDialog>
#include <QImage>
#include <QWidget>

class QScrollArea;
struct TLaidOutPages;

// The page image inside the scroll box; a left-button drag scrolls the box.
class TPreviewImage : public QWidget {
    Q_OBJECT
  public:
    explicit TPreviewImage(QScrollArea* box);
    QImage Image;

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

  private:
    QScrollArea* box_;
    TPreviewHand hand_;
};

class TPreviewWindow : public QDialog {
    Q_OBJECT
  public:
    TPreviewWindow(const TLaidOutPages& doc, QWidget* parent = nullptr);

    TPreviewModel Model;
    TFormView* Form;
    QScrollArea* ScrollBox1;
    TPreviewImage* Image1;

    // Screen pixels per printer pixel.
    double Ratio() const;

  protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    void draw();
    void place();
    const TLaidOutPages& doc_;
    bool shown_ = false;
};
