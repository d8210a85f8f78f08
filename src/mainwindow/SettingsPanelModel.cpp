// The display settings panel's controls and its rules.
#include "mainwindow/SettingsPanelModel.h"

#include "editor/EditorCore.h"
#include "editor/PropertySet.h"

#include <algorithm>

namespace {

using C = TCtl;

// A caption and a spin field beside it.
void SpinAt(TFormDesc& d, const char* parent, const char* name, const char* caption, int max, int x,
            int y) {
    d.push_back(FixedLabel(parent, caption, x, y + 3));
    d.push_back({.Kind = C::Spin,
                 .Name = name,
                 .Parent = parent,
                 .Row = y,
                 .Col = x + 34,
                 .RowSpan = 24,
                 .ColSpan = 56,
                 .Max = max,
                 .Label = caption});
}

TControl At(C kind, const char* name, const char* caption, const char* parent, int x, int y,
            int w = 0, int h = 0) {
    TControl c = FixedCell(kind, name, caption, parent, x, y, w, h);
    c.Layout = TLay::Fixed;
    return c;
}

TFormDesc MakeForm() {
    TFormDesc d = {
        At(C::Group, "gbColor", " フォントと背景のカラー ", "colorPage", 6, 6, 235, 196),
        At(C::Slot, "ColorPalette1", "", "gbColor", 11, 24),
        FixedLabel("gbColor", "カラーパレットをクリックしてください。", 12, 116),
        FixedLabel("gbColor", "左クリック → フォント色(FG)", 12, 140),
        FixedLabel("gbColor", "右クリック → 背景色(BG)", 12, 162),
        At(C::Group, "gbFontSize", " フォントサイズ ", "colorPage", 6, 208, 235, 92),
        At(C::Label, "lblFont", "FixedSys", "gbFontSize", 12, 24, 211, 30),
        At(C::Label, "lblFontSize", "", "gbFontSize", 12, 60, 60, 24),
        At(C::Button, "btnFont", "変更", "gbFontSize", 143, 58, 80, 28),
        At(C::Group, "gbMargin", " マージン ", "marginPage", 6, 6, 235, 84),
    };
    SpinAt(d, "gbMargin", "edtTop", "上", kPanelMarginMax, 10, 22);
    SpinAt(d, "gbMargin", "edtLeft", "左", kPanelMarginMax, 120, 22);
    SpinAt(d, "gbMargin", "edtCharacter", "字間", kPanelSpacingMax, 10, 52);
    SpinAt(d, "gbMargin", "edtLine", "行間", kPanelSpacingMax, 120, 52);
    d.insert(d.end(),
             {
                 At(C::Group, "gbMark", " マーク ", "marginPage", 6, 96, 235, 74),
                 At(C::Check, "cbRet", "改行", "gbMark", 12, 22),
                 At(C::Check, "cbEof", "文末", "gbMark", 120, 22),
                 At(C::Check, "cbULine", "下線", "gbMark", 12, 46),
                 At(C::Check, "cbRuler", "Ruler(目盛)", "gbMark", 120, 46),
                 At(C::Group, "gbWrap", " 折返し ", "marginPage", 6, 176, 235, 110),
                 FixedLabel("gbWrap", "折返し文字数", 12, 26),
                 {.Kind = C::Edit,
                  .Name = "edtWrap",
                  .Parent = "gbWrap",
                  .Row = 22,
                  .Col = 120,
                  .RowSpan = 24,
                  .ColSpan = 60,
                  .Max = 6,
                  .Label = "折返し文字数"},
                 FixedLabel("gbWrap", "( 0 は表示幅、-1 は折り返さない", 12, 52),
                 FixedLabel("gbWrap", "[Return]で表示が変わります→ )", 12, 70),
                 FixedLabel("gbWrap", "最小値 20   最大値 250", 12, 88),
                 At(C::Button, "btnKiteiEditor", "規定値に戻す", "marginPage", 0, 0, 120, 28),
                 At(C::Check, "cbTabStyle", "シングルライン", "tsTab", 12, 12),
                 FixedLabel("tsTab", "タブ幅 :", 12, 44),
                 {.Kind = C::Spin,
                  .Name = "edtTabLen",
                  .Parent = "tsTab",
                  .Row = 40,
                  .Col = 70,
                  .RowSpan = 24,
                  .ColSpan = 70,
                  .Max = 400},
                 FixedLabel("tsTab", "0 は自動", 150, 44),
                 At(C::Button, "btnTabColorAct", "アクティブなタブ", "tsTab", 12, 76, 211, 28),
                 At(C::Button, "btnTabColorDeAct", "その他のタブ", "tsTab", 12, 110, 211, 28),
                 At(C::Button, "btnKiteiTab", "規定値に戻す", "tsTab", 12, 150, 120, 28),
                 At(C::Panel, "pnlLeftOk", "", "colorPage", 0, 0, 229, 36),
                 At(C::Button, "btnKettei", "決定", "pnlLeftOk", 8, 4, 100, 28),
                 At(C::Button, "btnCancel", "キャンセル", "pnlLeftOk", 120, 4, 100, 28),
             });
    return d;
}

} // namespace

