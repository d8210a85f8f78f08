// Colour item of a token kind.
#include "syntax/TokenColors.h"

void TFountainColor::SetBkColor(TColor v) {
    if (v == bkColor_) return;
    bkColor_ = v;
    Changed();
}

void TFountainColor::SetColor(TColor v) {
    if (v == color_) return;
    color_ = v;
    Changed();
}

void TFountainColor::SetStyle(TFontStyles v) {
    v &= fsAllStyles;
    if (v == style_) return;
    style_ = v;
    Changed();
}

void TFountainColor::Assign(const TFountainColor& src) {
    if (&src == this || SameAs(src)) return;
    bkColor_ = src.bkColor_;
    color_ = src.color_;
    style_ = src.style_;
    Changed();
}
