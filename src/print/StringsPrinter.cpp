// The print settings: clamping setters, assignment, page and line selection, stored form.
#include "print/StringsPrinter.h"

#include "app/ObjectIni.h"
#include "platform/IniFile.h"

#include <algorithm>

namespace {

int clampInt(int v, int lo, int hi) {
    return std::clamp(v, lo, hi);
}

template <typename E> E clampEnum(int v, E last) {
    return static_cast<E>(std::clamp(v, 0, static_cast<int>(last)));
}

// Counted by SaveToBytes and checked by loading: a form cut short misses it.
constexpr std::string_view kEndMark = "End";

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

} // namespace

int TPrintFont::ClampSize(int size) {
    if (size < kMinSize) return kDefaultSize;
    return std::min(size, kMaxSize);
}

TStringsPrinter TStringsPrinter::Configured() {
    TStringsPrinter p;
    p.SetColumnCount(1);
    p.SetColumnSpace(4);
    p.SetFirstLineNumber(1);
    p.SetFirstPageNumber(1);
    p.SetFont(TPrintFont{"ＭＳ Ｐゴシック", 9, 128, 0});
    p.SetFooter("- %p -");
    p.SetFooterAlign(haNone);
    p.SetHeader("%y年 %m月 %d日  %t  %f");
    p.SetHeaderAlign(haNone);
    p.SetLastPage(kMaxNumber);
    p.SetLineNumber(false);
    p.SetMarginBottom(15);
    p.SetMarginLeft(30);
    p.SetMarginLine(3);
    p.SetMarginRight(15);
    p.SetMarginTop(20);
    return p;
}

void TStringsPrinter::Assign(const TStringsPrinter& s) {
    *this = s; // every member is a published property
}

bool TStringsPrinter::SameSettings(const TStringsPrinter& o) const {
    return SaveToBytes() == o.SaveToBytes();
}

void TStringsPrinter::SetColumnCount(int v) {
    columnCount_ = clampInt(v, 1, 3);
}
void TStringsPrinter::SetColumnSpace(int v) {
    columnSpace_ = clampInt(v, 0, 100);
}
void TStringsPrinter::SetFirstLineNumber(int v) {
    firstLineNumber_ = clampInt(v, 1, kMaxNumber);
}
void TStringsPrinter::SetFirstPageNumber(int v) {
    firstPageNumber_ = clampInt(v, 1, kMaxNumber);
}
void TStringsPrinter::SetFont(const TPrintFont& f) {
    font_ = f;
    font_.Size = TPrintFont::ClampSize(f.Size);
    font_.Style &= 15;
}
void TStringsPrinter::SetFooterAlign(int v) {
    footerAlign_ = clampEnum(v, haRight);
}
void TStringsPrinter::SetHeaderAlign(int v) {
    headerAlign_ = clampEnum(v, haRight);
}
void TStringsPrinter::SetLastLine(int v) {
    lastLine_ = clampInt(v, 1, kMaxNumber);
}
void TStringsPrinter::SetLastPage(int v) {
    lastPage_ = clampInt(v, 1, kMaxNumber);
}
void TStringsPrinter::SetLineRangeOption(int v) {
    lineRange_ = clampEnum(v, roLimited);
}
void TStringsPrinter::SetMarginBottom(int v) {
    marginBottom_ = clampInt(v, 0, 100);
}
void TStringsPrinter::SetMarginLeft(int v) {
    marginLeft_ = clampInt(v, 0, 100);
}
void TStringsPrinter::SetMarginLine(int v) {
    marginLine_ = clampInt(v, 0, 100);
}
void TStringsPrinter::SetMarginRight(int v) {
    marginRight_ = clampInt(v, 0, 100);
}
void TStringsPrinter::SetMarginTop(int v) {
    marginTop_ = clampInt(v, 0, 100);
}
void TStringsPrinter::SetPageOption(int v) {
    pageOption_ = clampEnum(v, poEven);
}
void TStringsPrinter::SetRangeOption(int v) {
    range_ = clampEnum(v, roLimited);
}
void TStringsPrinter::SetStartLine(int v) {
    startLine_ = clampInt(v, 1, kMaxNumber);
}
void TStringsPrinter::SetStartPage(int v) {
    startPage_ = clampInt(v, 1, kMaxNumber);
}

int TStringsPrinter::FirstLaidOutPageNumber() const {
    return range_ == roLimited ? firstPageNumber_ - startPage_ + 1 : firstPageNumber_;
}

bool TStringsPrinter::PageIsPrinted(int k) const {
    const long long number = static_cast<long long>(k) - 1 + FirstLaidOutPageNumber();
    if (range_ == roLimited && (k < startPage_ || k > lastPage_)) return false;
    if (number < 1) return false;
    if (pageOption_ == poOdd && number % 2 == 0) return false;
    if (pageOption_ == poEven && number % 2 == 1) return false;
    return true;
}

bool TStringsPrinter::LineIsPrinted(long long i) const {
    if (lineRange_ != roLimited) return true;
    return i >= startLine_ - 1 && i <= static_cast<long long>(lastLine_) - 1;
}

