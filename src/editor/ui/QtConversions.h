// What the editor widget needs from Qt: colours from 0x00BBGGRR values and the palette, the
// font a setting names, glyphs of CP932 characters, cursor shapes and the clipboard formats.
#pragma once

#include "app/ui/ColorButton.h"
#include "editor/BoxClipboard.h"
#include "editor/CaretSettings.h"
#include "editor/Commands.h"
#include "editor/FontChoice.h"
#include "editor/PropertyTypes.h"

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QKeySequence>
#include <QMimeData>
#include <QPalette>
#include <QString>

#include <functional>
#include <string>
#include <string_view>

class TCharTable;

// What the font database knows of an installed face (nothing for a missing one).
TFaceInfo InstalledFaceInfo(const std::string& family);
// The face drawn for a stored font name (see ChooseEditorFace).
QString DrawingFace(const std::string& name);
// The font named by the settings; a face the system lacks falls back to a Japanese monospace
// font, so that two-byte characters are always drawn.
QFont ToQFont(const TEditorFont& f);
// The glyph of one character of a document (one or two bytes), cached for CP932; a code of the
// document's table draws its own character.
QString DocumentGlyph(std::string_view ch, const TCharTable* table);
QCursor ToQCursor(TCursor c);

// The document's bytes of clipboard data (see PastedBytes); box tells whether it came as box text.
std::string EditorMimeText(const QMimeData* mime, bool& box, int& lost,
                           const TPasteConvert& convert, const TCharTable* table);
QString LostCharsMessage(int lost);

// Key codes of the command tables (tkey, 'A'..'Z', '0'..'9') from Qt's; 0 for keys the tables
// do not know. With Ctrl and Shift the shifted symbols of the digit row count as their digits.
int ToTableKey(int qtKey, Qt::KeyboardModifiers mods);
unsigned ToTableModifiers(Qt::KeyboardModifiers mods);
// A table shortcut as a key sequence (for menus).
QKeySequence ToKeySequence(const std::string& shortcutText);

// The system clipboard for the editor's commands; characters that CP932 lacks are reported
// to warn.
class TQtEditorClipboard : public TEditorClipboard {
  public:
    explicit TQtEditorClipboard(std::function<void(const QString&)> warn = {})
        : warn_(std::move(warn)) {}
    std::string Text(bool& box) override;
    void SetText(const std::string& cp932, bool box) override;
    bool HasText() const;
    // The document's table (copying) and its conversion of pasted text (null: plain CP932).
    const TCharTable* table = nullptr;
    TPasteConvert convert;

  private:
    std::function<void(const QString&)> warn_;
};
