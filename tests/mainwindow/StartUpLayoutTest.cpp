// The main window's place at start and the holiday file's fallbacks.
#include "mainwindow/StartUpLayout.h"

#include "app/Settings.h"

#include "../support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {
std::string Place(TSettings& s, TWorkArea area = {0, 0, 1024, 768}) {
    const TBounds b = PlaceMainWindow(s, area, 779, 575);
    return std::to_string(b.left) + "," + std::to_string(b.top) + " " + std::to_string(b.width) +
           "x" + std::to_string(b.height);
}
} // namespace

TEST(StartUpLayout, WindowIsCentredUnlessIsZenkaiKeepsAPlaceOnTheScreen) {
    TSettings s;
    s.fmHeight = 2000; // too large: the design size
    s.fmWidth = 3000;
    EXPECT_EQ(Place(s), "122,96 779x575");                      // 122.5 and 96.5, halves to even
    EXPECT_EQ(Place(s, {0, 32, 1024, 736}), "122,112 779x575"); // below a top panel
    EXPECT_EQ(Place(s, {0, 0, 700, 500}), "0,0 779x575");       // the title bar stays on screen
    s.fmTop = 40;
    s.fmLeft = 60;
    s.fmWidth = 500;
    s.fmHeight = 400;
    EXPECT_EQ(Place(s), "262,184 500x400");
    s.isZenkai = true;
    EXPECT_EQ(Place(s, {0, 32, 1024, 736}), "60,40 500x400");
    s.fmTop = 10; // above the work area
    EXPECT_EQ(Place(s, {0, 32, 1024, 736}), "60,32 500x400");
    // A quarter of the design height must stay inside: 768 > 623 + 144 holds, 768 > 624 + 144 not.
    for (auto [top, placed] : {std::pair{623, "60,623 500x400"}, {624, "60,184 500x400"}}) {
        s.fmTop = top;
        EXPECT_EQ(Place(s), placed) << top;
    }
    s.fmTop = s.fmLeft = 2000;
    EXPECT_EQ(Place(s), "262,184 500x400");
    s.fmTop = -30;
    s.fmLeft = -10;
    EXPECT_EQ(Place(s), "0,0 500x400");
}

TEST(StartUpLayout, HolidayFileFallbacks) {
    TempDir d;
    std::filesystem::create_directories(d / "pf/Brix/Norik");
    std::filesystem::create_directories(d / "pf/Brix/Pelva");
    std::filesystem::create_directories(d / "prog");
    EXPECT_EQ(FindHolidayFile(d / "prog/", d / "pf/"), "");
    for (const char* f : {"pf/Brix/Norik/HDay.dat", "pf/Brix/Pelva/HDay.dat", "prog/HDay.dat"}) {
        TempDir::Write(d / f, "");
        EXPECT_EQ(FindHolidayFile(d / "prog/", d / "pf/"), d / f);
    }
}
