// The property dialog's pages and the transfer between its controls and a property set.
#include "editor/PropertyDialogModel.h"

#include "platform/Cp932.h"

namespace {

using C = TCtl;

// The marks: check box, colour button, caption.
const char* const kMarks[][3] = {{"cbRetMark", "btnRetMark", "改行マーク"},
                                 {"cbEofMark", "btnEofMark", "[EOF] マーク"},
                                 {"cbWrapMark", "btnWrapMark", "折り返しマーク"},
                                 {"cbHideMark", "btnHideMark", "1000 桁を超える行のマーク"},
                                 {"cbUnderline", "btnUnderline", "キャレット行の下線"}};

// The caret page's check boxes and the caret options they stand for.
struct CaretCheck {
    const char* name;
    const char* caption;
    bool (TEditorCaret::*get)() const;
    void (TEditorCaret::*set)(bool);
};
const CaretCheck kCaretChecks[] = {
    {"cbAutoIndent", "自動インデント", &TEditorCaret::AutoIndent, &TEditorCaret::SetAutoIndent},
    {"cbBackSpaceUnIndent", "BackSpace でインデントを戻す", &TEditorCaret::BackSpaceUnIndent,
     &TEditorCaret::SetBackSpaceUnIndent},
    {"cbPrevSpaceIndent", "前の行の空白に合わせてインデント", &TEditorCaret::PrevSpaceIndent,
     &TEditorCaret::SetPrevSpaceIndent},
    {"cbTabIndent", "Tab でインデント", &TEditorCaret::TabIndent, &TEditorCaret::SetTabIndent},
    {"cbSoftTab", "Tab を空白で入力する", &TEditorCaret::SoftTab, &TEditorCaret::SetSoftTab},
    {"cbFreeCaret", "行末より右にキャレットを置ける", &TEditorCaret::FreeCaret,
     &TEditorCaret::SetFreeCaret},
    {"cbFreeRow", "[EOF] より下にキャレットを置ける", &TEditorCaret::FreeRow,
     &TEditorCaret::SetFreeRow},
    {"cbInTab", "タブの中にキャレットを置ける", &TEditorCaret::InTab, &TEditorCaret::SetInTab},
    {"cbKeepCaret", "上下の移動で桁を保つ", &TEditorCaret::KeepCaret, &TEditorCaret::SetKeepCaret},
    {"cbNextLine", "行末から次の行へ移る", &TEditorCaret::NextLine, &TEditorCaret::SetNextLine},
    {"cbLockScroll", "スクロールしてもキャレットを画面に残す", &TEditorCaret::LockScroll,
     &TEditorCaret::SetLockScroll},
    {"cbRowSelect", "左余白のクリックで行を選択", &TEditorCaret::RowSelect,
     &TEditorCaret::SetRowSelect},
    {"cbSelMove", "選択範囲をドラッグで移動", &TEditorCaret::SelMove, &TEditorCaret::SetSelMove},
    {"cbAutoCursor", "場所に合わせてマウスカーソルを変える", &TEditorCaret::AutoCursor,
     &TEditorCaret::SetAutoCursor},
};

TControl Check(const char* name, const char* caption, const char* parent) {
    return {.Kind = C::Check, .Name = name, .Caption = caption, .Parent = parent};
}
// A colour button in a form row; allowNone offers "no colour".
TControl Color(const char* name, const char* label, const char* parent, bool allowNone) {
    return {
        .Kind = C::ColorButton, .Name = name, .Parent = parent, .Min = allowNone, .Label = label};
}
TControl Row(C kind, const char* name, const char* label, const char* parent,
             const char* items = "", int min = 0, int max = 0) {
    return {.Kind = kind,
            .Name = name,
            .Parent = parent,
            .Min = min,
            .Max = max,
            .Items = items,
            .Label = label};
}
TControl Page(const char* name, const char* caption, TLay lay = TLay::VBox) {
    return {.Kind = C::Page, .Name = name, .Caption = caption, .Parent = "Pages", .Layout = lay};
}
TControl Group(const char* name, const char* caption, const char* parent, TLay lay) {
    return {.Kind = C::Group, .Name = name, .Caption = caption, .Parent = parent, .Layout = lay};
}
TControl Label(const char* caption, const char* parent, int row = 0, int col = 0) {
    return {.Kind = C::Label, .Caption = caption, .Parent = parent, .Row = row, .Col = col};
}
// A label whose mnemonic focuses the field buddy.
TControl Label(const char* name, const char* caption, const char* parent, int row, int col,
               const char* buddy) {
    TControl c = Label(caption, parent, row, col);
    c.Name = name;
    c.Buddy = buddy;
    return c;
}
TControl Stretch(const char* parent) {
    return {.Kind = C::Stretch, .Parent = parent, .Max = 1};
}
// Background and text colour buttons side by side in a form row.
void ColorPair(TFormDesc& d, const char* box, const char* label, const char* parent, const char* bk,
               const char* fg) {
    d.push_back(
        {.Kind = C::Box, .Name = box, .Parent = parent, .Layout = TLay::HBox, .Label = label});
    d.push_back(Label("背景", box));
    d.push_back(Color(bk, "", box, true));
    d.push_back(Label("文字", box));
    d.push_back(Color(fg, "", box, true));
}

TFormDesc MakeForm() {
    TFormDesc d = {
        {.Kind = C::Tabs, .Name = "Pages"},
        Page("tsFont", "フォントと色"),
        Group("gbFont", "フォント", "tsFont", TLay::HBox),
        {.Kind = C::Label, .Name = "lblFont", .Parent = "gbFont", .Stretch = 1},
        {.Kind = C::Button, .Name = "btnFont", .Caption = "変更(&F)...", .Parent = "gbFont"},
        Group("gbColor", "色", "tsFont", TLay::Form),
        Color("btnFontColor", "文字色(&T):", "gbColor", false),
        Color("btnColor", "背景色(&B):", "gbColor", false),
    };
    ColorPair(d, "boxSelect", "選択範囲:", "gbColor", "btnSelectBk", "btnSelectFg");
    ColorPair(d, "boxHit", "検索で見つかった文字:", "gbColor", "btnHitBk", "btnHitFg");
    d.insert(d.end(),
             {
                 Row(C::Combo, "cmbHitStyle", "見つかった文字の示し方(&H):", "gbColor",
                     "選択範囲にする|色を付ける|キャレットで示す"),
                 Stretch("tsFont"),
                 Page("tsMargin", "余白とマーク"),
                 Group("gbMargin", "余白 (ピクセル)", "tsMargin", TLay::Grid),
                 Label("lblTop", "上(&U):", "gbMargin", 0, 0, "edtTop"),
                 {.Kind = C::Spin, .Name = "edtTop", .Parent = "gbMargin", .Col = 1, .Max = 100},
                 Label("lblLeft", "左(&L):", "gbMargin", 0, 2, "edtLeft"),
                 {.Kind = C::Spin, .Name = "edtLeft", .Parent = "gbMargin", .Col = 3, .Max = 100},
                 Label("lblCharacter", "字間(&C):", "gbMargin", 1, 0, "edtCharacter"),
                 {.Kind = C::Spin,
                  .Name = "edtCharacter",
                  .Parent = "gbMargin",
                  .Row = 1,
                  .Col = 1,
                  .Max = 100},
                 Label("lblLine", "行間(&R):", "gbMargin", 1, 2, "edtLine"),
                 {.Kind = C::Spin,
                  .Name = "edtLine",
                  .Parent = "gbMargin",
                  .Row = 1,
                  .Col = 3,
                  .Max = 100},
                 Group("gbMarks", "マーク", "tsMargin", TLay::Grid),
             });
    int row = 0;
    for (const auto& m : kMarks) {
        d.push_back(
            {.Kind = C::Check, .Name = m[0], .Caption = m[2], .Parent = "gbMarks", .Row = row});
        d.push_back({.Kind = C::ColorButton,
                     .Name = m[1],
                     .Parent = "gbMarks",
                     .Row = row++,
                     .Col = 1,
                     .Min = 1});
    }
    d.insert(
        d.end(),
        {
            Stretch("tsMargin"),
            Page("tsRuler", "ルーラーと行番号"),
            Group("gbRuler", "ルーラー", "tsRuler", TLay::Form),
            Check("cbRuler", "ルーラーを表示する(&V)", "gbRuler"),
            Check("cbRulerEdge", "縁を付ける", "gbRuler"),
            Row(C::Combo, "cmbGauge", "目盛の間隔:", "gbRuler", "8 桁|10 桁"),
            Color("btnRulerBk", "背景色:", "gbRuler", true),
            Color("btnRulerFg", "目盛の色:", "gbRuler", false),
            Color("btnRulerMark", "キャレット位置の色:", "gbRuler", true),
            Group("gbLeftbar", "行番号", "tsRuler", TLay::Form),
            Check("cbLeftbar", "行番号の欄を表示する(&N)", "gbLeftbar"),
            Check("cbShowNumber", "番号を表示する", "gbLeftbar"),
            Row(C::Combo, "cmbNumberMode", "数え方:", "gbLeftbar", "表示行ごと|改行ごと (論理行)"),
            Row(C::Spin, "edtColumn", "最小の桁数:", "gbLeftbar", "", 1, 8),
            Check("cbZeroBase", "0 から数える", "gbLeftbar"),
            Check("cbZeroLead", "頭を 0 で埋める", "gbLeftbar"),
            Check("cbLeftbarEdge", "縁を付ける", "gbLeftbar"),
            Color("btnLeftbarBk", "背景色:", "gbLeftbar", true),
            Color("btnLeftbarFg", "文字色:", "gbLeftbar", false),
            Stretch("tsRuler"),
            Page("tsWrap", "折り返し", TLay::Form),
            Check("cbWordWrap", "折り返す(&W)", "tsWrap"),
            Row(C::Spin, "edtWrapByte", "折り返し文字数 (半角):", "tsWrap", "", 20, 250),
            Row(C::Combo, "cmbScrollBars", "スクロールバー:", "tsWrap", "なし|横|縦|縦と横"),
            Check("cbFollowRetMark", "改行マークをぶら下げる", "tsWrap"),
            Check("cbFollowPunctuation", "句読点をぶら下げる", "tsWrap"),
            Row(C::Edit, "edtPunctuationStr", "ぶら下げる句読点:", "tsWrap"),
            Check("cbLeading", "禁則処理をする (追い出し)", "tsWrap"),
            Row(C::Edit, "edtFollowStr", "行頭禁則文字:", "tsWrap"),
            Row(C::Edit, "edtLeadStr", "行末禁則文字:", "tsWrap"),
            Check("cbWordBreak", "英単語の途中で折り返さない", "tsWrap"),
            Page("tsCaret", "キャレット", TLay::Grid),
        });
    int i = 0;
    for (const CaretCheck& c : kCaretChecks) {
        d.push_back({.Kind = C::Check,
                     .Name = c.name,
                     .Caption = c.caption,
                     .Parent = "tsCaret",
                     .Row = i / 2,
                     .Col = i % 2});
        ++i;
    }
    d.insert(
        d.end(),
        {
            {.Kind = C::Box,
             .Name = "boxCaret",
             .Parent = "tsCaret",
             .Row = (i + 1) / 2,
             .ColSpan = 2,
             .Layout = TLay::Form},
            Row(C::Combo, "cmbCaretStyle", "キャレットの形:", "boxCaret",
                "行の高さ|挿入時は細い線"),
            Row(C::Combo, "cmbTabWidth", "タブ幅 (半角):", "boxCaret", "2|4|6|8"),
            {.Kind = C::Stretch, .Parent = "tsCaret", .Row = (i + 1) / 2 + 1, .Col = -1, .Max = 1},
            Page("tsOther", "その他", TLay::Form),
            Check("cbUrl", "URL に色を付ける", "tsOther"),
            Check("cbMail", "メールアドレスに色を付ける", "tsOther"),
            Check("cbControlCode", "制御文字コード (#13 など) に色を付ける", "tsOther"),
            Row(C::Edit, "edtExtensions", "対象の拡張子 (空白区切り):", "tsOther"),
            {.Kind = C::Slot, .Name = "buttons"},
        });
    return d;
}

} // namespace

