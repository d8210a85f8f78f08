// The preview window: page counter, navigation, zoom modes, placement, wheel and hand scrolling.
#include "print/ui/PreviewWindow.h"

#include "print/ui/PrintRun.h"
#include "print/ui/PrintTarget.h"

#include <QApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <QWheelEvent>

TPreviewImage::TPreviewImage(QScrollArea* box) : box_(box) {
    setObjectName("Image1");
}

void TPreviewImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, Image);
}

void TPreviewImage::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->globalPosition().toPoint();
    if (e->button() == Qt::LeftButton)
        hand_.Press(p.x(), p.y(), box_->horizontalScrollBar()->value(),
                    box_->verticalScrollBar()->value());
}

void TPreviewImage::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->globalPosition().toPoint();
    if (!(e->buttons() & Qt::LeftButton)) return;
    box_->horizontalScrollBar()->setValue(hand_.ScrollX(p.x()));
    box_->verticalScrollBar()->setValue(hand_.ScrollY(p.y()));
}

TPreviewWindow::TPreviewWindow(const TLaidOutPages& doc, QWidget* parent)
    : QDialog(parent), Model(static_cast<int>(doc.Layout->PageCount())), doc_(doc) {
    setObjectName("FormStrPreview");
    setWindowTitle("印刷プレビュー");
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    Form = new TFormView(this, TLay::VBox, PreviewForm(), Model, {}, [this](const TControl& c) {
        if (c.Name == std::string("StatusBar1")) return static_cast<QWidget*>(new QStatusBar);
        ScrollBox1 = new QScrollArea;
        ScrollBox1->setAlignment(Qt::AlignCenter); // centred where smaller than the view
        ScrollBox1->setWidgetResizable(false);
        ScrollBox1->setBackgroundRole(QPalette::Dark);
        ScrollBox1->setWidget(Image1 = new TPreviewImage(ScrollBox1));
        ScrollBox1->viewport()->installEventFilter(this);
        return static_cast<QWidget*>(ScrollBox1);
    });
    layout()->setContentsMargins(0, 0, 0, 0);
    layout()->setSpacing(0);
    QWidget* panel = Form->Widget("Panel1");
    panel->layout()->setContentsMargins(4, 2, 2, 2);
    QFont mono("monospace");
    mono.setStyleHint(QFont::TypeWriter);
    Form->Widget("Label1")->setFont(mono);
    for (QToolButton* b : panel->findChildren<QToolButton*>()) {
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        Form->On(b->objectName().toStdString(), [this] { draw(); });
    }
    Form->On("FramSpeedBtn8", [this] { accept(); });
    draw();
}

double TPreviewWindow::Ratio() const {
    const QScreen* s = screen() ? screen() : QApplication::primaryScreen();
    const double screenDpi = s ? s->logicalDotsPerInchX() : 96.0;
    return screenDpi / std::max(1, doc_.Page.Dpi);
}

void TPreviewWindow::draw() {
    const TPageGeometry& g = doc_.Geometry;
    // Fitted: the view inside the box's frame less the scroll bar across it.
    const QSize view = ScrollBox1->maximumViewportSize();
    const TPreviewSize size =
        PreviewImageSize(Model.Zoom(), Ratio(), g, doc_.Page,
                         view.width() - ScrollBox1->verticalScrollBar()->sizeHint().width(),
                         view.height() - ScrollBox1->horizontalScrollBar()->sizeHint().height());
    QImage img(size.width, size.height, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        const TPreviewRect r = PreviewPageRect(size.width, size.height, g, doc_.Page);
        p.translate(r.left, r.top);
        p.scale((r.right - r.left) / std::max(1, doc_.Page.PageWidth),
                (r.bottom - r.top) / std::max(1, doc_.Page.PageHeight));
        PaintPrintItems(
            p, doc_.Layout->DrawPage(static_cast<std::size_t>(Model.Page()), SystemHeaderClock()),
            doc_.Font, g.TabStop);
    }
    Image1->Image = img;
    Image1->resize(size.width, size.height);
    Image1->update();
    place();
}

void TPreviewWindow::place() {
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
    const QSize view = ScrollBox1->viewport()->size();
    const Qt::CursorShape cursor =
        TPreviewHand::Shown(Image1->width(), Image1->height(), view.width(), view.height())
            ? Qt::OpenHandCursor
            : Qt::ArrowCursor;
    ScrollBox1->viewport()->setCursor(cursor);
    Image1->setCursor(cursor);
}

void TPreviewWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (shown_) return;
    shown_ = true;
    const QScreen* s = screen() ? screen() : QApplication::primaryScreen();
    const QRect avail = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
    const TPreviewSize size =
        PreviewWindowSize(Image1->width(), ScrollBox1->verticalScrollBar()->sizeHint().width(),
                          minimumSizeHint().width(), avail.width(), avail.height());
    resize(size.width, size.height);
    move(avail.center() - rect().center());
    draw();
}

void TPreviewWindow::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    if (shown_ && Model.RedrawnOnResize())
        draw();
    else
        place();
}

void TPreviewWindow::wheelEvent(QWheelEvent* e) {
    QScrollBar* v = ScrollBox1->verticalScrollBar();
    v->setValue(TPreviewHand::WheelScroll(v->value(), e->angleDelta().y()));
    e->accept();
}

bool TPreviewWindow::eventFilter(QObject* o, QEvent* e) {
    if (o == ScrollBox1->viewport() && e->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(e));
        return true;
    }
    return QDialog::eventFilter(o, e);
}
