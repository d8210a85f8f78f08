// Fonts from their description.
#include "app/ui/QtFont.h"

#include <QStringList>

QFont ToQFont(const TFontRequest& request) {
    QFont f;
    QStringList families;
    for (const std::string& name : request.Families)
        families << QString::fromStdString(name);
    f.setFamilies(families);
    if (request.TypeWriter) f.setStyleHint(QFont::TypeWriter);
    if (request.PixelSize > 0)
        f.setPixelSize(request.PixelSize);
    else if (request.PointSize > 0)
        f.setPointSize(request.PointSize);
    if (request.NoHinting) f.setHintingPreference(QFont::PreferNoHinting);
    if (request.Style >= 0) SetFontStyle(f, request.Style);
    return f;
}

void SetFontStyle(QFont& font, int style) {
    font.setBold(style & 1);
    font.setItalic(style & 2);
    font.setUnderline(style & 4);
    font.setStrikeOut(style & 8);
}
