// Page geometry of a layout pass, from numbers alone: the printer's resolution, paper and
// printable area, the font's metrics and the settings give the body, the header and footer
// bands, the gutter and text rectangles of the columns and the row pitch, in printer pixels.
#pragma once

#include "print/StringsPrinter.h"

struct TPrintRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TPrintRect&) const = default;
};

// The printer as the layout sees it.
struct TPrinterPage {
    int Dpi = 600; // horizontal resolution, also used for vertical distances
    int PaperWidthMm = 210, PaperHeightMm = 297;
    bool Landscape = false;
    int PageWidth = 0, PageHeight = 0; // printable area in pixels
};

// The font on the printer, in its pixels.
struct TPrintFontMetrics {
    int Height = 0;          // ascent + descent
    int ExternalLeading = 0; // extra space the font asks for between rows
    int AveCharWidth = 0;
    bool Italic = false;
};

// The metrics of a font measured in fractional pixels: the height rounded up, the leading and
// the average width rounded (no negative leading, a width of at least one pixel).
TPrintFontMetrics RoundFontMetrics(double ascent, double descent, double leading, double average,
                                   bool italic);

// Millimetres to printer pixels: round(dpi * mm / 25.4).
int MmToPixels(int dpi, int mm);
// Number of decimal digits of n (1 for 0).
int DecimalDigits(long long n);

struct TPageGeometry {
    int PaperWidth = 0, PaperHeight = 0; // pixels, exchanged for landscape
    int UnprintableLeft = 0, UnprintableTop = 0, UnprintableRight = 0, UnprintableBottom = 0;
    TPrintRect Body, Header, Footer; // printable-area coordinates
    TPrintRect Gutter, Text;         // the first column; column k is moved right by k * ColumnStep
    int GutterWidth = 0, ColumnWidth = 0, ColumnStep = 0;
    int RowHeight = 0, RowPitch = 0, AveCharWidth = 0;
    int WrapWidth = 0; // text width, less one average character for an italic font
    int TabStop = 0;   // eight average characters

    // Whether at least one row of at least one character fits a column.
    bool Fits() const;
};

TPageGeometry ComputePageGeometry(const TStringsPrinter& p, const TPrinterPage& page,
                                  const TPrintFontMetrics& font, long long lineCount);

// The message shown when not one row fits the page.
inline constexpr const char* kNoRoomMessage =
    "用紙に対して余白や文字が大きすぎるため、1行も印刷できません。\r\n"
    "余白、行間、文字の大きさを小さくしてください。";
