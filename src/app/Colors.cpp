// Colour names and their settings-file text.
#include "app/Colors.h"

#include "platform/TextUtil.h"

#include <cstdio>

namespace {

struct NamedColor {
    const char* name;
    TColor value;
    bool written; // the name is used when writing (the rest are only understood when read)
};

constexpr NamedColor kColors[] = {
    {"clBlack", clBlack, true},
    {"clMaroon", clMaroon, true},
    {"clGreen", clGreen, true},
    {"clOlive", clOlive, true},
    {"clNavy", clNavy, true},
    {"clPurple", clPurple, true},
    {"clTeal", clTeal, true},
    {"clGray", clGray, true},
    {"clSilver", clSilver, true},
    {"clRed", clRed, true},
    {"clLime", clLime, true},
    {"clYellow", clYellow, true},
    {"clBlue", clBlue, true},
    {"clFuchsia", clFuchsia, true},
    {"clAqua", clAqua, true},
    {"clWhite", clWhite, true},
    {"clLtGray", clSilver, false},
    {"clDkGray", clGray, false},
    {"clMoneyGreen", 0xC0DCC0, false},
    {"clSkyBlue", 0xF0CAA6, false},
    {"clCream", 0xF0FBFF, false},
    {"clMedGray", 0xA4A0A0, false},
    {"clScrollBar", clSystemColor | 0, true},
    {"clBackground", clSystemColor | 1, true},
    {"clActiveCaption", clSystemColor | 2, true},
    {"clInactiveCaption", clSystemColor | 3, true},
    {"clMenu", clSystemColor | 4, true},
    {"clWindow", clSystemColor | 5, true},
    {"clWindowFrame", clSystemColor | 6, true},
    {"clMenuText", clSystemColor | 7, true},
    {"clWindowText", clSystemColor | 8, true},
    {"clCaptionText", clSystemColor | 9, true},
    {"clActiveBorder", clSystemColor | 10, true},
    {"clInactiveBorder", clSystemColor | 11, true},
    {"clAppWorkSpace", clSystemColor | 12, true},
    {"clHighlight", clSystemColor | 13, true},
    {"clHighlightText", clSystemColor | 14, true},
    {"clBtnFace", clSystemColor | 15, true},
    {"clBtnShadow", clSystemColor | 16, true},
    {"clGrayText", clSystemColor | 17, true},
    {"clBtnText", clSystemColor | 18, true},
    {"clInactiveCaptionText", clSystemColor | 19, true},
    {"clBtnHighlight", clSystemColor | 20, true},
    {"cl3DDkShadow", clSystemColor | 21, true},
    {"cl3DLight", clSystemColor | 22, true},
    {"clInfoText", clSystemColor | 23, true},
    {"clInfoBk", clSystemColor | 24, true},
    {"clHotLight", clSystemColor | 26, true},
    {"clGradientActiveCaption", clSystemColor | 27, true},
    {"clGradientInactiveCaption", clSystemColor | 28, true},
    {"clMenuHighlight", clSystemColor | 29, true},
    {"clMenuBar", clSystemColor | 30, true},
    {"clNone", clNone, true},
    {"clDefault", clDefault, true},
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::string ColorToString(TColor c) {
    for (const auto& n : kColors)
        if (n.written && n.value == c) return n.name;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(c));
    return buf;
}

bool StringToColor(std::string_view text, TColor& out) {
    std::string_view t = TrimView(text);
    for (const auto& n : kColors)
        if (SameTextAscii(t, n.name)) {
            out = n.value;
            return true;
        }
    if (t.size() >= 2 && t.size() <= 9 && t[0] == '$') {
        TColor v = 0;
        for (char ch : t.substr(1)) {
            int d = hexDigit(ch);
            if (d < 0) return false;
            v = (v << 4) | static_cast<TColor>(d);
        }
        out = v;
        return true;
    }
    int v = 0;
    if (ParseDecimalInt(t, v)) {
        out = static_cast<TColor>(v);
        return true;
    }
    return false;
}
