// Colour values and font styles of the editing control: 0x00BBGGRR, a set high bit marks a
// system colour that is resolved from the palette when drawing. The values are the colouring
// definitions' own; namespace edc names them for the editor's files.
#pragma once

#include "fountain/FountainColor.h"

using TEditorFontStyles = TFontStyles;

namespace edc {
using ::clAqua;
using ::clBlack;
using ::clBlue;
using ::clBtnFace;
using ::clFuchsia;
using ::clGray;
using ::clGreen;
using ::clHighlight;
using ::clLime;
using ::clMaroon;
using ::clNavy;
using ::clNone;
using ::clRed;
using ::clSilver;
using ::clWhite;
using ::clWindow;
using ::clWindowText;
using ::clYellow;
inline constexpr TColor clHighlightText = 0x8000000E;

using ::fsBold;
using ::fsItalic;
using ::fsStrikeOut;
using ::fsUnderline;

inline constexpr bool IsSystemColor(TColor c) {
    return (c & 0x80000000u) != 0;
}
} // namespace edc
