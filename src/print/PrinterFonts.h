// The font names the print settings dialog offers, the fonts it and printing draw with.
#pragma once

#include "app/FontRequest.h"

#include <string>
#include <vector>

// The names without those of vertical-writing fonts (beginning with "@"), sorted as given.
std::vector<std::string> PrinterFontNames(const std::vector<std::string>& all);
// The dialog shows "ＭＳ Ｐゴシック" as its fixed-pitch sibling "ＭＳ ゴシック".
std::string DialogFontName(const std::string& name);
// The settings' font on a device of dpi pixels per inch: the named face first, then Japanese
// faces, sized in pixels so that the screen and the printer measure alike.
TFontRequest PrintFontRequest(const std::string& name, int points, int style, int dpi);
// The dialog's own font: its labels fixed-pitch, the rest proportional.
TFontRequest PrintDialogFontRequest(bool fixed);
