// Colour names and numbers as the settings file writes and reads them.
#include "app/Colors.h"

#include <gtest/gtest.h>

TEST(Colors, ReadingIsTolerantAndWritingRoundTrips) {
    TColor c = 7;
    for (const char* bad : {"", "$", "$123456789", "$12G", "red", "12abc"}) {
        EXPECT_FALSE(StringToColor(bad, c)) << bad;
        EXPECT_EQ(c, 7u);
    }
    for (auto [text, want] : {std::pair<const char*, TColor>{" CLRED ", clRed},
                              {"$ff", 0xFF},
                              {"255", 0xFF},
                              {"clMoneyGreen", 0xC0DCC0}}) {
        EXPECT_TRUE(StringToColor(text, c)) << text;
        EXPECT_EQ(c, want) << text;
    }
    EXPECT_EQ(ColorToString(c), "$00C0DCC0"); // only understood, never written, by name
    for (TColor k : {clBlack, clBtnFace, clHighlight, clNone, TColor{0x00ABCDEF}}) {
        ASSERT_TRUE(StringToColor(ColorToString(k), c));
        EXPECT_EQ(c, k);
    }
    EXPECT_TRUE(IsSystemColor(clWindow));
    EXPECT_FALSE(IsSystemColor(clWhite));
}
