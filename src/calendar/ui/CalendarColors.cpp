// Windows colour values to Qt colours.
#include "calendar/ui/CalendarColors.h"

#include <QApplication>
#include <QPalette>

namespace tolmo {

QColor ToQColor(TColor c) {
    if (c & 0x80000000u) {
        const QPalette pal = QApplication::palette();
        switch (c & 0xFF) {
        case 0x05:
            return pal.color(QPalette::Base);
        case 0x08:
            return pal.color(QPalette::Text);
        case 0x0D:
            return pal.color(QPalette::Highlight);
        case 0x0F:
            return pal.color(QPalette::Button);
        case 0x10:
            return pal.color(QPalette::Dark);
        default:
            return pal.color(QPalette::WindowText);
        }
    }
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

} // namespace tolmo
