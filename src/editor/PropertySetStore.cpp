// Property sets as named properties: one table of fields serves writing and reading.
#include "editor/PropertySetStore.h"

#include "app/ObjectIni.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace {

const char* const kMagic = "TEditorProp1"; // the first property: tells a set from other bytes

struct IntField {
    std::string name;
    std::function<std::int32_t(const TEditorProp&)> get;
    std::function<void(TEditorProp&, std::int32_t)> set;
};

struct TextField {
    const char* name;
    std::function<std::string(const TEditorProp&)> get;
    std::function<void(TEditorProp&, const std::string&)> set;
};

#define BOOLF(NAME, OBJ, GET, SET)                                                                 \
    IntField {                                                                                     \
        NAME, [](const TEditorProp& p) { return p.OBJ GET() ? 1 : 0; },                            \
            [](TEditorProp& p, std::int32_t v) { p.OBJ SET(v != 0); }                              \
    }
#define INTF(NAME, OBJ, GET, SET)                                                                  \
    IntField {                                                                                     \
        NAME, [](const TEditorProp& p) { return static_cast<std::int32_t>(p.OBJ GET()); },         \
            [](TEditorProp& p, std::int32_t v) {                                                   \
                p.OBJ SET(static_cast<decltype(p.OBJ GET())>(v));                                  \
            }                                                                                      \
    }
// An enumeration: values outside first..last keep the field's value.
#define ENUMF(NAME, OBJ, GET, SET, FIRST, LAST)                                                    \
    IntField {                                                                                     \
        NAME, [](const TEditorProp& p) { return static_cast<std::int32_t>(p.OBJ GET()); },         \
            [](TEditorProp& p, std::int32_t v) {                                                   \
                if (v >= FIRST && v <= LAST) p.OBJ SET(static_cast<decltype(p.OBJ GET())>(v));     \
            }                                                                                      \
    }
#define RAWF(NAME, FIELD)                                                                          \
    IntField {                                                                                     \
        NAME, [](const TEditorProp& p) { return static_cast<std::int32_t>(p.FIELD); },             \
            [](TEditorProp& p, std::int32_t v) { p.FIELD = static_cast<decltype(p.FIELD)>(v); }    \
    }

// A mark's colour and visibility.
void AddMark(std::vector<IntField>& f, const char* name, TEditorMark TEditorMarks::*m) {
    const std::string cn = "Marks." + std::string(name) + ".Color";
    const std::string vn = "Marks." + std::string(name) + ".Visible";
    f.push_back(
        {cn, [m](const TEditorProp& p) { return static_cast<std::int32_t>((p.Marks.*m).Color()); },
         [m](TEditorProp& p, std::int32_t v) { (p.Marks.*m).SetColor(static_cast<TColor>(v)); }});
    f.push_back({vn, [m](const TEditorProp& p) { return (p.Marks.*m).Visible() ? 1 : 0; },
                 [m](TEditorProp& p, std::int32_t v) { (p.Marks.*m).SetVisible(v != 0); }});
}

// A colour item of View.Colors: background, colour, style.
void AddColorItem(std::vector<IntField>& f, const char* name,
                  TEditorColorItem TEditorViewColors::*item) {
    const std::string n = std::string("View.Colors.") + name;
    const char* parts[3] = {".BkColor", ".Color", ".Style"};
    for (int k = 0; k < 3; ++k) {
        f.push_back(
            {n + parts[k],
             [item, k](const TEditorProp& p) {
                 const TEditorColorItem& c = p.View.Colors().*item;
                 return static_cast<std::int32_t>(k == 0 ? c.BkColor : k == 1 ? c.Color : c.Style);
             },
             [item, k](TEditorProp& p, std::int32_t v) {
                 TEditorViewColors cs = p.View.Colors();
                 TEditorColorItem& c = cs.*item;
                 if (k == 0) c.BkColor = static_cast<TColor>(v);
                 if (k == 1) c.Color = static_cast<TColor>(v);
                 if (k == 2) c.Style = static_cast<TEditorFontStyles>(v & fsAllStyles);
                 p.View.SetColors(cs);
             }});
    }
}