std::string TStringsPrinter::SaveToBytes() const {
    TPropertyWriter w;
    int n = 0;
    auto I = [&](std::string_view name, int v) {
        w.Int(name, v);
        ++n;
    };
    auto S = [&](std::string_view name, std::string_view v) {
        w.Text(name, v);
        ++n;
    };
    I("ColumnCount", columnCount_);
    I("ColumnSpace", columnSpace_);
    S("FileName", fileName_);
    I("FirstLineNumber", firstLineNumber_);
    I("FirstPageNumber", firstPageNumber_);
    S("Font.Name", font_.Name);
    I("Font.Size", font_.Size);
    I("Font.Charset", font_.Charset);
    I("Font.Style", font_.Style);
    S("Footer", footer_);
    I("FooterAlign", footerAlign_);
    S("Header", header_);
    I("HeaderAlign", headerAlign_);
    I("LastLine", lastLine_);
    I("LastPage", lastPage_);
    I("LineNumber", lineNumber_ ? 1 : 0);
    I("LineRangeOption", lineRange_);
    I("MarginBottom", marginBottom_);
    I("MarginLeft", marginLeft_);
    I("MarginLine", marginLine_);
    I("MarginRight", marginRight_);
    I("MarginTop", marginTop_);
    I("PageOption", pageOption_);
    I("RangeOption", range_);
    I("StartLine", startLine_);
    I("StartPage", startPage_);
    w.Int(kEndMark, n);
    return w.Bytes();
}

void TStringsPrinter::LoadFromBytes(std::string_view bytes) {
    TryLoadFromBytes(bytes);
}

bool TStringsPrinter::TryLoadFromBytes(std::string_view bytes) {
    TPropertyReader r(bytes);
    std::int32_t count = -1;
    r.Int(kEndMark, count);
    if (count <= 0) return false; // cut short or not a printer's form
    TStringsPrinter p; // loaded into a copy and taken whole, through the clamping setters
    p.Assign(*this);
    auto I = [&](std::string_view name, auto set) {
        std::int32_t v = 0;
        if (!r.Has(name)) return;
        r.Int(name, v);
        (p.*set)(v);
    };
    auto S = [&](std::string_view name, std::string& field) { r.Text(name, field); };
    I("ColumnCount", &TStringsPrinter::SetColumnCount);
    I("ColumnSpace", &TStringsPrinter::SetColumnSpace);
    S("FileName", p.fileName_);
    I("FirstLineNumber", &TStringsPrinter::SetFirstLineNumber);
    I("FirstPageNumber", &TStringsPrinter::SetFirstPageNumber);
    TPrintFont f = p.font_;
    r.Text("Font.Name", f.Name);
    r.Int("Font.Size", f.Size, -1000000, 1000000);
    r.Int("Font.Charset", f.Charset, 0, 255);
    r.Int("Font.Style", f.Style, 0, 15);
    p.SetFont(f);
    S("Footer", p.footer_);
    I("FooterAlign", &TStringsPrinter::SetFooterAlign);
    S("Header", p.header_);
    I("HeaderAlign", &TStringsPrinter::SetHeaderAlign);
    if (r.Has("LastLine")) {
        std::int32_t v = 0;
        r.Int("LastLine", v);
        p.lastLine_ = v == 0 ? 0 : clampInt(v, 1, kMaxNumber); // 0: never set
    }
    I("LastPage", &TStringsPrinter::SetLastPage);
    bool ln = p.lineNumber_;
    r.Bool("LineNumber", ln);
    p.lineNumber_ = ln;
    I("LineRangeOption", &TStringsPrinter::SetLineRangeOption);
    I("MarginBottom", &TStringsPrinter::SetMarginBottom);
    I("MarginLeft", &TStringsPrinter::SetMarginLeft);
    I("MarginLine", &TStringsPrinter::SetMarginLine);
    I("MarginRight", &TStringsPrinter::SetMarginRight);
    I("MarginTop", &TStringsPrinter::SetMarginTop);
    I("PageOption", &TStringsPrinter::SetPageOption);
    I("RangeOption", &TStringsPrinter::SetRangeOption);
    I("StartLine", &TStringsPrinter::SetStartLine);
    I("StartPage", &TStringsPrinter::SetStartPage);
    Assign(p);
    return true;
}

bool ReadPrinterFromIni(TStringsPrinter& p, const TIniFile& ini) {
    const std::string countKey = std::string(kPrinterIdent) + "_c";
    const int n = ini.ReadInteger(kPrinterSection, countKey, 0);
    if (n <= 0) return false;
    std::string digits;
    for (int i = 0; i < n; ++i) {
        const std::string key = std::string(kPrinterIdent) + "_d" + std::to_string(i);
        if (!ini.ValueExists(kPrinterSection, key)) return false; // cut short
        digits += ini.ReadString(kPrinterSection, key, "");
    }
    if (digits.empty() || digits.size() % 2 != 0) return false;
    if (!std::all_of(digits.begin(), digits.end(), isHexDigit)) return false;
    return p.TryLoadFromBytes(HexDumpBytes(digits));
}

bool WritePrinterToIni(const TStringsPrinter& p, TIniFile& ini) {
    return WriteObjectToIni(p.SaveToBytes(), ini, kPrinterSection, kPrinterIdent);
}
