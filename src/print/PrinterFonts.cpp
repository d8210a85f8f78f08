// Font names for the print settings dialog.
#include "print/PrinterFonts.h"

#include <algorithm>
#include <cmath>

std::vector<std::string> PrinterFontNames(const std::vector<std::string>& all) {
    std::vector<std::string> out;
    for (const std::string& n : all)
        if (!n.empty() && n[0] != '@') out.push_back(n);
    return out;
}

std::string DialogFontName(const std::string& name) {
    return name == "ＭＳ Ｐゴシック" ? "ＭＳ ゴシック" : name;
}

TFontRequest PrintFontRequest(const std::string& name, int points, int style, int dpi) {
    TFontRequest s;
    s.Families = {name};
    if (name.find("Ｐ") != std::string::npos)
        s.Families.insert(s.Families.end(), {"IPAPGothic", "Noto Sans CJK JP"});
    s.Families.insert(s.Families.end(), {"IPAGothic", "Noto Sans Mono CJK JP", "Noto Sans CJK JP"});
    s.PixelSize = std::max(1, static_cast<int>(std::lround(points * dpi / 72.0)));
    s.Style = style;
    s.NoHinting = true;
    return s;
}

TFontRequest PrintDialogFontRequest(bool fixed) {
    TFontRequest s;
    s.Families =
        fixed ? std::vector<std::string>{"ＭＳ ゴシック", "IPAGothic", "Noto Sans Mono CJK JP"}
              : std::vector<std::string>{"ＭＳ Ｐゴシック", "IPAPGothic", "Noto Sans CJK JP"};
    s.PointSize = 9;
    return s;
}
