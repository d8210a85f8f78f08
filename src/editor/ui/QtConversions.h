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

#include <functional>
#include <string>
#include <string_view>

class TCharTable;

QColor ToQColor(TColor c, const QPalette& pal);
// The font named by the settings; a face the system lacks falls back to a Japanese monospace
// font, so that two-byte characters are always drawn.
QFont ToQFont(const TEditorFont& f);
// The glyph of one CP932 character (one or two bytes), cached.
QString Cp932Glyph(std::string_view ch);
// The same with the document's table: a code of the table draws its own character.
QString DocumentGlyph(std::string_view ch, const TCharTable* table);
QCursor ToQCursor(TCursor c);

// Clipboard: plain text (converted from the document's bytes) and, for box text, the private type.
QMimeData* MakeEditorMime(const std::string& cp932, bool box, const TCharTable* table = nullptr);
// The document's bytes of clipboard data; box tells whether it came as box text. Plain text goes
// through convert (default: plain CP932), which counts in lost what became '?'.
std::string
EditorMimeText(const QMimeData* mime, bool& box, int& lost,
               const std::function<std::string(const QString&, int*)>& convert = nullptr);
QString LostCharsMessage(int lost);
