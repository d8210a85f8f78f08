// Colour values and font styles of the editing control: 0x00BBGGRR, a set high bit marks a
// system colour that is resolved from the palette when drawing.
#pragma once

#include <cstdint>

using TColor = std::uint32_t;

namespace edc {
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clNavy = 0x800000;
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
inline constexpr TColor clWindow = 0xFF000005;
inline constexpr TColor clWindowText = 0xFF000008;
inline constexpr TColor clBtnFace = 0xFF00000F;
inline constexpr TColor clHighlight = 0xFF00000D;
inline constexpr TColor clHighlightText = 0xFF00000E;

inline constexpr bool IsSystemColor(TColor c) {
    return (c & 0x80000000u) != 0;
}
} // namespace edc

// Font style bits (fsBold, fsItalic, fsUnderline, fsStrikeOut).
using TEditorFontStyles = std::uint8_t;
namespace edc {
inline constexpr TEditorFontStyles fsBold = 1;
inline constexpr TEditorFontStyles fsItalic = 2;
inline constexpr TEditorFontStyles fsUnderline = 4;
inline constexpr TEditorFontStyles fsStrikeOut = 8;
} // namespace edc
