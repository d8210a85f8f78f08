// The options dialog's rules without a window: the date sample and the hidden-panel keys.
#include "setup/Options.h"

#include "calendar/JulianDay.h"

#include <gtest/gtest.h>

TEST(OptionsTest, DateSampleAndHiddenKeys) {
    EXPECT_EQ(DateSample(tolmo::DateToJulius(2004, 3, 14), true, true), "サンプル：H16.3.14 (日)");
    // E G E opens the hidden panel once; another key disarms; only on the start-up tab.
    THiddenPanelKeys k;
    std::string opened;
    for (auto [key, startTab] : {std::pair{'E', true},
                                 {'G', true},
                                 {'E', true},
                                 {'E', true},
                                 {'G', true},
                                 {'X', true},
                                 {'E', true},
                                 {'G', false},
                                 {'E', true}})
        opened += k.Key(key, startTab, true) ? '1' : '0';
    EXPECT_EQ(opened, "001000000");
}
