// The print settings dialog's controls, its opening order and its rules.
#include "print/PrintDialogModel.h"

#include "print/PrinterFonts.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr int kMax = TStringsPrinter::kMaxNumber;
using C = TCtl;

// A label, a spin field and "mm" in a row of a grid.
void MarginRow(TFormDesc& d, const char* parent, const char* name, const char* caption, int row) {
    d.push_back(
        {.Kind = C::Spin, .Name = name, .Parent = parent, .Row = row, .Col = 1, .Max = 100});
    d.push_back({.Kind = C::Label, .Caption = caption, .Parent = parent, .Row = row});
    d.push_back({.Kind = C::Label, .Caption = "mm", .Parent = parent, .Row = row, .Col = 2});
}

// A range group: all / part, then first, last and the first number, each with its label.
void RangeGroup(TFormDesc& d, const char* name, const char* caption, int row,
                const char* const (&labels)[3][2], const char* const (&spins)[3], unsigned flags) {
    d.push_back({.Kind = C::Group,
                 .Name = name,
                 .Caption = caption,
                 .Parent = "TabSheet1",
                 .Row = row,
                 .ColSpan = 4,
                 .Items = "全部|一部",
                 .Layout = TLay::HBox,
                 .Flags = fRadios | flags});
    for (int i = 0; i < 3; ++i) {
        d.push_back(
            {.Kind = C::Label, .Name = labels[i][0], .Caption = labels[i][1], .Parent = name});
        d.push_back({.Kind = C::Spin,
                     .Name = spins[i],
                     .Parent = name,
                     .Max = kMax + 1,
                     .Flags = fDoubleClick});
    }
    d.push_back({.Kind = C::Stretch, .Parent = name, .Max = 1});
}

