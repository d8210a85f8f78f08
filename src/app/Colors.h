// Colour values as the settings file and the program keep them: 0x00BBGGRR, red in the low byte;
// a set high byte 0xFF marks a system colour whose low byte is the system colour index.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000,
                        clOlive = 0x008080, clNavy = 0x800000, clPurple = 0x800080,
                        clTeal = 0x808000, clGray = 0x808080, clSilver = 0xC0C0C0, clRed = 0x0000FF,
                        clLime = 0x00FF00, clYellow = 0x00FFFF, clBlue = 0xFF0000,
                        clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
inline constexpr TColor clSystemColor = 0xFF000000;
inline constexpr TColor clWindow = clSystemColor | 5, clWindowText = clSystemColor | 8,
                        clHighlight = clSystemColor | 13, clHighlightText = clSystemColor | 14,
                        clBtnFace = clSystemColor | 15, clBtnShadow = clSystemColor | 16,
                        clBtnText = clSystemColor | 18;
// "No colour": the editing control's own colour wherever a colour item allows it.
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline bool IsSystemColor(TColor c) {
    return (c & 0xFF000000) == clSystemColor;
}
inline int SystemColorIndex(TColor c) {
    return static_cast<int>(c & 0xFF);
}
inline TColor RGBColor(int r, int g, int b) {
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// The colour's name ("clBtnFace") when it has one, else "$" + eight upper-case hex digits.
std::string ColorToString(TColor c);
// A colour name (letter case ignored), "$" + hex digits, or a decimal number. False when the
// text is none of these; the value is then left alone.
bool StringToColor(std::string_view text, TColor& out);