const std::vector<IntField>& IntFields() {
    static const std::vector<IntField> fields = [] {
        std::vector<IntField> f = {
            RAWF("Color", Color),
            BOOLF("Caret.AutoCursor", Caret., AutoCursor, SetAutoCursor),
            BOOLF("Caret.AutoIndent", Caret., AutoIndent, SetAutoIndent),
            BOOLF("Caret.BackSpaceUnIndent", Caret., BackSpaceUnIndent, SetBackSpaceUnIndent),
            BOOLF("Caret.FreeCaret", Caret., FreeCaret, SetFreeCaret),
            BOOLF("Caret.FreeRow", Caret., FreeRow, SetFreeRow),
            BOOLF("Caret.InTab", Caret., InTab, SetInTab),
            BOOLF("Caret.KeepCaret", Caret., KeepCaret, SetKeepCaret),
            BOOLF("Caret.LockScroll", Caret., LockScroll, SetLockScroll),
            BOOLF("Caret.NextLine", Caret., NextLine, SetNextLine),
            BOOLF("Caret.PrevSpaceIndent", Caret., PrevSpaceIndent, SetPrevSpaceIndent),
            BOOLF("Caret.RowSelect", Caret., RowSelect, SetRowSelect),
            ENUMF("Caret.SelDragMode", Caret., SelDragMode, SetSelDragMode, dmManual, dmAutomatic),
            BOOLF("Caret.SelMove", Caret., SelMove, SetSelMove),
            BOOLF("Caret.SoftTab", Caret., SoftTab, SetSoftTab),
            ENUMF("Caret.Style", Caret., Style, SetStyle, csDefault, csBrief),
            BOOLF("Caret.TabIndent", Caret., TabIndent, SetTabIndent),
            INTF("Caret.TabSpaceCount", Caret., TabSpaceCount, SetTabSpaceCount),
            RAWF("Caret.Cursors.DefaultCursor", Caret.Cursors.DefaultCursor),
            RAWF("Caret.Cursors.DragSelCursor", Caret.Cursors.DragSelCursor),
            RAWF("Caret.Cursors.DragSelCopyCursor", Caret.Cursors.DragSelCopyCursor),
            RAWF("Caret.Cursors.InSelCursor", Caret.Cursors.InSelCursor),
            RAWF("Caret.Cursors.LeftMarginCursor", Caret.Cursors.LeftMarginCursor),
            RAWF("Caret.Cursors.TopMarginCursor", Caret.Cursors.TopMarginCursor),
            RAWF("Font.Height", Font.Height),
            RAWF("Font.Color", Font.Color),
            RAWF("Font.Charset", Font.Charset),
            RAWF("Font.Style", Font.Style),
            {"HitStyle", [](const TEditorProp& p) { return static_cast<std::int32_t>(p.HitStyle); },
             [](TEditorProp& p, std::int32_t v) {
                 if (v >= hsSelect && v <= hsCaret) p.HitStyle = static_cast<TEditorHitStyle>(v);
             }},
            INTF("Imagebar.DigitWidth", Imagebar., DigitWidth, SetDigitWidth),
            INTF("Imagebar.LeftMargin", Imagebar., LeftMargin, SetLeftMargin),
            INTF("Imagebar.MarkWidth", Imagebar., MarkWidth, SetMarkWidth),
            INTF("Imagebar.RightMargin", Imagebar., RightMargin, SetRightMargin),
            BOOLF("Imagebar.Visible", Imagebar., Visible, SetVisible),
            INTF("Leftbar.BkColor", Leftbar., BkColor, SetBkColor),
            INTF("Leftbar.Color", Leftbar., Color, SetColor),
            INTF("Leftbar.Column", Leftbar., Column, SetColumn),
            BOOLF("Leftbar.Edge", Leftbar., Edge, SetEdge),
            INTF("Leftbar.LeftMargin", Leftbar., LeftMargin, SetLeftMargin),
            INTF("Leftbar.RightMargin", Leftbar., RightMargin, SetRightMargin),
            BOOLF("Leftbar.ShowNumber", Leftbar., ShowNumber, SetShowNumber),
            ENUMF("Leftbar.ShowNumberMode", Leftbar., ShowNumberMode, SetShowNumberMode, nmRow,
                  nmLine),
            BOOLF("Leftbar.Visible", Leftbar., Visible, SetVisible),
            BOOLF("Leftbar.ZeroBase", Leftbar., ZeroBase, SetZeroBase),
            BOOLF("Leftbar.ZeroLead", Leftbar., ZeroLead, SetZeroLead),
            INTF("Margin.Character", Margin., Character, SetCharacter),
            INTF("Margin.Left", Margin., Left, SetLeft),
            INTF("Margin.Line", Margin., Line, SetLine),
            INTF("Margin.Top", Margin., Top, SetTop),
            INTF("Ruler.BkColor", Ruler., BkColor, SetBkColor),
            INTF("Ruler.Color", Ruler., Color, SetColor),
            BOOLF("Ruler.Edge", Ruler., Edge, SetEdge),
            INTF("Ruler.GaugeRange", Ruler., GaugeRange, SetGaugeRange),
            INTF("Ruler.MarkColor", Ruler., MarkColor, SetMarkColor),
            BOOLF("Ruler.Visible", Ruler., Visible, SetVisible),
            {"ScrollBars",
             [](const TEditorProp& p) { return static_cast<std::int32_t>(p.ScrollBars); },
             [](TEditorProp& p, std::int32_t v) {
                 if (v >= ssNone && v <= ssBoth) p.ScrollBars = static_cast<TScrollStyle>(v);
             }},
            INTF("Speed.CaretVerticalAc", Speed., CaretVerticalAc, SetCaretVerticalAc),
            BOOLF("Speed.InitBracketsFull", Speed., InitBracketsFull, SetInitBracketsFull),
            INTF("Speed.PageVerticalRange", Speed., PageVerticalRange, SetPageVerticalRange),
            INTF("Speed.PageVerticalRangeAc", Speed., PageVerticalRangeAc, SetPageVerticalRangeAc),
            BOOLF("View.ControlCode", View., ControlCode, SetControlCode),
            BOOLF("View.Mail", View., Mail, SetMail),
            BOOLF("View.Url", View., Url, SetUrl),
            RAWF("WordWrap", WordWrap),
            RAWF("WrapOption.FollowRetMark", WrapOption.FollowRetMark),
            RAWF("WrapOption.FollowPunctuation", WrapOption.FollowPunctuation),
            RAWF("WrapOption.Leading", WrapOption.Leading),
            RAWF("WrapOption.WordBreak", WrapOption.WordBreak),
            {"WrapOption.WrapByte", [](const TEditorProp& p) { return p.WrapOption.WrapByte; },
             [](TEditorProp& p, std::int32_t v) { p.WrapOption.SetWrapByte(v); }},
        };
        AddMark(f, "EofMark", &TEditorMarks::EofMark);
        AddMark(f, "RetMark", &TEditorMarks::RetMark);
        AddMark(f, "WrapMark", &TEditorMarks::WrapMark);
        AddMark(f, "HideMark", &TEditorMarks::HideMark);
        AddMark(f, "Underline", &TEditorMarks::Underline);
        AddColorItem(f, "Ank", &TEditorViewColors::Ank);
        AddColorItem(f, "Comment", &TEditorViewColors::Comment);
        AddColorItem(f, "DBCS", &TEditorViewColors::DBCS);
        AddColorItem(f, "Hit", &TEditorViewColors::Hit);
        AddColorItem(f, "Int", &TEditorViewColors::Int);
        AddColorItem(f, "Mail", &TEditorViewColors::Mail);
        AddColorItem(f, "Reserve", &TEditorViewColors::Reserve);
        AddColorItem(f, "Select", &TEditorViewColors::Select);
        AddColorItem(f, "Str", &TEditorViewColors::Str);
        AddColorItem(f, "Symbol", &TEditorViewColors::Symbol);
        AddColorItem(f, "Url", &TEditorViewColors::Url);
        return f;
    }();
    return fields;
}