TFormDesc MakeForm() {
    TFormDesc d = {
        {.Kind = C::Box, .Name = "left", .Stretch = 1},
        // The printer group.
        {.Kind = C::Group,
         .Name = "GroupBox4",
         .Caption = " プリンタ ",
         .Parent = "left",
         .Layout = TLay::Grid},
        {.Kind = C::Label, .Name = "Label26", .Caption = "プリンタ機種名：", .Parent = "GroupBox4"},
        {.Kind = C::Label, .Name = "Label5", .Parent = "GroupBox4", .Col = 1},
        {.Kind = C::Label,
         .Name = "Label27",
         .Caption = "用紙サイズ：",
         .Parent = "GroupBox4",
         .Row = 1},
        {.Kind = C::Label, .Name = "Label12", .Parent = "GroupBox4", .Row = 1, .Col = 1},
        {.Kind = C::Label, .Name = "Label8", .Caption = "方向：", .Parent = "GroupBox4", .Row = 2},
        {.Kind = C::Label, .Name = "Label6", .Parent = "GroupBox4", .Row = 2, .Col = 1},
        {.Kind = C::Button,
         .Name = "btnSettei",
         .Caption = "プリンタの設定(&E)",
         .Parent = "GroupBox4",
         .Col = 2,
         .RowSpan = 3,
         .Flags = fAlignVCenter},
        {.Kind = C::Stretch, .Parent = "GroupBox4", .Row = -1, .Col = 1, .Max = 1},
        {.Kind = C::Tabs, .Name = "PageControl1", .Parent = "left", .Stretch = 1},
        // Tab 1: font and print range.
        {.Kind = C::Page,
         .Name = "TabSheet1",
         .Caption = "　フォント／印刷範囲　",
         .Parent = "PageControl1",
         .Layout = TLay::Grid},
        {.Kind = C::Combo, .Name = "ComboBox1", .Parent = "TabSheet1", .Col = 1, .ColSpan = 3},
        {.Kind = C::Label,
         .Name = "Label10",
         .Caption = "フォント(&F)",
         .Parent = "TabSheet1",
         .Buddy = "ComboBox1"},
        {.Kind = C::Combo, .Name = "ComboBox2", .Parent = "TabSheet1", .Row = 1, .Col = 1},
        {.Kind = C::Label,
         .Name = "Label11",
         .Caption = "フォントサイズ(&S)",
         .Parent = "TabSheet1",
         .Row = 1,
         .Buddy = "ComboBox2"},
        {.Kind = C::Check,
         .Name = "CheckBox1",
         .Caption = "行番号印刷(&N)",
         .Parent = "TabSheet1",
         .Row = 1,
         .Col = 2,
         .ColSpan = 2},
    };
    RangeGroup(d, "RadioGroup5", " 印刷範囲 ", 2,
               {{"Label18", "最初"}, {"Label19", "最終"}, {"Label20", "ページ番号"}},
               {"SpinEdit6", "SpinEdit7", "SpinEdit8"}, 0);
    // Hidden: the line range.
    RangeGroup(d, "RadioGroup6", " LineRangeOption ", 3,
               {{"Label21", "StartLine"}, {"Label22", "LastLine"}, {"Label23", "FirstLineNumber"}},
               {"SpinEdit9", "SpinEdit10", "SpinEdit11"}, fHidden);
    d.push_back({.Kind = C::Stretch, .Parent = "TabSheet1", .Row = 4, .Col = -1, .Max = 1});
    d.push_back({.Kind = C::Stretch, .Parent = "TabSheet1", .Row = -1, .Col = 3, .Max = 1});
    // Tab 2: margins and row spacing.
    d.push_back({.Kind = C::Page,
                 .Name = "TabSheet2",
                 .Caption = "　マージン／行間　",
                 .Parent = "PageControl1"});
    d.push_back({.Kind = C::Group,
                 .Name = "GroupBox1",
                 .Caption = " マージン ",
                 .Parent = "TabSheet2",
                 .Layout = TLay::Grid});
    MarginRow(d, "GroupBox1", "SpinEdit1", "左端", 0);
    MarginRow(d, "GroupBox1", "SpinEdit2", "右端", 1);
    MarginRow(d, "GroupBox1", "SpinEdit3", "上端", 2);
    MarginRow(d, "GroupBox1", "SpinEdit4", "下端", 3);
    MarginRow(d, "GroupBox1", "SpinEdit12", "行間", 4);
    const char* const aligns = "なし|左|中央|右";
    d.insert(
        d.end(),
        {
            {.Kind = C::Stretch, .Parent = "GroupBox1", .Row = -1, .Col = 3, .Max = 1},
            {.Kind = C::Stretch, .Parent = "TabSheet2", .Max = 1},
            // Tab 3: header and footer.
            {.Kind = C::Page,
             .Name = "TabSheet3",
             .Caption = "　ヘッダー／フッター　",
             .Parent = "PageControl1"},
            {.Kind = C::Group, .Name = "GroupBox2", .Caption = " ヘッダー ", .Parent = "TabSheet3"},
            {.Kind = C::Group,
             .Name = "RadioGroup2",
             .Parent = "GroupBox2",
             .Items = aligns,
             .Layout = TLay::HBox,
             .Flags = fRadios | fFlat},
            {.Kind = C::Stretch, .Parent = "RadioGroup2", .Max = 1},
            {.Kind = C::Edit, .Name = "Edit1", .Parent = "GroupBox2"},
            {.Kind = C::Group, .Name = "GroupBox3", .Caption = " フッター ", .Parent = "TabSheet3"},
            {.Kind = C::Group,
             .Name = "RadioGroup3",
             .Parent = "GroupBox3",
             .Items = aligns,
             .Layout = TLay::HBox,
             .Flags = fRadios | fFlat},
            {.Kind = C::Stretch, .Parent = "RadioGroup3", .Max = 1},
            {.Kind = C::Edit, .Name = "Edit2", .Parent = "GroupBox3"},
            {.Kind = C::ToolButton,
             .Name = "FramSpeedBtn3",
             .Caption = "使い方(&H)",
             .Parent = "TabSheet3",
             .Flags = fAlignRight},
            {.Kind = C::Stretch, .Parent = "TabSheet3", .Max = 1},
            // Tab 4 (not shown): columns and odd/even pages.
            {.Kind = C::Page,
             .Name = "TabSheet4",
             .Caption = "TabSheet4",
             .Parent = "PageControl1",
             .Flags = fHidden},
            {.Kind = C::Group,
             .Name = "RadioGroup1",
             .Caption = " Columns ",
             .Parent = "TabSheet4",
             .Items = "1|2|3",
             .Layout = TLay::HBox,
             .Flags = fRadios},
            {.Kind = C::Stretch, .Parent = "RadioGroup1", .Max = 1},
            {.Kind = C::Box, .Name = "columnSpace", .Parent = "TabSheet4", .Layout = TLay::HBox},
            {.Kind = C::Label, .Caption = "Column space:", .Parent = "columnSpace"},
            {.Kind = C::Spin, .Name = "SpinEdit5", .Parent = "columnSpace", .Max = 100},
            {.Kind = C::Label, .Caption = "mm", .Parent = "columnSpace"},
            {.Kind = C::Stretch, .Parent = "columnSpace", .Max = 1},
            {.Kind = C::Group,
             .Name = "RadioGroup4",
             .Caption = " PageOption ",
             .Parent = "TabSheet4",
             .Items = "poBoth|poOdd|poEven",
             .Layout = TLay::HBox,
             .Flags = fRadios},
            {.Kind = C::Stretch, .Parent = "RadioGroup4", .Max = 1},
            {.Kind = C::Stretch, .Parent = "TabSheet4", .Max = 1},
            // The button panel.
            {.Kind = C::Panel, .Name = "Panel1"},
            {.Kind = C::Button, .Name = "btnClose", .Caption = "閉じる(&Q)", .Parent = "Panel1"},
            {.Kind = C::Spacing, .Parent = "Panel1", .Max = 16},
            {.Kind = C::Button,
             .Name = "btnPrint",
             .Caption = "印刷実行(&P)",
             .Parent = "Panel1",
             .Flags = fDefault},
            {.Kind = C::Button,
             .Name = "btnPreview",
             .Caption = "プレビュー(&V)",
             .Parent = "Panel1"},
            {.Kind = C::ToolButton, .Name = "FramSpeedBtn7", .Parent = "Panel1", .Flags = fHidden},
            {.Kind = C::Stretch, .Parent = "Panel1", .Max = 1},
        });
    return d;
}

