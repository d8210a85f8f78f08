#include "mainwindow/StartUpLayout.h"

#include "app/Settings.h"

#include "../support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(StartUpLayout, RoundsHalvesToEven) {
    const int cases[][3] = {{501, 2, 250}, {7, 2, 4}, {575, 4, 144}, {-5, 2, -2}, {-7, 2, -4}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
}

class PlacementTest : public ::testing::Test {
  protected:
    TSettings s;
    TWorkArea area{0, 0, 1024, 768};
    TBounds place() { return PlaceMainWindow(s, area, 779, 575); }
};

TEST_F(PlacementTest, FirstStartIsCentred) {
    TBounds b = place();
    EXPECT_EQ(b.width, 779);
    EXPECT_EQ(b.height, 575);
    EXPECT_EQ(b.left, 122); // (1024 - 779) / 2 = 122.5
    EXPECT_EQ(b.top, 96);   // (768 - 575) / 2 = 96.5
    area = {0, 0, 1280, 1024};
    b = place();
    EXPECT_EQ(b.left, 250); // 250.5
}

TEST_F(PlacementTest, SavedPlaceIsKeptOnlyWithIsZenkai) {
    s.fmTop = 40;
    s.fmLeft = 60;
    s.fmWidth = 500;
    s.fmHeight = 400;
    TBounds b = place();
    EXPECT_EQ(b.top, 184);
    EXPECT_EQ(b.left, 262);
    s.isZenkai = true;
    b = place();
    EXPECT_EQ(b.top, 40);
    EXPECT_EQ(b.left, 60);
    EXPECT_EQ(b.width, 500);
    // Off screen: centred. 2000/2000 on 1024x768.
    s.fmTop = s.fmLeft = 2000;
    b = place();
    EXPECT_EQ(b.top, 184);
    EXPECT_EQ(b.left, 262);
    // A quarter of the design height must stay inside: 768 > 623 + 144 holds, 768 > 624 + 144 not.
    s.fmTop = 623;
    EXPECT_EQ(place().top, 623);
    s.fmTop = 624;
    EXPECT_EQ(place().top, 184);
    // Negative places become 0.
    s.fmTop = -30;
    s.fmLeft = -10;
    b = place();
    EXPECT_EQ(b.top, 0);
    EXPECT_EQ(b.left, 0);
}

TEST_F(PlacementTest, TooLargeSavedSizeFallsBackToTheDesignSize) {
    s.fmHeight = 2000;
    s.fmWidth = 3000;
    TBounds b = place();
    EXPECT_EQ(s.fmHeight, 575);
    EXPECT_EQ(s.fmWidth, 779);
    EXPECT_EQ(b.height, 575);
    area = {0, 0, 700, 500}; // smaller than the window: the title bar stays on the screen
    b = place();
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.top, 0);
}

TEST_F(PlacementTest, WorkAreaOffsetIsRespected) {
    area = {0, 32, 1024, 736};
    EXPECT_EQ(place().top, 32 + 80); // (736 - 575) / 2 = 80.5
    s.isZenkai = true;
    s.fmTop = 100;
    s.fmLeft = 5;
    TBounds b = place();
    EXPECT_EQ(b.top, 100);
    EXPECT_EQ(b.left, 5);
    s.fmTop = 10; // above the work area
    EXPECT_EQ(place().top, 32);
}

TEST(StartUpLayout, HolidayFileFallbacks) {
    TempDir d;
    std::filesystem::create_directories(d / "pf/Brix/Norik");
    std::filesystem::create_directories(d / "pf/Brix/Pelva");
    std::filesystem::create_directories(d / "prog");
    EXPECT_EQ(FindHolidayFile(d / "prog/", d / "pf/"), "");
    TempDir::Write(d / "pf/Brix/Norik/HDay.dat", "");
    EXPECT_EQ(FindHolidayFile(d / "prog/", d / "pf/"), d / "pf/Brix/Norik/HDay.dat");
    TempDir::Write(d / "pf/Brix/Pelva/HDay.dat", "");
    EXPECT_EQ(FindHolidayFile(d / "prog/", d / "pf/"), d / "pf/Brix/Pelva/HDay.dat");
    TempDir::Write(d / "prog/HDay.dat", "");
    EXPECT_EQ(FindHolidayFile(d / "prog/", d / "pf/"), d / "prog/HDay.dat");
}
