// The HTML colouring definition and its parser.
#include "syntax/HtmlSyntax.h"

#include "platform/Cp932.h"

namespace {

bool IsAlnum(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Characters of element and attribute names.
bool IsNameChar(unsigned char c) {
    return IsAlnum(c) || c == '_' || c == '-' || c == ':' || c == '.';
}

} // namespace

THTMLFountain::THTMLFountain(std::string name) : TFountain(std::move(name)) {
    for (TFountainColor* c :
         {&Ampersand, &Mail, &Str, &TagAttribute, &TagAttributeValue, &TagColor, &TagElement, &Url})
        Watch(*c);
}

std::unique_ptr<TFountainParser> THTMLFountain::CreateParser() const {
    return std::make_unique<THTMLFountainParser>(this);
}

void THTMLFountain::Assign(const TFountain& src) {
    BeginUpdate();
    TFountain::Assign(src);
    if (auto* h = dynamic_cast<const THTMLFountain*>(&src); h && h != this) {
        Ampersand.Assign(h->Ampersand);
        Mail.Assign(h->Mail);
        Str.Assign(h->Str);
        TagAttribute.Assign(h->TagAttribute);
        TagAttributeValue.Assign(h->TagAttributeValue);
        TagColor.Assign(h->TagColor);
        TagElement.Assign(h->TagElement);
        Url.Assign(h->Url);
    }
    EndUpdate();
}

std::vector<TFountain::NamedColor> THTMLFountain::ColorItems() {
    return {{"Reserve", &Reserve()},
            {"Ampersand", &Ampersand},
            {"Mail", &Mail},
            {"Str", &Str},
            {"TagAttribute", &TagAttribute},
            {"TagAttributeValue", &TagAttributeValue},
            {"TagColor", &TagColor},
            {"TagElement", &TagElement},
            {"Url", &Url}};
}

THTMLFountainParser::THTMLFountainParser(const THTMLFountain* fountain)
    : TFountainParser(fountain), hf_(*fountain) {}

// "&" followed by letters, digits or "#" up to and including ";".
bool THTMLFountainParser::TryReference() {
    int p = pos_ + 1;
    while (IsAlnum(At(p)) || At(p) == '#')
        ++p;
    if (p == pos_ + 1 || At(p) != ';') return false;
    pos_ = p + 1;
    token_ = toAmpersand;
    return true;
}

void THTMLFountainParser::ScanToken() {
    if (element_ == hsInTag) {
        ScanInTag();
        return;
    }
    unsigned char c = At(pos_);
    if (c == '&' && TryReference()) return;
    if (c == '<') {
        ++pos_;
        token_ = toTagStart;
        element_ = hsInTag;
        return;
    }
    if (TryMail() || TryUrl()) return;
    TFountainParser::ScanToken();
}

void THTMLFountainParser::ScanInTag() {
    unsigned char c = At(pos_);
    if (c == '>') {
        ++pos_;
        token_ = toTagEnd;
        element_ = hsOutside;
    } else if (c == '<') {
        ++pos_;
        token_ = toTagStart;
    } else if (prevToken_ == toTagAttributeDelimiter && c != '"' && c != '\'') {
        // Unquoted value: up to a blank, tab, LF, CR or ">"; two-byte characters whole.
        int p = pos_;
        while (p < end_) {
            unsigned char b = At(p);
            if (b <= 32 || b == '>') break;
            p += (IsDBCSLeadByte(b) && p + 1 < end_) ? 2 : 1;
        }
        pos_ = p;
        token_ = toTagAttributeValue;
    } else if (c == '"') {
        ScanQuoted("\"", toDoubleQuotation, false, true);
    } else if (c == '\'') {
        ScanQuoted("'", toSingleQuotation, false, true);
    } else if (c == '=' && prevToken_ == toTagAttribute) {
        ++pos_;
        token_ = toTagAttributeDelimiter;
    } else if (prevToken_ == toTagStart && (IsNameChar(c) || c == '/' || c == '!' || c == '?')) {
        // The element name, with the "/" of an end tag or the "!" / "?" of a declaration.
        int p = pos_ + 1;
        while (IsNameChar(At(p)))
            ++p;
        pos_ = p;
        token_ = toTagElement;
    } else if (IsNameChar(c)) {
        int p = pos_ + 1;
        while (IsNameChar(At(p)))
            ++p;
        pos_ = p;
        token_ = toTagAttribute;
    } else {
        TFountainParser::ScanToken();
    }
}

int THTMLFountainParser::RunEnd(int p, int kind) const {
    if (kind == toTagElement || kind == toTagAttribute) {
        while (IsNameChar(At(p)))
            ++p;
        return p;
    }
    if (kind == toTagAttributeValue) {
        while (p < end_ && At(p) > 32 && At(p) != '>')
            p += (IsDBCSLeadByte(At(p)) && p + 1 < end_) ? 2 : 1;
        return p;
    }
    return TFountainParser::RunEnd(p, kind);
}

const TFountainColor* THTMLFountainParser::KindColor(int kind) const {
    switch (kind) {
    case toUrl:
        return &hf_.Url;
    case toMail:
        return &hf_.Mail;
    case toSingleQuotation:
    case toDoubleQuotation:
        return &hf_.Str;
    case toTagStart:
    case toTagEnd:
    case toTagAttributeDelimiter:
        return &hf_.TagColor;
    case toTagElement:
        return &hf_.TagElement;
    case toTagAttribute:
        return &hf_.TagAttribute;
    case toTagAttributeValue:
        return &hf_.TagAttributeValue;
    case toAmpersand:
        return &hf_.Ampersand;
    default:
        return nullptr;
    }
}