// The wrap-around of a page or line field: below 1 gives 999999, above 999999 gives 1.
int WrapAround(int v) {
    return v < 1 ? kMax : v > kMax ? 1 : v;
}

} // namespace

const TFormDesc& PrintDialogForm() {
    static const TFormDesc form = MakeForm();
    return form;
}

void TPrintDialogModel::setSpin(const std::string& name, int v) {
    SetInt(name, v);
    Changed(name);
}

void TPrintDialogModel::Changed(const std::string& name) {
    const int v = Int(name);
    if (name == "ComboBox1" || name == "ComboBox2") {
        TPrintFont f = p_.Font();
        if (name == "ComboBox1") {
            f.Name = Text(name);
        } else {
            const std::string& t = Text(name);
            int size = 0;
            const auto r = std::from_chars(t.data(), t.data() + t.size(), size);
            f.Size = r.ec == std::errc() && r.ptr == t.data() + t.size() ? size
                                                                         : TPrintFont::kDefaultSize;
        }
        p_.SetFont(f);
    } else if (name == "CheckBox1") {
        p_.SetLineNumber(v != 0);
    } else if (name == "Edit1") {
        p_.SetHeader(Text(name));
    } else if (name == "Edit2") {
        p_.SetFooter(Text(name));
    } else if (name == "RadioGroup1") {
        p_.SetColumnCount(v + 1);
    } else if (name == "RadioGroup2") {
        p_.SetHeaderAlign(v);
    } else if (name == "RadioGroup3") {
        p_.SetFooterAlign(v);
    } else if (name == "RadioGroup4") {
        p_.SetPageOption(v);
    } else if (name == "RadioGroup5") {
        p_.SetRangeOption(v);
        SetEnabled({"Label18", "Label19", "SpinEdit6", "SpinEdit7"}, v == 1);
        setSpin("SpinEdit8", v == 1 ? Int("SpinEdit6") : 1);
    } else if (name == "RadioGroup6") {
        p_.SetLineRangeOption(v);
        SetEnabled({"Label21", "Label22", "SpinEdit9", "SpinEdit10"}, v == 1);
    } else if (name.rfind("SpinEdit", 0) == 0) {
        const int n = std::stoi(name.substr(8));
        if (n <= 5 || n == 12) { // margins and column space: 0..100
            void (TStringsPrinter::*set[])(int) = {nullptr,
                                                   &TStringsPrinter::SetMarginLeft,
                                                   &TStringsPrinter::SetMarginRight,
                                                   &TStringsPrinter::SetMarginTop,
                                                   &TStringsPrinter::SetMarginBottom,
                                                   &TStringsPrinter::SetColumnSpace};
            (p_.*(n == 12 ? &TStringsPrinter::SetMarginLine : set[n]))(v);
            return;
        }
        const int w = WrapAround(v);
        if (w != v) SetInt(name, w);
        switch (n) {
        case 6:
            p_.SetStartPage(w);
            if (Int("RadioGroup5") == 1) setSpin("SpinEdit8", w);
            break;
        case 7:
            p_.SetLastPage(w);
            break;
        case 8:
            p_.SetFirstPageNumber(w);
            break;
        case 9:
            p_.SetStartLine(w);
            break;
        case 10:
            p_.SetLastLine(w);
            break;
        case 11:
            p_.SetFirstLineNumber(w);
            break;
        }
    }
}

