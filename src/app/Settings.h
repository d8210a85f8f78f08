// The user's settings as the settings file Tolmo.ini holds them. The main window owns one
// TSettings; the rest of the program reads these fields, never the file.
#pragma once

#include "app/Colors.h"

#include <functional>
#include <string>

class TIniFile;

inline constexpr const char* kProgramVersion = "Ver1.7.1.1";

// The look of plain memo pages as the editor property set EditorProp_Default carries it.
struct TEditorDisplay {
    enum TScrollBars { ssVertical, ssBoth };
    std::string FontName = "FixedSys";
    int FontSize = 10; // points: 13 pixels at 96 dots per inch
    TColor FontColor = clBlack;
    TColor Color = clWhite;
    int MarginLeft = 3, MarginTop = 7, MarginCharacter = 0, MarginLine = 0;
    bool RetMark = true, EofMark = true, UnderLine = false, Ruler = true;
    bool WordWrap = true;
    TScrollBars ScrollBars = ssVertical;
    int WrapByte = 80;
};

struct TSettings {
    // [Tab]
    TColor TabColorAct = clBtnFace, TabColorDeAct = clBtnFace;
    TColor TabFontAct = clWindowText, TabFontDeAct = clWindowText;
    bool cbTabStyle = false;
    int TabLen = 0;
    // [Editor]
    TColor FontColor = clBlack, Color = clWhite;
    std::string FontName = "FixedSys";
    int FontSize = 10;
    int MarginTop = 7, MarginLeft = 3, MarginCharacter = 0, MarginLine = 0;
    bool RetMark = true, EofMark = true, underLine = false, Ruler = true;
    int WrapByte = 80; // -1: no wrapping
    bool WrapDou = true;
    // [Set]
    std::string OpenFolder;
    int CLine1 = 2, CLine2 = 5;
    bool JHanten = false;
    bool isMaxSize = false;
    int fmTop = 0, fmLeft = 0;
    bool isZenkai = false;
    int fmHeight = 575, fmWidth = 779;
    bool FuncChk = true, StatChk = true, isWpLine = false;
    int Page = -1;
    int MenuCount = 8;
    bool KnKakunin = true, isWaYMD = true, isYoubi = true;
    // [Info]
    int vInfoChien = -1;
    // [Set]
    bool isClick = false, isBrowser = false;
    std::string Browser;
    int Curs = 0;
    bool isEditor = false;
    std::string Editor;
    bool GEditor = false;

    bool WordWrap() const { return WrapByte != -1; }
};

// The defaults: the fixed ones above, the [Editor] ones from the property set's design values,
// OpenFolder the program folder.
TSettings DefaultSettings(const TEditorDisplay& editorDefaults, const std::string& programFolder);

// Whole number from 1 to 99 for a negative vInfoChien.
int DrawInfoChien();

// The ranges numbers read from the file are brought into.
inline constexpr int kMinFontSize = 6, kMaxFontSize = 96;
inline constexpr int kMinWindowWidth = 320, kMinWindowHeight = 200, kMaxWindowSide = 32000;
void ClampSettings(TSettings& s);

// Reads every key in the table's order, each with the current field value as its default, then
// replaces a negative vInfoChien by draw() (1..99) and clamps every number (ClampSettings).
void ReadSettings(const TIniFile& ini, TSettings& s,
                  const std::function<int()>& draw = DrawInfoChien);
// Writes the keys in the order of the close-time write; fmTop, fmLeft, fmHeight and fmWidth only
// when isMaxSize is false. The file is rewritten once, atomically. False when it fails.
bool WriteSettings(TIniFile& ini, const TSettings& s, const std::string& programFolder);
// A settings file that cannot be written is told once (the first failure), never again in the
// same run: the settings are written at every close attempt and on other occasions.
class TSettingsWriteReport {
  public:
    // The message for a failed write; empty when one was told already.
    std::string Failed(const std::string& path, const std::string& error);

  private:
    bool told_ = false;
};
// The options dialog's keys of [Set], in its order.
bool WriteOptionSettings(TIniFile& ini, const TSettings& s);

// The [Editor] values applied to the property set of plain pages.
void ApplyEditorSettings(const TSettings& s, TEditorDisplay& d);

// Names of the keys, "Section/Key", in reading order and in writing order (for tests and tools).
std::vector<std::string> SettingsReadOrder();
std::vector<std::string> SettingsWriteOrder(bool maximised);
