// Calendar fonts and their default colours.
#include "calendar/ui/CalExFonts.h"

namespace tolmo {

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
