// The faces tried for a named font, and point sizes in screen pixels.
#include "app/FontRequest.h"

TFontRequest FaceFontRequest(const std::string& face, int pixelHeight) {
    const bool proportional =
        face.find("Ｐ") != std::string::npos || face.find('P') != std::string::npos;
    TFontRequest s;
    s.Families =
        proportional
            ? std::vector<std::string>{face, "IPAPGothic", "Noto Sans CJK JP", "sans-serif"}
            : std::vector<std::string>{face, "IPAGothic", "Noto Sans Mono CJK JP", "monospace"};
    s.PixelSize = pixelHeight;
    return s;
}

int PointsToPixels(int points) {
    return (points * 96 + 36) / 72;
}
