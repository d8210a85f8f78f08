// Colour values, font styles and the colour item (background, colour, style) of a token kind.
#pragma once

#include <cstdint>
#include <functional>

// 32-bit colour: red in the low byte, then green, then blue. A set high bit marks a system colour;
// clNone stands for the editing control's own colour wherever an item allows it.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clHighlight = 0x8000000D;
inline constexpr TColor clBtnFace = 0x8000000F;

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
