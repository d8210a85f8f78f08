// The Pascal colouring definition and its parser.
#include "syntax/PascalSyntax.h"

#include <initializer_list>

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
        if (x != y) return false;
    }
    return true;
}

bool AnyOf(std::string_view w, std::initializer_list<std::string_view> list) {
    for (std::string_view s : list)
        if (EqualNoCase(w, s)) return true;
    return false;
}

bool IsHexDigit(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

} // namespace

TDelphiFountain::TDelphiFountain(std::string name) : TFountain(std::move(name)) {
    for (TFountainColor* c : {&Ank, &AsmBlock, &Comment, &DBCS, &Int, &Str, &Symbol})
        Watch(*c);
}

std::unique_ptr<TFountainParser> TDelphiFountain::CreateParser() const {
    return std::make_unique<TDelphiFountainParser>(this);
}

void TDelphiFountain::Assign(const TFountain& src) {
    BeginUpdate();
    TFountain::Assign(src);
    if (auto* d = dynamic_cast<const TDelphiFountain*>(&src); d && d != this) {
        Ank.Assign(d->Ank);
        AsmBlock.Assign(d->AsmBlock);
        Comment.Assign(d->Comment);
        DBCS.Assign(d->DBCS);
        Int.Assign(d->Int);
        Str.Assign(d->Str);
        Symbol.Assign(d->Symbol);
    }
    EndUpdate();
}

std::vector<TFountain::NamedColor> TDelphiFountain::ColorItems() {
    return {{"Reserve", &Reserve()}, {"Ank", &Ank}, {"AsmBlock", &AsmBlock}, {"Comment", &Comment},
            {"DBCS", &DBCS},         {"Int", &Int}, {"Str", &Str},           {"Symbol", &Symbol}};
}

TDelphiFountainParser::TDelphiFountainParser(const TDelphiFountain* fountain)
    : TFountainParser(fountain), df_(*fountain) {}

void TDelphiFountainParser::ScanToken() {
    unsigned char c = At(pos_);
    if (c == '\'') {
        ScanQuoted("'", toSingleQuotation, true, true);
    } else if (c == '/' && At(pos_ + 1) == '/') {
        ScanComment();
    } else if (c == '$' && IsHexDigit(At(pos_ + 1))) {
        ScanHexDigits(pos_ + 1, toHex);
    } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_') {
        ScanDelphiWord();
        return;
    } else {
        TFountainParser::ScanToken();
    }
    // Inside an asm block numbers and symbols take the block's colour.
    if (element_ == dsAsm &&
        (token_ == toSymbol || token_ == toInteger || token_ == toFloat || token_ == toHex))
        token_ = toAsm;
}

void TDelphiFountainParser::ScanDelphiWord() {
    pos_ = WordEnd(pos_);
    std::string_view w = TokenString();
    if (element_ == dsAsm) {
        if (EqualNoCase(w, "end")) {
            element_ = dsNormal;
            token_ = fountain_->IsReserveWord(w) ? toReserve : toAnk;
        } else {
            token_ = toAsm;
        }
        return;
    }
    bool reserved = fountain_->IsReserveWord(w);
    if (element_ == dsNormal) {
        if (EqualNoCase(w, "property"))
            element_ = dsProperty;
        else if (EqualNoCase(w, "asm"))
            element_ = dsAsm;
    } else if (AnyOf(w, {"index", "read", "write"})) {
        reserved = true;
    } else if (AnyOf(w, {"end", "function", "private", "procedure", "protected", "public",
                         "published"})) {
        element_ = dsNormal;
    }
    token_ = reserved ? toReserve : toAnk;
}

bool TDelphiFountainParser::ContinueQuote(int kind) {
    if (kind != toSingleQuotation) return false;
    ScanQuoted("'", toSingleQuotation, true, false);
    return true;
}

const TFountainColor* TDelphiFountainParser::KindColor(int kind) const {
    switch (kind) {
    case toSingleQuotation:
    case toTagStart:
    case toTagEnd:
        return &df_.Str;
    case toAsm:
        return &df_.AsmBlock;
    default:
        return BaseKindColor(kind, {df_.Symbol, df_.Int, df_.Comment, df_.Ank, df_.DBCS});
    }
}