void TPrintDialogModel::Clicked(const std::string& name) {
    // A double-click resets a page or line field.
    if (name == "SpinEdit7" || name == "SpinEdit10")
        setSpin(name, kMax);
    else if (name == "SpinEdit6" || name == "SpinEdit8" || name == "SpinEdit9" ||
             name == "SpinEdit11")
        setSpin(name, 1);
}

void TPrintDialogModel::SetPrinterLabels(const std::string& printer, const std::string& paper,
                                         bool landscape) {
    SetText("Label5", printer);
    SetText("Label12", paper);
    SetText("Label6", landscape ? "横" : "縦");
}

void TPrintDialogModel::Open(const std::vector<std::string>& fontFamilies, bool hasLines) {
    // The font names of the printer, without vertical-writing fonts; a face the system lacks
    // (the design's Windows fonts) is still offered, so that it stays chosen.
    TPrintFont font = p_.Font();
    font.Name = DialogFontName(font.Name);
    std::vector<std::string> names = PrinterFontNames(fontFamilies);
    auto at = std::find(names.begin(), names.end(), font.Name);
    if (at == names.end()) at = names.insert(names.begin(), font.Name);
    SetInt("ComboBox1", static_cast<int>(at - names.begin()));
    SetText("ComboBox1", font.Name);
    SetItems("ComboBox1", std::move(names));
    p_.SetFont(font);
    std::vector<std::string> sizes;
    int sizeIndex = -1;
    for (int s = 6; s <= 30; ++s) {
        if (s == font.Size) sizeIndex = static_cast<int>(sizes.size());
        sizes.push_back(std::to_string(s));
    }
    SetItems("ComboBox2", std::move(sizes));
    SetInt("ComboBox2", sizeIndex);
    SetText("ComboBox2", sizeIndex < 0 ? "" : std::to_string(font.Size));

    const TStringsPrinter start = p_; // the values before the controls change them
    setSpin("SpinEdit1", start.MarginLeft());
    setSpin("SpinEdit2", start.MarginRight());
    setSpin("SpinEdit3", start.MarginTop());
    setSpin("SpinEdit4", start.MarginBottom());
    setSpin("SpinEdit12", start.MarginLine());
    setSpin("SpinEdit5", start.ColumnSpace());
    setSpin("RadioGroup1", start.ColumnCount() - 1);
    setSpin("CheckBox1", start.LineNumber());
    setSpin("RadioGroup2", start.HeaderAlign());
    SetText("Edit1", start.Header());
    setSpin("RadioGroup3", start.FooterAlign());
    SetText("Edit2", start.Footer());
    setSpin("RadioGroup4", start.PageOption());
    setSpin("SpinEdit11", start.FirstLineNumber());
    // The hidden line-range fields show the values without setting them (LastLine stays 0
    // until the user sets it).
    SetInt("SpinEdit9", start.StartLine());
    SetInt("SpinEdit10", start.LastLine() > 0 ? start.LastLine() : kMax);
    setSpin("RadioGroup6", start.LineRangeOption());
    // FirstPageNumber is read first: setting the range controls may change it.
    setSpin("SpinEdit6", start.StartPage());
    setSpin("SpinEdit7", start.LastPage());
    setSpin("RadioGroup5", start.RangeOption());
    setSpin("SpinEdit8", start.FirstPageNumber());
    SetEnabled({"Label5", "Label12", "Label6", "btnSettei", "btnPrint", "btnPreview"}, hasLines);
}
