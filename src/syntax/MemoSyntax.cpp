// The built-in plain-text colouring definition and its parser.
#include "syntax/MemoSyntax.h"

#include "platform/Cp932.h"

TEditorColors::TEditorColors(TFountainColor& reserve) : reserve_(reserve) {
    Select.SetBkColor(clNavy);
    Select.SetColor(clWhite);
}

void TEditorColors::Assign(const TEditorColors& src) {
    if (&src == this) return;
    Ank.Assign(src.Ank);
    Comment.Assign(src.Comment);
    DBCS.Assign(src.DBCS);
    Hit.Assign(src.Hit);
    Int.Assign(src.Int);
    Mail.Assign(src.Mail);
    reserve_.Assign(src.reserve_);
    Select.Assign(src.Select);
    Str.Assign(src.Str);
    Symbol.Assign(src.Symbol);
    Url.Assign(src.Url);
}

void TEditorColors::SetOnChange(const std::function<void()>& f) {
    for (TFountainColor* c :
         {&Ank, &Comment, &DBCS, &Hit, &Int, &Mail, &Select, &Str, &Symbol, &Url})
        c->SetOnChange(f);
}

TEditorFountain::TEditorFountain(std::string name)
    : TFountain(std::move(name), std::make_unique<TEditorBracketCollection>()), colors_(Reserve()) {
    colors_.SetOnChange([this] { Changed(); });
}

std::unique_ptr<TFountainParser> TEditorFountain::CreateParser() const {
    return std::make_unique<TEditorParser>(this);
}

void TEditorFountain::Assign(const TFountain& src) {
    BeginUpdate();
    TFountain::Assign(src);
    if (auto* e = dynamic_cast<const TEditorFountain*>(&src); e && e != this) {
        colors_.Assign(e->colors_);
        SetCommenter(e->commenter_);
        SetHexPrefix(e->hexPrefix_);
        SetQuotation(e->quotation_);
        SetControlCode(e->controlCode_);
        SetMail(e->mail_);
        SetUrl(e->url_);
    }
    EndUpdate();
}

std::vector<TFountain::NamedColor> TEditorFountain::ColorItems() {
    TEditorColors& c = colors_;
    return {{"Reserve", &Reserve()}, {"Ank", &c.Ank},       {"Comment", &c.Comment},
            {"DBCS", &c.DBCS},       {"Hit", &c.Hit},       {"Int", &c.Int},
            {"Mail", &c.Mail},       {"Select", &c.Select}, {"Str", &c.Str},
            {"Symbol", &c.Symbol},   {"Url", &c.Url}};
}

TEditorParser::TEditorParser(const TEditorFountain* fountain)
    : TFountainParser(fountain), ef_(*fountain) {
    // The first character of Quotation, one byte or a two-byte character.
    const std::string& q = ef_.Quotation();
    if (!q.empty()) quote_ = q.substr(0, IsDBCSLeadByte(q[0]) && q.size() >= 2 ? 2 : 1);
}

void TEditorParser::Refresh() {
    TFountainParser::Refresh();
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    const std::string &comment = ef_.Commenter(), &hex = ef_.HexPrefix();
    // A prefix with a byte other than printable ASCII may join characters of both widths.
    bool oddHex = false;
    for (char h : hex)
        oddHex =
            oddHex || static_cast<unsigned char>(h) <= 32 || static_cast<unsigned char>(h) >= 127;
    for (int i = 0; i < 256; ++i) {
        auto c = static_cast<unsigned char>(i);
        skipGuard_[static_cast<size_t>(i)] =
            MayOpenBracket(c) ||
            (!comment.empty() && c == static_cast<unsigned char>(comment[0])) ||
            (!quote_.empty() && c == static_cast<unsigned char>(quote_[0])) ||
            (oddHex && lower(c) == lower(static_cast<unsigned char>(hex[0])));
        bool mail = ef_.Mail() && MayStartMail(c);
        bool url = ef_.Url() && (c == 'h' || c == 'f' || c == 'w');
        special_[static_cast<size_t>(i)] =
            mail || url || (!comment.empty() && c == static_cast<unsigned char>(comment[0])) ||
            (!hex.empty() && lower(c) == lower(static_cast<unsigned char>(hex[0]))) ||
            (ef_.ControlCode() && c == '#') ||
            (!quote_.empty() && c == static_cast<unsigned char>(quote_[0]));
    }
}

void TEditorParser::ScanToken() {
    unsigned char c = At(pos_);
    if (!special_[c]) {
        TFountainParser::ScanToken();
        return;
    }
    if (ef_.Mail() && TryMail()) return;
    if (ef_.Url() && TryUrl()) return;
    if (StartsWith(pos_, ef_.Commenter())) {
        ScanComment();
        return;
    }
    // A prefix or "#" without the digits it announces is no number: the dispatch takes it.
    if (StartsWithNoCase(pos_, ef_.HexPrefix())) {
        int from = pos_ + static_cast<int>(ef_.HexPrefix().size());
        if (HexEnd(from) > from) {
            ScanHexDigits(from, toHex);
            return;
        }
    }
    if (ef_.ControlCode() && c == '#') {
        if (At(pos_ + 1) == '$' && HexEnd(pos_ + 2) > pos_ + 2) {
            ScanHexDigits(pos_ + 2, toHexControlCode);
            return;
        }
        int p = pos_ + 1;
        while (At(p) >= '0' && At(p) <= '9')
            ++p;
        if (p > pos_ + 1) {
            pos_ = p;
            token_ = toControlCode;
            return;
        }
    }
    if (StartsWith(pos_, quote_)) {
        ScanQuoted(quote_, toQuotation, true, true);
        return;
    }
    TFountainParser::ScanToken();
}

bool TEditorParser::ContinueQuote(int kind) {
    if (kind != toQuotation || quote_.empty()) return false;
    ScanQuoted(quote_, toQuotation, true, false);
    return true;
}

const TFountainColor* TEditorParser::KindColor(int kind) const {
    const TEditorColors& c = ef_.Colors();
    switch (kind) {
    case toUrl:
        return &c.Url;
    case toMail:
        return &c.Mail;
    case toQuotation:
    case toControlCode:
    case toHexControlCode:
        return &c.Str;
    default:
        return BaseKindColor(kind, {c.Symbol, c.Int, c.Comment, c.Ank, c.DBCS});
    }
}
