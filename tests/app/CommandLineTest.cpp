// The command line's own switches and the missing-display message, decided before Qt starts.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, InfoSwitchesAreFoundAmongFilesAndOnlyAsWholeArguments) {
    EXPECT_EQ(FindInfoRequest({}), TInfoRequest::None);
    EXPECT_EQ(FindInfoRequest({"memo.txt", "/K/home/k/", "--helpful.txt", "-hx"}),
              TInfoRequest::None);
    EXPECT_EQ(FindInfoRequest({"memo.txt", "--help"}), TInfoRequest::Help);
    EXPECT_EQ(FindInfoRequest({"-V", "-h"}), TInfoRequest::Version);
    EXPECT_NE(HelpText("tolmo", false).find("Usage: tolmo [FILE...]"), std::string::npos);
    EXPECT_NE(HelpText("tolmo", true).find("使い方: tolmo"), std::string::npos);
}

TEST(CommandLine, LocaleAndDisplayDecideTheNoDisplayLine) {
    // LC_ALL before LC_MESSAGES before LANG; an empty variable counts as unset.
    EXPECT_TRUE(JapaneseMessages(nullptr, nullptr, "ja_JP.UTF-8"));
    EXPECT_FALSE(JapaneseMessages("C.UTF-8", nullptr, "ja_JP.UTF-8"));
    EXPECT_TRUE(JapaneseMessages("", "ja_JP.UTF-8", "C"));
    EXPECT_FALSE(JapaneseMessages(nullptr, nullptr, nullptr));

    EXPECT_EQ(NoDisplayMessage(":0", nullptr, nullptr, false), "");
    EXPECT_EQ(NoDisplayMessage(nullptr, "wayland-0", nullptr, false), "");
    EXPECT_EQ(NoDisplayMessage("", "", "offscreen", false), "");
    const std::string line = NoDisplayMessage("", nullptr, nullptr, false);
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.find('\n'), line.size() - 1); // one line
    EXPECT_NE(NoDisplayMessage(nullptr, nullptr, nullptr, true).find("画面がありません"),
              std::string::npos);
}