std::string JoinLines(const std::vector<std::string>& items) {
    std::string s;
    for (const std::string& i : items)
        s += i + '\n';
    return s;
}

std::vector<std::string> SplitLines(const std::string& s) {
    std::vector<std::string> out;
    std::size_t a = 0;
    for (std::size_t b; (b = s.find('\n', a)) != std::string::npos; a = b + 1)
        out.push_back(s.substr(a, b - a));
    if (a < s.size()) out.push_back(s.substr(a));
    return out;
}

// Brackets: left, right and the three colours of each pair, one line of five fields each,
// separated by the byte 0x01 (which no bracket text holds).
std::string BracketsText(const std::vector<TEditorBracketItem>& b) {
    std::string s;
    for (const TEditorBracketItem& i : b)
        s += i.LeftBracket + '\x01' + i.RightBracket + '\x01' +
             std::to_string(i.ItemColor.BkColor) + '\x01' + std::to_string(i.ItemColor.Color) +
             '\x01' + std::to_string(i.ItemColor.Style) + '\n';
    return s;
}

std::vector<TEditorBracketItem> BracketsOf(const std::string& text) {
    std::vector<TEditorBracketItem> out;
    for (const std::string& line : SplitLines(text)) {
        std::vector<std::string> f;
        std::size_t a = 0;
        for (std::size_t b; (b = line.find('\x01', a)) != std::string::npos; a = b + 1)
            f.push_back(line.substr(a, b - a));
        f.push_back(line.substr(a));
        if (f.size() != 5) continue;
        TEditorBracketItem i;
        i.LeftBracket = f[0];
        i.RightBracket = f[1];
        try {
            i.ItemColor.BkColor = static_cast<TColor>(std::stoul(f[2]));
            i.ItemColor.Color = static_cast<TColor>(std::stoul(f[3]));
            i.ItemColor.Style = static_cast<TEditorFontStyles>(std::stoul(f[4]) & fsAllStyles);
        } catch (...) {
            continue;
        }
        out.push_back(i);
    }
    return out;
}