const TFormDesc& PropertyDialogForm() {
    static const TFormDesc form = MakeForm();
    return form;
}

std::vector<std::string> ParseExtensions(const std::string& text) {
    std::vector<std::string> out;
    std::string cur;
    auto flush = [&] {
        if (cur.empty()) return;
        out.push_back(cur[0] == '.' ? cur : "." + cur);
        cur.clear();
    };
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ',' || c == ';')
            flush();
        else
            cur += c;
    }
    flush();
    return out;
}

std::string TPropertyDialogModel::FontText() const {
    const int px = Font.Height < 0 ? -Font.Height : Font.Height;
    return Font.Name + "  " + std::to_string(px) + "px  あいうABC";
}

void TPropertyDialogModel::SetChosenFont(const TEditorFont& f) {
    Font.Name = f.Name;
    Font.Height = f.Height;
    Font.Style = f.Style;
    SetText("lblFont", FontText());
}

void TPropertyDialogModel::Changed(const std::string& name) {
    if (name == "btnFontColor") Font.Color = static_cast<TColor>(Int(name));
}

void TPropertyDialogModel::Load(const TEditorProp& p) {
    Font = p.Font;
    SetText("lblFont", FontText());
    auto color = [this](const char* n, TColor c) { SetInt(n, static_cast<int>(c)); };
    color("btnColor", p.Color);
    color("btnFontColor", p.Font.Color);
    const TEditorViewColors& vc = p.View.Colors();
    color("btnSelectBk", vc.Select.BkColor);
    color("btnSelectFg", vc.Select.Color);
    color("btnHitBk", vc.Hit.BkColor);
    color("btnHitFg", vc.Hit.Color);
    SetInt("cmbHitStyle", p.HitStyle);
    SetInt("edtTop", p.Margin.Top());
    SetInt("edtLeft", p.Margin.Left());
    SetInt("edtCharacter", p.Margin.Character());
    SetInt("edtLine", p.Margin.Line());
    const TEditorMark* marks[] = {&p.Marks.RetMark, &p.Marks.EofMark, &p.Marks.WrapMark,
                                  &p.Marks.HideMark, &p.Marks.Underline};
    for (int i = 0; i < 5; ++i) {
        SetChecked(kMarks[i][0], marks[i]->Visible());
        color(kMarks[i][1], marks[i]->Color());
    }
    SetChecked("cbRuler", p.Ruler.Visible());
    SetChecked("cbRulerEdge", p.Ruler.Edge());
    SetInt("cmbGauge", p.Ruler.GaugeRange() == 8 ? 0 : 1);
    color("btnRulerBk", p.Ruler.BkColor());
    color("btnRulerFg", p.Ruler.Color());
    color("btnRulerMark", p.Ruler.MarkColor());
    SetChecked("cbLeftbar", p.Leftbar.Visible());
    SetChecked("cbShowNumber", p.Leftbar.ShowNumber());
    SetInt("cmbNumberMode", p.Leftbar.ShowNumberMode() == nmRow ? 0 : 1);
    SetInt("edtColumn", p.Leftbar.Column());
    SetChecked("cbZeroBase", p.Leftbar.ZeroBase());
    SetChecked("cbZeroLead", p.Leftbar.ZeroLead());
    SetChecked("cbLeftbarEdge", p.Leftbar.Edge());
    color("btnLeftbarBk", p.Leftbar.BkColor());
    color("btnLeftbarFg", p.Leftbar.Color());
    const TEditorWrapOption& w = p.WrapOption;
    SetChecked("cbWordWrap", p.WordWrap);
    SetInt("edtWrapByte", w.WrapByte);
    SetInt("cmbScrollBars", p.ScrollBars);
    SetChecked("cbFollowRetMark", w.FollowRetMark);
    SetChecked("cbFollowPunctuation", w.FollowPunctuation);
    SetText("edtPunctuationStr", Cp932ToUtf8(w.PunctuationStr));
    SetChecked("cbLeading", w.Leading);
    SetText("edtFollowStr", Cp932ToUtf8(w.FollowStr));
    SetText("edtLeadStr", Cp932ToUtf8(w.LeadStr));
    SetChecked("cbWordBreak", w.WordBreak);
    for (const CaretCheck& c : kCaretChecks)
        SetChecked(c.name, (p.Caret.*c.get)());
    SetInt("cmbCaretStyle", p.Caret.Style() == csBrief ? 1 : 0);
    SetInt("cmbTabWidth", p.Caret.TabSpaceCount() / 2 - 1);
    SetChecked("cbUrl", p.View.Url());
    SetChecked("cbMail", p.View.Mail());
    SetChecked("cbControlCode", p.View.ControlCode());
    std::string exts;
    for (const std::string& e : p.FileExtList.Items())
        exts += (exts.empty() ? "" : " ") + e;
    SetText("edtExtensions", exts);
}

