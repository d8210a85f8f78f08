// Start-up arithmetic of the main window: bar heights for the title-bar height, the window's
// place from the saved bounds, the function-key captions, the setup question, the holiday
// file's fallbacks.
#pragma once

#include <string>
#include <vector>

struct TSettings;

// num / den rounded to the nearest integer, halves to the even neighbour (den > 0).
int RoundHalfEven(long long num, long long den);

// Heights of the status bar and the function-key panel that suit a title-bar height; known is
// false for heights the table does not list (the bars then keep their heights).
struct TBarHeights {
    bool known = false;
    int statusBar = 0;
    int functionPanel = 0;
};
TBarHeights FitToCaptionHeight(int captionHeight);

struct TWorkArea {
    int left = 0, top = 0, width = 0, height = 0;
};
struct TBounds {
    int left = 0, top = 0, width = 0, height = 0;
};
// Places the main window from fmTop, fmLeft, fmHeight, fmWidth and isZenkai. A saved size larger
// than the work area falls back to the design size (fmHeight/fmWidth are changed). Positions are
// relative to the work area's origin.
TBounds PlaceMainWindow(TSettings& s, const TWorkArea& area, int designWidth, int designHeight);

// The 37 captions of the function keys (plain, Shift, Ctrl layers, and a closing blank).
std::vector<std::string> FunctionKeyCaptions();

// The question at the first show of a first start or a start from CD-ROM (asked once; Yes opens
// the setup dialog); empty when there is nothing to ask.
std::string SetupQuestion(bool cdRom, bool firstStart);

// The holiday file when none was named: beside the program, else in the Pelva or Norik folder
// below the Program Files folder; empty when none exists.
std::string FindHolidayFile(const std::string& programFolder,
                            const std::string& programFilesFolder);
