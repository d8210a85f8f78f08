// Rules of the display settings panel: field values, wrap normalising, window-width wrap, and the
// stored settings as the property set of plain pages.
#include "editor/DisplaySettings.h"

#include <algorithm>
#include <charconv>
#include <cmath>

TDisplayPanelValues PanelValuesFromSettings(const TSettings& s) {
    TDisplayPanelValues v;
    v.FontName = s.FontName;
    v.FontSize = s.FontSize;
    v.FontColor = s.FontColor;
    v.Color = s.Color;
    v.MarginTop = std::clamp(s.MarginTop, 0, kPanelMarginMax);
    v.MarginLeft = std::clamp(s.MarginLeft, 0, kPanelMarginMax);
    v.MarginCharacter = std::clamp(s.MarginCharacter, 0, kPanelSpacingMax);
    v.MarginLine = std::clamp(s.MarginLine, 0, kPanelSpacingMax);
    v.RetMark = s.RetMark;
    v.EofMark = s.EofMark;
    v.UnderLine = s.underLine;
    v.Ruler = s.Ruler;
    if (!s.WordWrap())
        v.WrapText = "-1";
    else if (s.WrapDou)
        v.WrapText = "0";
    else
        v.WrapText = std::to_string(std::clamp(s.WrapByte, kWrapMin, kWrapMax));
    v.TabStyle = s.cbTabStyle;
    v.TabLen = std::max(0, s.TabLen);
    v.TabColorAct = s.TabColorAct;
    v.TabColorDeAct = s.TabColorDeAct;
    v.TabFontAct = s.TabFontAct;
    v.TabFontDeAct = s.TabFontDeAct;
    return v;
}

TDisplayPanelValues PanelValuesFromDefaults(const TEditorProp& org, const TSettings& stored) {
    TDisplayPanelValues v = PanelValuesFromSettings(stored);
    v.FontName = org.Font.Name;
    v.FontSize = PointsOfHeight(org.Font.Height);
    v.FontColor = org.Font.Color;
    v.Color = org.Color;
    v.MarginTop = std::clamp(org.Margin.Top(), 0, kPanelMarginMax);
    v.MarginLeft = std::clamp(org.Margin.Left(), 0, kPanelMarginMax);
    v.MarginCharacter = std::clamp(org.Margin.Character(), 0, kPanelSpacingMax);
    v.MarginLine = std::clamp(org.Margin.Line(), 0, kPanelSpacingMax);
    v.RetMark = org.Marks.RetMark.Visible();
    v.EofMark = org.Marks.EofMark.Visible();
    v.UnderLine = org.Marks.Underline.Visible();
    v.Ruler = org.Ruler.Visible();
    if (!org.WordWrap)
        v.WrapText = "-1";
    else if (stored.WrapDou)
        v.WrapText = "0";
    else
        v.WrapText = std::to_string(org.WrapOption.WrapByte);
    return v;
}

std::string FontSizeText(const std::string& fontName, int points) {
    if (fontName == "FixedSys") return "－";
    return std::to_string(points);
}

int PointsOfHeight(int height) {
    const int px = height < 0 ? -height : height;
    return std::max(1, static_cast<int>(std::lround(px * 72.0 / 96.0)));
}

int HeightOfPoints(int points) {
    return -((std::max(1, points) * 96 + 36) / 72);
}

int FieldNumber(const std::string& text, int def) {
    std::size_t a = text.find_first_not_of(" \t");
    std::size_t b = text.find_last_not_of(" \t");
    if (a == std::string::npos) return def;
    const char* first = text.data() + a;
    const char* last = text.data() + b + 1;
    if (*first == '+') ++first;
    int v = 0;
    auto [p, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || p != last) return def;
    return v;
}

int SpinValue(const std::string& text, int lo, int hi, int def) {
    return std::clamp(FieldNumber(text, def), lo, hi);
}

TWrapPreview PreviewWrapField(const std::string& text) {
    TWrapPreview w;
    const int n = FieldNumber(text, 0);
    w.FieldText = text;
    if (n == kNoWrap) {
        w.WordWrap = false;
        return w;
    }
    if (n == kWindowWidthWrap) {
        w.WindowWidth = true;
        return w;
    }
    // Below -1 counts as below the least width, as any other small number does.
    const int clamped = std::clamp(n, kWrapMin, kWrapMax);
    if (clamped != n) w.FieldText = std::to_string(clamped);
    w.WrapByte = clamped;
    return w;
}

int WindowWidthWrap(int editorWidth, int textLeft, int charWidth, int vScrollWidth) {
    if (charWidth <= 0) return -1;
    const int available = editorWidth - textLeft - charWidth / 2 - vScrollWidth;
    // Integer division truncating towards zero, as the width would be divided on a narrow window.
    return available / charWidth - 2;
}

