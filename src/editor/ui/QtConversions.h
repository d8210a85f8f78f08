// What the editor widget needs from Qt: colours from 0x00BBGGRR values and the palette, the
// font a setting names, glyphs of CP932 characters, cursor shapes and the clipboard formats.
#pragma once

#include "editor/CaretSettings.h"
#include "editor/PropertyTypes.h"

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QMimeData>
#include <QPalette>
#include <QString>

#include <string>
#include <string_view>

QColor ToQColor(TColor c, const QPalette& pal);
// The font named by the settings; a face the system lacks falls back to a Japanese monospace
// font, so that two-byte characters are always drawn.
QFont ToQFont(const TEditorFont& f);
// The glyph of one CP932 character (one or two bytes), cached.
QString Cp932Glyph(std::string_view ch);
QCursor ToQCursor(TCursor c);

// Clipboard: plain text (converted from CP932) and, for box text, the private type.
QMimeData* MakeEditorMime(const std::string& cp932, bool box);
// CP932 text of clipboard data; box tells whether it came as box text. Characters that CP932
// cannot hold become '?' and are counted in lost.
std::string EditorMimeText(const QMimeData* mime, bool& box, int& lost);
QString LostCharsMessage(int lost);
