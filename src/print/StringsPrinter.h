// TStringsPrinter: the print settings (margins, columns, line numbers, header and footer, page and
// line ranges) with their clamping setters, assignment and stored form ("PropPrn").
#pragma once

#include "app/Streamable.h"

#include <string>
#include <string_view>

class TIniFile;

enum TStringsPrinterHeaderAlign { haNone, haLeft, haCenter, haRight };
enum TStringsPrinterPageOption { poBoth, poOdd, poEven };
enum TStringsPrinterRangeOption { roWhole, roLimited };

// The printing font, assigned by value. Size in points; Style bits 1 bold, 2 italic, 4 underline,
// 8 strike-out.
struct TPrintFont {
    static constexpr int kDefaultSize = 9;
    static constexpr int kMinSize = 1;
    static constexpr int kMaxSize = 144;
    std::string Name = "ＭＳ Ｐゴシック";
    int Size = kDefaultSize;
    int Charset = 128; // Shift-JIS
    int Style = 0;
    bool Italic() const { return (Style & 2) != 0; }
    bool operator==(const TPrintFont&) const = default;
    // A size outside 1..144 (a damaged setting) becomes the default 9 below and 144 above.
    static int ClampSize(int size);
};

class TStringsPrinter : public TStreamable {
  public:
    static constexpr int kMaxNumber = 999999;

    // Component defaults; Configured() gives the values the main window starts with.
    TStringsPrinter() = default;
    static TStringsPrinter Configured();

    // Every published property (the font by value), nothing else.
    void Assign(const TStringsPrinter& s);
    bool SameSettings(const TStringsPrinter& o) const;

    int ColumnCount() const { return columnCount_; }
    void SetColumnCount(int v); // 1..3
    int ColumnSpace() const { return columnSpace_; }
    void SetColumnSpace(int v); // mm, 0..100
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string_view v) { fileName_ = v; }
    int FirstLineNumber() const { return firstLineNumber_; }
    void SetFirstLineNumber(int v);
    int FirstPageNumber() const { return firstPageNumber_; }
    void SetFirstPageNumber(int v);
    const TPrintFont& Font() const { return font_; }
    void SetFont(const TPrintFont& f);
    const std::string& Footer() const { return footer_; }
    void SetFooter(std::string_view v) { footer_ = v; }
    TStringsPrinterHeaderAlign FooterAlign() const { return footerAlign_; }
    void SetFooterAlign(int v);
    const std::string& Header() const { return header_; }
    void SetHeader(std::string_view v) { header_ = v; }
    TStringsPrinterHeaderAlign HeaderAlign() const { return headerAlign_; }
    void SetHeaderAlign(int v);
    int LastLine() const { return lastLine_; } // 0 until first set
    void SetLastLine(int v);
    int LastPage() const { return lastPage_; }
    void SetLastPage(int v);
    bool LineNumber() const { return lineNumber_; }
    void SetLineNumber(bool v) { lineNumber_ = v; }
    TStringsPrinterRangeOption LineRangeOption() const { return lineRange_; }
    void SetLineRangeOption(int v);
    int MarginBottom() const { return marginBottom_; }
    void SetMarginBottom(int v);
    int MarginLeft() const { return marginLeft_; }
    void SetMarginLeft(int v);
    int MarginLine() const { return marginLine_; }
    void SetMarginLine(int v);
    int MarginRight() const { return marginRight_; }
    void SetMarginRight(int v);
    int MarginTop() const { return marginTop_; }
    void SetMarginTop(int v);
    TStringsPrinterPageOption PageOption() const { return pageOption_; }
    void SetPageOption(int v);
    TStringsPrinterRangeOption RangeOption() const { return range_; }
    void SetRangeOption(int v);
    int StartLine() const { return startLine_; }
    void SetStartLine(int v);
    int StartPage() const { return startPage_; }
    void SetStartPage(int v);

    // Printed number of the first laid-out page: FirstPageNumber, less StartPage - 1 under a
    // limited page range, so that the first page printed carries FirstPageNumber.
    int FirstLaidOutPageNumber() const;
    // Whether laid-out page k (1-based) goes to the printer: inside the page range, a printed
    // number of at least 1, and odd or even as PageOption asks.
    bool PageIsPrinted(int k) const;
    // Whether source line i (0-based) is printed under the line range.
    bool LineIsPrinted(long long i) const;

    // Stored form: named properties in the published order, closed by an end mark. Loading a
    // form that is cut short or damaged changes nothing.
    std::string SaveToBytes() const override;
    void LoadFromBytes(std::string_view bytes) override;
    bool TryLoadFromBytes(std::string_view bytes);

  private:
    int columnCount_ = 1;
    int columnSpace_ = 4;
    std::string fileName_;
    int firstLineNumber_ = 1;
    int firstPageNumber_ = 1;
    TPrintFont font_;
    std::string footer_;
    TStringsPrinterHeaderAlign footerAlign_ = haNone;
    std::string header_;
    TStringsPrinterHeaderAlign headerAlign_ = haNone;
    int lastLine_ = 0;
    int lastPage_ = kMaxNumber;
    bool lineNumber_ = false;
    TStringsPrinterRangeOption lineRange_ = roWhole;
    int marginBottom_ = 0;
    int marginLeft_ = 0;
    int marginLine_ = 0;
    int marginRight_ = 0;
    int marginTop_ = 0;
    TStringsPrinterPageOption pageOption_ = poBoth;
    TStringsPrinterRangeOption range_ = roWhole;
    int startLine_ = 1;
    int startPage_ = 1;
};

// The settings file keeps the main window's printer in [Property] "PropPrn".
inline constexpr std::string_view kPrinterSection = "Property";
inline constexpr std::string_view kPrinterIdent = "PropPrn";
// Loads the stored printer; a missing, cut-short or not hexadecimal dump leaves p as it was.
// True when the stored values were taken.
bool ReadPrinterFromIni(TStringsPrinter& p, const TIniFile& ini);
bool WritePrinterToIni(const TStringsPrinter& p, TIniFile& ini);
