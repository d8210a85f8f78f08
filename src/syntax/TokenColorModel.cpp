// The token colour dialog's controls, its items and their transfer.
#include "syntax/TokenColorModel.h"

#include "platform/Cp932.h"

#include <map>

namespace {

using C = TCtl;

// Captions of the token kinds' colour items.
std::string KindCaption(const char* name) {
    static const std::map<std::string, const char*> captions = {
        {"Reserve", "予約語"},      {"Ank", "英数字の語"},    {"AsmBlock", "asm ブロック"},
        {"Comment", "コメント"},    {"DBCS", "全角文字"},     {"Int", "数値"},
        {"Str", "文字列"},          {"Symbol", "記号"},       {"Ampersand", "文字参照 (&...;)"},
        {"Mail", "メールアドレス"}, {"TagAttribute", "属性"}, {"TagAttributeValue", "属性の値"},
        {"TagColor", "タグ"},       {"TagElement", "要素名"}, {"Url", "URL"},
    };
    auto it = captions.find(name);
    return it != captions.end() ? it->second : name;
}

const std::pair<const char*, int> kStyles[] = {{"cbBold", fsBold},
                                               {"cbItalic", fsItalic},
                                               {"cbUnderline", fsUnderline},
                                               {"cbStrikeOut", fsStrikeOut}};

TFormDesc MakeForm() {
    return {
        {.Kind = C::Box, .Name = "row", .Layout = TLay::HBox},
        {.Kind = C::Box, .Name = "left", .Parent = "row"},
        {.Kind = C::Label,
         .Name = "lblTokens",
         .Caption = "トークンの種類(&K):",
         .Parent = "left",
         .Buddy = "lstTokens"},
        {.Kind = C::List, .Name = "lstTokens", .Parent = "left"},
        {.Kind = C::Group,
         .Name = "gbColor",
         .Caption = "色と書体",
         .Parent = "row",
         .Layout = TLay::Form,
         .Stretch = 1},
        {.Kind = C::ColorButton,
         .Name = "btnColor",
         .Parent = "gbColor",
         .Min = 1,
         .Label = "文字色:"},
        {.Kind = C::ColorButton,
         .Name = "btnBkColor",
         .Parent = "gbColor",
         .Min = 1,
         .Label = "背景色:"},
        {.Kind = C::Check, .Name = "cbBold", .Caption = "太字(&B)", .Parent = "gbColor"},
        {.Kind = C::Check, .Name = "cbItalic", .Caption = "斜体(&I)", .Parent = "gbColor"},
        {.Kind = C::Check, .Name = "cbUnderline", .Caption = "下線(&U)", .Parent = "gbColor"},
        {.Kind = C::Check, .Name = "cbStrikeOut", .Caption = "取り消し線(&S)", .Parent = "gbColor"},
        {.Kind = C::Label, .Caption = "「既定」はエディタの色です。", .Parent = "gbColor"},
        {.Kind = C::Label, .Caption = "見本:"},
        {.Kind = C::Slot, .Name = "Sample"},
        {.Kind = C::Slot, .Name = "buttons"},
    };
}

} // namespace

const TFormDesc& TokenColorForm() {
    static const TFormDesc form = MakeForm();
    return form;
}

TTokenColorModel::TTokenColorModel(const TFountain& fountain) : copy_(fountain.CreateEmpty()) {
    copy_->Assign(fountain);
    for (const auto& [n, c] : copy_->ColorItems())
        items_.push_back({KindCaption(n), c});
    for (int i = 0; i < copy_->Brackets().Count(); ++i) {
        TFountainBracketItem& b = copy_->Brackets().Items(i);
        items_.push_back(
            {"範囲 " + Cp932ToUtf8(b.LeftBracket()) + " … " + Cp932ToUtf8(b.RightBracket()),
             &b.ItemColor()});
    }
    std::vector<std::string> captions;
    for (const Item& i : items_)
        captions.push_back(i.caption);
    SetItems("lstTokens", captions);
    SetInt("lstTokens", 0);
    showItem();
}

std::string TTokenColorModel::Title() const {
    std::string name = copy_->Name();
    const std::string suffix = "Fountain1";
    if (name.size() >= suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
        name.resize(name.size() - suffix.size());
    return "トークンの色 - " + name;
}

std::vector<TSampleToken> SampleTokens(const TFountain& fountain,
                                       const std::vector<std::string>& rows) {
    std::vector<TSampleToken> out;
    std::unique_ptr<TFountainParser> parser = fountain.CreateParser();
    TFountainState state;
    for (size_t row = 0; row < rows.size(); ++row) {
        parser->NewData(rows[row], state);
        for (int kind = parser->NextToken(); kind != toEof; kind = parser->NextToken()) {
            const std::string_view text = parser->TokenString();
            TSampleToken t;
            t.Row = static_cast<int>(row);
            t.Cell = parser->SourcePos();
            t.Cells = static_cast<int>(text.size());
            if (const TFountainColor* c = parser->TokenColor()) {
                t.Colored = true;
                t.Color = c->Color();
                t.BkColor = c->BkColor();
                t.Style = c->Style();
            }
            for (size_t i = 0; i < text.size();) {
                const unsigned char b = static_cast<unsigned char>(text[i]);
                const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
                const size_t n = lead && i + 1 < text.size() ? 2 : 1;
                t.Chars.emplace_back(t.Cell + static_cast<int>(i), std::string(text.substr(i, n)));
                i += n;
            }
            out.push_back(std::move(t));
        }
        state = parser->State();
    }
    return out;
}

std::vector<std::string> TTokenColorModel::SampleRows() const {
    const auto& exts = copy_->FileExtList();
    const bool html = !exts.empty() && exts.front().rfind(".htm", 0) == 0;
    std::vector<const char*> utf8;
    if (html)
        utf8 = {"<!-- トルモのメモ -->", "<p class=\"memo\" id=note>今日の予定 &amp; 買い物</p>",
                "<a href=\"http://example.jp/\">リンク</a> mail@example.jp",
                "http://example.jp/memo.html"};
    else
        utf8 = {"{ トルモのメモ }", "procedure Sample(const S: string);",
                "var N: Integer; // 数える", "begin N := 10 + $1F; Writeln('日本語の文字列'); end;",
                "asm mov eax, 1 end;"};
    std::vector<std::string> rows;
    for (const char* s : utf8)
        rows.push_back(Utf8ToCp932(s));
    return rows;
}

// The chosen item in the colour and style controls.
void TTokenColorModel::showItem() {
    const int i = Int("lstTokens");
    if (i < 0 || i >= static_cast<int>(items_.size())) return;
    const TFountainColor& c = *items_[static_cast<std::size_t>(i)].color;
    SetInt("btnColor", static_cast<int>(c.Color()));
    SetInt("btnBkColor", static_cast<int>(c.BkColor()));
    for (const auto& [name, style] : kStyles)
        SetChecked(name, c.Style() & style);
}

void TTokenColorModel::Changed(const std::string& name) {
    if (name == "lstTokens") {
        showItem();
        return;
    }
    const int i = Int("lstTokens");
    if (i < 0 || i >= static_cast<int>(items_.size())) return;
    TFountainColor& c = *items_[static_cast<std::size_t>(i)].color;
    c.SetColor(static_cast<TColor>(Int("btnColor")));
    c.SetBkColor(static_cast<TColor>(Int("btnBkColor")));
    int style = 0;
    for (const auto& [n, s] : kStyles)
        if (Checked(n)) style |= s;
    c.SetStyle(style);
}