void TPropertyDialogModel::Store(TEditorProp& p) const {
    auto color = [this](const char* n) { return static_cast<TColor>(Int(n)); };
    p.Font = Font;
    p.Font.Color = color("btnFontColor");
    p.Color = color("btnColor");
    TEditorViewColors vc = p.View.Colors();
    vc.Select.BkColor = color("btnSelectBk");
    vc.Select.Color = color("btnSelectFg");
    vc.Hit.BkColor = color("btnHitBk");
    vc.Hit.Color = color("btnHitFg");
    p.View.SetColors(vc);
    p.HitStyle = static_cast<TEditorHitStyle>(Int("cmbHitStyle"));
    p.Margin.SetTop(Int("edtTop"));
    p.Margin.SetLeft(Int("edtLeft"));
    p.Margin.SetCharacter(Int("edtCharacter"));
    p.Margin.SetLine(Int("edtLine"));
    TEditorMark* marks[] = {&p.Marks.RetMark, &p.Marks.EofMark, &p.Marks.WrapMark,
                            &p.Marks.HideMark, &p.Marks.Underline};
    for (int i = 0; i < 5; ++i) {
        marks[i]->SetVisible(Checked(kMarks[i][0]));
        marks[i]->SetColor(color(kMarks[i][1]));
    }
    p.Ruler.SetVisible(Checked("cbRuler"));
    p.Ruler.SetEdge(Checked("cbRulerEdge"));
    p.Ruler.SetGaugeRange(Int("cmbGauge") == 0 ? 8 : 10);
    p.Ruler.SetBkColor(color("btnRulerBk"));
    p.Ruler.SetColor(color("btnRulerFg"));
    p.Ruler.SetMarkColor(color("btnRulerMark"));
    p.Leftbar.SetVisible(Checked("cbLeftbar"));
    p.Leftbar.SetShowNumber(Checked("cbShowNumber"));
    p.Leftbar.SetShowNumberMode(Int("cmbNumberMode") == 0 ? nmRow : nmLine);
    p.Leftbar.SetColumn(Int("edtColumn"));
    p.Leftbar.SetZeroBase(Checked("cbZeroBase"));
    p.Leftbar.SetZeroLead(Checked("cbZeroLead"));
    p.Leftbar.SetEdge(Checked("cbLeftbarEdge"));
    p.Leftbar.SetBkColor(color("btnLeftbarBk"));
    p.Leftbar.SetColor(color("btnLeftbarFg"));
    TEditorWrapOption& w = p.WrapOption;
    p.WordWrap = Checked("cbWordWrap");
    w.SetWrapByte(Int("edtWrapByte"));
    p.ScrollBars = static_cast<TScrollStyle>(Int("cmbScrollBars"));
    w.FollowRetMark = Checked("cbFollowRetMark");
    w.FollowPunctuation = Checked("cbFollowPunctuation");
    w.PunctuationStr = Utf8ToCp932(Text("edtPunctuationStr"));
    w.Leading = Checked("cbLeading");
    w.FollowStr = Utf8ToCp932(Text("edtFollowStr"));
    w.LeadStr = Utf8ToCp932(Text("edtLeadStr"));
    w.WordBreak = Checked("cbWordBreak");
    for (const CaretCheck& c : kCaretChecks)
        (p.Caret.*c.set)(Checked(c.name));
    p.Caret.SetStyle(Int("cmbCaretStyle") == 1 ? csBrief : csDefault);
    p.Caret.SetTabSpaceCount((Int("cmbTabWidth") + 1) * 2);
    p.View.SetUrl(Checked("cbUrl"));
    p.View.SetMail(Checked("cbMail"));
    p.View.SetControlCode(Checked("cbControlCode"));
    p.FileExtList.Assign(ParseExtensions(Text("edtExtensions")));
}
