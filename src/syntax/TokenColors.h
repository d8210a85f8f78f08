// Colour values, font styles and the colour item (background, colour, style) of a token kind.
#pragma once

#include "app/Colors.h"

#include <cstdint>
#include <functional>

// Colour values (TColor, clNone, the named and system colours) are the program's shared ones.

// Font style set: one bit per style.
using TFontStyles = std::uint8_t;
inline constexpr TFontStyles fsBold = 1;
inline constexpr TFontStyles fsItalic = 2;
inline constexpr TFontStyles fsUnderline = 4;
inline constexpr TFontStyles fsStrikeOut = 8;
inline constexpr TFontStyles fsAllStyles = 15;

// The colours of one token kind. A setter that changes a value calls the change handler, through
// which the owning fountain tells its editors to repaint.
class TFountainColor {
  public:
    TFountainColor() = default;
    TFountainColor(TColor bk, TColor color, TFontStyles style = 0)
        : bkColor_(bk), color_(color), style_(style & fsAllStyles) {}
    TFountainColor(const TFountainColor&) = delete;
    TFountainColor& operator=(const TFountainColor&) = delete;

    TColor BkColor() const { return bkColor_; }
    TColor Color() const { return color_; }
    TFontStyles Style() const { return style_; }
    void SetBkColor(TColor v);
    void SetColor(TColor v);
    void SetStyle(TFontStyles v);
    // Copies the three values; notifies once when any of them changed.
    void Assign(const TFountainColor& src);
    bool SameAs(const TFountainColor& o) const {
        return bkColor_ == o.bkColor_ && color_ == o.color_ && style_ == o.style_;
    }
    void SetOnChange(std::function<void()> f) { onChange_ = std::move(f); }

  private:
    void Changed() {
        if (onChange_) onChange_();
    }
    TColor bkColor_ = clNone;
    TColor color_ = clNone;
    TFontStyles style_ = 0;
    std::function<void()> onChange_;
};
