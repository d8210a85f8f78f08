// Font names for the print settings dialog.
#include "print/PrinterFonts.h"

std::vector<std::string> PrinterFontNames(const std::vector<std::string>& all) {
    std::vector<std::string> out;
    for (const std::string& n : all)
        if (!n.empty() && n[0] != '@') out.push_back(n);
    return out;
}

std::string DialogFontName(const std::string& name) {
    return name == "ＭＳ Ｐゴシック" ? "ＭＳ ゴシック" : name;
}
