// Colour names and numbers as the settings file writes and reads them.
#include "app/Colors.h"

#include <gtest/gtest.h>

TEST(Colors, NamesAndHexRoundTrip) {
    EXPECT_EQ(ColorToString(clNavy), "clNavy");
    EXPECT_EQ(ColorToString(RGBColor(0x12, 0x34, 0x56)), "$00563412");
    EXPECT_EQ(ColorToString(0xC0DCC0), "$00C0DCC0"); // only understood, never written, by name
    for (TColor c : {clBlack, clWhite, clBtnFace, clHighlight, clNone, TColor{0x00ABCDEF}}) {
        TColor back = 1;
        ASSERT_TRUE(StringToColor(ColorToString(c), back));
        EXPECT_EQ(back, c);
    }
}

TEST(Colors, ReadingIsTolerant) {
    TColor c = 7;
    EXPECT_TRUE(StringToColor(" CLRED ", c));
    EXPECT_EQ(c, clRed);
    EXPECT_TRUE(StringToColor("$ff", c));
    EXPECT_EQ(c, 0xFFu);
    EXPECT_TRUE(StringToColor("255", c));
    EXPECT_EQ(c, 0xFFu);
    EXPECT_TRUE(StringToColor("clMoneyGreen", c));
    EXPECT_EQ(c, 0xC0DCC0u);
    c = 7;
    for (const char* bad : {"", "$", "$123456789", "$12G", "red", "12abc"}) {
        EXPECT_FALSE(StringToColor(bad, c)) << bad;
        EXPECT_EQ(c, 7u);
    }
    EXPECT_TRUE(IsSystemColor(clWindow));
    EXPECT_FALSE(IsSystemColor(clWhite));
}
