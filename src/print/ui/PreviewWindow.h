// TFormStrPreview: the laid-out pages one at a time, in actual size or fitted to the window's
// width or height, scrolled with the wheel or dragged with the hand.
#pragma once

#include "print/PreviewLayout.h"

#include <QDialog>
#include <QImage>
#include <QWidget>

class QLabel;
class QScrollArea;
class QStatusBar;
class QToolButton;
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
    QPoint down_;
    QPoint scrollAtDown_;
};

class TFormStrPreview : public QDialog {
    Q_OBJECT
  public:
    using TZoom = TPreviewZoom;

    TFormStrPreview(const TLaidOutPages& doc, QWidget* parent = nullptr);

    QLabel* Label1;
    QToolButton* FramSpeedBtn1; // first page
    QToolButton* FramSpeedBtn2; // previous
    QToolButton* FramSpeedBtn3; // next
    QToolButton* FramSpeedBtn4; // last
    QToolButton* FramSpeedBtn5; // fit height
    QToolButton* FramSpeedBtn6; // fit width
    QToolButton* FramSpeedBtn7; // actual size
    QToolButton* FramSpeedBtn8; // close
    QStatusBar* StatusBar1;
    QScrollArea* ScrollBox1;
    TPreviewImage* Image1;

    int PageIndex() const { return page_; }
    TZoom Zoom() const { return zoom_; }
    void ShowPage(int i);
    void SetZoom(TZoom z);
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
    int page_ = 0;
    TZoom zoom_ = zmActual;
    bool shown_ = false;
};
