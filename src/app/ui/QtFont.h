// The Qt font of a font the program asks for.
#pragma once

#include "app/FontRequest.h"

#include <QFont>

QFont ToQFont(const TFontRequest& request);
// Bold 1, italic 2, underline 4, strike-out 8.
void SetFontStyle(QFont& font, int style);
