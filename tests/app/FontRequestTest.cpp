// The faces tried and the sizes asked for on the screen, in the editor and on the printer.
#include "app/FontRequest.h"
#include "editor/FontChoice.h"
#include "print/PrinterFonts.h"

#include <gtest/gtest.h>

using Faces = std::vector<std::string>;

TEST(FontRequest, NamedFaceFirstThenJapaneseFacesOfItsKind) {
    EXPECT_EQ(FaceFontRequest("ＭＳ Ｐゴシック", 12).Families,
              (Faces{"ＭＳ Ｐゴシック", "IPAPGothic", "Noto Sans CJK JP", "sans-serif"}));
    EXPECT_EQ(FaceFontRequest("MS PMincho", 9).Families[1], "IPAPGothic");
    EXPECT_EQ(FaceFontRequest("ＭＳ ゴシック", 19).Families,
              (Faces{"ＭＳ ゴシック", "IPAGothic", "Noto Sans Mono CJK JP", "monospace"}));
    EXPECT_EQ(FaceFontRequest("ＭＳ ゴシック", 19).PixelSize, 19);
    EXPECT_EQ(PrintFontRequest("ＭＳ Ｐゴシック", 9, 0, 600).Families,
              (Faces{"ＭＳ Ｐゴシック", "IPAPGothic", "Noto Sans CJK JP", "IPAGothic",
                     "Noto Sans Mono CJK JP", "Noto Sans CJK JP"}));
    EXPECT_EQ(PrintFontRequest("ＭＳ ゴシック", 9, 0, 600).Families[1], "IPAGothic");
}

TEST(FontRequest, SizesInPixels) {
    struct Case {
        int points, dpi, pixels;
    } print[] = {{9, 600, 75}, {10, 72, 10}, {1, 10, 1}, {144, 1200, 2400}};
    for (const Case& c : print)
        EXPECT_EQ(PrintFontRequest("x", c.points, 5, c.dpi).PixelSize, c.pixels) << c.points;
    EXPECT_EQ(PrintFontRequest("x", 9, 5, 600).Style, 5);
    // Editor heights: negative in pixels, positive a cell height of which three quarters.
    for (auto [height, pixels] : {std::pair{-12, 12}, {16, 12}, {1, 1}, {0, 0}})
        EXPECT_EQ(EditorFontRequest("f", height, 0).PixelSize, pixels) << height;
    // The font dialog's points at 96 dpi, halves rounded up.
    for (auto [points, pixels] : {std::pair{9, 12}, {10, 13}, {12, 16}, {0, 0}})
        EXPECT_EQ(PointsToPixels(points), pixels) << points;
}
