// Colour conversion and the colour button.
#include "app/ui/ColorButton.h"

#include <QColorDialog>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

QColor ColorToQColor(TColor c, const QPalette& pal) {
    if (c == clNone || c == clDefault) return pal.color(QPalette::Base);
    if (IsSystemColor(c)) {
        // The window, text, highlight, button and shadow colours; the rest as window text.
        static const std::pair<int, QPalette::ColorRole> roles[] = {
            {5, QPalette::Base},       {8, QPalette::Text},
            {13, QPalette::Highlight}, {14, QPalette::HighlightedText},
            {15, QPalette::Button},    {16, QPalette::Dark},
            {18, QPalette::ButtonText}};
        for (const auto& [index, role] : roles)
            if (SystemColorIndex(c) == index) return pal.color(role);
        return pal.color(QPalette::WindowText);
    }
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

TColor QColorToColor(const QColor& c) {
    return RGBColor(c.red(), c.green(), c.blue());
}

static QColor DefaultChooseColor(const QColor& start, QWidget* parent) {
    return QColorDialog::getColor(start, parent, QStringLiteral("色の選択"));
}
QColor (*TColorButton::ChooseColor)(const QColor&, QWidget*) = DefaultChooseColor;

TColorButton::TColorButton(bool allowNone, QWidget* parent)
    : QToolButton(parent), allowNone_(allowNone) {
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setMinimumWidth(96);
    if (allowNone) {
        auto* menu = new QMenu(this);
        menu->addAction(QStringLiteral("色を選ぶ..."), this, [this] { choose(); });
        menu->addAction(QStringLiteral("既定の色"), this, [this] {
            SetColor(clNone);
            emit ColorChanged(color_);
        });
        setMenu(menu);
        setPopupMode(QToolButton::MenuButtonPopup);
    }
    connect(this, &QToolButton::clicked, this, [this] { choose(); });
    paintSwatch();
}

void TColorButton::SetColor(TColor c) {
    color_ = c;
    paintSwatch();
}

void TColorButton::choose() {
    const QColor c = ChooseColor(ColorToQColor(color_, palette()), window());
    if (!c.isValid()) return;
    SetColor(QColorToColor(c));
    emit ColorChanged(color_);
}

void TColorButton::paintSwatch() {
    QPixmap pm(24, 14);
    QPainter p(&pm);
    if (color_ == clNone) {
        p.fillRect(pm.rect(), palette().color(QPalette::Base));
        p.setPen(palette().color(QPalette::Mid));
        p.drawLine(0, 13, 23, 0);
    } else {
        p.fillRect(pm.rect(), ColorToQColor(color_, palette()));
    }
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(0, 0, 23, 13);
    p.end();
    setIcon(QIcon(pm));
    setIconSize(pm.size());
    setText(color_ == clNone ? QStringLiteral("既定") : QString());
}
