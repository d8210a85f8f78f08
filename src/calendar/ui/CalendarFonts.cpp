// Calendar fonts and their default colours.
#include "calendar/ui/CalendarFonts.h"

#include <QStringList>

namespace tolmo {

QFont FaceFont(const QString& face, int pixelHeight) {
    QFont f;
    const bool proportional = face.contains(QChar(0xFF30)) || face.contains(QLatin1Char('P'));
    QStringList families{face};
    if (proportional)
        families << "IPAPGothic"
                 << "Noto Sans CJK JP"
                 << "sans-serif";
    else
        families << "IPAGothic"
                 << "Noto Sans Mono CJK JP"
                 << "monospace";
    f.setFamilies(families);
    f.setPixelSize(pixelHeight);
    return f;
}

TCalExFonts::TCalExFonts() {
    const TColor colours[7] = {clBlack, clBlue, clRed, clWhite, clRed, clGreen, clBlack};
    for (int i = 0; i < 7; ++i)
        fonts_[i].color = colours[i];
    fonts_[cfRokuyo].font.setPointSize(10);
}

void TCalExFonts::Set(TCalExFontIndex i, const TCalExFont& f) {
    if (synchronize_) {
        for (auto& x : fonts_)
            x.font = f.font;
    }
    fonts_[i] = f;
    changed();
}

void TCalExFonts::SetColor(TCalExFontIndex i, TColor c) {
    fonts_[i].color = c;
    changed();
}

void TCalExFonts::Assign(const TCalExFonts& other) {
    fonts_ = other.fonts_;
    synchronize_ = other.synchronize_;
    changed();
}

} // namespace tolmo
