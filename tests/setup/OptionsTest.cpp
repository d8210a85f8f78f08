// The options dialog's rules without a window: the date sample and the hidden-panel keys.
#include "setup/Options.h"

#include "calendar/JulianDay.h"

#include <gtest/gtest.h>

TEST(OptionsTest, DateSampleAndHiddenKeys) {
    const int32_t sunday = tolmo::DateToJulius(2004, 3, 14);
    EXPECT_EQ(DateSample(sunday, true, true), "サンプル：H16.3.14 (日)");
    EXPECT_EQ(DateSample(sunday, false, false), "サンプル：2004.03.14");
    EXPECT_EQ(DateSample(tolmo::DateToJulius(2026, 12, 6), true, false), "サンプル：R8.12.6");
    THiddenPanelKeys k;
    EXPECT_FALSE(k.Key('E', true, true)); // E alone does nothing
    EXPECT_FALSE(k.Key('G', true, true));
    EXPECT_TRUE(k.Key('E', true, true));
    EXPECT_FALSE(k.Key('E', true, true)); // the sequence is used up
    EXPECT_FALSE(k.Key('G', true, true));
    EXPECT_FALSE(k.Key('X', true, true)); // another key disarms
    EXPECT_FALSE(k.Key('E', true, true));
    EXPECT_FALSE(k.Key('G', false, true)); // only on the start-up tab
    EXPECT_FALSE(k.Key('E', true, true));
}
