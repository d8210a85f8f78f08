// Fonts as the program asks for them: the faces in the order tried (the named face, then
// Japanese faces of the same kind that exist here), the size in pixels or points and the style.
#pragma once

#include <string>
#include <vector>

struct TFontRequest {
    std::vector<std::string> Families;
    int PixelSize = 0; // 0: PointSize
    int PointSize = 0; // 0: the default size
    int Style = -1;    // bold 1, italic 2, underline 4, strike-out 8; -1: left as inherited
    bool TypeWriter = false;
    bool NoHinting = false;
};

// A face by its Windows name at a pixel height: a proportional name ("Ｐ" or "P" in it) falls
// back to proportional Japanese faces, any other to monospace ones.
TFontRequest FaceFontRequest(const std::string& face, int pixelHeight);
// Points at the 96 dots an inch of the screen, rounded.
int PointsToPixels(int points);
