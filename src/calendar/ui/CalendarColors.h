// Windows colour values (0x00BBGGRR, system colours with the high bit) for the calendar widgets.
#pragma once

#include "app/Colors.h"

#include <QColor>
#include <cstdint>

namespace tolmo {

using ::TColor;
using ::clBlack;
using ::clRed;
using ::clBlue;
using ::clGreen;
using ::clWhite;
using ::clSilver;
using ::clNavy;
using ::clLime;
using ::clHighlight;
using ::clWindow;
using ::clWindowText;
using ::clBtnFace;
constexpr TColor clBtnShadow = ::clSystemColor | 0x10;

// System colours come from the application palette.
QColor ToQColor(TColor c);

} // namespace tolmo
