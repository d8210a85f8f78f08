// The preview window: page counter, navigation, zoom modes, placement, wheel and hand scrolling.
#include "print/ui/PreviewWindow.h"

#include "print/ui/PrintRun.h"
#include "print/ui/PrintTarget.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

TPreviewImage::TPreviewImage(QScrollArea* box) : box_(box) {
    setObjectName("Image1");
}

void TPreviewImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, Image);
}

void TPreviewImage::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    down_ = e->globalPosition().toPoint();
    scrollAtDown_ = {box_->horizontalScrollBar()->value(), box_->verticalScrollBar()->value()};
}

void TPreviewImage::mouseMoveEvent(QMouseEvent* e) {
    if (!(e->buttons() & Qt::LeftButton)) return;
    const QPoint d = e->globalPosition().toPoint() - down_;
    box_->horizontalScrollBar()->setValue(scrollAtDown_.x() - d.x());
    box_->verticalScrollBar()->setValue(scrollAtDown_.y() - d.y());
}

namespace {

QToolButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

} // namespace

TFormStrPreview::TFormStrPreview(const TLaidOutPages& doc, QWidget* parent)
    : QDialog(parent), doc_(doc) {
    setObjectName("FormStrPreview");
    setWindowTitle("印刷プレビュー");
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    auto* top = new QHBoxLayout(panel);
    top->setContentsMargins(4, 2, 2, 2);
    Label1 = new QLabel(panel);
    Label1->setObjectName("Label1");
    QFont mono("monospace");
    mono.setStyleHint(QFont::TypeWriter);
    Label1->setFont(mono);
    FramSpeedBtn1 = button(panel, "FramSpeedBtn1", "|◀");
    FramSpeedBtn2 = button(panel, "FramSpeedBtn2", "◀");
    FramSpeedBtn3 = button(panel, "FramSpeedBtn3", "▶");
    FramSpeedBtn4 = button(panel, "FramSpeedBtn4", "▶|");
    FramSpeedBtn5 = button(panel, "FramSpeedBtn5", "縦の長さに合わせる(&K)");
    FramSpeedBtn6 = button(panel, "FramSpeedBtn6", "横の長さに合わせる(&L)");
    FramSpeedBtn7 = button(panel, "FramSpeedBtn7", "元の大きさに戻す(&J)");
    FramSpeedBtn8 = button(panel, "FramSpeedBtn8", "閉じる(&Q)");
    top->addWidget(Label1);
    for (QToolButton* b : {FramSpeedBtn1, FramSpeedBtn2, FramSpeedBtn3, FramSpeedBtn4})
        top->addWidget(b);
    top->addSpacing(12);
    for (QToolButton* b : {FramSpeedBtn5, FramSpeedBtn6, FramSpeedBtn7})
        top->addWidget(b);
    top->addStretch(1);
    top->addWidget(FramSpeedBtn8); // kept at the right edge, 2 pixels in
    lay->addWidget(panel);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setAlignment(Qt::AlignCenter); // centred where smaller than the view
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setBackgroundRole(QPalette::Dark);
    Image1 = new TPreviewImage(ScrollBox1);
    ScrollBox1->setWidget(Image1);
    ScrollBox1->viewport()->installEventFilter(this);
    lay->addWidget(ScrollBox1, 1);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    lay->addWidget(StatusBar1);

    connect(FramSpeedBtn1, &QToolButton::clicked, this, [this] { ShowPage(0); });
    connect(FramSpeedBtn2, &QToolButton::clicked, this, [this] { ShowPage(page_ - 1); });
    connect(FramSpeedBtn3, &QToolButton::clicked, this, [this] { ShowPage(page_ + 1); });
    connect(FramSpeedBtn4, &QToolButton::clicked, this,
            [this] { ShowPage(static_cast<int>(doc_.Layout->PageCount()) - 1); });
    connect(FramSpeedBtn5, &QToolButton::clicked, this, [this] { SetZoom(zmFitHeight); });
    connect(FramSpeedBtn6, &QToolButton::clicked, this, [this] { SetZoom(zmFitWidth); });
    connect(FramSpeedBtn7, &QToolButton::clicked, this, [this] { SetZoom(zmActual); });
    connect(FramSpeedBtn8, &QToolButton::clicked, this, &QDialog::accept);
    ShowPage(0);
}

double TFormStrPreview::Ratio() const {
    const QScreen* s = screen() ? screen() : QApplication::primaryScreen();
    const double screenDpi = s ? s->logicalDotsPerInchX() : 96.0;
    return screenDpi / std::max(1, doc_.Page.Dpi);
}

void TFormStrPreview::ShowPage(int i) {
    const TPreviewPage p = PreviewPage(i, static_cast<int>(doc_.Layout->PageCount()));
    page_ = p.index;
    Label1->setText(QString::fromStdString(p.counter));
    FramSpeedBtn1->setEnabled(p.back);
    FramSpeedBtn2->setEnabled(p.back);
    FramSpeedBtn3->setEnabled(p.forward);
    FramSpeedBtn4->setEnabled(p.forward);
    draw();
}

void TFormStrPreview::SetZoom(TZoom z) {
    zoom_ = z;
    draw();
}

void TFormStrPreview::draw() {
    const TPageGeometry& g = doc_.Geometry;
    // Fitted: the view inside the box's frame less the scroll bar across it.
    const QSize view = ScrollBox1->maximumViewportSize();
    const TPreviewSize size =
        PreviewImageSize(zoom_, Ratio(), g, doc_.Page,
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
        PaintPrintItems(p,
                        doc_.Layout->DrawPage(static_cast<std::size_t>(page_), SystemHeaderClock()),
                        doc_.Font, g.TabStop);
    }
    Image1->Image = img;
    Image1->resize(size.width, size.height);
    Image1->update();
    place();
}

void TFormStrPreview::place() {
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
    const QSize view = ScrollBox1->viewport()->size();
    const bool large = Image1->width() > view.width() || Image1->height() > view.height();
    ScrollBox1->viewport()->setCursor(large ? Qt::OpenHandCursor : Qt::ArrowCursor);
    Image1->setCursor(large ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

void TFormStrPreview::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (shown_) return;
    shown_ = true;
    const QScreen* s = screen() ? screen() : QApplication::primaryScreen();
    const QRect avail = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
    const int vbar = ScrollBox1->verticalScrollBar()->sizeHint().width();
    const int w = std::min(avail.width(), Image1->width() + vbar + 16);
    const int h = avail.height() / 6 * 5;
    resize(std::max(w, minimumSizeHint().width()), h);
    move(avail.center() - rect().center());
    draw();
}

void TFormStrPreview::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    if (shown_ && zoom_ != zmActual)
        draw();
    else
        place();
}

void TFormStrPreview::wheelEvent(QWheelEvent* e) {
    QScrollBar* v = ScrollBox1->verticalScrollBar();
    v->setValue(v->value() - e->angleDelta().y());
    e->accept();
}

bool TFormStrPreview::eventFilter(QObject* o, QEvent* e) {
    if (o == ScrollBox1->viewport() && e->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(e));
        return true;
    }
    return QDialog::eventFilter(o, e);
}