const std::vector<TextField>& TextFields() {
    static const std::vector<TextField> fields = {
        {"FileExtList", [](const TEditorProp& p) { return JoinLines(p.FileExtList.Items()); },
         [](TEditorProp& p, const std::string& s) { p.FileExtList.Assign(SplitLines(s)); }},
        {"Font.Name", [](const TEditorProp& p) { return p.Font.Name; },
         [](TEditorProp& p, const std::string& s) { p.Font.Name = s; }},
        {"ReserveWordList",
         [](const TEditorProp& p) { return JoinLines(p.ReserveWordList.Items()); },
         [](TEditorProp& p, const std::string& s) { p.ReserveWordList.Assign(SplitLines(s)); }},
        {"View.Brackets", [](const TEditorProp& p) { return BracketsText(p.View.Brackets()); },
         [](TEditorProp& p, const std::string& s) { p.View.SetBrackets(BracketsOf(s)); }},
        {"View.Commenter", [](const TEditorProp& p) { return p.View.Commenter(); },
         [](TEditorProp& p, const std::string& s) { p.View.SetCommenter(s); }},
        {"View.HexPrefix", [](const TEditorProp& p) { return p.View.HexPrefix(); },
         [](TEditorProp& p, const std::string& s) { p.View.SetHexPrefix(s); }},
        {"View.Quotation", [](const TEditorProp& p) { return p.View.Quotation(); },
         [](TEditorProp& p, const std::string& s) { p.View.SetQuotation(s); }},
        {"WrapOption.FollowStr", [](const TEditorProp& p) { return p.WrapOption.FollowStr; },
         [](TEditorProp& p, const std::string& s) { p.WrapOption.FollowStr = s; }},
        {"WrapOption.LeadStr", [](const TEditorProp& p) { return p.WrapOption.LeadStr; },
         [](TEditorProp& p, const std::string& s) { p.WrapOption.LeadStr = s; }},
        {"WrapOption.PunctuationStr",
         [](const TEditorProp& p) { return p.WrapOption.PunctuationStr; },
         [](TEditorProp& p, const std::string& s) { p.WrapOption.PunctuationStr = s; }},
    };
    return fields;
}

} // namespace

std::string PropertySetToBytes(const TEditorProp& p) {
    TPropertyWriter w;
    w.Text(kMagic, "");
    for (const TextField& f : TextFields())
        w.Text(f.name, f.get(p));
    for (const IntField& f : IntFields())
        w.Int(f.name, f.get(p));
    return w.Bytes();
}

bool PropertySetFromBytes(std::string_view bytes, TEditorProp& p) {
    TPropertyReader r(bytes);
    if (!r.Has(kMagic)) return false;
    TEditorProp tmp(p);
    for (const TextField& f : TextFields()) {
        if (!r.Has(f.name)) continue;
        std::string v = f.get(tmp);
        r.Text(f.name, v);
        f.set(tmp, v);
    }
    for (const IntField& f : IntFields()) {
        if (!r.Has(f.name)) continue;
        std::int32_t v = f.get(tmp);
        r.Int(f.name, v);
        f.set(tmp, v);
    }
    const std::string name = p.Name;
    p.Assign(tmp);
    p.Name = name;
    return true;
}