const TFormDesc& SettingsPanelForm() {
    static const TFormDesc form = MakeForm();
    return form;
}

void TSettingsPanelModel::Fill() {
    const TDisplayPanelValues& v = Values;
    SetText("lblFont", v.FontName);
    SetText("lblFontSize", FontSizeText(v.FontName, v.FontSize));
    SetInt("edtTop", v.MarginTop);
    SetInt("edtLeft", v.MarginLeft);
    SetInt("edtCharacter", v.MarginCharacter);
    SetInt("edtLine", v.MarginLine);
    SetChecked("cbRet", v.RetMark);
    SetChecked("cbEof", v.EofMark);
    SetChecked("cbULine", v.UnderLine);
    SetChecked("cbRuler", v.Ruler);
    SetText("edtWrap", v.WrapText);
    SetChecked("cbTabStyle", v.TabStyle);
    SetInt("edtTabLen", v.TabLen);
}

void TSettingsPanelModel::Changed(const std::string& name) {
    TDisplayPanelValues& v = Values;
    Effect = efPreview;
    const int i = Int(name);
    if (name == "edtTop")
        v.MarginTop = i;
    else if (name == "edtLeft")
        v.MarginLeft = i;
    else if (name == "edtCharacter")
        v.MarginCharacter = i;
    else if (name == "edtLine")
        v.MarginLine = i;
    else if (name == "cbRet")
        v.RetMark = i;
    else if (name == "cbEof")
        v.EofMark = i;
    else if (name == "cbULine")
        v.UnderLine = i;
    else if (name == "cbRuler")
        v.Ruler = i;
    else if (name == "edtWrap") {
        v.WrapText = Text(name); // shown on Return
        Effect = efNone;
    } else if (name == "cbTabStyle" || name == "edtTabLen") {
        v.TabStyle = Checked("cbTabStyle");
        v.TabLen = Int("edtTabLen");
        Effect = efTabLook;
    } else
        Effect = efNone;
}

void TSettingsPanelModel::Clicked(const std::string& name) {
    Effect = efNone;
    if (name == "edtWrap") {
        Wrap = PreviewWrapField(Text(name));
        Values.WrapText = Wrap.FieldText;
        SetText(name, Wrap.FieldText);
        Effect = efWrap;
    } else if (name == "btnKiteiTab") {
        const TSettings d;
        Values.TabStyle = d.cbTabStyle;
        Values.TabLen = d.TabLen;
        Values.TabColorAct = d.TabColorAct;
        Values.TabColorDeAct = d.TabColorDeAct;
        Values.TabFontAct = d.TabFontAct;
        Values.TabFontDeAct = d.TabFontDeAct;
        Fill();
        Effect = efTabLook;
    }
}

int TSettingsPanelModel::OkPanelTop(int panelHeight, int pageTop) {
    return std::max(0, panelHeight - 68 - pageTop);
}

int TSettingsPanelModel::DefaultsButtonTop(int panelHeight, int pageTop) {
    return std::max(292, panelHeight - 94 - pageTop);
}

void FollowWindowWidth(TEditorCore& c, int windowWrap, const TDisplayPanelValues* preview,
                       TSettings& settings, TEditorProp& defaultSet) {
    if (c.Fountain()) return;
    if (preview) {
        const TWrapPreview p = PreviewWrapField(preview->WrapText);
        if (p.WordWrap && p.WindowWidth && c.GetWordWrap()) PreviewWrap(p, windowWrap, c);
        return;
    }
    if (!settings.WrapDou || !settings.WordWrap() || windowWrap < 0) return;
    settings.WrapByte = std::clamp(windowWrap, kWrapMin, kWrapMax);
    defaultSet.WrapOption.SetWrapByte(settings.WrapByte);
    TEditorWrapOption o = c.GetWrapOption();
    o.SetWrapByte(settings.WrapByte);
    c.SetWrapOption(o);
}
