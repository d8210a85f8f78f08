// The release-age rule, its postponement, the notice text and the hidden build code.
#include "setup/ReleaseAge.h"

#include "calendar/JulianDay.h"

#include <gtest/gtest.h>

const int32_t kRelease = tolmo::DateToJulius(2005, 11, 24);

TEST(ReleaseAgeTest, NoticeDueAndPostponed) {
    // Release + 456 days with no postponement: due; closing postpones to 16 (15 days on).
    EXPECT_TRUE(NoticeDue(kRelease + 456, kRelease, 0));
    EXPECT_FALSE(NoticeDue(kRelease + 455, kRelease, 0));
    EXPECT_EQ(PostponementOnClose(kRelease + 456, kRelease, 0, false), 16);
    EXPECT_FALSE(NoticeDue(kRelease + 456, kRelease, 16));
    EXPECT_TRUE(NoticeDue(kRelease + 472, kRelease, 16));
    // With the web page visited: 60 days.
    EXPECT_EQ(PostponementOnClose(kRelease + 456, kRelease, 0, true), 61);
    // Shown much later (postponement 30, today 100 days past the base): 15 days from today.
    EXPECT_EQ(PostponementOnClose(kRelease + 555, kRelease, 30, false), 115);
    // A large postponement of a young version is replaced; an old version keeps it.
    EXPECT_EQ(PostponementAfterCheck(kRelease + 10, kRelease, 150), -1);
    EXPECT_EQ(PostponementAfterCheck(kRelease + 10, kRelease, 99), 99);
    EXPECT_EQ(PostponementAfterCheck(kRelease + 500, kRelease, 150), 150);
}

TEST(ReleaseAgeTest, TextsAndCodes) {
    const std::string t = NoticeText("Ver1.7.1.1", 471);
    EXPECT_EQ(t.substr(0, t.find("\r\n")),
              "　トルモ Ver1.7.1.1 が公開されて、471 日が経過しています。");
    EXPECT_EQ(BuildCode(kRelease), "112401");
    EXPECT_EQ(BuildCode(tolmo::DateToJulius(2026, 3, 5)), "030501");
    EXPECT_EQ(VersionNumber("Ver1.7.1.1"), "1.7.1.1");
    EXPECT_LE(ReleaseDay(), Today()); // the build is not from the future
}