void StorePanelValues(const TDisplayPanelValues& v, int windowWrap, TSettings& s) {
    s.TabColorAct = v.TabColorAct;
    s.TabColorDeAct = v.TabColorDeAct;
    s.TabFontAct = v.TabFontAct;
    s.TabFontDeAct = v.TabFontDeAct;
    s.cbTabStyle = v.TabStyle;
    s.TabLen = std::max(0, v.TabLen);
    s.FontName = v.FontName;
    s.FontSize = std::max(1, v.FontSize);
    s.FontColor = v.FontColor;
    s.Color = v.Color;
    s.MarginTop = std::clamp(v.MarginTop, 0, kPanelMarginMax);
    s.MarginLeft = std::clamp(v.MarginLeft, 0, kPanelMarginMax);
    s.MarginCharacter = std::clamp(v.MarginCharacter, 0, kPanelSpacingMax);
    s.MarginLine = std::clamp(v.MarginLine, 0, kPanelSpacingMax);
    s.RetMark = v.RetMark;
    s.EofMark = v.EofMark;
    s.underLine = v.UnderLine;
    s.Ruler = v.Ruler;
    const int n = FieldNumber(v.WrapText, 0);
    if (n == kNoWrap) {
        s.WrapByte = kNoWrap;
        return; // the window-width mode stays as it was for the next time wrap is switched on
    }
    if (n == kWindowWidthWrap) {
        s.WrapDou = true;
        s.WrapByte = std::clamp(windowWrap >= 0 ? windowWrap : s.WrapByte, kWrapMin, kWrapMax);
    } else {
        s.WrapDou = false;
        s.WrapByte = std::clamp(n, kWrapMin, kWrapMax);
    }
}

void SettingsToPropertySet(const TSettings& s, TEditorProp& p) {
    if (!s.FontName.empty()) p.Font.Name = s.FontName;
    p.Font.Height = HeightOfPoints(s.FontSize);
    if (s.FontColor != s.Color) {
        p.Font.Color = s.FontColor;
        p.Color = s.Color;
    }
    p.Margin.SetLeft(s.MarginLeft);
    p.Margin.SetTop(s.MarginTop);
    p.Margin.SetCharacter(s.MarginCharacter);
    p.Margin.SetLine(s.MarginLine);
    p.Marks.RetMark.SetVisible(s.RetMark);
    p.Marks.EofMark.SetVisible(s.EofMark);
    p.Marks.Underline.SetVisible(s.underLine);
    p.Ruler.SetVisible(s.Ruler);
    p.WordWrap = s.WordWrap();
    p.ScrollBars = p.WordWrap ? ssVertical : ssBoth;
    if (p.WordWrap) p.WrapOption.SetWrapByte(s.WrapByte);
}

TEditorDisplay DisplayDefaultsOf(const TEditorProp& p) {
    TEditorDisplay d;
    d.FontName = p.Font.Name;
    d.FontSize = PointsOfHeight(p.Font.Height);
    d.FontColor = p.Font.Color;
    d.Color = p.Color;
    d.MarginLeft = p.Margin.Left();
    d.MarginTop = p.Margin.Top();
    d.MarginCharacter = p.Margin.Character();
    d.MarginLine = p.Margin.Line();
    d.RetMark = p.Marks.RetMark.Visible();
    d.EofMark = p.Marks.EofMark.Visible();
    d.UnderLine = p.Marks.Underline.Visible();
    d.Ruler = p.Ruler.Visible();
    d.WordWrap = p.WordWrap;
    d.ScrollBars = p.ScrollBars == ssVertical ? TEditorDisplay::ssVertical : TEditorDisplay::ssBoth;
    d.WrapByte = p.WordWrap ? p.WrapOption.WrapByte : -1;
    return d;
}

void PreviewPanelValues(const TDisplayPanelValues& v, TEditorPropTarget& e) {
    TEditorFont f = e.GetFont();
    f.Name = v.FontName;
    f.Height = HeightOfPoints(v.FontSize);
    f.Color = v.FontColor;
    e.SetFont(f);
    e.SetColor(v.Color);
    e.Margin().SetTop(v.MarginTop);
    e.Margin().SetLeft(v.MarginLeft);
    e.Margin().SetCharacter(v.MarginCharacter);
    e.Margin().SetLine(v.MarginLine);
    e.Marks().RetMark.SetVisible(v.RetMark);
    e.Marks().EofMark.SetVisible(v.EofMark);
    e.Marks().Underline.SetVisible(v.UnderLine);
    e.Ruler().SetVisible(v.Ruler);
}

void PreviewWrap(const TWrapPreview& w, int windowWrap, TEditorPropTarget& e) {
    if (!w.WordWrap) {
        e.SetWordWrap(false);
        e.SetScrollBars(ssBoth);
        return;
    }
    TEditorWrapOption o = e.GetWrapOption();
    if (!w.WindowWidth)
        o.SetWrapByte(w.WrapByte);
    else if (windowWrap >= 0) // else the editor has no character width yet: keep its width
        o.SetWrapByte(windowWrap);
    e.SetWrapOption(o);
    e.SetWordWrap(true);
    e.SetScrollBars(ssVertical);
}

int TabCaptionX(int left, int tabWidth, int textWidth) {
    if (tabWidth > textWidth + 12) return left + (tabWidth - textWidth) / 2;
    return left + 6;
}

int TabFixedWidth(bool singleLine, int tabLen) {
    return singleLine && tabLen > 0 ? tabLen : 0;
}

void ApplyDisplaySettings(const TSettings& s, TEditorPropTarget& e) {
    TEditorProp p;
    p.Assign(e);
    SettingsToPropertySet(s, p);
    p.AssignTo(e);
}
