// The date style read from Tolmo.ini and the preset date of the date dialog.
#include "calendar/DateSettings.h"
#include "calendar/JulianDay.h"
#include "platform/IniFile.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

using namespace tolmo;

TEST(DateSettings, StyleFromTheSettingsFileAndThePresetDate) {
    TempDir dir;
    THidukeOptions o;
    o.isWaYMD = o.isYoubi = false;
    ReadHidukeStyle(TIniFile(dir / "Tolmo.ini"), o); // no file: both default on
    EXPECT_TRUE(o.isWaYMD && o.isYoubi);
    TempDir::Write(dir / "Tolmo.ini", "[Set]\r\nisWaYMD=0\r\nisYoubi=1\r\n");
    ReadHidukeStyle(TIniFile(dir / "Tolmo.ini"), o);
    EXPECT_TRUE(!o.isWaYMD && o.isYoubi);
    int32_t jd = 0;
    ASSERT_TRUE(ParsePresetDate("2006/ 2/ 1", jd));
    EXPECT_EQ(jd, DateToJulius(2006, 2, 1));
    for (const char* bad : {"2005/02/30", "2005-11-24", "10000/1/1"})
        EXPECT_FALSE(ParsePresetDate(bad, jd)) << bad;
}
