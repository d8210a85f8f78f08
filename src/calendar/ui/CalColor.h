// Windows colour values (0x00BBGGRR, system colours with the high bit) for the calendar widgets.
#pragma once

#include <QColor>
#include <cstdint>

namespace tolmo {

using TColor = uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clGreen = 0x008000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clNavy = 0x800000;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clHighlight = 0x8000000D;
constexpr TColor clWindow = 0x80000005;
constexpr TColor clWindowText = 0x80000008;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clBtnShadow = 0x80000010;

// System colours come from the application palette.
QColor ToQColor(TColor c);

} // namespace tolmo
