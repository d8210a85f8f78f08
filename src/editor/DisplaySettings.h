// The display settings of memo pages as the settings panel edits them: the values its controls
// hold, the rules of the wrap field, the window-width wrap, what "決定" stores and normalises,
// and the stored settings as the property set of plain pages.
#pragma once

#include "app/Settings.h"
#include "editor/PropertySet.h"

#include <string>

// Ranges of the panel's fields.
inline constexpr int kPanelMarginMax = 30;  // edtTop, edtLeft
inline constexpr int kPanelSpacingMax = 10; // edtCharacter, edtLine
inline constexpr int kWrapMin = 20, kWrapMax = 250;
inline constexpr int kNoWrap = -1, kWindowWidthWrap = 0;

// What the panel's controls show.
struct TDisplayPanelValues {
    std::string FontName;
    int FontSize = 10; // points
    TColor FontColor = clBlack, Color = clWhite;
    int MarginTop = 7, MarginLeft = 3, MarginCharacter = 0, MarginLine = 0;
    bool RetMark = true, EofMark = true, UnderLine = false, Ruler = true;
    std::string WrapText = "0"; // edtWrap
    // The hidden tab page.
    bool TabStyle = false;
    int TabLen = 0;
    TColor TabColorAct = clBtnFace, TabColorDeAct = clBtnFace;
    TColor TabFontAct = clWindowText, TabFontDeAct = clWindowText;
    bool operator==(const TDisplayPanelValues&) const = default;
};

// The fields filled from the stored settings: "-1" without wrap, "0" in window-width mode, else
// the width; spin values inside their ranges.
TDisplayPanelValues PanelValuesFromSettings(const TSettings& s);
// "規定値に戻す": the factory set's look; the wrap field as the stored mode asks.
TDisplayPanelValues PanelValuesFromDefaults(const TEditorProp& org, const TSettings& stored);

// The size label: "－" for the font "FixedSys", else the size in points.
std::string FontSizeText(const std::string& fontName, int points);
int PointsOfHeight(int height); // a font height in pixels (negative) as points at 96 dpi
int HeightOfPoints(int points); // points as a negative pixel height at 96 dpi

// A number typed into a field: its decimal value, def when it is not a number (blanks around it
// are allowed; numbers too long for an int count as not a number).
int FieldNumber(const std::string& text, int def);
// A spin field's text as its value inside lo..hi.
int SpinValue(const std::string& text, int lo, int hi, int def);

// The wrap field on Return.
struct TWrapPreview {
    bool WordWrap = true;     // false for -1
    bool WindowWidth = false; // 0 (also text that is not a number)
    int WrapByte = 80;        // the width to wrap at when not in window-width mode
    std::string FieldText;    // what the field shows afterwards
};
TWrapPreview PreviewWrapField(const std::string& text);

// The wrap width of an editor in window-width mode: available = width - text left margin -
// Trunc(c / 2), less the vertical scroll bar when shown; wrap = available div c - 2. -1 when c
// is 0 (nothing to compute).
int WindowWidthWrap(int editorWidth, int textLeft, int charWidth, int vScrollWidth);

// "決定": stores the panel's values into the settings and normalises the wrap: -1 wrap off;
// otherwise wrap on, 0 turns window-width mode on and stores windowWrap (the width computed for
// the active editor), any other value turns it off and is clamped to 20..250.
void StorePanelValues(const TDisplayPanelValues& v, int windowWrap, TSettings& s);

// The stored [Editor] settings as the property set of plain pages: font, colours, margins,
// marks, ruler, word wrap with its scroll bars and width. A font colour that equals the
// background (nothing would be readable) gives way to the set's own colours.
void SettingsToPropertySet(const TSettings& s, TEditorProp& p);
// The look of a set as the settings' defaults take it.
TEditorDisplay DisplayDefaultsOf(const TEditorProp& p);

// The panel's preview on one property target (the active editor): colours, font, margins, marks
// and ruler; the wrap only when the field was confirmed with Return.
void PreviewPanelValues(const TDisplayPanelValues& v, TEditorPropTarget& editor);
void PreviewWrap(const TWrapPreview& w, int windowWrap, TEditorPropTarget& editor);

// The page tabs: caption x and the width of a single-line tab (0 = as wide as the caption).
int TabCaptionX(int left, int tabWidth, int textWidth);
int TabFixedWidth(bool singleLine, int tabLen);

// The stored settings applied to one editor: font, colours, margins, marks, ruler, word wrap with
// its scroll bars and width. Values that are already the editor's change nothing (no re-wrap).
void ApplyDisplaySettings(const TSettings& s, TEditorPropTarget& editor);
