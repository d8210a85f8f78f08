// Colour values and font styles of the editing control: 0x00BBGGRR, a set high bit marks a
// system colour that is resolved from the palette when drawing. The values are the colouring
// definitions' own; namespace edc names them for the editor's files.
#pragma once

#include "syntax/TokenColors.h"

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
using ::clHighlightText;
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

using ::fsBold;
using ::fsItalic;
using ::fsStrikeOut;
using ::fsUnderline;

using ::IsSystemColor;
} // namespace edc
