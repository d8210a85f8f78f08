// Fonts from their description.
#include "app/ui/QtFont.h"

#include <QStringList>

QFont ToQFont(const TFontSpec& spec) {
    QFont f;
    QStringList families;
    for (const std::string& name : spec.Families)
        families << QString::fromStdString(name);
    f.setFamilies(families);
    if (spec.TypeWriter) f.setStyleHint(QFont::TypeWriter);
    if (spec.PixelSize > 0)
        f.setPixelSize(spec.PixelSize);
    else if (spec.PointSize > 0)
        f.setPointSize(spec.PointSize);
    if (spec.NoHinting) f.setHintingPreference(QFont::PreferNoHinting);
    if (spec.Style >= 0) SetFontStyle(f, spec.Style);
    return f;
}

void SetFontStyle(QFont& font, int style) {
    font.setBold(style & 1);
    font.setItalic(style & 2);
    font.setUnderline(style & 4);
    font.setStrikeOut(style & 8);
}
